#pragma once

#include <QDateTime>
#include <QString>

// Value conversions shared by the XML objects and the settings files.

// Line end of every XML and INI line the suite writes.
inline const QString CrLf = QStringLiteral("\r\n");

// ' name="value"' with the value escaped, for building XML elements.
QString XmlAttribute(const char* name, const QString& value);

// Escapes ' < > & CR LF tab and " as entities. The result is always well-formed XML text: other
// control characters become blanks, lone surrogates and U+FFFE/U+FFFF become U+FFFD.
QString XmlEscape(const QString& text);
// Upper-cases, transliterates Ä Ö Ü ß to AE OE UE SS and escapes like XmlEscape, additionally
// the control characters 2 and 3 as "&#2;" and "&#3;".
QString XmlEscapeSearchKey(const QString& text);
// Upper-casing and the same transliteration, without escaping.
QString FoldUmlauts(const QString& text);

// Numbers in the suite's files have one format whatever the process locale: decimal comma,
// 15 significant digits, "1,5E-10" for very large and small values (FloatToStr). Readers
// also take the decimal point and thousands separators ("1.234,56", "1,234.56") and an
// exponent; a text that is not a number gives the default, never a different number.
double ToFloat(const QString& text, double defaultValue);
// Optional sign and digits only.
int ToInt(const QString& text, int defaultValue);
// Currency as an integer number of 1/10000 units (the suite's currency type). Read like ToFloat,
// exactly in decimal, rounded half to even to whole units.
qint64 ToCurrency(const QString& text, qint64 defaultValue);
// Empty gives the default; "0" is false, every other number true, TRUE/FALSE in any case.
bool ToBool(const QString& text, bool defaultValue);

// Writing: numbers in the suite's format (see above), booleans as -1 / 0.
QString FloatToStr(double value);
QString BoolToXml(bool value);

// The suite's date-time: days since 30.12.1899 as double, the fraction the time of day.
double DateTimeToDayNumber(const QDateTime& dateTime);
QDateTime DayNumberToDateTime(double dayNumber);
