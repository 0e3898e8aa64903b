#pragma once

#include <QDate>
#include <QString>
#include <optional>

// A date as typed in a German date field: "1.3.2026", "01.03.26", "1.3." and "1.3" (this year),
// "010326" and "01032026". Two-digit years are taken as Windows does: 00-29 are 2000-2029,
// 30-99 are 1930-1999. An empty text gives a null date; text that is no date gives nothing.
std::optional<QDate> ParseDateInput(const QString& text, const QDate& today);

// The suite's day number (days since 30.12.1899) of a date; 0 for a null date.
double DateToDayNumber(const QDate& date);
// The date of a day number; null for 0 and for values outside the calendar.
QDate DayNumberToDate(double dayNumber);
