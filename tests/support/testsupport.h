#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtTest/QTest>
#include <optional>

#include "app/dialogs.h"
#include "app/filedialogs.h"
#include "app/notices.h"
#include "app/shell.h"

// Dialog service of the tests: records every dialog and returns queued answers. A dialog
// without a queued answer is recorded as unexpected and fails the test when the guard ends.
class ScriptedDialogs : public IDialogService {
public:
    struct Shown {
        QString text;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
    };
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Expects one message dialog and answers it.
    void answer(int result) { m_answers.append(result); }
    // Expects one password prompt and answers it (nullopt = cancel).
    void answerPassword(std::optional<QString> password) { m_passwords.append(password); }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    int passwordPrompts() const { return m_passwordPrompts; }

    int messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext) override;
    std::optional<QString> askPassword(const QString& user) override;

private:
    QList<int> m_answers;
    QList<std::optional<QString>> m_passwords;
    QList<Shown> m_shown;
    QStringList m_unexpected;
    int m_passwordPrompts = 0;
};

// Shell service of the tests: records every start and open, starts nothing.
class RecordingShell : public IShellService {
public:
    struct Started {
        QString program, parameters, workingDir;
    };
    RecordingShell();
    ~RecordingShell() override;
    TShellResult startProgram(const QString& program, const QString& parameters,
                              const QString& workingDir) override;
    TShellResult openUrl(const QUrl& url) override;
    QList<Started> started;
    QList<QUrl> opened;
    TShellResult result = TShellResult::Ok;
};

// Notice service of the tests: records every desktop notice as "header: text".
class RecordingNotices : public INoticeService {
public:
    RecordingNotices() { SetNoticeService(this); }
    ~RecordingNotices() override { SetNoticeService(nullptr); }
    void showDesktopNotice(const QString& header, const QString& text, int, int) override {
        shown.append(header + QStringLiteral(": ") + text);
    }
    QStringList shown;
};

// File dialog service of the tests: each dialog answers with the next queued list of files.
class ScriptedFileDialogs : public IFileDialogService {
public:
    explicit ScriptedFileDialogs(QList<QStringList> answers) : answers(std::move(answers)) {
        SetFileDialogService(this);
    }
    ~ScriptedFileDialogs() override { SetFileDialogService(nullptr); }
    QStringList openFiles(const TFileDialogRequest&, bool) override {
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }
    QString saveFile(const TFileDialogRequest& request) override {
        return openFiles(request, false).value(0);
    }
    QList<QStringList> answers;
};

// Pins "now" for the life of the guard.
class PinnedClock {
public:
    explicit PinnedClock(const QDateTime& now);
    ~PinnedClock();
};

// The bytes of a file; empty when it cannot be read.
QByteArray ReadFileBytes(const QString& path);
// Writes a file; fails the running test when it cannot.
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// Test classes register themselves; a subsystem's executable runs all of them.
using TestFactory = QObject* (*)();
int RegisterTestClass(TestFactory factory);
int RunRegisteredTests(int argc, char** argv);
void PrepareTestEnvironment();

#define KWP_REGISTER_TEST(Class)             \
    static const int kwpRegistered_##Class = \
        RegisterTestClass([]() -> QObject* { return new Class; });

#define KWP_TEST_MAIN()                        \
    int main(int argc, char** argv) {          \
        QCoreApplication app(argc, argv);      \
        PrepareTestEnvironment();              \
        return RunRegisteredTests(argc, argv); \
    }

// Drawing text needs a GUI application (fonts), though no window is shown.
#define KWP_GUI_TEST_MAIN()                    \
    int main(int argc, char** argv) {          \
        QGuiApplication app(argc, argv);       \
        PrepareTestEnvironment();              \
        return RunRegisteredTests(argc, argv); \
    }

#define KWP_WIDGETS_TEST_MAIN()                \
    int main(int argc, char** argv) {          \
        QApplication app(argc, argv);          \
        PrepareTestEnvironment();              \
        return RunRegisteredTests(argc, argv); \
    }
