#include "app/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace {
class DesktopShellService : public IShellService {
public:
    bool startProgram(const QString& program, const QString& parameters,
                      const QString& workingDir) override {
        QString dir = workingDir;
        if (dir.isEmpty()) dir = QFileInfo(program).absolutePath();
        return QProcess::startDetached(program, QProcess::splitCommand(parameters), dir);
    }
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

DesktopShellService g_desktop;
IShellService* g_shellService = nullptr;
}  // namespace

IShellService& ShellService() {
    return g_shellService ? *g_shellService : g_desktop;
}

void SetShellService(IShellService* service) {
    g_shellService = service;
}

QString ResolveProgramFile(const QString& binDir, const QString& windowsName) {
    QString dir = binDir;
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    if (QFileInfo(dir + windowsName).isFile()) return dir + windowsName;
    QString name = windowsName.toLower();
    if (name.endsWith(QLatin1String(".exe"))) name.chop(4);
    if (QFileInfo(dir + name).isFile()) return dir + name;
    return {};
}
