#include "testsupport.h"

#include <QFile>
#include <QLocale>
#include <QMetaMethod>
#include <QTimeZone>
#include <memory>
#include <vector>

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

TShellResult RecordingShell::startProgram(const QString& program, const QString& parameters,
                                          const QString& workingDir) {
    started.append({program, parameters, workingDir});
    return result;
}

TShellResult RecordingShell::openUrl(const QUrl& url) {
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

namespace {

// QTest options whose value is the next argument.
bool takesValue(const QByteArray& option) {
    static const QByteArrayList withValue = {
        "-o",    "-maxwarnings", "-eventdelay", "-keydelay",     "-mousedelay",
        "-seed", "-iterations",  "-median",     "-minimumvalue", "-minimumtotal"};
    return withValue.contains(option);
}

bool hasTestFunction(const QMetaObject& meta, const QByteArray& function) {
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Slot && method.parameterCount() == 0 &&
            method.name() == function)
            return true;
    }
    return false;
}

}  // namespace

// Arguments naming tests are "Class", "Class::function[:tag]" or "function[:tag]"; each class
// gets only the functions meant for it, so the other classes do not fail on them.
int RunRegisteredTests(int argc, char** argv) {
    QByteArrayList options{argv[0]};
    QByteArrayList selectors;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (!arg.startsWith('-')) {
            selectors.append(arg);
            continue;
        }
        options.append(arg);
        if (takesValue(arg) && i + 1 < argc) options.append(argv[++i]);
    }
    QByteArrayList unmatched = selectors;
    int failed = 0;
    for (TestFactory factory : registry()) {
        std::unique_ptr<QObject> test(factory());
        const QMetaObject& meta = *test->metaObject();
        const QByteArray className(meta.className());
        const QByteArray prefix = className + "::";
        bool wholeClass = selectors.isEmpty();
        QByteArrayList functions;
        for (const QByteArray& selector : selectors) {
            if (selector == className) {
                wholeClass = true;
            } else if (selector.startsWith(prefix)) {
                functions.append(selector.mid(prefix.size()));
            } else if (!selector.contains("::") &&
                       hasTestFunction(meta, selector.split(':').constFirst())) {
                functions.append(selector);
            } else {
                continue;
            }
            unmatched.removeAll(selector);
        }
        if (!wholeClass && functions.isEmpty()) continue;
        QByteArrayList args = options;
        if (!wholeClass) args += functions;
        std::vector<char*> pointers;
        for (QByteArray& arg : args) pointers.push_back(arg.data());
        failed += QTest::qExec(test.get(), int(pointers.size()), pointers.data());
    }
    for (const QByteArray& selector : unmatched) {
        qWarning("No test class or function matches \"%s\"", selector.constData());
        ++failed;
    }
    return failed == 0 ? 0 : 1;
}
