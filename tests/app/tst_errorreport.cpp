#include <unistd.h>

#include <QTemporaryFile>
#include <QtTest>
#include <stdexcept>

#include "app/dialogs.h"
#include "app/errorreport.h"
#include "testsupport.h"

namespace {
class EFoo : public EKwpError {
public:
    using EKwpError::EKwpError;
    QString className() const override { return QStringLiteral("EFoo"); }
};

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
    void cleanup() {
        SetConsoleProcess(false);
        SetErrorReportingEnabled(true);
        InstallProtocol(false);
        ClearProtocol();
    }

    void dialogKindFollowsSeverity_data() {
        QTest::addColumn<int>("severity");
        QTest::addColumn<int>("type");
        QTest::newRow("fatal") << int(sevFatal) << int(mtError);
        QTest::newRow("error") << int(sevError) << int(mtError);
        QTest::newRow("warning") << int(sevWarning) << int(mtWarning);
        QTest::newRow("information") << int(sevInformation) << int(mtInformation);
    }
    void dialogKindFollowsSeverity() {
        QFETCH(int, severity);
        QFETCH(int, type);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        ReportError(static_cast<unsigned char>(severity), QStringLiteral("M"));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(int(dialogs.shown().first().type), type);
        QCOMPARE(dialogs.shown().first().buttons, TMsgDlgButtons(mbOK));
        QCOMPARE(dialogs.shown().first().text,
                 QStringLiteral("M\nApplication: ") + QCoreApplication::applicationFilePath());
    }

    void detailsNameExceptionAndSender() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QObject sender;
        sender.setObjectName(QStringLiteral("edGoto"));
        const EFoo error(QStringLiteral("x"));
        ReportError(sevError, QStringLiteral("Fehler beim Lesen"), &sender, &error);
        QCOMPARE(dialogs.texts().value(0),
                 QStringLiteral("Fehler beim Lesen\nException-Message (EFoo): x\n"
                                "Object: QObject - edGoto\nApplication: ") +
                     QCoreApplication::applicationFilePath());
    }

    void foreignExceptionNamedByItsClass() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        const std::runtime_error error("boom");
        ReportError(sevError, QStringLiteral("M"), nullptr, &error);
        QVERIFY2(dialogs.texts().value(0).contains(
                     QStringLiteral("Exception-Message (std::runtime_error): boom\n")),
                 qPrintable(dialogs.texts().value(0)));
    }

    void consoleProcessWritesPrefixedLine_data() {
        QTest::addColumn<int>("severity");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("fatal") << int(sevFatal) << "Fatal Error: ";
        QTest::newRow("error") << int(sevError) << "Error: ";
        QTest::newRow("warning") << int(sevWarning) << "Warning: ";
        QTest::newRow("information") << int(sevInformation) << "Information: ";
    }
    void consoleProcessWritesPrefixedLine() {
        QFETCH(int, severity);
        QFETCH(QString, prefix);
        ScriptedDialogs dialogs;  // no dialog may appear
        SetConsoleProcess(true);
        StderrCapture capture;
        ReportError(static_cast<unsigned char>(severity), QStringLiteral("Platte voll"));
        const QString written = capture.finish();
        QCOMPARE(written, prefix + QStringLiteral("Platte voll\nApplication: ") +
                              QCoreApplication::applicationFilePath() + QLatin1Char('\n'));
    }

    void switchedOffReportStillFillsProtocol() {
        ScriptedDialogs dialogs;
        SetErrorReportingEnabled(false);
        InstallProtocol(true);
        ReportError(sevWarning, QStringLiteral("still logged"));
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(Protocol().size(), size_t(1));
        QCOMPARE(int(Protocol().front().Severity), int(sevWarning));
        QVERIFY(Protocol().front().Text.startsWith(QStringLiteral("still logged\nApplication: ")));
    }

    void protocolStaysEmptyUntilInstalled() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        ReportError(sevError, QStringLiteral("not kept"));
        QVERIFY(Protocol().empty());
    }

    void messageDlgFmtFormatsBeforeShowing() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrNo);
        const int pressed =
            ShowMessageDlgFmt(QStringLiteral("Adresse %s mit %d Kontakten loeschen?"),
                              {QStringLiteral("10001"), 3}, mtConfirmation, mbYesNo);
        QCOMPARE(pressed, int(mrNo));
        QCOMPARE(dialogs.texts(),
                 QStringList{QStringLiteral("Adresse 10001 mit 3 Kontakten loeschen?")});
        QCOMPARE(int(dialogs.shown().first().type), int(mtConfirmation));
    }
};

KWP_REGISTER_TEST(TestErrorReport)
#include "tst_errorreport.moc"
