#pragma once

#include <QDateTime>
#include <QString>

// Value conversions shared by the XML objects and the settings files.

// Line end of every XML and INI line the suite writes.
inline const QString CrLf = QStringLiteral("\r\n");

// ' name="value"' with the value escaped, for building XML elements.
QString XmlAttribute(const char* name, const QString& value);

// Escapes ' < > & CR LF and " as entities.
QString XmlEscape(const QString& text);
// Upper-cases, transliterates Ä Ö Ü ß to AE OE UE SS and escapes like XmlEscape, additionally
// the control characters 2 and 3 as "&#2;" and "&#3;".
QString XmlEscapeSearchKey(const QString& text);
// Upper-casing and the same transliteration, without escaping.
QString FoldUmlauts(const QString& text);

// Tolerant number reading: after trimming, every character except the digits 0-9, '-' and the
// decimal separator of QLocale() is dropped (thousands separators and foreign decimal marks are
// ignored, not interpreted); what remains is converted, the default is returned on failure.
double ToFloat(const QString& text, double defaultValue);
// Only the digits and '-' remain.
int ToInt(const QString& text, int defaultValue);
// Currency as an integer number of 1/10000 units (the suite's currency type). Read like ToFloat,
// exactly in decimal, rounded half to even to whole units.
qint64 ToCurrency(const QString& text, qint64 defaultValue);
// Empty gives the default; "0" is false, every other number true, TRUE/FALSE in any case.
bool ToBool(const QString& text, bool defaultValue);

// Writing: numbers in the process locale (shortest exact form), booleans as -1 / 0.
QString FloatToStr(double value);
QString BoolToXml(bool value);

// The suite's date-time: days since 30.12.1899 as double, the fraction the time of day.
double DateTimeToDayNumber(const QDateTime& dateTime);
QDateTime DayNumberToDateTime(double dayNumber);
