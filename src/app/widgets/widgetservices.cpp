#include "app/widgets/widgetservices.h"

#include <QFile>

#include "app/errorreport.h"
#include "app/translation.h"
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

int TRecordingDialogService::messageDlg(const QString& text, TMsgDlgType type,
                                        TMsgDlgButtons buttons, int) {
    QFile file(m_fileName);
    if (file.open(QIODevice::Append)) {
        QString line = MsgDlgTitle(type) + QStringLiteral(": ") + text;
        line.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        file.write(line.toUtf8() + '\n');
    }
    return DefaultButtonResult(buttons);
}

std::optional<QString> TRecordingDialogService::askPassword(const QString&) {
    return std::nullopt;
}

TKwpApplication::TKwpApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetConsoleProcess(false);
    const QString record = qEnvironmentVariable("KWP_DIALOG_RECORD");
    if (record.isEmpty()) {
        SetDialogService(&m_dialogs);
    } else {
        m_recording = std::make_unique<TRecordingDialogService>(record);
        SetDialogService(m_recording.get());
    }
}

TKwpApplication::~TKwpApplication() {
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
