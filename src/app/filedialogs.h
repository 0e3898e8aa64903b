#pragma once

#include <QString>
#include <QStringList>

// What a file dialog is opened with. The filter is written the Qt way ("PDF-Dateien (*.PDF)").
struct TFileDialogRequest {
    QString title;
    QString folder;
    QString filter;
    // Save dialogs append it to a name typed without an extension.
    QString defaultSuffix;
};

// File dialogs go through this service, so tests can choose the files.
class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    // The chosen files (one at most unless multiple); empty when cancelled.
    virtual QStringList openFiles(const TFileDialogRequest& request, bool multiple) = 0;
    // The chosen name; empty when cancelled. It never asks about overwriting: the caller does.
    virtual QString saveFile(const TFileDialogRequest& request) = 0;
};

// The current service; never null (without windows every file dialog counts as cancelled).
IFileDialogService& FileDialogService();
// Installs a service (not owned); nullptr restores the one without windows.
void SetFileDialogService(IFileDialogService* service);
