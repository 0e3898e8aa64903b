#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest/QTest>
#include <memory>

#include "address/addressconfig.h"
#include "address/addresslistfile.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/paymentway.h"
#include "addressdb/dbadress.h"
#include "admintestsupport.h"
#include "app/conversions.h"
#include "app/dialogs.h"
#include "app/systemeinstellungen.h"
#include "demodata/addressgenerator.h"
#include "demodata/demoaddresses.h"
#include "persistence/storetable.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"
#include "setup/demosetup.h"
#include "testsupport.h"

namespace {

const QDateTime kTransferNow(QDate(2026, 12, 6), QTime(10, 30));

struct TTransferLog {
    QString out, err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
    TAdminLog log{&outStream, &errStream};
    QString errors() {
        errStream.flush();
        return err;
    }
};

// An installation with the given tenants in a temporary folder.
struct TTransferSuite {
    QTemporaryDir dir;
    QString root = dir.path();
    TInstallationPaths paths{root};
    QString adressenDir;  // of the first tenant
    TTransferLog log;
    bool setUp(const QStringList& tenants) {
        if (runAdmin({QStringLiteral("init"), root}).code != 0) return false;
        for (const QString& tenant : tenants) {
            const TAdminRun run =
                runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, tenant});
            if (run.code != 0) {
                qWarning("%s", qPrintable(run.err));
                return false;
            }
        }
        adressenDir = TenantAddressDir(paths, tenants.first());
        return true;
    }
};

// Writes generated records first..last (indexes) as an "<adressen>" file.
void transferWriteGenerated(const QString& fileName, int first, int last) {
    const TAddressGenerator generator;
    TCustomerAdressObjectList list;
    for (int i = first; i <= last; ++i) generator.Fill(i, *list.Add());
    SaveAddressListToFile(list, fileName);
}

QStringList transferTableIds(const QString& dir) {
    TDBAdress db;
    db.OpenDirectory(dir, false, false);
    QStringList ids;
    TStoreTable* table = db.AddressTable();
    for (table->First(); !table->Eof(); table->Next()) ids.append(db.GetCurrentID());
    return ids;
}

std::unique_ptr<TCustomerAddress> transferTableRecord(const QString& dir, const QString& id) {
    TDBAdress db;
    db.OpenDirectory(dir, false, false);
    auto record = std::make_unique<TCustomerAddress>();
    if (!db.GetCustomer(id, *record)) record->Id = QStringLiteral("<missing>");
    return record;
}

QString transferErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EKwpError& error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

class TestAddressTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void demoConfig();
    void demoAddresses();
    void exportImportRoundTrip();
    void damagedRecordIsNeitherReadNorExported();
    void importGivesUpWhileAnotherUserHoldsTheTable();
    void importExistingNumbers_data();
    void importExistingNumbers();
    void badImportChangesNothing_data();
    void badImportChangesNothing();
    void exportWritesOnlyItsFile_data();
    void exportWritesOnlyItsFile();
    void missingTenant_data();
    void missingTenant();
    void commandLine();
};

void TestAddressTransfer::demoConfig() {
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("DEMO")}));
    QCOMPARE(
        runAdmin({QStringLiteral("user"), QStringLiteral("add"), env.root, QStringLiteral("ADMIN")})
            .code,
        0);
    QVERIFY(InstallDemoConfig(env.paths, env.log.log));

    // The address manager finds the file where the tenant's settings put it.
    QString adressenDir;
    {
        struct TFinalize {
            ~TFinalize() { FinalizeApplication(); }
        } finalize;
        QVERIFY(InitApplicationFor(TProgramDir::Bin, env.root + QStringLiteral("/BIN/kwp00207")));
        QVERIFY(TSystemEinstellungen::Login(QStringLiteral("DEMO"), QStringLiteral("ADMIN"),
                                            QString(), TPasswordCheck::Skip));
        adressenDir = SystemEinstellungen()->AdressenDir;
    }
    QCOMPARE(TenantAddressDir(env.paths, QStringLiteral("demo")), adressenDir);
    const QString fileName = adressenDir + QStringLiteral("CONFIG.XML");
    const QByteArray bytes = ReadFileBytes(fileName);
    QCOMPARE(bytes, ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/transfer_democonfig.xml")));

    TAddressConfig loaded;
    loaded.LoadFromFile(fileName);
    QVERIFY(!loaded.HasParseError);
    TAddressConfig expected;
    FillDemoConfig(expected);
    QCOMPARE(loaded.Lkz, QStringLiteral("D"));
    QCOMPARE(loaded.AdressGrp, expected.AdressGrp);
    QCOMPARE(loaded.AdressKz, expected.AdressKz);
    QCOMPARE(loaded.AnschriftArten, expected.AnschriftArten);
    QCOMPARE(loaded.Nk, expected.Nk);
    QCOMPARE(loaded.KontaktKz, expected.KontaktKz);
    QCOMPARE(loaded.SpezielleKontaktKz, expected.SpezielleKontaktKz);
    QCOMPARE(loaded.StdMailHeader, expected.StdMailHeader);
    QVERIFY(loaded.AdressGrp.contains(QStringLiteral("Öffentliche Auftraggeber")));

    // A second run leaves an edited configuration alone.
    WriteFileBytes(fileName, bytes + "x");
    QVERIFY(!InstallDemoConfig(env.paths, env.log.log));
    QCOMPARE(ReadFileBytes(fileName), bytes + "x");
}

