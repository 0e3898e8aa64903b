#pragma once

#include <QString>
#include <exception>
#include <typeinfo>
#include <vector>

class QObject;

// Severity of an error report or protocol entry.
enum TSeverity : unsigned char {
    sevFatal = 0,
    sevError = 1,
    sevWarning = 2,
    sevInformation = 3,
};

// Base of every exception the program raises itself; carries the (German) message.
class EKwpError : public std::exception {
public:
    explicit EKwpError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override;
    // Name shown as "class" in error reports.
    virtual QString className() const { return QStringLiteral("EKwpError"); }

private:
    QString m_message;
    mutable QByteArray m_what;
};

struct TProtocolEventItem {
    unsigned char Severity = 0;
    QString Text;
    quint16 Reserved = 0;
};

// A class name as written in the source ("TDBAdress").
QString DemangledTypeName(const std::type_info& type);

// Adds the exception, the sender and the program name to the message and shows it
// (or writes it to stderr in a console process).
void ReportError(unsigned char severity, const QString& message, const QObject* sender = nullptr,
                 const std::exception* error = nullptr);

// The details and full text ReportError uses; exposed for the console writer and tests.
QString ErrorReportText(const QString& message, const QObject* sender, const std::exception* error);

// Process-wide switch: when off, reports are neither shown nor written (protocol still fills).
void SetErrorReportingEnabled(bool enabled);
bool IsErrorReportingEnabled();

// Console processes write reports to stderr instead of showing a dialog. By default a process
// is a console process unless its application object is a QGuiApplication.
void SetConsoleProcess(bool console);
bool IsConsoleProcess();

// The protocol is inactive until a host program installs it.
void InstallProtocol(bool active);
bool IsProtocolInstalled();
void ProtocolAppend(const QString& text, unsigned char severity);
const std::vector<TProtocolEventItem>& Protocol();
void ClearProtocol();
