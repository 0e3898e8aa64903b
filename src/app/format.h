#pragma once

#include <QString>
#include <QVariantList>

// Formats like the suite's format strings: %s, %d, %n (number with thousands separators and
// two decimals), %f, %.Nf / %.Nn (N decimals), %x and %%; numbers in the process locale.
// A directive without argument is left as it stands.
QString FormatStr(const QString& format, const QVariantList& args);
