#include "app/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

namespace {
// Whether the desktop names an application for links of a scheme; true when it cannot tell.
bool schemeHasHandler(const QString& scheme) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/") + scheme});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

class DesktopShellService : public IShellService {
public:
    TShellResult startProgram(const QString& program, const QString& parameters,
                              const QString& workingDir) override {
        if (!QFileInfo(program).isFile()) return TShellResult::NotFound;
        QString dir = workingDir;
        if (dir.isEmpty()) dir = QFileInfo(program).absolutePath();
        return QProcess::startDetached(program, QProcess::splitCommand(parameters), dir)
                   ? TShellResult::Ok
                   : TShellResult::NotStarted;
    }
    TShellResult openUrl(const QUrl& url) override {
        if (url.isLocalFile()) {
            if (!QFileInfo::exists(url.toLocalFile())) return TShellResult::NotFound;
        } else if (!schemeHasHandler(url.scheme())) {
            return TShellResult::NoApplication;
        }
        // The desktop answers only yes or no; no means it found nothing to open it with.
        return QDesktopServices::openUrl(url) ? TShellResult::Ok : TShellResult::NoApplication;
    }
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

TShellResult ShellOpen(const QString& target, const QString& parameters, const QString& folder,
                       bool reportErrors) {
    const QString path = QDir(folder).absoluteFilePath(target);
    const QFileInfo file(path);
    TShellResult result = TShellResult::NotFound;
    QString text;
    if (target.trimmed().isEmpty()) {
        // Without a target the folder itself would open.
        result = TShellResult::NotFound;
    } else if (!parameters.isEmpty() && file.isFile() && file.isExecutable()) {
        result = ShellService().startProgram(path, parameters, file.absolutePath());
    } else {
        // "www.firma.de" and paths become links as the Windows shell would read them.
        const bool local = file.exists() || QDir::isAbsolutePath(target);
        const QUrl url = local ? QUrl::fromLocalFile(path) : QUrl::fromUserInput(target, folder);
        result = ShellService().openUrl(url);
        if (result == TShellResult::NotFound && !QFileInfo(path).dir().exists())
            text = _("Verzeichnis wurde nicht gefunden.");
    }
    if (result == TShellResult::Ok || !reportErrors) return result;
    if (text.isEmpty()) {
        switch (result) {
            case TShellResult::NotFound:
                text = _("Datei wurde nicht gefunden.");
                break;
            case TShellResult::NoApplication:
                text = FormatStr(_("Fuer \"%s\" ist kein Programm zum Oeffnen eingerichtet."),
                                 {target});
                break;
            default:
                text = FormatStr(_("\"%s\" konnte nicht geoeffnet werden."), {target});
                break;
        }
    }
    ReportError(sevError, text);
    return result;
}

bool StartProgram(const QString& file, const QString& parameters) {
    const QFileInfo info(file);
    TShellResult result = TShellResult::NotFound;
    if (info.isFile()) result = ShellService().startProgram(file, parameters, info.absolutePath());
    if (result == TShellResult::Ok) return true;
    ReportError(sevError,
                result == TShellResult::NotFound
                    ? FormatStr(_("Kann die angegebene Datei nicht finden: %s"), {file})
                    : FormatStr(_("Das Programm \"%s\" konnte nicht gestartet werden."), {file}));
    return false;
}
