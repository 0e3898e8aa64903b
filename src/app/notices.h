#pragma once

#include <QString>

// Short-lived notices in a small always-on-top window that never takes the keyboard focus.
class INoticeService {
public:
    virtual ~INoticeService() = default;
    virtual void showDesktopNotice(const QString& header, const QString& text, int fadeMs,
                                   int showMs) = 0;
};

// The current service; never null (without windows notices go to stderr).
INoticeService& NoticeService();
// Installs a service (not owned); nullptr restores the console service.
void SetNoticeService(INoticeService* service);

// Fades in and out over fadeMs and stays showMs in between. An empty header shows the program
// title.
void ShowDesktopNotice(const QString& header, const QString& text, int fadeMs = 100,
                       int showMs = 3000);
QString ProgramTitle();
