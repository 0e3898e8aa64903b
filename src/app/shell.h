#pragma once

#include <QString>
#include <QUrl>

// Starting programs and opening documents goes through this service, so tests can record it.
class IShellService {
public:
    virtual ~IShellService() = default;
    // Starts a program file with a parameter string (quoted like a command line) in a folder.
    virtual bool startProgram(const QString& program, const QString& parameters,
                              const QString& workingDir) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
};

IShellService& ShellService();
// Installs a service (not owned); nullptr restores the desktop implementation.
void SetShellService(IShellService* service);

// A suite program named like "KWP00110.EXE": the exact name in binDir, else the lower-case
// name without ".EXE"; empty when neither exists.
QString ResolveProgramFile(const QString& binDir, const QString& windowsName);
