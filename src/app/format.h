#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>

// Formats like the suite's format strings: %s, %d, %n (number with thousands separators and
// two decimals), %f, %.Nf / %.Nn (N decimals), %x and %%; numbers in the process locale.
// A directive without argument is left as it stands.
QString FormatStr(const QString& format, const QVariantList& args);

// Dates and times on screen and on paper, in the process locale. The short date format always
// has a four-digit year, as German Windows shows it ("10.03.2026", en_US "3/10/2026").
QString ShortDateFormat();
QString DateToStr(const QDate& date);
// The long time format without the time zone, which the suite never shows.
QString TimeToStr(const QTime& time);
QString DateTimeToStr(const QDateTime& dateTime);
