#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dateischutz.h"
#include "app/errorreport.h"
#include "testsupport.h"

namespace {
const QString holderText = QStringLiteral("Datenbank gesperrt von Müller");

// The other workstation: a second process that holds the lock until told to let go.
class OtherWorkstation {
public:
    bool hold(const QString& file, const QString& text) {
        m_process.start(QStringLiteral(KWP_LOCKHOLDER_PATH), {QStringLiteral("hold"), file, text});
        if (!m_process.waitForStarted(10000)) return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000)) return false;
        }
        return m_process.readLine().trimmed() == "locked";
    }
    void tellRelease() {
        m_process.write("\n");
        m_process.waitForBytesWritten(5000);
    }
    // When the holder had let go, in ms since the epoch; -1 when it did not say.
    qint64 releasedAt() {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000)) return -1;
        }
        const QByteArray line = m_process.readLine().trimmed();
        if (!line.startsWith("released ")) return -1;
        return line.mid(9).toLongLong();
    }
    void kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    ~OtherWorkstation() {
        if (m_process.state() != QProcess::NotRunning) {
            tellRelease();
            if (!m_process.waitForFinished(5000)) kill();
        }
    }

private:
    QProcess m_process;
};

// Whether another process could take the lock right now (it gives up instead of waiting).
bool freeForOtherProcess(const QString& file) {
    QProcess process;
    process.start(QStringLiteral(KWP_LOCKHOLDER_PATH), {QStringLiteral("try"), file});
    process.waitForFinished(10000);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray utf16Le(const QString& text) {
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    return encoder.encode(text);
}

QString lockFileText(const QString& file) {
    const QByteArray bytes = ReadFileBytes(file);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                              bytes.size() / 2)
        .trimmed();
}

const QRegularExpression holderWithTime(
    QStringLiteral(R"(^Datenbank gesperrt von Müller \(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\)$)"));
}  // namespace

