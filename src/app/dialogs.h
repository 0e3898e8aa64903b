#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

// Message dialog kinds.
enum TMsgDlgType : int {
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3,
};

// Buttons as a set of bits: the value 4 means OK only.
enum TMsgDlgBtn : int {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbAll = 1 << 7,
    mbNoToAll = 1 << 8,
    mbYesToAll = 1 << 9,
    mbHelp = 1 << 10,
};
using TMsgDlgButtons = int;
constexpr TMsgDlgButtons mbOKOnly = mbOK;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;

// Results of a dialog (pressed button).
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

QString MsgDlgTitle(TMsgDlgType type);
// German caption with accelerator ("&Ja") of one button.
QString MsgDlgButtonCaption(TMsgDlgBtn button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn button);
// What a dialog answers when nobody can press a button: OK, else Yes, Cancel, No.
TModalResult DefaultButtonResult(TMsgDlgButtons buttons);

// Every dialog the logic needs goes through this service, so tests can script the answers.
class IDialogService {
public:
    virtual ~IDialogService() = default;
    virtual int messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                           int helpContext) = 0;
    // The login password prompt; an empty optional means cancelled.
    virtual std::optional<QString> askPassword(const QString& user) = 0;
};

// The current service; never null (a console service is installed by default).
IDialogService& DialogService();
// Installs a service (not owned); nullptr restores the console service.
void SetDialogService(IDialogService* service);

int ShowMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext = 0);
int ShowMessageDlgFmt(const QString& format, const QVariantList& args, TMsgDlgType type,
                      TMsgDlgButtons buttons, int helpContext = 0);
