#pragma once

#include <QString>

class TAdminLog;
struct TInstallationPaths;

// Fills ETC/BLZCODES.TDBD from the bank-code file of the German central bank; returns the
// number of banks taken. Throws EKwpError.
int ImportBankCodes(const TInstallationPaths& paths, const QString& fileName, const TAdminLog& log);
// Demo step: postcode files for D, A and CH and the sample bank codes.
bool InstallDemoLookups(const TInstallationPaths& paths, const TAdminLog& log);
