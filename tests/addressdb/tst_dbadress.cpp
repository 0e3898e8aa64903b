#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "persistence/storedatabase.h"
#include "persistence/storesqlite.h"
#include "testsupport.h"

namespace {

struct Reported {
    QStringList contexts;
    TDatabaseErrorCallback callback() {
        return [this](const std::exception&, const QString& context) { contexts.append(context); };
    }
};

// The complete record of the address tests, numbered as asked.
std::unique_ptr<TCustomerAddress> fullRecord(const QString& id) {
    auto record = std::make_unique<TCustomerAddress>();
    record->LoadFromFile(
        QStringLiteral(KWP_SOURCE_DIR "/tests/address/data/customeraddress_full.xml"));
    record->Id = id;
    return record;
}

std::unique_ptr<TCustomerAddress> plainRecord(const QString& id, const QString& text = {}) {
    auto record = std::make_unique<TCustomerAddress>();
    record->Id = id;
    record->DisplayTxt = text.isEmpty() ? QStringLiteral("Firma ") + id : text;
    record->Created = record->Changed = 45000;
    return record;
}

void save(TDBAdress& db, const QStringList& ids) {
    for (const QString& id : ids) QCOMPARE(db.SetCustomer(*plainRecord(id)), 0);
}

// Another workstation on the same address folder (see adressworker.cpp).
std::unique_ptr<QProcess> startWorker(const QStringList& arguments) {
    auto worker = std::make_unique<QProcess>();
    worker->start(QStringLiteral(KWP_ADRESSWORKER_PATH), arguments);
    worker->waitForStarted(10000);
    return worker;
}

QByteArray lineOf(QProcess& worker) {
    while (!worker.canReadLine())
        if (!worker.waitForReadyRead(120000)) return {};
    return worker.readLine().trimmed();
}

int hitCount(TDBAdress& db, const QString& text) {
    TDBAdressSearchResultObjectList hits;
    db.FindAddress(text, hits);
    return hits.Count();
}

}  // namespace

