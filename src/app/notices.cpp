#include "app/notices.h"

#include <cstdio>

#include "app/translation.h"

namespace {
class ConsoleNoticeService : public INoticeService {
public:
    void showDesktopNotice(const QString& header, const QString& text, int, int) override {
        const QByteArray line =
            (_("Hinweis") + QStringLiteral(": ") + header + QStringLiteral(": ") + text)
                .toLocal8Bit();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
    }
};

ConsoleNoticeService g_consoleNotices;
INoticeService* g_noticeService = nullptr;
}  // namespace

INoticeService& NoticeService() {
    return g_noticeService ? *g_noticeService : g_consoleNotices;
}

void SetNoticeService(INoticeService* service) {
    g_noticeService = service;
}

QString ProgramTitle() {
    return _("Adressverwaltung");
}

void ShowDesktopNotice(const QString& header, const QString& text, int fadeMs, int showMs) {
    NoticeService().showDesktopNotice(header.isEmpty() ? ProgramTitle() : header, text,
                                      qMax(0, fadeMs), qMax(0, showMs));
}