void TestAddressTransfer::demoAddresses() {
    PinnedClock clock(kTransferNow);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("DEMO")}));
    QVERIFY(InstallDemoAddresses(env.paths, env.log.log));
    QVERIFY2(env.log.errors().isEmpty(), qPrintable(env.log.err));

    const QStringList ids = transferTableIds(env.adressenDir);
    QCOMPARE(ids.size(), kDemoAddressCount);
    QCOMPARE(ids.first(), QStringLiteral("K000001"));
    QCOMPARE(ids.last(), QStringLiteral("K000300"));
    {
        TDBAdress db;
        db.OpenDirectory(env.adressenDir, false, false);
        // The next number the address manager proposes continues the range.
        QCOMPARE(db.GetLastID(QStringLiteral("K")), QStringLiteral("K000300"));
    }
    // The table holds what the generator made.
    TCustomerAddress generated;
    TAddressGenerator().Fill(122, generated);
    const auto stored = transferTableRecord(env.adressenDir, QStringLiteral("K000123"));
    QCOMPARE(stored->DisplayTxt, generated.DisplayTxt);
    QCOMPARE(stored->GetXML(false), generated.GetXML(false));

    QVERIFY(!InstallDemoAddresses(env.paths, env.log.log));
    QCOMPARE(transferTableIds(env.adressenDir).size(), kDemoAddressCount);
}

void TestAddressTransfer::exportImportRoundTrip() {
    PinnedClock clock(kTransferNow);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("DEMO"), QStringLiteral("LEER")}));
    QVERIFY(InstallDemoAddresses(env.paths, env.log.log));

    const QString first = env.dir.filePath(QStringLiteral("erste.xml"));
    const QString second = env.dir.filePath(QStringLiteral("zweite.xml"));
    QCOMPARE(ExportAddresses(env.paths, QStringLiteral("DEMO"), first, env.log.log),
             kDemoAddressCount);
    QCOMPARE(ImportAddresses(env.paths, QStringLiteral("leer"), first, false, env.log.log),
             kDemoAddressCount);
    QCOMPARE(ExportAddresses(env.paths, QStringLiteral("LEER"), second, env.log.log),
             kDemoAddressCount);
    QVERIFY2(env.log.errors().isEmpty(), qPrintable(env.log.err));

    const QByteArray bytes = ReadFileBytes(first);
    QVERIFY(bytes.startsWith(QByteArray("\xFF\xFE<\0?\0x\0m\0l\0", 12)));
    QCOMPARE(ReadFileBytes(second), bytes);

    // Full records in number order.
    TCustomerAdressObjectList list;
    QVERIFY(LoadAddressListFromFile(first, list));
    QCOMPARE(list.Count(), kDemoAddressCount);
    TCustomerAddress generated;
    const TAddressGenerator generator;
    for (int i = 0; i < list.Count(); ++i) {
        QCOMPARE(list.Items(i)->Id, TAddressGenerator::AddressNumber(i));
        generator.Fill(i, generated);
        QCOMPARE(list.Items(i)->Kennzeichen, generated.Kennzeichen);
        QCOMPARE(list.Items(i)->AddrGrp, generated.AddrGrp);
        QCOMPARE(list.Items(i)->WvTxt, generated.WvTxt);
        QCOMPARE(list.Items(i)->GetXML(false), generated.GetXML(false));
    }
}

