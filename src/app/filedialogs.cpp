#include "app/filedialogs.h"

namespace {
class ConsoleFileDialogService : public IFileDialogService {
public:
    QStringList openFiles(const TFileDialogRequest&, bool) override { return {}; }
    QString saveFile(const TFileDialogRequest&) override { return {}; }
};

ConsoleFileDialogService g_consoleFileDialogs;
IFileDialogService* g_fileDialogService = nullptr;
}  // namespace

IFileDialogService& FileDialogService() {
    return g_fileDialogService ? *g_fileDialogService : g_consoleFileDialogs;
}

void SetFileDialogService(IFileDialogService* service) {
    g_fileDialogService = service;
}
