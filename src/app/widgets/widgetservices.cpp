#include "app/widgets/widgetservices.h"

#include <QFile>
#include <QFileDialog>

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

QStringList TWidgetFileDialogService::openFiles(const TFileDialogRequest& request, bool multiple) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder, request.filter);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString TWidgetFileDialogService::saveFile(const TFileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The caller asks with its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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
        SetFileDialogService(&m_fileDialogs);
    } else {
        m_recording = std::make_unique<TRecordingDialogService>(record);
        SetDialogService(m_recording.get());
        SetNoticeService(m_recording.get());
    }
}

TKwpApplication::~TKwpApplication() {
    SetFileDialogService(nullptr);
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
