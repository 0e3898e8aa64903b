#pragma once

#include <QByteArray>

class TAdminLog;
struct TInstallationPaths;

// Creates the installation tree and the suite's settings files that are missing. Existing
// files are never touched, so running it again changes nothing. Throws EKwpError.
void InitInstallation(const TInstallationPaths& paths, const TAdminLog& log);

// Content of the suite's country list "ISO_COUNTRYCODES.DAT": Latin-1 text, one country a
// line, TAB-separated German name, code used on addresses, ISO 3166 two-letter code.
QByteArray CountryCodesFileContent();
