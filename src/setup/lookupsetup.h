#pragma once

#include <QByteArray>
#include <QString>

class TAdminLog;
struct TInstallationPaths;

// Fills ETC/BLZCODES.TDBD from the bank-code file of the German central bank; returns the
// number of banks taken. Throws EKwpError.
int ImportBankCodes(const TInstallationPaths& paths, const QString& fileName, const TAdminLog& log);
// The same for the file's content. Only lines with the feature flag 1 are taken; any bad line
// fails the whole import and leaves the database as it was. sourceName names the data in
// messages.
int ImportBankCodeData(const QByteArray& content, const QString& sourceName,
                       const QString& databaseFile, const TAdminLog& log);
// Demo step: postcode files for D, A and CH and the sample bank codes.
bool InstallDemoLookups(const TInstallationPaths& paths, const TAdminLog& log);