void TestAddressTransfer::damagedRecordIsNeitherReadNorExported() {
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));
    {
        TDBAdress db;
        db.OpenDirectory(env.adressenDir, false, false);
        TCustomerAddress record;
        record.Id = QStringLiteral("K000007");
        record.Info = QStringLiteral("Zeile");
        record.Kontakte.Add()->Name = QStringLiteral("Meier");
        QCOMPARE(db.SetCustomer(record), 0);
        // Stored by an older version: a raw vertical tab ends the readable part.
        TStoreTable& table = *db.AddressTable();
        table.Edit();
        table.FieldByName(QStringLiteral("XMLDATA"))
            .SetAsString(
                record.GetXML(false).replace(QStringLiteral("<info>"), QStringLiteral("<info>\v")));
        table.Post();
    }
    // Not handed out as if it were the whole record.
    const auto read = transferTableRecord(env.adressenDir, QStringLiteral("K000007"));
    QCOMPARE(read->Id, QStringLiteral("<missing>"));
    QCOMPARE(read->Kontakte.Count(), 0);

    const QString file = env.dir.filePath(QStringLiteral("export.xml"));
    const TAdminRun run = runAdmin({QStringLiteral("addresses"), QStringLiteral("export"), env.root,
                                    QStringLiteral("ACME"), file});
    QVERIFY(run.code != 0);
    QVERIFY2(run.err.contains(QStringLiteral("Die Adresse \"K000007\" ist beschädigt")),
             qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(file));
}

void TestAddressTransfer::importExistingNumbers_data() {
    QTest::addColumn<bool>("replace");
    QTest::newRow("existing numbers skipped") << false;
    QTest::newRow("existing numbers replaced") << true;
}

void TestAddressTransfer::importExistingNumbers() {
    QFETCH(bool, replace);
    PinnedClock clock(kTransferNow);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));

    const QString initial = env.dir.filePath(QStringLiteral("initial.xml"));
    transferWriteGenerated(initial, 0, 2);
    QCOMPARE(ImportAddresses(env.paths, QStringLiteral("ACME"), initial, false, env.log.log), 3);

    // K000002 comes again with other content (lower-case number), K000004 is new.
    TCustomerAdressObjectList list;
    const TAddressGenerator generator(99);
    TCustomerAddress* changed = list.Add();
    generator.Fill(1, *changed);
    changed->Id = QStringLiteral("k000002");
    changed->Info = QStringLiteral("Neu eingelesen");
    generator.Fill(3, *list.Add());
    const QString update = env.dir.filePath(QStringLiteral("update.xml"));
    SaveAddressListToFile(list, update);

    TTransferLog updateLog;
    QCOMPARE(ImportAddresses(env.paths, QStringLiteral("ACME"), update, replace, updateLog.log),
             replace ? 2 : 1);
    QCOMPARE(transferTableIds(env.adressenDir),
             QStringList({QStringLiteral("K000001"), QStringLiteral("K000002"),
                          QStringLiteral("K000003"), QStringLiteral("K000004")}));
    const auto stored = transferTableRecord(env.adressenDir, QStringLiteral("K000002"));
    const QString errors = updateLog.errors();
    if (replace) {
        QCOMPARE(stored->Info, QStringLiteral("Neu eingelesen"));
        QCOMPARE(stored->DisplayTxt, changed->DisplayTxt);
        QCOMPARE(stored->Created, changed->Created);
        QVERIFY2(!errors.contains(QStringLiteral("K000002")), qPrintable(errors));
    } else {
        TCustomerAddress original;
        TAddressGenerator().Fill(1, original);
        QCOMPARE(stored->DisplayTxt, original.DisplayTxt);
        QCOMPARE(stored->GetXML(false), original.GetXML(false));
        QVERIFY2(errors.contains(QStringLiteral("Adresse \"K000002\" übersprungen")),
                 qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("1 Adressen übersprungen")), qPrintable(errors));
    }
}

