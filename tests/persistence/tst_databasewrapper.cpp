#include <QtTest>

#include "app/errorreport.h"
#include "persistence/storequery.h"
#include "persistence/storesqlite.h"
#include "testdatabase.h"
#include "testsupport.h"

namespace {

void addItem(TStoreTable& items, const QString& id) {
    items.Append();
    items.FieldByName("ID").SetAsString(id);
    items.FieldByName("CREATED").SetAsDateTime(45000);
    items.Post();
}

// A second workstation (kwp_storeworker) working on the same database.
class Worker {
public:
    explicit Worker(const QStringList& arguments) {
        process.start(KWP_STOREWORKER_PATH, arguments);
        [&] { QVERIFY(process.waitForStarted(10000)); }();
    }
    ~Worker() {
        process.kill();
        process.waitForFinished(5000);
    }
    QByteArray line() {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(60000)) return {};
        return process.readLine().trimmed();
    }
    int finish() {
        process.closeWriteChannel();
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(120000)) return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    bool running() const { return process.state() != QProcess::NotRunning; }
    QProcess process;
};

}  // namespace

class TestDatabaseWrapper : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void missingDatabaseIsCreatedWithItsTables() {
        QTemporaryDir root;
        const QString dir = root.filePath("MANDANT/DATA/ADRESSEN");
        TTestDatabase database;
        database.OpenDirectory(dir);
        QVERIFY(QFile::exists(dir + "/ITEMS.DAT") && QFile::exists(dir + "/001LOG.DAT"));
        QCOMPARE(database.LockFileName(), dir + "/LOCKDB.SRW");
        addItem(*database.Items, "B");
        addItem(*database.Items, "A");
        database.CloseDatabase();
        QVERIFY(!database.IsOpen() && database.LockFileName().isEmpty());
        // Opened again: nothing is created twice, every row is still there, in key order.
        TTestDatabase again;
        again.OpenDirectory(dir);
        QCOMPARE(again.Items->RecordCount(), 2);
        QCOMPARE(again.Items->FieldByName("ID").AsString(), "A");

        const QString file = root.filePath("KOMM/00042.TDBD");
        TTestDatabase single;
        single.OpenFile(file);
        QVERIFY(QFile::exists(file));
        QCOMPARE(single.LockFileName(), file + ".SRW");
        QCOMPARE(single.Database().TableNames(), (QStringList{"001LOG", "ITEMS"}));
        addItem(*single.Items, "X");
        single.CloseDatabase();
        single.OpenFile(file);
        QCOMPARE(single.Items->RecordCount(), 1);
    }

    void tableThatNeverOpensIsReportedOnce() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("ITEMS.DAT"), QByteArray(2048, '\x17'));
        QStringList errors;
        TTestDatabase database([&](const std::exception& error, const QString& context) {
            const auto* own = dynamic_cast<const EKwpError*>(&error);
            errors << context + ": " +
                          (own ? own->message() : QString::fromLocal8Bit(error.what()));
        });
        QVERIFY_THROWS_EXCEPTION(EStoreError, database.OpenDirectory(dir.path()));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith("ITEMS OpenTables Versuch 10: ") &&
                     errors[0].contains("ITEMS.DAT"),
                 qPrintable(errors[0]));
    }

    void lockShowsTheHolderToOtherWorkstations() {
        QTemporaryDir dir;
        TTestDatabase database;
        database.OpenDirectory(dir.path());
        {
            const PinnedClock clock(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)));
            std::unique_ptr<TDatabaseLock> lock = database.LockDB("MEIER", database.Items);
            QVERIFY(lock);
            Worker probe({"probe", database.LockFileName()});
            QCOMPARE(probe.line(),
                     "Bitte warten, die Datenbank ist momentan durch den Benutzer "
                     "\"MEIER\" gesperrt. (06.12.2026 09:30:15)");
            addItem(*database.Items, "A");
            database.Unlock(lock);
            QVERIFY(!lock);
        }
        QVERIFY(!QFile::exists(database.LockFileName()));
    }

    void waitingWorkstationTakesTheLockAfterRelease() {
        QTemporaryDir dir;
        TTestDatabase database;
        database.OpenDirectory(dir.path());
        Worker holder({"hold", dir.path(), "SCHULZ"});
        QCOMPARE(holder.line(), "locked");
        // The wait window's user cancels after a while.
        struct Window : IWaitWindow {
            Window(std::function<void()> c, int& p) : cancel(std::move(c)), polls(p) {}
            void poll() override {
                if (++polls == 20) cancel();
            }
            std::function<void()> cancel;
            int& polls;
        };
        QString shown;
        int polls = 0;
        SetWaitWindowFactory([&](const QString& text, std::function<void()> cancel, bool) {
            shown = text;
            return std::unique_ptr<IWaitWindow>(std::make_unique<Window>(std::move(cancel), polls));
        });
        std::unique_ptr<TDatabaseLock> lock = database.LockDB("MEIER", database.Items);
        SetWaitWindowFactory({});
        QVERIFY(!lock);
        QVERIFY(polls >= 20);  // cancelled, not given up
        QVERIFY2(shown.contains("\"SCHULZ\" gesperrt. ("), qPrintable(shown));
        // The cancelled wait left the holder alone and locked nothing here.
        QVERIFY(!database.Items->TableLocked());
        QCOMPARE(holder.finish(), 0);
        lock = database.LockDB("MEIER", database.Items);
        QVERIFY(lock && database.Items->TableLocked());
        database.Unlock(lock);
        QVERIFY(!database.Items->TableLocked());
    }

    void twoWorkstationsWritingLoseNothing() {
        QTemporaryDir dir;
        const QString perWorker = "150";
        TTestDatabase().OpenDirectory(dir.path());
        Worker first({"append", dir.path(), "A", perWorker});
        Worker second({"append", dir.path(), "B", perWorker});
        // This workstation reads meanwhile.
        TTestDatabase reader;
        reader.OpenDirectory(dir.path(), TDbAccess::ReadOnly);
        int seen = 0;
        while (first.running() || second.running()) {
            reader.RefreshTables();
            QVERIFY(reader.Items->RecordCount() >= seen);
            seen = reader.Items->RecordCount();
            QTest::qWait(20);
        }
        QCOMPARE(first.finish(), 0);
        QCOMPARE(second.finish(), 0);
        reader.RefreshTables();
        QStringList ids, expected;
        TStoreTable& items = *reader.Items;
        for (items.First(); !items.Eof(); items.Next())
            ids.append(items.FieldByName("ID").AsString());
        for (const char* prefix : {"A", "B"})
            for (int i = 1; i <= perWorker.toInt(); ++i)
                expected.append(prefix + QString::number(i).rightJustified(4, '0'));
        QCOMPARE(ids, expected);
        TStoreQuery check;
        check.SetDatabaseName(QDir(dir.path()).filePath("ITEMS.DAT"));
        check.SetSQL("PRAGMA integrity_check");
        check.Open();
        QCOMPARE(check.Fields(0).AsString(), "ok");
    }
};

KWP_REGISTER_TEST(TestDatabaseWrapper)
#include "tst_databasewrapper.moc"
