#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TAdminLog;
struct TInstallationPaths;

struct TUserOptions {
    QString password;                 // empty: the digest of the empty password
    std::optional<QString> fullName;  // default: the user name
    QString tel, fax, email, text;
    double provision = 0;
    QStringList deniedRights;   // two-digit right codes ("02" save, "03" delete, ...)
    QStringList barredTenants;  // tenants the user may not open
    bool blocked = false;
    // Rewrites an existing user's section.
    bool force = false;
};

// Creates a user: the section in the protected "SYSDATB.INI", the user folders and the entry
// in the user list. Throws EAdminUsageError for bad names or values (nothing is created then)
// and EKwpError when the user exists or a write fails.
void AddUser(const TInstallationPaths& paths, const QString& name, const TUserOptions& options,
             const TAdminLog& log);
bool UserExists(const TInstallationPaths& paths, const QString& upperName);
// The user list of "SYSDATB.INI" (section "Listen", key "Benutzer").
QStringList ReadUserList(const TInstallationPaths& paths);

// Splits and checks a comma list of right codes (two digits each); throws EAdminUsageError.
QStringList ParseRightCodes(const QString& commaList);
// Splits and checks a comma list of tenant names; returns them upper case.
QStringList ParseTenantNames(const QString& commaList);
