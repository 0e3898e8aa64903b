#include <unistd.h>

#include <QtTest>

#include "app/dateischutz.h"
#include "app/errorreport.h"
#include "testsupport.h"

namespace {
const QString holderText = "Datenbank gesperrt von Müller";
const QRegularExpression holderWithTime(
    R"(^Datenbank gesperrt von Müller \(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\)$)");

// The other workstation: a second process that holds the lock until told to let go.
class OtherWorkstation {
public:
    bool hold(const QString& file) {
        m_process.start(KWP_LOCKHOLDER_PATH, {"hold", file, holderText});
        return line() == "locked";
    }
    void tellRelease() {
        m_process.write("\n");
        m_process.waitForBytesWritten(5000);
    }
    // When the holder had let go, in ms since the epoch; -1 when it did not say.
    qint64 releasedAt() {
        const QByteArray said = line();
        return said.startsWith("released ") ? said.mid(9).toLongLong() : -1;
    }
    void kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    ~OtherWorkstation() {
        if (m_process.state() == QProcess::NotRunning) return;
        tellRelease();
        if (!m_process.waitForFinished(5000)) kill();
    }

private:
    QByteArray line() {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(10000)) return {};
        return m_process.readLine().trimmed();
    }
    QProcess m_process;
};

// Runs "kwp_lockholder try": 0 when another process could take the lock now, 3 when busy,
// 5 on an error (in stderr).
int tryFromOtherProcess(const QStringList& args, QString* errors = nullptr) {
    QProcess process;
    process.start(KWP_LOCKHOLDER_PATH, QStringList{"try"} + args);
    process.waitForFinished(10000);
    if (errors) *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A wait window that counts the living ones and hands each poll on.
struct Window : IWaitWindow {
    Window(int& counter, std::function<void()> f) : alive(counter), onPoll(std::move(f)) {
        ++alive;
    }
    ~Window() override { --alive; }
    void poll() override { onPoll(); }
    int& alive;
    std::function<void()> onPoll;
};

QString lockFileText(const QString& file) {
    return QString(QStringDecoder(QStringDecoder::Utf16LE)(ReadFileBytes(file))).trimmed();
}
}  // namespace

