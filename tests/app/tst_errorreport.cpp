#include <unistd.h>

#include <QtTest>

#include "app/errorreport.h"
#include "testsupport.h"

namespace {
// Captures what the process writes to stderr while it lives.
class StderrCapture {
public:
    StderrCapture() {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    QString finish() {
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_file.seek(0);
        return QString::fromLocal8Bit(m_file.readAll());
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};
}  // namespace

class TestErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { SetConsoleProcess(false); }

    // A window process shows an error dialog; a console process writes a line.
    void reportGoesToDialogOrConsole() {
        const QString text = "Platte voll\nApplication: " + QCoreApplication::applicationFilePath();
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        ReportError(sevError, "Platte voll");
        QCOMPARE(dialogs.texts(), QStringList{text});
        QCOMPARE(int(dialogs.shown().first().type), int(mtError));
        SetConsoleProcess(true);
        StderrCapture capture;
        ReportError(sevError, "Platte voll");
        QCOMPARE(capture.finish(), "Error: " + text + "\n");
        QCOMPARE(dialogs.shown().size(), 1);
    }
};

KWP_REGISTER_TEST(TestErrorReport)
#include "tst_errorreport.moc"
