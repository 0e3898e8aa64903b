#include <QtTest>

#include "testsupport.h"

namespace {
// The environment of a program run whose dialogs are recorded in the folder.
QProcessEnvironment environment(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KWP_DIALOG_RECORD", dir.filePath("dialogs.txt"));
    return env;
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
    void refusedStartEndsWithItsMessage_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");  // start of the only dialog
        QTest::newRow("unknown user")
            << "demo" << QStringList{"DEMO", "NIEMAND"} << 1
            << "Fehler: Der Benutzer \"NIEMAND\" wurde nicht in der Konfigurationsdatei";
        QTest::newRow("outside BIN")
            << "outside BIN" << QStringList{"DEMO", "ADMIN"} << 0 << "Fehler: Initst-";
    }
    void refusedStartEndsWithItsMessage() {
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString program = dir.filePath("kwp00207");
        if (setup == "demo") {
            QVERIFY(makeDemo(dir.path()));
            program = dir.filePath("BIN/kwp00207");
        } else {
            QVERIFY(QFile::copy(QStringLiteral(KWP00207_PATH), program));
        }
        QProcess process;
        process.setProcessEnvironment(environment(dir));
        process.start(program, args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QTEST(process.exitCode(), "exitCode");
        const QStringList dialogs = QString::fromUtf8(ReadFileBytes(dir.filePath("dialogs.txt")))
                                        .split('\n', Qt::SkipEmptyParts);
        QCOMPARE(dialogs.size(), 1);
        QVERIFY2(dialogs.first().startsWith(message), qPrintable(dialogs.first()));
    }

    void withoutArgumentsPrintsHowToCall() {
        QProcess process;
        process.start(QStringLiteral(KWP00207_PATH), {});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardOutput().startsWith("Aufruf: kwp00207 MANDANT BENUTZER"));
    }

    void demoStartsIntoTheMainWindow() {
        QTemporaryDir dir;
        QVERIFY(makeDemo(dir.path()));
        QProcess process;
        process.setProcessEnvironment(environment(dir));
        process.start(dir.filePath("BIN/kwp00207"), {"DEMO", "ADMIN"});
        QVERIFY(process.waitForStarted());
        // A refused start ends at once; a running window keeps the process alive.
        QVERIFY(!process.waitForFinished(3000));
        process.terminate();
        process.waitForFinished(10000);
        QVERIFY(!QFileInfo::exists(dir.filePath("dialogs.txt")));
    }
};

KWP_REGISTER_TEST(TestProgram)
#include "tst_program.moc"
