#pragma once

#include <QByteArray>
#include <QString>

// The demo's sample of the central bank's bank-code file (Latin-1, CR LF): fictitious banks in
// real towns, branches included.
QByteArray DemoBankCodeFileContent();
// A delivered postcode file of the demo ("D", "A", "CH"): Latin-1 "code;town" lines, CR LF,
// ordered by code; empty for other countries.
QByteArray DemoZipCodeFileContent(const QString& country);
