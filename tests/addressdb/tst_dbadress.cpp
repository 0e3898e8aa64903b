#include <sqlite3.h>
#include <QtTest>
#include <tuple>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "persistence/storesqlite.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

struct Reported {
    QStringList contexts;
    TDatabaseErrorCallback callback() {
        return [this](const std::exception&, const QString& context) { contexts.append(context); };
    }
};

void plainRecord(TCustomerAddress& record, const QString& id, const QString& text = {}) {
    record.Id = id;
    record.DisplayTxt = text.isEmpty() ? u"Firma "_s + id : text;
    record.Created = record.Changed = 45000;
}

// An address table of its own, open for writing.
struct Table {
    QTemporaryDir dir;
    TDBAdress db;
    explicit Table(TDatabaseErrorCallback onError = {}) : db(std::move(onError)) {
        db.OpenDirectory(dir.path());
    }
};

void save(TDBAdress& db, const QStringList& ids) {
    for (const QString& id : ids) {
        TCustomerAddress record;
        plainRecord(record, id);
        QCOMPARE(db.SetCustomer(record), 0);
    }
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

// The address table as versions before the resubmission columns made it, with three rows.
void writeOlderTable(const QString& dir) {
    QVERIFY(QDir().mkpath(dir));
    sqlite3* old = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(dir + u"/ADDRESS.DAT"_s).constData(), &old), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(old,
                     "CREATE TABLE ADDRESS (ID VARCHAR(255), DISPLAYTXT VARCHAR(255), ADDRGRP "
                     "VARCHAR(255), CREATED DATETIME, CREATEDBY VARCHAR(255), CHANGED DATETIME, "
                     "CHANGEDBY VARCHAR(255), IDFORWARD VARCHAR(255), XMLDATA TEXT, CHARACT "
                     "TEXT); CREATE UNIQUE INDEX \"ADDRESS$ADDRESSID\" ON ADDRESS (ID);"
                     "INSERT INTO ADDRESS (ID, DISPLAYTXT, XMLDATA) VALUES "
                     "('A1', 'Bäckerei A1', '<kundenadr info=\"Brötchen\"/>'), "
                     "('A2', 'Bäckerei A2', '<kundenadr info=\"Brötchen\"/>'), "
                     "('A3', 'Bäckerei A3', '<kundenadr info=\"Brötchen\"/>')",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(old);
}

}  // namespace

