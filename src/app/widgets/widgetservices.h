#pragma once

#include <QApplication>
#include <memory>

#include "app/dialogs.h"
#include "app/filedialogs.h"
#include "app/notices.h"

// Dialogs of a windowed process.
class TWidgetDialogService : public IDialogService {
public:
    int messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext) override;
    std::optional<QString> askPassword(const QString& user) override;
};

// Desktop notices of a windowed process (TDesktopNotice).
class TWidgetNoticeService : public INoticeService {
public:
    ~TWidgetNoticeService() override;
    void showDesktopNotice(const QString& header, const QString& text, int fadeMs,
                           int showMs) override;
};

// File dialogs of a windowed process (QFileDialog).
class TWidgetFileDialogService : public IFileDialogService {
public:
    QStringList openFiles(const TFileDialogRequest& request, bool multiple) override;
    QString saveFile(const TFileDialogRequest& request) override;
};

// For tests of whole processes: with KWP_DIALOG_RECORD=FILE set, dialogs and notices are not
// shown but appended to FILE (one line "title: text" or "Hinweis: header: text" each); dialogs
// are answered with their default button, file dialogs count as cancelled.
class TRecordingDialogService : public IDialogService, public INoticeService {
public:
    explicit TRecordingDialogService(QString fileName) : m_fileName(std::move(fileName)) {}
    int messageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext) override;
    std::optional<QString> askPassword(const QString& user) override;
    void showDesktopNotice(const QString& header, const QString& text, int fadeMs,
                           int showMs) override;

private:
    void record(QString line);
    QString m_fileName;
};

// The application object of our windowed programs: reports every exception that escapes an
// event handler instead of ending the process.
class TKwpApplication : public QApplication {
    Q_OBJECT
public:
    TKwpApplication(int& argc, char** argv);
    ~TKwpApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;

private:
    TWidgetDialogService m_dialogs;
    TWidgetNoticeService m_notices;
    TWidgetFileDialogService m_fileDialogs;
    std::unique_ptr<TRecordingDialogService> m_recording;
};
