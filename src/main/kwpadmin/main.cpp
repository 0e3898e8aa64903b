#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <memory>

#include "app/dateischutz.h"
#include "app/errorreport.h"
#include "main/kwpadmin/admincommands.h"

namespace {
// A console has no wait window: the holder's text goes to stderr, and after a while the wait
// ends as if "Abbrechen" had been pressed (KWPADMIN_LOCK_WAIT seconds, 60 by default).
class TConsoleWait : public IWaitWindow {
public:
    TConsoleWait(std::function<void()> cancel, qint64 limitMs)
        : m_cancel(std::move(cancel)), m_limitMs(limitMs) {
        m_timer.start();
    }
    void poll() override {
        if (m_timer.elapsed() >= m_limitMs) m_cancel();
    }

private:
    std::function<void()> m_cancel;
    qint64 m_limitMs;
    QElapsedTimer m_timer;
};
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kwpadmin"));
    SetConsoleProcess(true);
    QTextStream out(stdout);
    QTextStream err(stderr);
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("KWPADMIN_LOCK_WAIT", &ok);
    const qint64 limitMs = (ok && seconds >= 0 ? seconds : 60) * qint64(1000);
    SetWaitWindowFactory([&err, limitMs](const QString& text, std::function<void()> cancel, bool) {
        err << QStringLiteral("kwpadmin: ") << text << Qt::endl;
        return std::unique_ptr<IWaitWindow>(
            std::make_unique<TConsoleWait>(std::move(cancel), limitMs));
    });
    return RunAdmin(QCoreApplication::arguments().mid(1), out, err);
}