class TestDateischutz : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_file = m_dir->filePath("ADRESSEN.LCK");
    }

    void lockFileContent_data() {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << holderText << holderText + " (06.12.2026 14:05:07)";
        QTest::newRow("time cut at 500 characters")
            << QString(495, 'x') << QString(495, 'x') + " (06.";
        QTest::newRow("holder text cut") << QString(600, u'ä') << QString(500, u'ä');
    }
    void lockFileContent() {
        QFETCH(QString, holder);
        QFETCH(QString, expected);
        PinnedClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 5, 7)));
        TDateischutz lock;
        QVERIFY(lock.Lock(m_file, holder));
        QVERIFY(lock.isLocked());
        QCOMPARE(
            ReadFileBytes(m_file),
            QByteArray(
                QStringEncoder(QStringEncoder::Utf16LE).encode(expected.leftJustified(500, ' '))));
    }

    // The other workstation holds the lock and lets go, or "Abbrechen" ends the wait, or the
    // holder dies; the wait window goes with the wait.
    void otherWorkstationHolds_data() {
        QTest::addColumn<QString>("ending");
        for (const char* ending : {"released", "cancelled", "killed"})
            QTest::newRow(ending) << QString(ending);
    }
    void otherWorkstationHolds() {
        QFETCH(QString, ending);
        OtherWorkstation other;
        QVERIFY(other.hold(m_file));
        const QByteArray holderBytes = ReadFileBytes(m_file);
        if (ending == "killed") other.kill();
        QString shown;
        bool cursor = false;
        int alive = 0, polls = 0;
        qint64 lastPoll = 0;
        const int cancelAt = ending == "cancelled" ? 3 : ending == "killed" ? 1 : 0;
        SetWaitWindowFactory(
            [&](const QString& text, std::function<void()> cancel, bool waitCursor) {
                shown = text;
                cursor = waitCursor;
                return std::unique_ptr<IWaitWindow>(std::make_unique<Window>(alive, [&, cancel] {
                    lastPoll = QDateTime::currentMSecsSinceEpoch();
                    if (++polls == cancelAt) cancel();
                    if (polls == 5) other.tellRelease();
                }));
            });
        const auto noWindows = qScopeGuard([] { SetWaitWindowFactory({}); });
        auto lock = std::make_unique<TDateischutzWF>();
        lock->lock().setSettleDelay(0);
        QElapsedTimer timer;
        timer.start();
        if (ending == "cancelled") {
            // The caller may show its own text instead of the holder's.
            QVERIFY(!lock->Lock(m_file, "Bitte warten", TLockWaitText::Own));
            QCOMPARE(shown, QStringLiteral("Bitte warten"));
            QVERIFY(lock->lock().Cancelled() && !lock->lock().isLocked());
            QCOMPARE(polls, 3);
            lock.reset();
            // Giving up neither deleted nor overwrote the holder's file, nor took its lock.
            QCOMPARE(ReadFileBytes(m_file), holderBytes);
        } else {
            QVERIFY(lock->Lock(m_file, "Nachfolger"));
            // Reading the lock file in the holding process must not drop the lock.
            QVERIFY(lockFileText(m_file).startsWith("Nachfolger ("));
            if (ending == "killed") {
                QVERIFY(timer.elapsed() < 500);
                QVERIFY2(shown.isNull(), qPrintable(shown));
            } else {
                const qint64 released = other.releasedAt();
                QVERIFY(released > 0 && cursor);
                QVERIFY2(holderWithTime.match(shown).hasMatch(), qPrintable(shown));
                QVERIFY2(lastPoll - released < 500,
                         qPrintable(QString::number(lastPoll - released)));
            }
        }
        QCOMPARE(alive, 0);
        QCOMPARE(tryFromOtherProcess({m_file}), 3);
    }

    // Also when the second one spells the path differently.
    void objectsOfOneProcessExcludeEachOther() {
        const QString second = m_dir->filePath("SUB/../ADRESSEN.LCK");
        QVERIFY(QDir(m_dir->path()).mkdir("SUB"));
        TDateischutz first, other;
        QVERIFY(first.Lock(m_file, holderText));
        const QByteArray firstBytes = ReadFileBytes(m_file);
        other.setSettleDelay(0);
        QString shown;
        bool cancelNow = true;
        other.setOnWait([&](const QString& text, std::function<void()> cancel, TDateischutz&) {
            shown = text;
            return TPollProc([&cancelNow, cancel] {
                if (cancelNow) cancel();
            });
        });
        QVERIFY(!other.Lock(second, "Zweiter"));
        QVERIFY2(holderWithTime.match(shown).hasMatch(), qPrintable(shown));
        QCOMPARE(ReadFileBytes(m_file), firstBytes);
        // The second object's attempt must not have dropped the first one's lock.
        QCOMPARE(tryFromOtherProcess({m_file}), 3);
        first.Unlock();
        cancelNow = false;
        QVERIFY(other.Lock(second, "Zweiter"));
        QVERIFY(lockFileText(m_file).startsWith("Zweiter ("));
    }

    void releasedOnEveryPath_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"destroyed", "unlocked", "locking another file"})
            QTest::newRow(how) << QString(how);
    }
    void releasedOnEveryPath() {
        QFETCH(QString, how);
        {
            TDateischutz lock;
            QVERIFY(lock.Lock(m_file, holderText));
            QCOMPARE(tryFromOtherProcess({m_file}), 3);
            if (how == "unlocked") lock.Unlock();
            if (how == "locking another file")
                QVERIFY(lock.Lock(m_dir->filePath("OTHER.LCK"), holderText));
            if (how != "destroyed") QVERIFY(!QFile::exists(m_file));
        }
        QVERIFY(!QFile::exists(m_file));
        QCOMPARE(tryFromOtherProcess({m_file}), 0);
    }

    void unusableLockFileIsReported() {
        TDateischutz lock;
        try {
            lock.Lock(m_dir->filePath("MISSING/ADRESSEN.LCK"), holderText);
            QFAIL("no error");
        } catch (const EKwpError& e) {
            QVERIFY2(e.message().startsWith("(Error 2) ") && e.message().size() > 10,
                     qPrintable(e.message()));
        }
        QVERIFY(!lock.isLocked());
    }

    // Left behind by another user who may write it; we may not. Root may write any file, so
    // the other workstation then runs as nobody.
    void lockFileOfAnotherUserIsReported() {
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ReadOther |
                                                         QFile::ExeOther));
        WriteFileBytes(m_file, TDateischutz::LockFileContent(QString()));
        QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::ReadOther));
        QString error;
        QCOMPARE(tryFromOtherProcess(
                     ::geteuid() == 0 ? QStringList{m_file, "65534"} : QStringList{m_file}, &error),
                 5);
        QVERIFY2(error.startsWith("Die Sperrdatei \"" + m_file + "\" gehört dem Benutzer \"" +
                                  QFileInfo(m_file).owner() + "\""),
                 qPrintable(error));
    }
};

KWP_REGISTER_TEST(TestDateischutz)
#include "tst_dateischutz.moc"