class TestDBAdress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { kwpstore::SetBusyTimeout(20000); }

    void recordRoundTripsAndKeepsItsCreationStamp() {
        Table t;
        const QString golden =
            QStringLiteral(KWP_SOURCE_DIR "/tests/address/data/customeraddress_full.xml");
        TCustomerAddress record;
        record.LoadFromFile(golden);
        record.Id = u"k10001"_s;
        QCOMPARE(t.db.SetCustomer(record), 0);
        QCOMPARE(t.db.AddressTable()->FieldByName(u"ID"_s).AsString(), u"K10001"_s);
        TDBAdress other;
        other.OpenDirectory(t.dir.path(), TDbAccess::ReadOnly);
        TCustomerAddress loaded;
        QVERIFY(other.GetCustomer(u"k10001"_s, loaded));
        const QByteArray bytes = ReadFileBytes(golden);
        QCOMPARE(loaded.GetXML(TXmlContent::Full),
                 QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2));
        // Saved again: the first creation stamp stays.
        record.Created = 46000;
        record.CreatedBy = u"SCHULZ"_s;
        record.Changed = 46001;
        record.Kennzeichen = {u"VIP"_s, QString(), u"Großkunde"_s};
        record.Wv = 0;
        QCOMPARE(t.db.SetCustomer(record), 0);
        QCOMPARE(t.db.GetRecordCount(), 1);
        QVERIFY(other.GetCustomer(u"K10001"_s, loaded));
        QCOMPARE(std::tie(loaded.Created, loaded.CreatedBy, loaded.Changed, loaded.Kennzeichen),
                 std::tuple(45000.5, u"MEIER"_s, 46001.0, record.Kennzeichen));
        QVERIFY(t.db.AddressTable()->FieldByName(u"WV"_s).IsNull());
    }

    void failedSaveIsReportedAndChangesNothing_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("number too long") << "B1234567890123456789012";
        QTest::newRow("blank number") << "   ";
        QTest::newRow("control character in number") << "B\t1";
    }
    void failedSaveIsReportedAndChangesNothing() {
        QFETCH(QString, id);
        Reported reported;
        Table t(reported.callback());
        save(t.db, {u"A1"_s});
        TCustomerAddress record;
        plainRecord(record, id, u"Firma"_s);
        QCOMPARE(t.db.SetCustomer(record), -1);
        QCOMPARE(reported.contexts, QStringList{u"TDBAdress.SetCustomer"_s});
        // The table still takes the next record.
        save(t.db, {u"A2"_s});
        QCOMPARE(t.db.GetRecordCount(), 2);
    }

    void lastNumberOfARange_data() {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& ids, const char* prefix,
                            const char* expected) {
            QTest::newRow(name) << ids << QString::fromUtf8(prefix) << QString::fromUtf8(expected);
        };
        const QStringList mixed{"K00012", "K00013", "KX01", "100", "200", "L1"};
        row("prefix skips letters after it", mixed, "K", "K00013");
        row("empty prefix skips lettered numbers", mixed, "", "200");
        row("nothing with the prefix", mixed, "M", "");
        row("apostrophe in prefix", {"O'1", "O'2", "O3"}, "O'", "O'2");
        row("star is no wildcard", {"X*1", "X*2", "XB12"}, "X*", "X*2");
    }
    void lastNumberOfARange() {
        QFETCH(QStringList, ids);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        Table t;
        save(t.db, ids);
        QVERIFY(t.db.SeekCustomer(ids.first()));
        const int recNo = t.db.AddressTable()->RecNo();
        QCOMPARE(t.db.GetLastID(prefix), expected);
        // The visible position and order stay as they were.
        QCOMPARE(t.db.AddressTable()->RecNo(), recNo);
        QVERIFY(!t.db.AddressTable()->Filtered());
        QCOMPARE(t.db.GetRecordCount(), ids.size());
    }

    // The columns get a cut copy of a long value, reading gives the whole value back.
    void longValuesAreCutInTheColumnsOnly() {
        const struct {
            const char* column;
            QString TCustomerAddress::*field;
            QString value;
            qsizetype kept;
        } rows[] = {
            {"ADDRGRP", &TCustomerAddress::AddrGrp, QString(51, u'ä'), 50},
            {"WVTXT", &TCustomerAddress::WvTxt, QString(41, u'w'), 40},
            // No half character.
            {"WVTXT", &TCustomerAddress::WvTxt, QString(39, u'w') + u"😀"_s, 39},
            {"WVTXT", &TCustomerAddress::WvTxt, QString(40, u'w'), 40},
        };
        Table t;
        TDBAdress other;
        other.OpenDirectory(t.dir.path(), TDbAccess::ReadOnly);
        for (const auto& row : rows) {
            // A record of its own each: saving again would keep the first creator.
            const QString id = u"L"_s + QString::number(&row - rows);
            TCustomerAddress record;
            plainRecord(record, id);
            record.Wv = 46000;
            record.*row.field = row.value;
            QCOMPARE(t.db.SetCustomer(record), 0);
            QCOMPARE(t.db.AddressTable()->FieldByName(QString::fromLatin1(row.column)).AsString(),
                     row.value.left(row.kept));
            TCustomerAddress loaded;
            QVERIFY(other.GetCustomer(id, loaded));
            QCOMPARE(loaded.*row.field, row.value);
        }
    }

    // Other programs of the suite read the table by these names; a writer upgrades an older one.
    void tableHasTheSuiteColumns_data() {
        QTest::addColumn<bool>("older");
        QTest::newRow("new") << false;
        QTest::newRow("older, without resubmission columns") << true;
    }
    void tableHasTheSuiteColumns() {
        QFETCH(bool, older);
        QTemporaryDir root;
        const QString dir = root.filePath(u"DEMO/ADRESSEN"_s);
        if (older) {
            writeOlderTable(dir);
            // Reading must not need the upgrade, which only a writer may make.
            Reported reported;
            TDBAdress reader(reported.callback());
            reader.OpenDirectory(dir, TDbAccess::ReadOnly);
            TCustomerAddress record;
            QVERIFY(reader.GetCustomer(u"A2"_s, record));
            QCOMPARE(record.DisplayTxt, u"Bäckerei A2"_s);
            QCOMPARE(reported.contexts, QStringList());
        }
        TDBAdress db;
        db.OpenDirectory(dir);
        QVERIFY(QFile::exists(dir + u"/ADDRESS.DAT"_s));
        TStoreTable& table = *db.AddressTable();
        QStringList names;
        for (const TFieldDef& def : table.FieldDefs().items()) names.append(def.name);
        QCOMPARE(names, QStringList({"ID", "DISPLAYTXT", "ADDRGRP", "CREATED", "CREATEDBY",
                                     "CHANGED", "CHANGEDBY", "IDFORWARD", "WV", "WVTXT", "WVUSER",
                                     "XMLDATA", "CHARACT"}));
        QCOMPARE(table.FieldDefs().Find(u"WVTXT"_s)->size, 40);
        QCOMPARE(table.IndexDefs().Find(u"ADDRESSID"_s)->options, int(ixUnique));
        TDBAdressSearchResultObjectList hits;
        db.FindAddress(u"brötchen"_s, hits);
        QCOMPARE(hits.Count(), older ? 3 : 0);
        if (older) QCOMPARE(hits.Items(2)->DisplayTxt, u"Bäckerei A3"_s);
    }

    void undoneLockLeavesNoRow() {
        Table t;
        save(t.db, {u"A"_s});
        std::unique_ptr<TDatabaseLock> lock = t.db.LockAddressTable(u"IMPORT"_s);
        QVERIFY(lock);
        save(t.db, {u"B"_s, u"C"_s});
        t.db.Unlock(lock, TLockEnd::UndoWrites);
        QCOMPARE(t.db.GetRecordCount(), 1);
        QCOMPARE(hitCount(t.db, u"FIRMA"_s), 1);
    }

    // Four workstations each add one to a counter address many times under the lock.
    void concurrentIncrementsAreAllKept() {
        Table t;
        TCustomerAddress counter;
        plainRecord(counter, u"ZAEHLER"_s, u"0"_s);
        QCOMPARE(t.db.SetCustomer(counter), 0);
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < 4; ++i)
            running.push_back(startWorker({u"count"_s, t.dir.path(), "40"}));
        for (const auto& worker : running) {
            QVERIFY(worker->waitForFinished(240000));
            QCOMPARE(worker->exitCode(), 0);
        }
        // Read without a lock, still standing on the row it wrote itself.
        TCustomerAddress loaded;
        QVERIFY(t.db.GetCustomer(u"ZAEHLER"_s, loaded));
        QCOMPARE(loaded.DisplayTxt, u"160"_s);
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
            db.OpenDirectory(dir.path());
            save(db, {u"A1"_s, u"A2"_s});
        }
        const std::unique_ptr<QProcess> importer =
            startWorker({crash ? "crash" : "import", dir.path(), "I", "150"});
        QCOMPARE(lineOf(*importer), QByteArray("written"));
        if (crash) {
            importer->kill();
            QVERIFY(importer->waitForFinished(10000));
            QVERIFY(QFile::exists(dir.filePath(u"ADDRESS.DAT-journal"_s)));
        }
        // Longer waits than this for the importer count as being shut out.
        kwpstore::SetBusyTimeout(2000);
        Reported reported;
        TDBAdress reader(reported.callback());
        reader.OpenDirectory(dir.path(), crash ? TDbAccess::ReadOnly : TDbAccess::ReadWrite);
        QCOMPARE(reader.GetRecordCount(), 2);
        QCOMPARE(hitCount(reader, u"firma"_s), 2);
        TCustomerAddress loaded;
        QVERIFY(!reader.GetCustomer(u"I0001"_s, loaded));
        QCOMPARE(reported.contexts, QStringList());
        if (crash) return;
        importer->write("\n");
        QCOMPARE(lineOf(*importer), QByteArray("done"));
        QVERIFY(importer->waitForFinished(60000));
        QCOMPARE(hitCount(reader, u"import müller"_s), 150);
        QCOMPARE(reader.GetRecordCount(), 152);
    }

    void customerFolders_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& existing, const char* wanted,
                            const char* expected) {
            QTest::newRow(name) << existing << QString::fromUtf8(wanted)
                                << QString::fromUtf8(expected);
        };
        row("cleaned", {}, "  Müller/Söhne: *Bau* <Nord>?|\\\"!  ",
            "Müller_Söhne_ _Bau_ _Nord______");
        row("taken", {"K1", "K100001"}, "K1", "K100002");
    }
    void customerFolders() {
        QFETCH(QStringList, existing);
        QFETCH(QString, wanted);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& name : existing) QVERIFY(QDir(dir.path()).mkdir(name));
        QCOMPARE(TDBAdress::CreateCustomerDir(dir.path(), wanted), expected);
        QVERIFY(QFileInfo(dir.filePath(expected)).isDir());
    }
};

KWP_REGISTER_TEST(TestDBAdress)
#include "tst_dbadress.moc"
