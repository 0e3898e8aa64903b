#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>

#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "admintestsupport.h"
#include "app/dialogs.h"
#include "demodata/addressgenerator.h"
#include "demodata/demoaddresses.h"
#include "persistence/storetable.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"
#include "setup/demosetup.h"

namespace {

const QDateTime kTransferNow(QDate(2026, 12, 6), QTime(10, 30));

// Writes generated records first..last (indexes) as an "<adressen>" file.
void writeGenerated(const QString& fileName, int first, int last) {
    const TAddressGenerator generator;
    TCustomerAdressObjectList list;
    for (int i = first; i <= last; ++i) generator.Fill(i, *list.Add());
    SaveAddressListToFile(list, fileName);
}

// An installation with the given tenants in a temporary folder.
struct TTransferSuite {
    QTemporaryDir dir;
    QString root = dir.path();
    TInstallationPaths paths{root};
    QString adressenDir;  // of the first tenant
    TAdminLog log;
    bool setUp(const QStringList& tenants) {
        if (runAdmin({"init", root}).code != 0) return false;
        for (const QString& tenant : tenants)
            if (runAdmin({"tenant", "add", root, tenant}).code != 0) return false;
        adressenDir = TenantAddressDir(paths, tenants.first());
        return true;
    }
    // Imports the generated records 0..last into tenant ACME.
    int importGenerated(int last) {
        writeGenerated(dir.filePath("initial.xml"), 0, last);
        return ImportAddresses(paths, "ACME", dir.filePath("initial.xml"), false, log);
    }
};

QStringList tableIds(const QString& dir) {
    TDBAdress db;
    db.OpenDirectory(dir);
    QStringList ids;
    TStoreTable* table = db.AddressTable();
    for (table->First(); !table->Eof(); table->Next()) ids.append(db.GetCurrentID());
    return ids;
}

std::unique_ptr<TCustomerAddress> tableRecord(const QString& dir, const QString& id) {
    TDBAdress db;
    db.OpenDirectory(dir);
    auto record = std::make_unique<TCustomerAddress>();
    if (!db.GetCustomer(id, *record)) record->Id = "<missing>";
    return record;
}

}  // namespace

class TestAddressTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportImportRoundTrip() {
        PinnedClock clock(kTransferNow);
        TTransferSuite env;
        QVERIFY(env.setUp({"DEMO", "LEER"}));
        QVERIFY(InstallDemoAddresses(env.paths, env.log));
        {
            TDBAdress db;
            db.OpenDirectory(env.adressenDir);
            // The next number the address manager proposes continues the range.
            QCOMPARE(db.GetLastID("K"), "K000300");
        }
        const QString first = env.dir.filePath("erste.xml");
        const QString second = env.dir.filePath("zweite.xml");
        QCOMPARE(ExportAddresses(env.paths, "DEMO", first, env.log), kDemoAddressCount);
        QCOMPARE(ImportAddresses(env.paths, "leer", first, false, env.log), kDemoAddressCount);
        QCOMPARE(ExportAddresses(env.paths, "LEER", second, env.log), kDemoAddressCount);
        const QByteArray bytes = ReadFileBytes(first);
        QVERIFY(bytes.startsWith(QByteArray("\xFF\xFE<\0?\0x\0m\0l\0", 12)));
        QCOMPARE(ReadFileBytes(second), bytes);

