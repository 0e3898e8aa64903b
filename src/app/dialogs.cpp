#include "app/dialogs.h"

#include <cstdio>

#include "app/format.h"
#include "app/translation.h"

namespace {
// Without a window system a dialog can only be written out; it answers with its default.
class ConsoleDialogService : public IDialogService {
public:
    int messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int) override {
        const QByteArray line = (MsgDlgTitle(type) + QStringLiteral(": ") + text).toLocal8Bit();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        return DefaultButtonResult(buttons);
    }
    std::optional<QString> askPassword(const QString&) override { return std::nullopt; }
};

ConsoleDialogService g_consoleDialogs;
IDialogService* g_dialogService = nullptr;
}  // namespace

QString MsgDlgTitle(TMsgDlgType type) {
    switch (type) {
        case mtWarning:
            return _("Warnung");
        case mtError:
            return _("Fehler");
        case mtInformation:
            return _("Information");
        case mtConfirmation:
            return _("Bestaetigung");
    }
    return {};
}

QString MsgDlgButtonCaption(TMsgDlgBtn button) {
    switch (button) {
        case mbYes:
            return _("&Ja");
        case mbNo:
            return _("&Nein");
        case mbOK:
            return _("&OK");
        case mbCancel:
        case mbAbort:
            return _("&Abbrechen");
        case mbRetry:
            return _("&Wiederholen");
        case mbIgnore:
            return _("&Ignorieren");
        case mbAll:
            return _("&Alle");
        case mbNoToAll:
            return _("A&lle Nein");
        case mbYesToAll:
            return _("A&lle Ja");
        case mbHelp:
            return _("&Hilfe");
    }
    return {};
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn button) {
    switch (button) {
        case mbYes:
            return mrYes;
        case mbNo:
            return mrNo;
        case mbOK:
            return mrOk;
        case mbCancel:
            return mrCancel;
        case mbAbort:
            return mrAbort;
        case mbRetry:
            return mrRetry;
        case mbIgnore:
            return mrIgnore;
        case mbAll:
            return mrAll;
        case mbNoToAll:
            return mrNoToAll;
        case mbYesToAll:
            return mrYesToAll;
        case mbHelp:
            return mrNone;
    }
    return mrNone;
}

TModalResult DefaultButtonResult(TMsgDlgButtons buttons) {
    for (TMsgDlgBtn b : {mbOK, mbYes, mbCancel, mbNo}) {
        if (buttons & b) return MsgDlgButtonResult(b);
    }
    return mrOk;
}

IDialogService& DialogService() {
    return g_dialogService ? *g_dialogService : g_consoleDialogs;
}

void SetDialogService(IDialogService* service) {
    g_dialogService = service;
}

int ShowMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    return DialogService().messageDlg(text, type, buttons, helpContext);
}

int ShowMessageDlgFmt(const QString& format, const QVariantList& args, TMsgDlgType type,
                      TMsgDlgButtons buttons, int helpContext) {
    return ShowMessageDlg(FormatStr(format, args), type, buttons, helpContext);
}
