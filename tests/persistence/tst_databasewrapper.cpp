#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/errorreport.h"
#include "persistence/storequery.h"
#include "persistence/storesqlite.h"
#include "testdatabase.h"
#include "testsupport.h"

namespace {

struct ReportedError {
    QString context;
    QString message;
};

TDatabaseErrorCallback collectInto(QList<ReportedError>& errors) {
    return [&errors](const std::exception& error, const QString& context) {
        const auto* own = dynamic_cast<const EKwpError*>(&error);
        errors.append({context, own ? own->message() : QString::fromLocal8Bit(error.what())});
    };
}

void addItem(TStoreTable& items, const QString& id) {
    items.Append();
    items.FieldByName(QStringLiteral("ID")).SetAsString(id);
    items.FieldByName(QStringLiteral("CREATED")).SetAsDateTime(45000);
    items.Post();
}

// A second workstation working on the same database directory.
class Worker {
public:
    void start(const QStringList& arguments) {
        m_process.start(QStringLiteral(KWP_STOREWORKER_PATH), arguments);
        QVERIFY(m_process.waitForStarted(10000));
    }
    QByteArray line() {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(60000)) return {};
        return m_process.readLine().trimmed();
    }
    int finish() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(120000)) return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QProcess& process() { return m_process; }
    ~Worker() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
};

// What another workstation sees in the lock file while waiting.
QString holderSeenByOthers(const QString& lockFile) {
    QProcess probe;
    probe.start(QStringLiteral(KWP_STOREWORKER_PATH), {QStringLiteral("probe"), lockFile});
    probe.waitForFinished(30000);
    return QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
}

}  // namespace

class TestDatabaseWrapper : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void missingDirectoryIsCreatedWithItsTables() {
        QTemporaryDir root;
        const QString dir = root.filePath(QStringLiteral("MANDANT/DATA/ADRESSEN"));
        TTestDatabase database;
        database.OpenDirectory(dir, false, false);
        QVERIFY(database.IsOpen());
        QVERIFY(QFile::exists(dir + QStringLiteral("/ITEMS.DAT")));
        QVERIFY(QFile::exists(dir + QStringLiteral("/001LOG.DAT")));
        QCOMPARE(database.LockFileName(), dir + QStringLiteral("/LOCKDB.SRW"));
        QCOMPARE(database.Items->IndexName(), QStringLiteral("ITEMSID"));
        addItem(*database.Items, QStringLiteral("B"));
        addItem(*database.Items, QStringLiteral("A"));
        database.CloseDatabase();
        QVERIFY(!database.IsOpen());
        QVERIFY(database.LockFileName().isEmpty());

