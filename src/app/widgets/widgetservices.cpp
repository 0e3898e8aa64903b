#include "app/widgets/widgetservices.h"

#include <QFile>

#include "app/errorreport.h"
#include "app/translation.h"
#include "app/widgets/desktopnotice.h"
#include "app/widgets/messagedialog.h"
#include "app/widgets/passworddlg.h"

int TWidgetDialogService::messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                     int) {
    TMessageDialog dialog(text, type, buttons, QApplication::activeWindow());
    return dialog.exec();
}

std::optional<QString> TWidgetDialogService::askPassword(const QString&) {
    return TPasswordDlg::Execute(QApplication::activeWindow());
}

TWidgetNoticeService::~TWidgetNoticeService() {
    TDesktopNotice::CloseAll();
}

void TWidgetNoticeService::showDesktopNotice(const QString& header, const QString& text, int fadeMs,
                                             int showMs) {
    TDesktopNotice::Show(header, text, fadeMs, showMs);
}

void TRecordingDialogService::record(QString line) {
    QFile file(m_fileName);
    if (file.open(QIODevice::Append)) {
        line.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        file.write(line.toUtf8() + '\n');
    }
}

int TRecordingDialogService::messageDlg(const QString& text, TMsgDlgType type,
                                        TMsgDlgButtons buttons, int) {
    record(MsgDlgTitle(type) + QStringLiteral(": ") + text);
    return DefaultButtonResult(buttons);
}

void TRecordingDialogService::showDesktopNotice(const QString& header, const QString& text, int,
                                                int) {
    record(_("Hinweis") + QStringLiteral(": ") + header + QStringLiteral(": ") + text);
}

std::optional<QString> TRecordingDialogService::askPassword(const QString&) {
    return std::nullopt;
}

TKwpApplication::TKwpApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetConsoleProcess(false);
    const QString record = qEnvironmentVariable("KWP_DIALOG_RECORD");
    if (record.isEmpty()) {
        SetDialogService(&m_dialogs);
        SetNoticeService(&m_notices);
    } else {
        m_recording = std::make_unique<TRecordingDialogService>(record);
        SetDialogService(m_recording.get());
        SetNoticeService(m_recording.get());
    }
}

TKwpApplication::~TKwpApplication() {
    SetNoticeService(nullptr);
    SetDialogService(nullptr);
}

bool TKwpApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportError(sevError, _("Unbehandelte Ausnahme."), receiver, &e);
    } catch (...) {
        ReportError(sevError, _("Unbehandelte Ausnahme."), receiver);
    }
    return false;
}