class TestDBAdress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { kwpstore::SetBusyTimeout(20000); }

    void openingCreatesTheTable() {
        QTemporaryDir root;
        const QString dir = root.filePath(QStringLiteral("DEMO/ADRESSEN"));
        TDBAdress db;
        db.OpenDirectory(dir, false, false);
        QVERIFY(QFile::exists(dir + QStringLiteral("/ADDRESS.DAT")));
        TStoreTable& table = *db.AddressTable();
        QStringList names;
        for (const TFieldDef& def : table.FieldDefs().items()) names.append(def.name);
        QCOMPARE(names, QStringList({"ID", "DISPLAYTXT", "ADDRGRP", "CREATED", "CREATEDBY",
                                     "CHANGED", "CHANGEDBY", "IDFORWARD", "WV", "WVTXT", "WVUSER",
                                     "XMLDATA", "CHARACT"}));
        QCOMPARE(table.IndexName(), QStringLiteral("ADDRESSID"));
        QCOMPARE(table.IndexDefs().Find(QStringLiteral("ADDRESSID"))->options, int(ixUnique));
        QCOMPARE(db.GetRecordCount(), 0);
        QCOMPARE(db.GetLastID(QStringLiteral("K")), QString());
    }

    void recordRoundTripsWithUpperCaseNumber() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        std::unique_ptr<TCustomerAddress> record = fullRecord(QStringLiteral("k00014"));
        QCOMPARE(db.SetCustomer(*record), 0);
        QCOMPARE(record->Id, QStringLiteral("K00014"));
        QCOMPARE(db.AddressTable()->FieldByName(QStringLiteral("ID")).AsString(),
                 QStringLiteral("K00014"));

        TDBAdress other;
        other.OpenDirectory(dir.path(), false, true);
        TCustomerAddress loaded;
        QVERIFY(other.GetCustomer(QStringLiteral("k00014"), loaded));
        QVERIFY(loaded.SameContent(*record));
        QCOMPARE(loaded.Kennzeichen, record->Kennzeichen);
        QCOMPARE(loaded.Wv, record->Wv);
        QVERIFY(!other.GetCustomer(QStringLiteral("K00015"), loaded));
    }

    void savingAgainKeepsTheCreationStamp() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        std::unique_ptr<TCustomerAddress> record = plainRecord(QStringLiteral("A1"));
        record->CreatedBy = QStringLiteral("MEIER");
        QCOMPARE(db.SetCustomer(*record), 0);
        record->Created = 46000;
        record->CreatedBy = QStringLiteral("SCHULZ");
        record->Changed = 46001;
        record->DisplayTxt = QStringLiteral("geändert");
        record->Kennzeichen = {QStringLiteral("VIP"), QString(), QStringLiteral("Großkunde")};
        record->Wv = 0;
        QCOMPARE(db.SetCustomer(*record), 0);
        QCOMPARE(db.GetRecordCount(), 1);
        TCustomerAddress loaded;
        QVERIFY(db.GetCustomer(QStringLiteral("A1"), loaded));
        QCOMPARE(loaded.Created, 45000.0);
        QCOMPARE(loaded.CreatedBy, QStringLiteral("MEIER"));
        QCOMPARE(loaded.Changed, 46001.0);
        QCOMPARE(loaded.DisplayTxt, QStringLiteral("geändert"));
        QCOMPARE(loaded.Kennzeichen, record->Kennzeichen);
        QVERIFY(db.AddressTable()->FieldByName(QStringLiteral("WV")).IsNull());
    }

    void failedSaveIsReportedAndChangesNothing_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("number too long") << "B1234567890123456789012";
        QTest::newRow("empty number") << "";
        QTest::newRow("blank number") << "   ";
        QTest::newRow("NUL in number") << QStringLiteral("B1") + QChar(0);
        QTest::newRow("control character in number") << "B\t1";
        QTest::newRow("delete character in number") << "B\x7f";
    }
    void failedSaveIsReportedAndChangesNothing() {
        QFETCH(QString, id);
        QTemporaryDir dir;
        Reported reported;
        TDBAdress db(reported.callback());
        db.OpenDirectory(dir.path(), false, false);
        save(db, {QStringLiteral("A1")});
        std::unique_ptr<TCustomerAddress> record = plainRecord(id, QStringLiteral("Firma"));
        QCOMPARE(db.SetCustomer(*record), -1);
        QCOMPARE(reported.contexts, QStringList{QStringLiteral("TDBAdress.SetCustomer")});
        QCOMPARE(db.GetRecordCount(), 1);
        QCOMPARE(db.AddressTable()->State(), TStoreState::Browse);
        // The table still takes the next record.
        save(db, {QStringLiteral("A2")});
        QCOMPARE(db.GetRecordCount(), 2);
    }

    void lastNumberOfARange_data() {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");
        const QStringList mixed{"K00012", "K00013", "KX01", "100", "200", "L1"};
        QTest::newRow("prefix skips letters after it") << mixed << "K"
                                                       << "K00013";
        QTest::newRow("empty prefix skips lettered numbers") << mixed << ""
                                                             << "200";
        QTest::newRow("prefix as long as the number") << QStringList{"K", "KA"} << "K"
                                                      << "K";
        QTest::newRow("lower-case prefix") << mixed << "k"
                                           << "K00013";
        QTest::newRow("nothing with the prefix") << mixed << "M"
                                                 << "";
        QTest::newRow("only letters: the first row") << QStringList{"AB", "CD"} << ""
                                                     << "AB";
        QTest::newRow("apostrophe in prefix") << QStringList{"O'1", "O'2", "O3"} << "O'"
                                              << "O'2";
        QTest::newRow("star is no wildcard") << QStringList{"X*1", "X*2", "XB12"} << "X*"
                                             << "X*2";
        QTest::newRow("question mark is no wildcard") << QStringList{"XB12"} << "X?"
                                                      << "";
    }
    void lastNumberOfARange() {
        QFETCH(QStringList, ids);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        save(db, ids);
        QVERIFY(db.SeekCustomer(ids.first()));
        const int recNo = db.AddressTable()->RecNo();
        QCOMPARE(db.GetLastID(prefix), expected);
        // The visible position and order stay as they were.
        QCOMPARE(db.AddressTable()->RecNo(), recNo);
        QVERIFY(!db.AddressTable()->Filtered());
        QCOMPARE(db.GetRecordCount(), ids.size());
    }

    // A user name of 32 characters, a long group or text: the columns get a cut copy, reading
    // gives the whole value back.
    void longValuesAreCutInTheColumnsOnly_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("copy");
        const QString user(32, QLatin1Char('U'));
        QTest::newRow("changer") << "CHANGEDBY" << user << user.left(20);
        QTest::newRow("creator") << "CREATEDBY" << user << user.left(20);
        QTest::newRow("group") << "ADDRGRP" << QString(51, u'ä') << QString(50, u'ä');
        QTest::newRow("resubmission text") << "WVTXT" << QString(41, u'w') << QString(40, u'w');
        QTest::newRow("resubmission user") << "WVUSER" << user << user.left(20);
        QTest::newRow("forwarding number") << "IDFORWARD" << user << user.left(20);
        QTest::newRow("display text") << "DISPLAYTXT" << QString(300, u'd') << QString(255, u'd');
        QTest::newRow("no half character")
            << "WVTXT" << QString(39, u'w') + QStringLiteral("😀") << QString(39, u'w');
        QTest::newRow("fits") << "WVTXT" << QString(40, u'w') << QString(40, u'w');
    }
    void longValuesAreCutInTheColumnsOnly() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, copy);
        const auto field = [&column](TCustomerAddress& record) -> QString& {
            if (column == "CHANGEDBY") return record.ChangedBy;
            if (column == "CREATEDBY") return record.CreatedBy;
            if (column == "ADDRGRP") return record.AddrGrp;
            if (column == "WVTXT") return record.WvTxt;
            if (column == "WVUSER") return record.WvUser;
            if (column == "IDFORWARD") return record.IdWeiterl;
            return record.DisplayTxt;
        };
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        std::unique_ptr<TCustomerAddress> record = plainRecord(QStringLiteral("L1"));
        record->Wv = 46000;
        field(*record) = value;
        QCOMPARE(db.SetCustomer(*record), 0);
        QCOMPARE(db.AddressTable()->FieldByName(column).AsString(), copy);

        TDBAdress other;
        other.OpenDirectory(dir.path(), false, true);
        TCustomerAddress loaded;
        QVERIFY(other.GetCustomer(QStringLiteral("L1"), loaded));
        QCOMPARE(field(loaded), value);
        QVERIFY(loaded.SameContent(*record));
    }

    void lookupsLeaveOrMoveThePosition() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        save(db, {QStringLiteral("K3"), QStringLiteral("K1"), QStringLiteral("K2")});
        QCOMPARE(db.GetCustomerRecNo(QStringLiteral("k2")), 2);
        QCOMPARE(db.GetCurrentID(), QStringLiteral("K2"));
        QVERIFY(db.ExistsCustomer(QStringLiteral("k3")));
        QVERIFY(!db.ExistsCustomer(QStringLiteral("K4")));
        QCOMPARE(db.GetCurrentID(), QStringLiteral("K2"));
        QCOMPARE(db.GetCustomerRecNo(QString()), 1);
        QCOMPARE(db.GetCustomerRecNo(QStringLiteral("K9")), 0);
        db.FindID(QStringLiteral("K15"));
        QCOMPARE(db.GetCurrentID(), QStringLiteral("K2"));
        QCOMPARE(db.GetNearestCustomer(QStringLiteral("K2")), QStringLiteral("K3"));
        QCOMPARE(db.GetNearestCustomer(QStringLiteral("K3")), QStringLiteral("K2"));
        QVERIFY(db.DelCustomer(QStringLiteral("k1")));
        QVERIFY(!db.DelCustomer(QStringLiteral("K1")));
        QVERIFY(db.DelCustomer(QStringLiteral("K2")));
        QCOMPARE(db.GetNearestCustomer(QStringLiteral("K3")), QString());
    }

    void olderTableGainsResubmissionColumns() {
        QTemporaryDir dir;
        {
            TStoreDatabase database;
            database.SetLocation(dir.path());
            TStoreTable old(&database);
            old.SetTableName(QStringLiteral("ADDRESS"));
            TFieldDefs& f = old.FieldDefs();
            for (const char* name :
                 {"ID", "DISPLAYTXT", "ADDRGRP", "CREATEDBY", "CHANGEDBY", "IDFORWARD"})
                f.Add(QString::fromLatin1(name), sftString, 255, false);
            f.Add(QStringLiteral("CREATED"), sftDateTime);
            f.Add(QStringLiteral("CHANGED"), sftDateTime);
            f.Add(QStringLiteral("XMLDATA"), sftMemo);
            f.Add(QStringLiteral("CHARACT"), sftMemo);
            old.IndexDefs().Add(QStringLiteral("ADDRESSID"), QStringLiteral("ID"), ixUnique);
            old.CreateTable();
            old.Open();
            for (const char* id : {"A1", "A2", "A3"}) {
                old.Append();
                old.FieldByName(QStringLiteral("ID")).SetAsString(QString::fromLatin1(id));
                old.FieldByName(QStringLiteral("DISPLAYTXT"))
                    .SetAsString(QStringLiteral("Bäckerei ") + QString::fromLatin1(id));
                old.FieldByName(QStringLiteral("XMLDATA"))
                    .SetAsString(QStringLiteral("<kundenadr info=\"Brötchen\"/>"));
                old.Post();
            }
        }
        {
            // Reading must not need the upgrade, which only a writer may make.
            Reported reported;
            TDBAdress reader(reported.callback());
            reader.OpenDirectory(dir.path(), false, true);
            TCustomerAddress record;
            QVERIFY(reader.GetCustomer(QStringLiteral("A2"), record));
            QCOMPARE(record.DisplayTxt, QStringLiteral("Bäckerei A2"));
            QCOMPARE(reported.contexts, QStringList());
        }
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        const TFieldDefs& defs = db.AddressTable()->FieldDefs();
        const int xml = defs.IndexOf(QStringLiteral("XMLDATA"));
        QCOMPARE(defs.IndexOf(QStringLiteral("WV")), xml - 3);
        QCOMPARE(defs.IndexOf(QStringLiteral("WVTXT")), xml - 2);
        QCOMPARE(defs.IndexOf(QStringLiteral("WVUSER")), xml - 1);
        QCOMPARE(defs.Find(QStringLiteral("WVTXT"))->size, 40);
        QCOMPARE(db.GetRecordCount(), 3);
        TDBAdressSearchResultObjectList hits;
        db.FindAddress(QStringLiteral("brötchen"), hits);
        QCOMPARE(hits.Count(), 3);
        QCOMPARE(hits.Items(2)->DisplayTxt, QStringLiteral("Bäckerei A3"));
    }

    void undoneLockLeavesNoRow() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        save(db, {QStringLiteral("A")});
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("IMPORT"));
        QVERIFY(lock);
        save(db, {QStringLiteral("B"), QStringLiteral("C")});
        QCOMPARE(db.GetRecordCount(), 3);
        db.Unlock(lock, false);
        QCOMPARE(db.GetRecordCount(), 1);
        TDBAdressSearchResultObjectList hits;
        db.FindAddress(QStringLiteral("FIRMA"), hits);
        QCOMPARE(hits.Count(), 1);
        QVERIFY(!db.ExistsCustomer(QStringLiteral("B")));
    }

    // Four workstations each add one to a counter address many times under the lock.
    void concurrentIncrementsAreAllKept() {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path(), false, false);
        std::unique_ptr<TCustomerAddress> counter =
            plainRecord(QStringLiteral("ZAEHLER"), QStringLiteral("0"));
        QCOMPARE(db.SetCustomer(*counter), 0);
        constexpr int workers = 4;
        constexpr int cycles = 40;
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < workers; ++i)
            running.push_back(
                startWorker({QStringLiteral("count"), dir.path(), QString::number(cycles)}));
        for (const auto& worker : running) {
            QVERIFY(worker->waitForFinished(240000));
            QCOMPARE(worker->exitCode(), 0);
        }
        // Read without a lock, still standing on the row it wrote itself.
        TCustomerAddress loaded;
        QVERIFY(db.GetCustomer(QStringLiteral("ZAEHLER"), loaded));
        QCOMPARE(loaded.DisplayTxt, QString::number(workers * cycles));
    }

    // Another workstation imports in one transaction; while it runs, and after it died half-way
    // leaving its journal, the others read on and see only what was committed.
    void othersSeeOnlyCommittedRows_data() {
        QTest::addColumn<bool>("crash");
        QTest::newRow("during the import") << false;
        QTest::newRow("read-only after a crash") << true;
    }
    void othersSeeOnlyCommittedRows() {
        QFETCH(bool, crash);
        QTemporaryDir dir;
        {
            TDBAdress db;
            db.OpenDirectory(dir.path(), false, false);
            save(db, {QStringLiteral("A1"), QStringLiteral("A2")});
        }
        constexpr int imported = 150;
        const std::unique_ptr<QProcess> importer =
            startWorker({crash ? QStringLiteral("crash") : QStringLiteral("import"), dir.path(),
                         QStringLiteral("I"), QString::number(imported)});
        QCOMPARE(lineOf(*importer), QByteArray("written"));
        if (crash) {
            importer->kill();
            QVERIFY(importer->waitForFinished(10000));
            QVERIFY(QFile::exists(dir.filePath(QStringLiteral("ADDRESS.DAT-journal"))));
        }
        // Longer waits than this for the importer count as being shut out.
        kwpstore::SetBusyTimeout(2000);
        Reported reported;
        TDBAdress reader(reported.callback());
        reader.OpenDirectory(dir.path(), false, crash);
        QCOMPARE(reader.GetRecordCount(), 2);
        QCOMPARE(hitCount(reader, QStringLiteral("firma")), 2);
        QCOMPARE(hitCount(reader, QStringLiteral("import")), 0);
        TCustomerAddress loaded;
        QVERIFY(reader.GetCustomer(QStringLiteral("A2"), loaded));
        QVERIFY(!reader.GetCustomer(QStringLiteral("I0001"), loaded));
        QCOMPARE(reported.contexts, QStringList());
        if (crash) return;
        importer->write("\n");
        QCOMPARE(lineOf(*importer), QByteArray("done"));
        QVERIFY(importer->waitForFinished(60000));
        QCOMPARE(hitCount(reader, QStringLiteral("import müller")), imported);
        QVERIFY(reader.GetCustomer(QStringLiteral("I0150"), loaded));
        QCOMPARE(reader.GetRecordCount(), 2 + imported);
    }

    void lockWithoutOpenTableIsReported() {
        Reported reported;
        TDBAdress db(reported.callback());
        QVERIFY(!db.LockAddressTable(QStringLiteral("MEIER")));
        QCOMPARE(reported.contexts, QStringList{QStringLiteral("TDBAdress.LockAddressTable")});
    }

    void customerFolders_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cleaned") << QStringList{} << "  Müller/Söhne: *Bau* <Nord>?|\\\"!  "
                                 << "Müller_Söhne_ _Bau_ _Nord______";
        QTest::newRow("taken") << QStringList{"K1", "K100001"} << "K1"
                               << "K100002";
        QTest::newRow("empty") << QStringList{} << "   "
                               << "00001";
        QTest::newRow("empty taken") << QStringList{"00001"} << ""
                                     << "00002";
    }
    void customerFolders() {
        QFETCH(QStringList, existing);
        QFETCH(QString, wanted);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& name : existing) QVERIFY(QDir(dir.path()).mkdir(name));
        const QString name = TDBAdress::CreateCustomerDir(dir.path(), wanted);
        QCOMPARE(name, expected);
        QVERIFY(QFileInfo(dir.filePath(name)).isDir());
    }
};

KWP_REGISTER_TEST(TestDBAdress)
#include "tst_dbadress.moc"
