#include "ui/contactactions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/shell.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

QString CleanPhoneNumber(const QString& value) {
    QString digits;
    for (const QChar c : value)
        if (c >= u'0' && c <= u'9') digits += c;
    return digits;
}

void TDial::Dial(const QString& number, const QString& /*calledParty*/,
                 const QString& /*comment*/) {
    const QString digits = CleanPhoneNumber(number);
    if (digits.isEmpty()) return;
    try {
        const TShellResult result = ShellService().openUrl(QUrl(QStringLiteral("tel:") + digits));
        if (result == TShellResult::NoApplication)
            ShowMessageDlg(_("Fuer \"tel:\"-Links ist kein Telefonieprogramm eingerichtet. Bitte "
                             "richten Sie in den Einstellungen des Desktops ein Programm fuer "
                             "Telefonnummern ein."),
                           mtError, mbOK);
        else if (result != TShellResult::Ok)
            ReportError(sevError, _("Fehler beim Waehlen der Telefonnummer."));
    } catch (const std::exception& error) {
        ReportError(sevError, _("Fehler beim Waehlen der Telefonnummer."), nullptr, &error);
    }
}

QString SmsParameters(const QString& tenant, const QString& user, const QString& number,
                      const QString& contactName) {
    return tenant + QLatin1Char(' ') + user + QStringLiteral(" -D \"") + number + QLatin1Char('=') +
           contactName + QLatin1Char('"');
}

bool SendSms(const QString& value, const QString& contactName, const QString& tenant,
             const QString& user, const QString& binDir) {
    const QString digits = CleanPhoneNumber(value);
    if (digits.isEmpty()) return false;
    const QString program = ResolveProgramFile(binDir, QStringLiteral("KWP00009.EXE"));
    if (program.isEmpty()) return false;
    return StartProgram(program, SmsParameters(tenant, user, digits, contactName));
}

bool SendSms(const QString& value, const QString& contactName) {
    const QStringList args = QCoreApplication::arguments();
    const TSystemEinstellungen* settings = SystemEinstellungen();
    return SendSms(value, contactName, args.value(1), args.value(2),
                   settings ? settings->BinDir : QString());
}

void WriteEmail(const QString& address) {
    if (address.trimmed().isEmpty()) return;
    ShellOpen(QStringLiteral("mailto:") + address.trimmed());
}

void OpenWebAddress(const QString& address) {
    if (address.trimmed().isEmpty()) return;
    ShellOpen(address.trimmed());
}

void CopyToClipboard(const QString& value) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(value);
}
