#include "app/errorreport.h"

#include <cxxabi.h>
#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <typeinfo>

#include "app/dialogs.h"

QString DemangledTypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 ? demangled.get() : type.name());
}

namespace {
bool g_reportingEnabled = true;
std::optional<bool> g_console;
bool g_protocolInstalled = false;

std::vector<TProtocolEventItem>& protocol() {
    static std::vector<TProtocolEventItem> items;
    return items;
}

QString exceptionClassName(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EKwpError*>(&error)) return own->className();
    return DemangledTypeName(typeid(error));
}

QString exceptionMessage(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EKwpError*>(&error)) return own->message();
    return QString::fromLocal8Bit(error.what());
}

const char* severityPrefix(unsigned char severity) {
    switch (severity) {
        case sevFatal:
            return "Fatal Error: ";
        case sevError:
            return "Error: ";
        case sevWarning:
            return "Warning: ";
        default:
            return "Information: ";
    }
}
}  // namespace

const char* EKwpError::what() const noexcept {
    if (m_what.isEmpty()) m_what = m_message.toLocal8Bit();
    return m_what.constData();
}

QString ErrorReportText(const QString& message, const QObject* sender,
                        const std::exception* error) {
    QString details;
    if (error) {
        details += QStringLiteral("Exception-Message (") + exceptionClassName(*error) +
                   QStringLiteral("): ") + exceptionMessage(*error) + QLatin1Char('\n');
    }
    if (sender) {
        details +=
            QStringLiteral("Object: ") + QString::fromLatin1(sender->metaObject()->className());
        if (!sender->objectName().isEmpty())
            details += QStringLiteral(" - ") + sender->objectName();
        details += QLatin1Char('\n');
    }
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                         : QStringLiteral("?");
    return message + QLatin1Char('\n') + details + QStringLiteral("Application: ") + program;
}

void ReportError(unsigned char severity, const QString& message, const QObject* sender,
                 const std::exception* error) {
    const QString text = ErrorReportText(message, sender, error);
    if (g_reportingEnabled) {
        if (IsConsoleProcess()) {
            const QByteArray line =
                (QString::fromLatin1(severityPrefix(severity)) + text).toLocal8Bit();
            std::fprintf(stderr, "%s\n", line.constData());
            std::fflush(stderr);
        } else {
            TMsgDlgType type = mtInformation;
            if (severity <= sevError)
                type = mtError;
            else if (severity == sevWarning)
                type = mtWarning;
            ShowMessageDlg(text, type, mbOK);
        }
    }
    if (g_protocolInstalled) ProtocolAppend(text, severity);
}

void SetErrorReportingEnabled(bool enabled) {
    g_reportingEnabled = enabled;
}
bool IsErrorReportingEnabled() {
    return g_reportingEnabled;
}

void SetConsoleProcess(bool console) {
    g_console = console;
}

bool IsConsoleProcess() {
    if (g_console) return *g_console;
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || !app->inherits("QGuiApplication");
}

void InstallProtocol(bool active) {
    g_protocolInstalled = active;
}
bool IsProtocolInstalled() {
    return g_protocolInstalled;
}

void ProtocolAppend(const QString& text, unsigned char severity) {
    protocol().push_back(TProtocolEventItem{severity, text, 0});
}

const std::vector<TProtocolEventItem>& Protocol() {
    return protocol();
}
void ClearProtocol() {
    protocol().clear();
}