void TestAddressTransfer::badImportChangesNothing_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("reports");  // parser errors reported on the way

    QTest::newRow("truncated after some records")
        << "truncated"
        << "ist fehlerhaft; es wurde nichts eingelesen" << 1;
    QTest::newRow("not xml") << "garbage"
                             << "ist fehlerhaft; es wurde nichts eingelesen" << 1;
    QTest::newRow("record without number") << "noid"
                                           << "Die 3. Adresse der Datei" << 0;
    QTest::newRow("number twice") << "twice"
                                  << "Die Adressnummer \"K000002\" kommt in der Datei mehrfach vor"
                                  << 0;
    QTest::newRow("number too long") << "long"
                                     << "ist länger als 20 Zeichen" << 0;
    QTest::newRow("missing file") << "missing"
                                  << "nicht gefunden" << 0;
    QTest::newRow("nested records") << "nested"
                                    << "verschachtelte Adressen" << 0;
    QTest::newRow("no records") << "none"
                                << "enthält keine Adressen; es wurde nichts eingelesen" << 0;
}

void TestAddressTransfer::badImportChangesNothing() {
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(int, reports);
    PinnedClock clock(kTransferNow);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));
    const QString initial = env.dir.filePath(QStringLiteral("initial.xml"));
    transferWriteGenerated(initial, 0, 0);
    QCOMPARE(ImportAddresses(env.paths, QStringLiteral("ACME"), initial, false, env.log.log), 1);

    // Four new records, K000002 .. K000005, then the damage.
    const QString fileName = env.dir.filePath(QStringLiteral("import.xml"));
    TCustomerAdressObjectList list;
    const TAddressGenerator generator;
    for (int i = 1; i <= 4; ++i) generator.Fill(i, *list.Add());
    if (damage == QLatin1String("noid")) list.Items(2)->Id.clear();
    if (damage == QLatin1String("twice")) list.Items(3)->Id = QStringLiteral("k000002");
    if (damage == QLatin1String("long")) list.Items(1)->Id = QStringLiteral("K").repeated(21);
    SaveAddressListToFile(list, fileName);
    if (damage == QLatin1String("truncated")) {
        const QByteArray bytes = ReadFileBytes(fileName);
        WriteFileBytes(fileName, bytes.left(bytes.size() * 2 / 3));
    }
    if (damage == QLatin1String("garbage")) WriteFileBytes(fileName, "PK\x03\x04 kein XML");
    if (damage == QLatin1String("missing")) QFile::remove(fileName);
    if (damage == QLatin1String("nested"))
        WriteFileBytes(fileName,
                       "<adressen><kundenadr id=\"K000002\"><kundenadr id=\"K000003\" />"
                       "</kundenadr></adressen>");
    if (damage == QLatin1String("none")) WriteFileBytes(fileName, "<adressen><adr /></adressen>");

    const auto before = snapshotTree(env.adressenDir);
    ScriptedDialogs dialogs;
    for (int i = 0; i < reports; ++i) dialogs.answer(mrOk);
    const QString error = transferErrorOf(
        [&] { ImportAddresses(env.paths, QStringLiteral("ACME"), fileName, true, env.log.log); });
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(snapshotTree(env.adressenDir), before);
    QCOMPARE(transferTableIds(env.adressenDir), QStringList({QStringLiteral("K000001")}));
}

// Reading creates no table, and a failed write says why.
void TestAddressTransfer::exportWritesOnlyItsFile_data() {
    QTest::addColumn<QString>("target");  // empty: a new file beside the installation
    QTest::addColumn<QString>("message");
    QTest::newRow("tenant without addresses") << ""
                                              << "0 Adressen exportiert.";
    QTest::newRow("disk full") << "/dev/full"
                               << "Kann Datei \"/dev/full\" nicht schreiben: Der Datenträger "
                                  "ist voll.";
}

void TestAddressTransfer::exportWritesOnlyItsFile() {
    QFETCH(QString, target);
    QFETCH(QString, message);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));
    const auto before = snapshotTree(env.root);
    QTemporaryDir beside;
    const QString fileName =
        target.isEmpty() ? beside.filePath(QStringLiteral("leer.xml")) : target;
    const TAdminRun run = runAdmin({QStringLiteral("addresses"), QStringLiteral("export"), env.root,
                                    QStringLiteral("ACME"), fileName});
    QCOMPARE(run.code == 0, target.isEmpty());
    QVERIFY2((run.out + run.err).contains(message), qPrintable(run.out + run.err));
    QCOMPARE(snapshotTree(env.root), before);
    if (target.isEmpty()) {
        TCustomerAdressObjectList list;
        QVERIFY(LoadAddressListFromFile(fileName, list));
        QCOMPARE(list.Count(), 0);
    }
}