class TestDateischutz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lockFileContent_data() {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << holderText
                               << holderText + QStringLiteral(" (06.12.2026 14:05:07)");
        QTest::newRow("time cut at 500 characters")
            << QString(495, QLatin1Char('x')) << QString(495, QLatin1Char('x')) + " (06.";
        QTest::newRow("holder text cut")
            << QString(600, QChar(0x00e4)) << QString(500, QChar(0x00e4));
        QTest::newRow("empty") << QString() << QStringLiteral(" (06.12.2026 14:05:07)");
    }
    void lockFileContent() {
        QFETCH(QString, holder);
        QFETCH(QString, expected);
        PinnedClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 5, 7)));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        TDateischutz lock;
        QVERIFY(lock.Lock(file, holder));
        QVERIFY(lock.isLocked());
        const QByteArray bytes = ReadFileBytes(file);
        QCOMPARE(bytes.size(), 1000);
        QCOMPARE(bytes, utf16Le(expected.leftJustified(500, QLatin1Char(' '))));
    }

    void secondProcessWaitsAndTakesOverSoonAfterRelease() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        OtherWorkstation other;
        QVERIFY(other.hold(file, holderText));

        TDateischutz lock;
        lock.setSettleDelay(0);
        QString shown;
        int polls = 0;
        qint64 lastPoll = 0;
        lock.setOnWait([&](const QString& text, std::function<void()>, TDateischutz& self) {
            [&] { QCOMPARE(&self, &lock); }();
            shown = text;
            return TPollProc([&] {
                lastPoll = QDateTime::currentMSecsSinceEpoch();
                if (++polls == 5) other.tellRelease();
            });
        });
        QVERIFY(lock.Lock(file, QStringLiteral("Datenbank gesperrt von Schmidt")));
        const qint64 released = other.releasedAt();
        QVERIFY(released > 0);
        QVERIFY2(holderWithTime.match(shown).hasMatch(), qPrintable(shown));
        QVERIFY(polls >= 5);
        QVERIFY2(lastPoll - released < 500, qPrintable(QString::number(lastPoll - released)));
        // Reading the lock file in the holding process must not drop the lock.
        QVERIFY(lockFileText(file).startsWith(QStringLiteral("Datenbank gesperrt von Schmidt (")));
        QVERIFY(!freeForOtherProcess(file));
    }

    void showOwnTextInsteadOfHolders() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        OtherWorkstation other;
        QVERIFY(other.hold(file, holderText));
        TDateischutz lock;
        QString shown;
        lock.setOnWait([&](const QString& text, std::function<void()> cancel, TDateischutz&) {
            shown = text;
            cancel();
            return TPollProc();
        });
        QVERIFY(!lock.Lock(file, QStringLiteral("Bitte warten"), TLockWaitText::Own));
        QCOMPARE(shown, QStringLiteral("Bitte warten"));
    }

    void cancelEndsWaitAndLeavesHolderAlone() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        OtherWorkstation other;
        QVERIFY(other.hold(file, holderText));
        const QByteArray holderBytes = ReadFileBytes(file);
        {
            TDateischutz lock;
            int polls = 0;
            lock.setOnWait([&](const QString&, std::function<void()> cancel, TDateischutz&) {
                return TPollProc([&polls, cancel] {
                    if (++polls == 3) cancel();
                });
            });
            QVERIFY(!lock.Lock(file, QStringLiteral("Wartender")));
            QVERIFY(lock.Cancelled());
            QVERIFY(!lock.isLocked());
            QCOMPARE(polls, 3);
        }
        // Giving up neither deleted nor overwrote the holder's file, nor took its lock.
        QCOMPARE(ReadFileBytes(file), holderBytes);
        QVERIFY(!freeForOtherProcess(file));
    }

    void killedHolderDoesNotBlock() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        OtherWorkstation other;
        QVERIFY(other.hold(file, holderText));
        other.kill();
        QVERIFY(QFile::exists(file));

        TDateischutz lock;
        bool waited = false;
        lock.setOnWait([&](const QString&, std::function<void()> cancel, TDateischutz&) {
            waited = true;
            cancel();
            return TPollProc();
        });
        QElapsedTimer timer;
        timer.start();
        QVERIFY(lock.Lock(file, QStringLiteral("Nachfolger")));
        QVERIFY(!waited);
        QVERIFY(timer.elapsed() < 500);
        QVERIFY(lockFileText(file).startsWith(QStringLiteral("Nachfolger (")));
    }

    void objectsOfOneProcessExcludeEachOther_data() {
        QTest::addColumn<QString>("secondName");
        QTest::newRow("same name") << "ADRESSEN.LCK";
        QTest::newRow("other spelling of the path") << "SUB/../ADRESSEN.LCK";
    }
    void objectsOfOneProcessExcludeEachOther() {
        QFETCH(QString, secondName);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("SUB")));
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        TDateischutz first;
        QVERIFY(first.Lock(file, holderText));
        const QByteArray firstBytes = ReadFileBytes(file);

        TDateischutz second;
        second.setSettleDelay(0);
        QString shown;
        bool cancelNow = true;
        second.setOnWait([&](const QString& text, std::function<void()> cancel, TDateischutz&) {
            shown = text;
            return TPollProc([&cancelNow, cancel] {
                if (cancelNow) cancel();
            });
        });
        QVERIFY(!second.Lock(dir.filePath(secondName), QStringLiteral("Zweiter")));
        QVERIFY2(holderWithTime.match(shown).hasMatch(), qPrintable(shown));
        QCOMPARE(ReadFileBytes(file), firstBytes);
        // The second object's attempt must not have dropped the first one's lock.
        QVERIFY(!freeForOtherProcess(file));

        first.Unlock();
        cancelNow = false;
        QVERIFY(second.Lock(dir.filePath(secondName), QStringLiteral("Zweiter")));
        QVERIFY(lockFileText(file).startsWith(QStringLiteral("Zweiter (")));
    }

    void releasedOnEveryPath_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("destroyed") << 0;
        QTest::newRow("unlocked") << 1;
        QTest::newRow("locking another file") << 2;
    }
    void releasedOnEveryPath() {
        QFETCH(int, how);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        {
            TDateischutz lock;
            QVERIFY(lock.Lock(file, holderText));
            QVERIFY(!freeForOtherProcess(file));
            if (how == 1) lock.Unlock();
            if (how == 2) QVERIFY(lock.Lock(dir.filePath(QStringLiteral("OTHER.LCK")), holderText));
            if (how != 0) QVERIFY(!QFile::exists(file));
        }
        QVERIFY(!QFile::exists(file));
        QVERIFY(freeForOtherProcess(file));
    }

    void unusableLockFileIsReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("missing folder") << "MISSING/ADRESSEN.LCK"
                                        << "(Error 2) ";
        QTest::newRow("folder instead of file") << "FOLDER"
                                                << "(Error 21) ";
        QTest::newRow("read-only folder") << "READONLY/ADRESSEN.LCK"
                                          << "(Error 13) ";
    }
    void unusableLockFileIsReported() {
        QFETCH(QString, name);
        QFETCH(QString, messageStart);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("FOLDER")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("READONLY")));
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("READONLY")),
                                      QFile::ReadOwner | QFile::ExeOwner));
        if (name.startsWith(QLatin1String("READONLY")) && ::geteuid() == 0)
            QSKIP("root may write into any folder");
        TDateischutz lock;
        try {
            lock.Lock(dir.filePath(name), holderText);
            QFAIL("no error");
        } catch (const EKwpError& e) {
            QVERIFY2(e.message().startsWith(messageStart), qPrintable(e.message()));
            QVERIFY(e.message().size() > messageStart.size());
        }
        QVERIFY(!lock.isLocked());
    }

    // Left behind by another user who may write it; we may not. Root may write any file, so
    // the other workstation then runs as nobody.
    void lockFileOfAnotherUserIsReported() {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        WriteFileBytes(file, TDateischutz::LockFileContent(QString()));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther));
        QStringList args{QStringLiteral("try"), file};
        if (::geteuid() == 0) args.append(QStringLiteral("65534"));
        QProcess process;
        process.start(QStringLiteral(KWP_LOCKHOLDER_PATH), args);
        QVERIFY(process.waitForFinished(10000));
        const QString error = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 5);
        QVERIFY2(error.startsWith("Die Sperrdatei \"" + file + "\" gehört dem Benutzer \"" +
                                  QFileInfo(file).owner() + "\""),
                 qPrintable(error));
    }

    void waitWindowShownWhileWaitingAndReleased_data() {
        QTest::addColumn<bool>("cancelInWindow");
        QTest::newRow("holder lets go") << false;
        QTest::newRow("Abbrechen pressed") << true;
    }
    void waitWindowShownWhileWaitingAndReleased() {
        QFETCH(bool, cancelInWindow);
        struct Window : IWaitWindow {
            Window(int& alive, int& polls, std::function<void()> onPoll)
                : m_alive(alive), m_polls(polls), m_onPoll(std::move(onPoll)) {
                ++m_alive;
            }
            ~Window() override { --m_alive; }
            void poll() override {
                ++m_polls;
                m_onPoll();
            }
            int& m_alive;
            int& m_polls;
            std::function<void()> m_onPoll;
        };
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ADRESSEN.LCK"));
        TDateischutz first;
        QVERIFY(first.Lock(file, holderText));

        int alive = 0;
        int polls = 0;
        QString shown;
        bool cursor = false;
        SetWaitWindowFactory([&](const QString& text, std::function<void()> cancel,
                                 bool waitCursor) {
            shown = text;
            cursor = waitCursor;
            return std::unique_ptr<IWaitWindow>(std::make_unique<Window>(alive, polls, [&, cancel] {
                if (polls < 3) return;
                if (cancelInWindow)
                    cancel();
                else
                    first.Unlock();
            }));
        });
        TDateischutzWF waiting;
        waiting.lock().setSettleDelay(0);
        const bool locked = waiting.Lock(file, QStringLiteral("Zweiter"));
        SetWaitWindowFactory({});
        QCOMPARE(locked, !cancelInWindow);
        QVERIFY2(holderWithTime.match(shown).hasMatch(), qPrintable(shown));
        QVERIFY(cursor);
        QVERIFY(polls >= 3);
        QCOMPARE(alive, 0);
    }
};

KWP_REGISTER_TEST(TestDateischutz)
#include "tst_dateischutz.moc"
