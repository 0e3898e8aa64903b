#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "testsupport.h"

namespace {
struct Run {
    int exitCode = -1;
    QString stdErr;
    QStringList dialogs;
};

QProcessEnvironment offscreen() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

Run runProgram(const QString& program, const QStringList& args, QProcessEnvironment env,
               const QString& recordFile) {
    env.insert(QStringLiteral("KWP_DIALOG_RECORD"), recordFile);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.stdErr = QString::fromLocal8Bit(process.readAllStandardError());
    QFile record(recordFile);
    if (record.open(QIODevice::ReadOnly))
        run.dialogs = QString::fromUtf8(record.readAll()).split('\n', Qt::SkipEmptyParts);
    return run;
}

bool makeDemo(const QString& root) {
    QProcess admin;
    admin.start(QStringLiteral(KWPADMIN_PATH), {QStringLiteral("demo"), root});
    if (!admin.waitForFinished(60000) || admin.exitCode() != 0) return false;
    return QFile::copy(QStringLiteral(KWP00207_PATH), root + QStringLiteral("/BIN/kwp00207"));
}
}  // namespace

class TestProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedLoginEndsWithItsMessage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("unknown user")
            << QStringList{"DEMO", "NIEMAND"}
            << "Fehler: Der Benutzer \"NIEMAND\" wurde nicht in der Konfigurationsdatei";
        QTest::newRow("unknown tenant")
            << QStringList{"NIRGENDWO", "ADMIN"} << "Fehler: Verzeichnis \"";
        QTest::newRow("no user") << QStringList{"DEMO"} << "";
    }
    void refusedLoginEndsWithItsMessage() {
        QFETCH(QStringList, args);
        QFETCH(QString, dialog);
        QTemporaryDir dir;
        QVERIFY(makeDemo(dir.path()));
        const Run run = runProgram(dir.path() + "/BIN/kwp00207", args, offscreen(),
                                   dir.path() + "/dialogs.txt");
        QCOMPARE(run.exitCode, 1);
        if (dialog.isEmpty()) {
            QVERIFY(run.dialogs.isEmpty());
        } else {
            QCOMPARE(run.dialogs.size(), 1);
            QVERIFY2(run.dialogs.first().startsWith(dialog), qPrintable(run.dialogs.first()));
        }
    }

    void programOutsideBinHalts() {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(KWP00207_PATH), dir.path() + "/kwp00207"));
        const Run run = runProgram(dir.path() + "/kwp00207", {"DEMO", "ADMIN"}, offscreen(),
                                   dir.path() + "/dialogs.txt");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.dialogs.size(), 1);
        QVERIFY2(run.dialogs.first().startsWith("Fehler: Initst-"),
                 qPrintable(run.dialogs.first()));
        QVERIFY(!QFileInfo(dir.path() + "/ETC").exists());
    }

    void withoutDisplaySaysSo() {
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        const Run run = runProgram(QStringLiteral(KWP00207_PATH), {"DEMO", "ADMIN"}, env,
                                   dir.path() + "/dialogs.txt");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.stdErr.contains("No display found"), qPrintable(run.stdErr));
    }

    void demoStartsIntoTheMainWindow() {
        QTemporaryDir dir;
        QVERIFY(makeDemo(dir.path()));
        QProcessEnvironment env = offscreen();
        env.insert("KWP_DIALOG_RECORD", dir.path() + "/dialogs.txt");
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(dir.path() + "/BIN/kwp00207", {"DEMO", "ADMIN"});
        QVERIFY(process.waitForStarted());
        // A refused start ends at once; a running window keeps the process alive.
        QVERIFY(!process.waitForFinished(3000));
        process.terminate();
        process.waitForFinished(10000);
        QVERIFY(!QFileInfo::exists(dir.path() + "/dialogs.txt"));
    }
};

KWP_REGISTER_TEST(TestProgram)
#include "tst_program.moc"
