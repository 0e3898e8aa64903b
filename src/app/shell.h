#pragma once

#include <QString>
#include <QUrl>

// How a start or an open through the shell ended.
enum class TShellResult {
    Ok,
    NotFound,       // the file (or its folder) does not exist
    NoApplication,  // nothing on this desktop opens that kind of file or link
    NotStarted,     // the program or the application failed to start
};

// Starting programs and opening documents goes through this service, so tests can record it.
class IShellService {
public:
    virtual ~IShellService() = default;
    // Starts a program file with a parameter string (quoted like a command line) in a folder.
    virtual TShellResult startProgram(const QString& program, const QString& parameters,
                                      const QString& workingDir) = 0;
    // Opens a document, folder or link with the application the desktop has for it.
    virtual TShellResult openUrl(const QUrl& url) = 0;
};

IShellService& ShellService();
// Installs a service (not owned); nullptr restores the desktop implementation.
void SetShellService(IShellService* service);

// A suite program named like "KWP00110.EXE": the exact name in binDir, else the lower-case
// name without ".EXE"; empty when neither exists.
QString ResolveProgramFile(const QString& binDir, const QString& windowsName);

// Opens a document (relative to folder), web address or "mailto:" address. A target that is an
// executable file is started with the parameters instead. With reportErrors, failures go to the
// error report with the shell's texts.
TShellResult ShellOpen(const QString& target, const QString& parameters = {},
                       const QString& folder = {}, bool reportErrors = true);
// Starts a program file in its own folder; failures are reported. True when it started.
bool StartProgram(const QString& file, const QString& parameters);
