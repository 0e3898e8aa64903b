#pragma once

#include <QString>
#include <QStringList>

class TAdminLog;
struct TInstallationPaths;

// The address folder of an existing tenant, where its address table and "CONFIG.XML" live
// (composed from "A1" of the tenant's "SYSDATA.INI" like the address manager does). Throws
// EAdminUsageError for an invalid name, EKwpError when the tenant does not exist.
QString TenantAddressDir(const TInstallationPaths& paths, const QString& tenant);

// Writes every address of the tenant as an "<adressen>" list; returns the number written.
// Throws EKwpError.
int ExportAddresses(const TInstallationPaths& paths, const QString& tenant, const QString& fileName,
                    const TAdminLog& log);
// Reads an "<adressen>" list into the tenant's address table under the table lock, all or
// nothing. Existing numbers are kept (and reported as skipped) unless replace is set.
// Returns the number of addresses written. Throws EKwpError.
int ImportAddresses(const TInstallationPaths& paths, const QString& tenant, const QString& fileName,
                    bool replace, const TAdminLog& log);

// Writes the tenant's addresses (only the given numbers, in that order, when there are any)
// as vCards of version 3 or 4; returns the number written. Throws EKwpError, also for a
// number that does not exist.
int ExportAddressVCards(const TInstallationPaths& paths, const QString& tenant,
                        const QString& fileName, int version, const QStringList& numbers,
                        const TAdminLog& log);
// Reads every card of a vCard file as a new address, numbered like a new address of the
// address manager (the first number range of "CONFIG.XML", else after the last number), all
// or nothing. Returns the number of addresses written. Throws EKwpError.
int ImportAddressVCards(const TInstallationPaths& paths, const QString& tenant,
                        const QString& fileName, const TAdminLog& log);
// Writes every address of the tenant as a CSV table; returns the number of rows.
int ExportAddressCsv(const TInstallationPaths& paths, const QString& tenant,
                     const QString& fileName, const TAdminLog& log);