void TestAddressTransfer::missingTenant_data() {
    QTest::addColumn<bool>("import");
    QTest::newRow("export") << false;
    QTest::newRow("import") << true;
}

void TestAddressTransfer::missingTenant() {
    QFETCH(bool, import);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));
    const QString fileName = env.dir.filePath(QStringLiteral("adressen.xml"));
    transferWriteGenerated(fileName, 0, 0);
    const auto before = snapshotTree(env.root);

    const TAdminRun run = runAdmin({QStringLiteral("addresses"),
                                    import ? QStringLiteral("import") : QStringLiteral("export"),
                                    env.root, QStringLiteral("niemand"), fileName});
    QVERIFY(run.code != 0);
    QVERIFY2(run.err.contains(QStringLiteral("Der Mandant \"NIEMAND\" existiert nicht")),
             qPrintable(run.err));
    QCOMPARE(snapshotTree(env.root), before);
}

void TestAddressTransfer::commandLine() {
    PinnedClock clock(kTransferNow);
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME"), QStringLiteral("ZWEI")}));
    const QString source = env.dir.filePath(QStringLiteral("quelle.xml"));
    transferWriteGenerated(source, 0, 24);

    const auto admin = [&](const QStringList& args) {
        return runAdminProcess(QStringList{QStringLiteral("addresses")} + args);
    };
    TAdminRun run = admin({QStringLiteral("import"), env.root, QStringLiteral("acme"), source});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("25 Adressen importiert.")), qPrintable(run.out));

    const QString exported = env.dir.filePath(QStringLiteral("export.xml"));
    run = admin({QStringLiteral("export"), env.root, QStringLiteral("ACME"), exported});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("25 Adressen exportiert.")), qPrintable(run.out));

    run = admin({QStringLiteral("import"), env.root, QStringLiteral("ZWEI"), exported});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    // Again: every number exists, nothing is written, each skip is named.
    run = admin({QStringLiteral("import"), env.root, QStringLiteral("ZWEI"), exported});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("0 Adressen importiert.")), qPrintable(run.out));
    QCOMPARE(run.err.count(QStringLiteral("übersprungen: die Nummer ist schon vergeben")), 25);
    run = admin({QStringLiteral("import"), env.root, QStringLiteral("ZWEI"), exported,
                 QStringLiteral("--replace")});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("25 Adressen importiert.")), qPrintable(run.out));

    const QString again = env.dir.filePath(QStringLiteral("again.xml"));
    run = admin({QStringLiteral("export"), env.root, QStringLiteral("ZWEI"), again});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(ReadFileBytes(again), ReadFileBytes(exported));
}

// The console cannot show a wait window: it names the holder and gives up after the wait.
void TestAddressTransfer::importGivesUpWhileAnotherUserHoldsTheTable() {
    TTransferSuite env;
    QVERIFY(env.setUp({QStringLiteral("ACME")}));
    const QString source = env.dir.filePath(QStringLiteral("quelle.xml"));
    transferWriteGenerated(source, 0, 3);
    TDBAdress holder;
    holder.OpenDirectory(TenantAddressDir(TInstallationPaths(env.root), QStringLiteral("ACME")),
                         false, false);
    std::unique_ptr<TDatabaseLock> lock = holder.LockAddressTable(QStringLiteral("MEIER"));
    QVERIFY(lock);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KWPADMIN_LOCK_WAIT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KWPADMIN_PATH),
                  {QStringLiteral("addresses"), QStringLiteral("import"), env.root,
                   QStringLiteral("ACME"), source});
    QVERIFY(process.waitForFinished(30000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), 3);
    QVERIFY2(err.contains(QStringLiteral("durch den Benutzer \"MEIER\" gesperrt.")),
             qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("es wurde nichts eingelesen")), qPrintable(err));
    holder.Unlock(lock);
    QCOMPARE(holder.GetRecordCount(), 0);
}

KWP_REGISTER_TEST(TestAddressTransfer)
#include "tst_addresstransfer.moc"