        // Opened again: nothing is created twice, every row is still there, in key order.
        TTestDatabase again;
        again.OpenDirectory(dir, true, false);
        QCOMPARE(again.Items->RecordCount(), 2);
        QCOMPARE(again.Items->FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("A"));
        QCOMPARE(again.Items->Mode(), 1);
        QCOMPARE(again.Database().Mode(), 2);
    }

    void directoryThatCannotBeMadeIsReported() {
        QTemporaryDir root;
        const QString blocker = root.filePath(QStringLiteral("DATEI"));
        WriteFileBytes(blocker, "x");
        TTestDatabase database;
        try {
            database.OpenDirectory(blocker + QStringLiteral("/UNTER"), false, false);
            QFAIL("opened below a file");
        } catch (const EKwpError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("DATEI/UNTER")), qPrintable(e.message()));
        }
        QVERIFY(!database.IsOpen());
    }

    void olderTableIsUpgradedWithItsRows() {
        QTemporaryDir dir;
        {
            // The log table as an older version made it, without SEVERITY.
            TStoreDatabase store;
            store.SetLocation(dir.path());
            TStoreTable log(&store);
            log.SetTableName(QStringLiteral("001LOG"));
            log.FieldDefs().Add(QStringLiteral("RecordID"), sftAutoInc, 0, true);
            log.FieldDefs().Add(QStringLiteral("ENTRY"), sftString, 100);
            log.FieldDefs().Add(QStringLiteral("XMLDATA"), sftMemo);
            log.IndexDefs().Add(QStringLiteral("001INDEX"), QStringLiteral("RecordID"),
                                ixUnique | ixDescending);
            log.CreateTable();
            log.Open();
            for (const char* entry : {"eins", "zwei", "drei"}) {
                log.Append();
                log.FieldByName(QStringLiteral("ENTRY")).SetAsString(QString::fromLatin1(entry));
                log.Post();
            }
        }
        TTestDatabase database;
        database.OpenDirectory(dir.path(), false, false);
        TStoreTable& log = *database.Log;
        QCOMPARE(log.FieldDefs().IndexOf(QStringLiteral("SEVERITY")), 2);
        QCOMPARE(log.RecordCount(), 3);
        QCOMPARE(log.FieldByName(QStringLiteral("ENTRY")).AsString(), QStringLiteral("drei"));
        QCOMPARE(log.FieldByName(QStringLiteral("RecordID")).AsInteger(), 3);
        database.CloseDatabase();

        // Up to date now: the hook finds nothing to do.
        TTestDatabase again;
        again.OpenDirectory(dir.path(), false, false);
        QCOMPARE(again.alterCalls, 1);
        QCOMPARE(again.Log->RecordCount(), 3);
    }

    void tableThatNeverOpensIsReportedOnce() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath(QStringLiteral("ITEMS.DAT")), QByteArray(2048, '\x17'));
        QList<ReportedError> errors;
        TTestDatabase database(collectInto(errors));
        QElapsedTimer timer;
        timer.start();
        QVERIFY_THROWS_EXCEPTION(EStoreError, database.OpenDirectory(dir.path(), false, false));
        QVERIFY(timer.elapsed() >= 8 * 50);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].context, QStringLiteral("ITEMS OpenTables Versuch 10"));
        QVERIFY(errors[0].message.contains(QStringLiteral("ITEMS.DAT")));
        QVERIFY(!database.IsOpen());
    }

    void lockNeedsAnOpenDatabase() {
        TTestDatabase database;
        try {
            database.LockDB(QStringLiteral("ADMIN"));
            QFAIL("locked without a database");
        } catch (const EKwpError& e) {
            QCOMPARE(e.message(), QStringLiteral("LockDBInternal TTestDatabase"));
        }
    }

    void errorsGoToTheCallbackOrTheReport() {
        QList<ReportedError> errors;
        TTestDatabase withCallback(collectInto(errors));
        withCallback.ReportError(EStoreError(QStringLiteral("kaputt")),
                                 QStringLiteral("SetCustomer"));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].context, QStringLiteral("TTestDatabase.SetCustomer"));
        QCOMPARE(errors[0].message, QStringLiteral("kaputt"));

        // Without one, the error report shows the same text with the exception.
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TTestDatabase withoutCallback;
        withoutCallback.ReportError(EStoreError(QStringLiteral("kaputt")),
                                    QStringLiteral("GetLastID"));
        QCOMPARE(dialogs.texts().size(), 1);
        QVERIFY2(dialogs.texts()[0].startsWith(QStringLiteral("TTestDatabase.GetLastID")),
                 qPrintable(dialogs.texts()[0]));
        QVERIFY(dialogs.texts()[0].contains(QStringLiteral("kaputt")));
    }

    void singleFileDatabaseIsCreatedWithItsTables() {
        QTemporaryDir root;
        const QString file = root.filePath(QStringLiteral("KOMM/00042.TDBD"));
        TTestDatabase database;
        database.OpenFile(file, false);
        QVERIFY(QFile::exists(file));
        QCOMPARE(database.LockFileName(), file + QStringLiteral(".SRW"));
        QCOMPARE(database.Database().TableNames(),
                 (QStringList{QStringLiteral("001LOG"), QStringLiteral("ITEMS")}));
        addItem(*database.Items, QStringLiteral("X"));
        database.CloseDatabase();
        TTestDatabase again;
        again.OpenFile(file, false);
        QCOMPARE(again.Items->RecordCount(), 1);
    }

    void lockShowsTheHolderToOtherWorkstations() {
        QTemporaryDir dir;
        TTestDatabase database;
        database.OpenDirectory(dir.path(), false, false);
        {
            const PinnedClock clock(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)));
            std::unique_ptr<TDatabaseLock> lock =
                database.LockDB(QStringLiteral("MEIER"), database.Items);
            QVERIFY(lock);
            QCOMPARE(holderSeenByOthers(database.LockFileName()),
                     QStringLiteral("Bitte warten, die Datenbank ist momentan durch den Benutzer "
                                    "\"MEIER\" gesperrt. (06.12.2026 09:30:15)"));
            addItem(*database.Items, QStringLiteral("A"));
            database.Unlock(lock);
            QVERIFY(!lock);
        }
        QVERIFY(!QFile::exists(database.LockFileName()));
        std::unique_ptr<TDatabaseLock> none;
        database.Unlock(none);
    }

    void waitingWorkstationTakesTheLockAfterRelease() {
        QTemporaryDir dir;
        TTestDatabase database;
        database.OpenDirectory(dir.path(), false, false);
        Worker holder;
        holder.start({QStringLiteral("hold"), dir.path(), QStringLiteral("SCHULZ")});
        QCOMPARE(holder.line(), QByteArray("locked"));

        QString shown;
        bool cancelled = false;
        SetWaitWindowFactory([&](const QString& text, std::function<void()> cancel, bool) {
            shown = text;
            struct Window : IWaitWindow {
                std::function<void()> cancel;
                bool* cancelled;
                int polls = 0;
                void poll() override {
                    if (++polls == 20) {
                        *cancelled = true;
                        cancel();
                    }
                }
            };
            auto window = std::make_unique<Window>();
            window->cancel = std::move(cancel);
            window->cancelled = &cancelled;
            return std::unique_ptr<IWaitWindow>(std::move(window));
        });
        std::unique_ptr<TDatabaseLock> lock =
            database.LockDB(QStringLiteral("MEIER"), database.Items);
        SetWaitWindowFactory({});
        QVERIFY(!lock);
        QVERIFY(cancelled);
        QVERIFY2(shown.contains(QStringLiteral("\"SCHULZ\" gesperrt. (")), qPrintable(shown));
        // The cancelled wait left the holder alone and locked nothing here.
        QVERIFY(!database.Items->TableLocked());
        QCOMPARE(holder.finish(), 0);
        lock = database.LockDB(QStringLiteral("MEIER"), database.Items);
        QVERIFY(lock && database.Items->TableLocked());
        database.Unlock(lock);
        QVERIFY(!database.Items->TableLocked());
    }

    void twoWorkstationsWritingLoseNothing() {
        QTemporaryDir dir;
        constexpr int perWorker = 150;
        {
            TTestDatabase database;
            database.OpenDirectory(dir.path(), false, false);
        }
        Worker first;
        Worker second;
        first.start({QStringLiteral("append"), dir.path(), QStringLiteral("A"),
                     QString::number(perWorker)});
        second.start({QStringLiteral("append"), dir.path(), QStringLiteral("B"),
                      QString::number(perWorker)});
        // This workstation reads meanwhile.
        TTestDatabase reader;
        reader.OpenDirectory(dir.path(), false, true);
        int seen = 0;
        while (first.process().state() != QProcess::NotRunning ||
               second.process().state() != QProcess::NotRunning) {
            reader.RefreshTables();
            QVERIFY(reader.Items->RecordCount() >= seen);
            seen = reader.Items->RecordCount();
            QTest::qWait(20);
        }
        QCOMPARE(first.finish(), 0);
        QCOMPARE(second.finish(), 0);
        reader.RefreshTables();
        TStoreTable& items = *reader.Items;
        QCOMPARE(items.RecordCount(), 2 * perWorker);
        QStringList ids;
        for (items.First(); !items.Eof(); items.Next())
            ids.append(items.FieldByName(QStringLiteral("ID")).AsString());
        QStringList expected;
        for (const QString& prefix : {QStringLiteral("A"), QStringLiteral("B")})
            for (int i = 1; i <= perWorker; ++i)
                expected.append(prefix + QString::number(i).rightJustified(4, QLatin1Char('0')));
        QCOMPARE(ids, expected);
        TStoreQuery check;
        check.SetDatabaseName(QDir(dir.path()).filePath(QStringLiteral("ITEMS.DAT")));
        check.SetSQL(QStringLiteral("PRAGMA integrity_check"));
        check.Open();
        QCOMPARE(check.Fields(0).AsString(), QStringLiteral("ok"));
    }
};

KWP_REGISTER_TEST(TestDatabaseWrapper)
#include "tst_databasewrapper.moc"
