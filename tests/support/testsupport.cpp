#include "testsupport.h"

#include <QFile>
#include <QLocale>
#include <QTimeZone>

#include "app/clock.h"
#include "app/errorreport.h"

ScriptedDialogs::ScriptedDialogs() {
    SetDialogService(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogService(nullptr);
    if (!m_unexpected.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected dialog: ") + m_unexpected.join(" | ")),
                     __FILE__, __LINE__);
    } else if (!m_answers.isEmpty() || !m_passwords.isEmpty()) {
        QTest::qFail("An expected dialog did not appear", __FILE__, __LINE__);
    }
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const Shown& s : m_shown) result.append(s.text);
    return result;
}

int ScriptedDialogs::messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                int) {
    m_shown.append({text, type, buttons});
    if (m_answers.isEmpty()) {
        m_unexpected.append(text);
        return mrCancel;
    }
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedDialogs::askPassword(const QString& user) {
    ++m_passwordPrompts;
    if (m_passwords.isEmpty()) {
        m_unexpected.append(QStringLiteral("password prompt for ") + user);
        return std::nullopt;
    }
    return m_passwords.takeFirst();
}

RecordingShell::RecordingShell() {
    SetShellService(this);
}
RecordingShell::~RecordingShell() {
    SetShellService(nullptr);
}

bool RecordingShell::startProgram(const QString& program, const QString& parameters,
                                  const QString& workingDir) {
    started.append({program, parameters, workingDir});
    return result;
}

bool RecordingShell::openUrl(const QUrl& url) {
    opened.append(url);
    return result;
}

PinnedClock::PinnedClock(const QDateTime& now) {
    SetClock([now] { return now; });
}
PinnedClock::~PinnedClock() {
    SetClock({});
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

void PrepareTestEnvironment() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Dialogs in tests are scripted; reports go to the scripted service, not to stderr.
    SetConsoleProcess(false);
}

static QList<TestFactory>& registry() {
    static QList<TestFactory> factories;
    return factories;
}

int RegisterTestClass(TestFactory factory) {
    registry().append(factory);
    return registry().size();
}

int RunRegisteredTests(int argc, char** argv) {
    int failed = 0;
    for (TestFactory factory : registry()) {
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
