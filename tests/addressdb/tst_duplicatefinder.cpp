#include <QtTest>

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "addressdb/duplicatefinder.h"
#include "testsupport.h"

namespace {

void fill(TCustomerAddress& r, const QStringList& values) {
    r.Id = values[0];
    r.DisplayTxt = values[1];
    TCustomerContact* contact = r.Kontakte.Add();
    for (const auto& [type, value] : {std::pair{cdtEmail, values[2]}, {cdtTelefon, values[3]}}) {
        TCustomerContactData* data = contact->Data.Add();
        data->CdType = type;
        data->CdValue = value;
    }
    if (!values[4].isEmpty()) r.PaymentWays.Add()->Iban = values[4];
}

}  // namespace

class TestDuplicateFinder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // probe: number, display text, e-mail, phone, IBAN; hits: number:rules.
    void find_data() {
        QTest::addColumn<QStringList>("probe");
        QTest::addColumn<bool>("soundex");
        QTest::addColumn<QString>("hits");
        QTest::newRow("IBAN") << QStringList{"", "Xaver", "", "", "de89370400440532013000"} << false
                              << "K1:1";
        QTest::newRow("e-mail") << QStringList{"", "", "INFO@Meier-Bau.DE", "", ""} << false
                                << "K1:2";
        QTest::newRow("+49 (0) is 0")
            << QStringList{"", "", "", "030/1234567", ""} << false << "K1:4";
        QTest::newRow("short number") << QStringList{"", "", "", "345 67", ""} << false << "";
        QTest::newRow("Koelner") << QStringList{"", "Maier Bau", "", "", ""} << false
                                 << "K1:8 K3:8";
        QTest::newRow("own number")
            << QStringList{"k1", "", "info@meier-bau.de", "", ""} << false << "";
        QTest::newRow("Soundex") << QStringList{"", "Merf", "", "", ""} << true << "K1:16 K3:16";
        QTest::newRow("no Soundex") << QStringList{"", "Merf", "", "", ""} << false << "";
    }
    void find() {
        QFETCH(QStringList, probe);
        QFETCH(bool, soundex);
        QFETCH(QString, hits);
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path());
        const QStringList rows[] = {{"K1", "Meier Bau", "info@meier-bau.de", "+49 (0)30 1234567",
                                     "DE89 3704 0044 0532 0130 00"},
                                    {"K2", "Schulze Elektro", "post@schulze.de", "0040 30 1234567",
                                     "DE02120300000000202051"},
                                    {"K3", "Mayer Bau", "", "34567", ""}};
        for (const QStringList& row : rows) {
            TCustomerAddress record;
            fill(record, row);
            QCOMPARE(db.SetCustomer(record), 0);
        }
        TCustomerAddress record;
        fill(record, probe);
        QStringList found;
        for (const TDuplicateHit& hit : TDuplicateFinder::Find(record, db, soundex))
            found << QString("%1:%2").arg(hit.Id).arg(hit.Rules);
        QCOMPARE(found.join(' '), hits);
    }
};

KWP_REGISTER_TEST(TestDuplicateFinder)
#include "tst_duplicatefinder.moc"
