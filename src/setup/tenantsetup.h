#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class TAdminLog;
struct TInstallationPaths;

struct TTenantOptions {
    // "Key" (a key of section "System") or "Section.Key", with its value; the last one wins.
    QList<QPair<QString, QString>> overrides;
    // Rewrites the settings of an existing tenant (its other keys stay).
    bool force = false;
};

// Creates a tenant: its folders, its protected "SYSDATA.INI" with every setting the suite
// reads, and its entry in the tenant list. Throws EAdminUsageError for bad names or values
// (nothing is created then) and EKwpError when the tenant exists or a write fails.
void AddTenant(const TInstallationPaths& paths, const QString& name, const TTenantOptions& options,
               const TAdminLog& log);
bool TenantExists(const TInstallationPaths& paths, const QString& upperName);
// The tenant list of "SYSDATB.INI" (section "Listen", key "Mandanten").
QStringList ReadTenantList(const TInstallationPaths& paths);

// The settings a tenant gets, one line per key with its default, for the help text.
QString TenantSettingsHelp();
