#include <QDate>
#include <QSet>
#include <QtTest/QTest>

#include "address/addressconfig.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/paymentway.h"
#include "app/conversions.h"
#include "demodata/addressgenerator.h"
#include "demodata/demoaddresses.h"
#include "testsupport.h"

namespace {
const QDateTime kGeneratorNow(QDate(2026, 12, 6), QTime(10, 30));
}  // namespace

class TestAddressGenerator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Records fill their number as given here (the demo export checks that).
    void addressNumber() {
        QCOMPARE(TAddressGenerator::AddressNumber(0), QStringLiteral("K000001"));
        QCOMPARE(TAddressGenerator::AddressNumber(299), QStringLiteral("K000300"));
        QCOMPARE(TAddressGenerator::AddressNumber(99999), QStringLiteral("K100000"));
    }

    // The benchmarks compare figures over the same records: a changed table order or a changed
    // draw shows here first. The file holds records K000001..K000003 at the pinned day; filled
    // in another order into one reused record they are the same, with another seed not.
    void firstRecordsStayTheSame() {
        PinnedClock clock(kGeneratorNow);
        const TAddressGenerator generator;
        QString text;
        TCustomerAddress record, other;
        for (int i = 2; i >= 0; --i) {
            generator.Fill(i, record);
            text.prepend(record.GetXML(true));
            TAddressGenerator(7).Fill(i, other);
            QVERIFY(other.GetXML(true) != record.GetXML(true));
        }
        QCOMPARE(text.toUtf8(),
                 ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/generated_3.xml")));
    }

    // The demo records use the demo configuration's values, valid bank data, German texts,
    // and spread over every kind of contact data, country and resubmission date.
    void generatedRecordsAreRealistic() {
        PinnedClock clock(kGeneratorNow);
        const TAddressGenerator generator;
        TAddressConfig config;
        FillDemoConfig(config);
        QSet<int> channelTypes;
        QSet<QString> countries, towns;
        int withWv = 0, umlauts = 0, sharpS = 0, companies = 0, multiAddress = 0, withTerms = 0,
            ibans = 0;
        TCustomerAddress r;
        for (int i = 0; i < 300; ++i) {
            generator.Fill(i, r);
            const QByteArray idText = r.Id.toUtf8();
            const char* id = idText.constData();
            QVERIFY2(config.Nk.contains(r.Id.left(1)) && config.AdressGrp.contains(r.AddrGrp), id);
            for (const QString& mark : r.Kennzeichen) QVERIFY2(config.AdressKz.contains(mark), id);
            QVERIFY2(r.Anschriften.Count() >= 1 && r.Anschriften.Count() <= 3 &&
                         r.Kontakte.Count() >= 1 && r.Kontakte.Count() <= 3 &&
                         r.PaymentWays.Count() <= 2 && r.PaymentTerms.Count() <= 2,
                     id);
            multiAddress += r.Anschriften.Count() > 1;
            withTerms += r.PaymentTerms.Count() > 0;
            QVERIFY2(r.Anschriften.DefaultAnschrift() == r.Anschriften.Items(0) &&
                         r.Kontakte.DefaultContact() == r.Kontakte.Items(0),
                     id);
            for (int a = 0; a < r.Anschriften.Count(); ++a) {
                const TCustomerAnschrift* anschrift = r.Anschriften.Items(a);
                QCOMPARE(anschrift->Id, QStringLiteral("%1").arg(a + 1, 2, 10, QLatin1Char('0')));
                QVERIFY2(!anschrift->Name1.isEmpty() && !anschrift->Strasse.isEmpty() &&
                             !anschrift->Ort.isEmpty() &&
                             config.AnschriftArten.contains(anschrift->AArt),
                         id);
                // German postcodes have five digits, Austrian and Swiss ones four.
                QCOMPARE(anschrift->Plz.size(), anschrift->Land == QLatin1String("D") ? 5 : 4);
                countries.insert(anschrift->Land);
                towns.insert(anschrift->Ort);
            }
            for (const auto& contact : r.Kontakte) {
                for (const auto& data : contact->Data) {
                    channelTypes.insert(data->CdType);
                    QVERIFY2(!data->CdValue.isEmpty(), id);
                    if (data->CdType == cdtEmail)
                        QVERIFY2(data->CdValue.count(u'@') == 1 &&
                                     data->CdValue.toLatin1() == data->CdValue.toUtf8(),
                                 qPrintable(data->CdValue));
                    if (data->CdType == cdtZugehoerigeAnschrift)
                        QVERIFY(r.Anschriften.FindById(data->CdValue));
                }
            }
            companies += r.Kontakte.Items(0)->Data.FindByType(cdtFirma) != nullptr;
            for (const auto& way : r.PaymentWays) {
                QCOMPARE(way->HasBankData(), !way->Iban.isEmpty());
                if (way->Iban.isEmpty()) continue;
                ++ibans;
                QVERIFY2(IbanError(way->Iban).isEmpty() && way->Iban.size() == 22 &&
                             way->Iban.mid(4, 8) == way->BCode &&
                             way->Iban.mid(12) == way->Acc.rightJustified(10, u'0') &&
                             way->Bic.size() == 11 && way->Bic.mid(4, 2) == QLatin1String("DE") &&
                             !way->Inst.isEmpty(),
                         qPrintable(way->Iban + ' ' + way->Bic));
            }
            const QString text = r.GetXML(true);
            umlauts += text.contains(u'ä') || text.contains(u'ö') || text.contains(u'ü');
            sharpS += text.contains(u'ß');
            QCOMPARE(r.DisplayTxt, r.GetShortText());
            QVERIFY(r.Created > 0 && r.Changed >= r.Created);
            QVERIFY(r.Changed <= DateTimeToDayNumber(kGeneratorNow));
            if (r.Wv != 0) {
                ++withWv;
                const qint64 days = kGeneratorNow.date().daysTo(DayNumberToDateTime(r.Wv).date());
                QVERIFY2(days >= -14 && days <= 42 && !r.WvTxt.isEmpty() && r.WvTxt.size() <= 40 &&
                             r.WvUser == QLatin1String("ADMIN"),
                         id);
            }
        }
        for (int type = cdtSonstiges; type <= cdtZugehoerigeAnschrift; ++type)
            QVERIFY2(channelTypes.contains(type), qPrintable(QString::number(type)));
        const QList<int> counts{withWv,       umlauts,   sharpS, companies,
                                multiAddress, withTerms, ibans,  int(towns.size())};
        QVERIFY2(withWv >= 30 && withWv <= 90 && umlauts > 150 && sharpS > 30 && companies > 120 &&
                     companies < 260 && multiAddress > 30 && withTerms > 100 && ibans > 60 &&
                     towns.size() > 40,
                 qPrintable(QDebug::toString(counts)));
        QVERIFY(countries.contains(QSet<QString>{"D", "A", "CH"}));
    }
};

KWP_REGISTER_TEST(TestAddressGenerator)
#include "tst_addressgenerator.moc"
