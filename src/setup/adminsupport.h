#pragma once

#include <QString>
#include <QStringList>

#include "app/errorreport.h"

class QTextStream;

// Wrong use of the command line or an invalid argument value; the tool exits with code 2.
class EAdminUsageError : public EKwpError {
public:
    using EKwpError::EKwpError;
    QString className() const override { return QStringLiteral("EAdminUsageError"); }
};

// Progress lines go to out, warnings to err; a missing stream keeps that kind silent.
class TAdminLog {
public:
    TAdminLog() = default;
    TAdminLog(QTextStream* out, QTextStream* err) : m_out(out), m_err(err) {}

    void info(const QString& text) const;
    void warning(const QString& text) const;
    int infoCount() const { return m_infos; }
    int warningCount() const { return m_warnings; }

private:
    QTextStream* m_out = nullptr;
    QTextStream* m_err = nullptr;
    mutable int m_infos = 0;
    mutable int m_warnings = 0;
};

// Folders and files of one installation; every folder ends with '/'. The root is kept as
// given (made absolute), the folders below it are upper case like the suite composes them.
struct TInstallationPaths {
    // Throws EAdminUsageError for an empty root.
    explicit TInstallationPaths(const QString& rootArgument);

    QString root, bin, etc, tmp, log, data, usr, allUsers, hlp, rsc;

    QString applicationIni() const { return etc + QStringLiteral("APPLICATION.INI"); }
    QString sysdatbIni() const { return etc + QStringLiteral("SYSDATB.INI"); }
    QString countryCodes() const { return etc + QStringLiteral("ISO_COUNTRYCODES.DAT"); }
    // Tenant and user names must have been validated (upper case).
    QString tenantDir(const QString& tenant) const { return data + tenant + QLatin1Char('/'); }
    QString tenantEtcDir(const QString& tenant) const {
        return tenantDir(tenant) + QStringLiteral("ETC/");
    }
    QString sysdataIni(const QString& tenant) const {
        return tenantEtcDir(tenant) + QStringLiteral("SYSDATA.INI");
    }
    QString userDir(const QString& user) const { return usr + user + QLatin1Char('/'); }

    // Every folder of the installation, in the order init creates them.
    QStringList folders() const;
    bool isInitialised() const;
    // Throws EKwpError when the installation has not been set up with init.
    void requireInitialised() const;
};

// Tenant and user names become folder names and INI sections: letters, digits, '_' and '-'
// (not first), 1 to 32 characters, no device names. Returns the upper-case name; throws
// EAdminUsageError.
QString ValidatedTenantName(const QString& name);
QString ValidatedUserName(const QString& name);

// The suite's comma text: items separated by commas (or blanks), quoted when they contain
// a blank, comma or quote.
QStringList ParseCommaText(const QString& text);
QString ToCommaText(const QStringList& items);

// A decimal number with '.' or ',' as separator; throws EAdminUsageError naming the option.
double ParseDecimal(const QString& text, const QString& what);
int ParseInteger(const QString& text, const QString& what);
bool ParseBoolean(const QString& text, const QString& what);

// Creates the folder with its parents; logs it when it was created. Throws EKwpError.
void EnsureDir(const QString& path, const TAdminLog& log);
// True when path lies in dir or is dir itself (both absolute, cleaned comparison).
bool IsInsideDir(const QString& path, const QString& dir);
