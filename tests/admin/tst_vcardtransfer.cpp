#include <QtTest>

#include "address/addressconfig.h"
#include "admintestsupport.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"

class TestVCardTransfer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // New addresses continue the first number range.
    void importNumbersByRange() {
        QTemporaryDir dir;
        QCOMPARE(runAdmin({"init", dir.path()}).code, 0);
        QCOMPARE(runAdmin({"tenant", "add", dir.path(), "ACME"}).code, 0);
        TAddressConfig config;
        config.Nk = QStringList{"L", "K"};
        config.SaveToFile(TenantAddressDir(TInstallationPaths(dir.path()), "ACME") + "CONFIG.XML");
        const QString card = dir.filePath("a.vcf");
        WriteFileBytes(card,
                       "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n");
        for (int round = 0; round < 2; ++round)
            QCOMPARE(runAdmin({"addresses", "vcard-import", dir.path(), "ACME", card}).code, 0);
        QCOMPARE(runAdmin({"addresses", "csv-export", dir.path(), "ACME", card}).code, 0);
        const QList<QByteArray> rows = ReadFileBytes(card).split('\n');
        QCOMPARE(rows.size(), 6);
        QVERIFY(rows[1].startsWith("L0001;;A;") && rows[4].startsWith("L0004;;B;"));
    }
};

KWP_REGISTER_TEST(TestVCardTransfer)
#include "tst_vcardtransfer.moc"