        // The generated records, complete and in number order.
        TCustomerAdressObjectList list;
        QVERIFY(LoadAddressListFromFile(first, list));
        QCOMPARE(list.Count(), kDemoAddressCount);
        TCustomerAddress expected;
        for (int i = 0; i < list.Count(); ++i) {
            TAddressGenerator().Fill(i, expected);
            QCOMPARE(list.Items(i)->Id, TAddressGenerator::AddressNumber(i));
            QCOMPARE(list.Items(i)->Kennzeichen, expected.Kennzeichen);
            QCOMPARE(list.Items(i)->GetXML(TXmlContent::WithoutColumns),
                     expected.GetXML(TXmlContent::WithoutColumns));
        }
    }

    void damagedRecordIsNeitherReadNorExported() {
        TTransferSuite env;
        QVERIFY(env.setUp({"ACME"}));
        {
            TDBAdress db;
            db.OpenDirectory(env.adressenDir);
            TCustomerAddress record;
            record.Id = "K000007";
            record.Info = "Zeile";
            record.Kontakte.Add()->Name = "Meier";
            QCOMPARE(db.SetCustomer(record), 0);
            // Stored by an older version: a raw vertical tab ends the readable part.
            TStoreTable& table = *db.AddressTable();
            table.Edit();
            table.FieldByName("XMLDATA").SetAsString(
                record.GetXML(TXmlContent::WithoutColumns).replace("<info>", "<info>\v"));
            table.Post();
        }
        // Not handed out as if it were the whole record.
        QCOMPARE(tableRecord(env.adressenDir, "K000007")->Id, "<missing>");

        // Nor exported: no file appears.
        expectRefused({"addresses", "export", env.root, "ACME", env.root + "/export.xml"}, 3,
                      "Die Adresse \"K000007\" ist beschädigt", env.root);
    }

    void importExistingNumbers_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("existing numbers skipped") << false;
        QTest::newRow("existing numbers replaced") << true;
    }

    void importExistingNumbers() {
        QFETCH(bool, replace);
        PinnedClock clock(kTransferNow);
        TTransferSuite env;
        QVERIFY(env.setUp({"ACME"}));
        QCOMPARE(env.importGenerated(2), 3);

        // K000002 comes again with other content (lower-case number), K000004 is new.
        TCustomerAdressObjectList list;
        const TAddressGenerator generator(99);
        TCustomerAddress* changed = list.Add();
        generator.Fill(1, *changed);
        changed->Id = "k000002";
        changed->Info = "Neu eingelesen";
        generator.Fill(3, *list.Add());
        const QString update = env.dir.filePath("update.xml");
        SaveAddressListToFile(list, update);

        // Through the command, which names the count and each skipped number.
        const TAdminRun run =
            runAdmin(QStringList{"addresses", "import", env.root, "ACME", update} +
                     (replace ? QStringList{"--replace"} : QStringList()));
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.contains(replace ? "2 Adressen importiert." : "1 Adressen importiert."),
                 qPrintable(run.out));
        QCOMPARE(tableIds(env.adressenDir),
                 QStringList({"K000001", "K000002", "K000003", "K000004"}));
        // Only a replacing import changes the stored record; a skip names the number.
        QCOMPARE(tableRecord(env.adressenDir, "K000002")->Info == changed->Info, replace);
        QCOMPARE(run.err.contains("Adresse \"K000002\" übersprungen"), !replace);
    }

    void badImportChangesNothing_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("reports");  // parser errors reported on the way
        const auto row = [](const char* name, const char* damage, const char* message,
                            int reports = 0) {
            QTest::newRow(name) << damage << message << reports;
        };
        row("truncated after some records", "truncated",
            "ist fehlerhaft; es wurde nichts eingelesen", 1);
        row("record without number", "noid", "Die 3. Adresse der Datei");
        row("number twice", "twice",
            "Die Adressnummer \"K000002\" kommt in der Datei mehrfach vor");
        row("number too long", "long", "ist länger als 20 Zeichen");
        row("missing file", "missing", "nicht gefunden");
        row("nested records", "nested", "verschachtelte Adressen");
        row("no records", "none", "enthält keine Adressen; es wurde nichts eingelesen");
    }

    void badImportChangesNothing() {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        QFETCH(int, reports);
        PinnedClock clock(kTransferNow);
        TTransferSuite env;
        QVERIFY(env.setUp({"ACME"}));
        QCOMPARE(env.importGenerated(0), 1);

        // Four new records, K000002 .. K000005, then the damage.
        const QString fileName = env.dir.filePath("import.xml");
        TCustomerAdressObjectList list;
        for (int i = 1; i <= 4; ++i) TAddressGenerator().Fill(i, *list.Add());
        if (damage == "noid") list.Items(2)->Id.clear();
        if (damage == "twice") list.Items(3)->Id = "k000002";
        if (damage == "long") list.Items(1)->Id = QString("K").repeated(21);
        SaveAddressListToFile(list, fileName);
        const QByteArray bytes = ReadFileBytes(fileName);
        if (damage == "truncated") WriteFileBytes(fileName, bytes.left(bytes.size() * 2 / 3));
        if (damage == "missing") QFile::remove(fileName);
        if (damage == "nested")
            WriteFileBytes(fileName,
                           "<adressen><kundenadr id=\"K000002\"><kundenadr "
                           "id=\"K000003\" /></kundenadr></adressen>");
        if (damage == "none") WriteFileBytes(fileName, "<adressen><adr /></adressen>");

        ScriptedDialogs dialogs;
        for (int i = 0; i < reports; ++i) dialogs.answer(mrOk);
        expectRefused({"addresses", "import", env.root, "ACME", fileName, "--replace"}, 3, message,
                      env.adressenDir);
        QCOMPARE(tableIds(env.adressenDir), QStringList{"K000001"});
    }

    // Nothing in the installation changes; a failed write says why.
    void exportAndImportTouchOnlyTheirFile() {
        TTransferSuite env;
        QVERIFY(env.setUp({"ACME"}));
        QTemporaryDir beside;
        const QString file = beside.filePath("adressen.xml");
        const auto before = snapshotTree(env.root);
        // Reading a tenant without addresses creates no table.
        const TAdminRun run = runAdmin({"addresses", "export", env.root, "ACME", file});
        QVERIFY2(run.code == 0 && run.out.contains("0 Adressen exportiert."), qPrintable(run.out));
        QCOMPARE(snapshotTree(env.root), before);

        expectRefused({"addresses", "export", env.root, "ACME", "/dev/full"}, 3,
                      "Kann Datei \"/dev/full\" nicht schreiben: Der Datenträger ist voll.",
                      env.root);
        writeGenerated(file, 0, 0);
        for (const char* command : {"export", "import"})
            expectRefused({"addresses", command, env.root, "niemand", file}, 3,
                          "Der Mandant \"NIEMAND\" existiert nicht", env.root);
    }

    // The console cannot show a wait window: it names the holder and gives up after the wait.
    void importGivesUpWhileAnotherUserHoldsTheTable() {
        TTransferSuite env;
        QVERIFY(env.setUp({"ACME"}));
        writeGenerated(env.dir.filePath("quelle.xml"), 0, 3);
        TDBAdress holder;
        holder.OpenDirectory(env.adressenDir);
        std::unique_ptr<TDatabaseLock> lock = holder.LockAddressTable("MEIER");
        QVERIFY(lock);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KWPADMIN_LOCK_WAIT", "1");
        const TAdminRun run = runAdminProcess(
            {"addresses", "import", env.root, "ACME", env.dir.filePath("quelle.xml")}, {},
            environment);
        QCOMPARE(run.code, 3);
        QVERIFY2(run.err.contains("durch den Benutzer \"MEIER\" gesperrt.") &&
                     run.err.contains("es wurde nichts eingelesen"),
                 qPrintable(run.err));
        holder.Unlock(lock);
        QCOMPARE(holder.GetRecordCount(), 0);
    }
};

KWP_REGISTER_TEST(TestAddressTransfer)
#include "tst_addresstransfer.moc"
