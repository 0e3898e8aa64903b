#include "app/conversions.h"

#include <QLocale>
#include <QTimeZone>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr qint64 kMsecsPerDay = 86400000;
// The suite's date range: 01.01.0001 .. 31.12.9999.
constexpr double kMinDayNumber = -693593.0;
constexpr double kMaxDayNumber = 2958466.0;

QDate dayNumberEpoch() {
    return QDate(1899, 12, 30);
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// XML 1.0 knows no C0 controls besides tab, CR and LF (not even as references). Pasted text
// brings them (the vertical tab is a word processor's line break); a blank keeps the words
// apart. Code units that are no characters become the replacement character.
QChar xmlCharacter(const QString& text, qsizetype i) {
    const QChar c = text.at(i);
    if (c.unicode() < 0x20) return QChar(u' ');
    if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) return QChar(QChar::ReplacementCharacter);
    if (c.isHighSurrogate() && !(i + 1 < text.size() && text.at(i + 1).isLowSurrogate()))
        return QChar(QChar::ReplacementCharacter);
    if (c.isLowSurrogate() && !(i > 0 && text.at(i - 1).isHighSurrogate()))
        return QChar(QChar::ReplacementCharacter);
    return c;
}

void appendEscaped(QString& out, const QString& text, qsizetype i) {
    const QChar c = text.at(i);
    switch (c.unicode()) {
        case u'\'':
            out += QLatin1String("&apos;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        case u'\n':
            out += QLatin1String("&#10;");
            break;
        case u'\t':
            // A literal tab would turn into a blank when read back from an attribute.
            out += QLatin1String("&#9;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += xmlCharacter(text, i);
    }
}

// A number text as digits, decimal point position and sign, or nothing when it is not a number.
// value = 0.digits * 10^pointPos, negated when negative.
struct DecimalText {
    bool negative = false;
    QString digits;
    qint64 pointPos = 0;
};

// Longer exponents are beyond every double and currency amount.
constexpr int kMaxExponentDigits = 5;

// Reads the suite's numbers whatever locale wrote them: "1234,5", "1234.5", "1,5E-10".
// A single "," or "." is the decimal mark. When both occur, the last one is the decimal mark
// and the other one groups thousands ("1.234,56" and "1,234.56" are 1234.56); a mark that
// occurs more than once groups thousands too ("1.234.567"). Groups must have three digits.
// Anything else (letters, blanks inside, currency signs, a second sign) is not a number.
std::optional<DecimalText> parseDecimal(const QString& text) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    DecimalText result;
    if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+')) result.negative = s.at(i++) == u'-';
    const qsizetype mantissaStart = i;
    while (i < s.size() && (isAsciiDigit(s.at(i)) || s.at(i) == u',' || s.at(i) == u'.')) ++i;
    const QStringView mantissa = QStringView(s).mid(mantissaStart, i - mantissaStart);
    qint64 exponent = 0;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+'))
            negativeExponent = s.at(i++) == u'-';
        const qsizetype digitsStart = i;
        while (i < s.size() && isAsciiDigit(s.at(i)))
            exponent = exponent * 10 + (s.at(i++).unicode() - u'0');
        const qsizetype count = i - digitsStart;
        if (count == 0 || count > kMaxExponentDigits) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    const qsizetype lastComma = mantissa.lastIndexOf(u',');
    const qsizetype lastPoint = mantissa.lastIndexOf(u'.');
    const qsizetype commas = mantissa.count(u',');
    const qsizetype points = mantissa.count(u'.');
    qsizetype decimalAt = -1;
    QChar group;
    if (commas > 0 && points > 0) {
        decimalAt = std::max(lastComma, lastPoint);
        group = decimalAt == lastComma ? QChar(u'.') : QChar(u',');
        if ((group == u'.' ? commas : points) > 1) return std::nullopt;
    } else if (commas == 1 || points == 1) {
        decimalAt = commas == 1 ? lastComma : lastPoint;
    } else if (commas > 1 || points > 1) {
        group = commas > 1 ? QChar(u',') : QChar(u'.');
    }
    const QStringView integerPart = decimalAt >= 0 ? mantissa.left(decimalAt) : mantissa;
    const QStringView fractionPart = decimalAt >= 0 ? mantissa.mid(decimalAt + 1) : QStringView();
    if (!group.isNull()) {
        const QList<QStringView> groups = integerPart.split(group);
        if (groups.first().isEmpty() || groups.first().size() > 3) return std::nullopt;
        for (qsizetype g = 1; g < groups.size(); ++g)
            if (groups.at(g).size() != 3) return std::nullopt;
    }
    for (const QChar c : integerPart)
        if (c != group) result.digits += c;
    result.pointPos = result.digits.size();
    result.digits += fractionPart;
    if (result.digits.isEmpty()) return std::nullopt;
    // The digits are plain ASCII now; drop leading zeros so pointPos counts significant places.
    qsizetype zeros = 0;
    while (zeros < result.digits.size() - 1 && result.digits.at(zeros) == u'0') ++zeros;
    result.digits.remove(0, zeros);
    result.pointPos += exponent - zeros;
    return result;
}

}  // namespace

QString XmlEscape(const QString& text) {
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) appendEscaped(result, text, i);
    return result;
}

QString FoldUmlauts(const QString& text) {
    const QString upper = text.toUpper();
    QString result;
    result.reserve(upper.size() + 4);
    for (const QChar c : upper) {
        switch (c.unicode()) {
            case u'Ä':
                result += QLatin1String("AE");
                break;
            case u'Ö':
                result += QLatin1String("OE");
                break;
            case u'Ü':
                result += QLatin1String("UE");
                break;
            case u'ß':
            case u'ẞ':
                result += QLatin1String("SS");
                break;
            default:
                result += c;
        }
    }
    return result;
}

QString XmlEscapeSearchKey(const QString& text) {
    const QString folded = FoldUmlauts(text);
    QString result;
    result.reserve(folded.size() + folded.size() / 8);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t c = folded.at(i).unicode();
        if (c == 2)
            result += QLatin1String("&#2;");
        else if (c == 3)
            result += QLatin1String("&#3;");
        else
            appendEscaped(result, folded, i);
    }
    return result;
}

double ToFloat(const QString& text, double defaultValue) {
    const std::optional<DecimalText> number = parseDecimal(text);
    if (!number) return defaultValue;
    const QByteArray plain =
        "0." + number->digits.toLatin1() + 'e' + QByteArray::number(number->pointPos);
    double value = 0;
    const auto [end, error] =
        std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (error != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(value))
        return defaultValue;
    return number->negative ? -value : value;
}

int ToInt(const QString& text, int defaultValue) {
    const QString trimmed = text.trimmed();
    const qsizetype start = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    if (trimmed.size() == start) return defaultValue;
    for (qsizetype i = start; i < trimmed.size(); ++i)
        if (!isAsciiDigit(trimmed.at(i))) return defaultValue;
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

qint64 ToCurrency(const QString& text, qint64 defaultValue) {
    const std::optional<DecimalText> number = parseDecimal(text);
    if (!number) return defaultValue;
    if (number->digits == QLatin1String("0")) return 0;
    // Exact decimal arithmetic: binary doubles would turn 0,1 into 0,09999...
    // units = the digits in front of the fourth decimal place, rest = the ones behind it.
    const qint64 unitDigits = number->pointPos + 4;
    if (unitDigits > 20) return defaultValue;
    QString unitsText;
    QString rest;
    if (unitDigits <= 0) {
        // A leading zero of the rest is enough to round down.
        rest = (unitDigits < 0 ? QStringLiteral("0") : QString()) + number->digits;
    } else {
        unitsText = number->digits.left(unitDigits).leftJustified(unitDigits, u'0');
        rest = number->digits.mid(unitDigits);
    }
    quint64 units = 0;
    for (const QChar c : unitsText) {
        if (__builtin_mul_overflow(units, quint64(10), &units) ||
            __builtin_add_overflow(units, quint64(c.unicode() - u'0'), &units)) {
            return defaultValue;
        }
    }
    if (!rest.isEmpty()) {
        const int first = rest.front().unicode() - u'0';
        bool moreThanHalf = first > 5;
        if (first == 5) {
            for (qsizetype i = 1; i < rest.size() && !moreThanHalf; ++i)
                moreThanHalf = rest.at(i) != u'0';
        }
        const bool exactHalf = first == 5 && !moreThanHalf;
        if (moreThanHalf || (exactHalf && (units % 2) == 1)) {
            if (__builtin_add_overflow(units, quint64(1), &units)) return defaultValue;
        }
    }
    constexpr quint64 maxPositive = quint64(std::numeric_limits<qint64>::max());
    if (number->negative) {
        if (units > maxPositive + 1) return defaultValue;
        return units == maxPositive + 1 ? std::numeric_limits<qint64>::min() : -qint64(units);
    }
    if (units > maxPositive) return defaultValue;
    return qint64(units);
}

bool ToBool(const QString& text, bool defaultValue) {
    if (text.isEmpty()) return defaultValue;
    const std::optional<DecimalText> number = parseDecimal(text);
    if (number) return number->digits != QLatin1String("0");
    const QString word = text.trimmed().toUpper();
    if (word == QLatin1String("TRUE")) return true;
    if (word == QLatin1String("FALSE")) return false;
    return defaultValue;
}

QString FloatToStr(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0) return QStringLiteral("0");
    // 15 significant digits, then the suite's general format: fixed while there are at most
    // 15 places in front of the mark and the value is at least 0,00001, else "1,5E-10".
    const QString scientific = QLocale::c().toString(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0')) digits.chop(1);
    const int exponent = scientific.mid(e + 1).toInt();
    QString result = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -5) {
        result += digits.left(1);
        if (digits.size() > 1) result += u',' + digits.mid(1);
        result += u'E' + QString::number(exponent);
    } else if (exponent >= 0) {
        const QString whole = digits.left(exponent + 1).leftJustified(exponent + 1, u'0');
        result += whole;
        if (digits.size() > exponent + 1) result += u',' + digits.mid(exponent + 1);
    } else {
        result += QStringLiteral("0,") + QString(-exponent - 1, u'0') + digits;
    }
    return result;
}

QString BoolToXml(bool value) {
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

double DateTimeToDayNumber(const QDateTime& dateTime) {
    if (!dateTime.isValid()) return 0.0;
    const QDateTime local = dateTime.toLocalTime();
    const double days = double(dayNumberEpoch().daysTo(local.date()));
    const double fraction = double(local.time().msecsSinceStartOfDay()) / double(kMsecsPerDay);
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 29.12. 06:00.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime DayNumberToDateTime(double dayNumber) {
    if (!std::isfinite(dayNumber) || dayNumber <= kMinDayNumber - 1.0 ||
        dayNumber >= kMaxDayNumber) {
        return {};
    }
    qint64 days = qint64(std::trunc(dayNumber));
    qint64 msecs = std::llround(std::fabs(dayNumber - double(days)) * double(kMsecsPerDay));
    if (msecs >= kMsecsPerDay) {
        msecs -= kMsecsPerDay;
        ++days;
    }
    const QDate date = dayNumberEpoch().addDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(msecs));
    QDateTime result(date, time, Qt::LocalTime);
    if (result.isValid()) return result;
    // The wall-clock time falls into a daylight-saving gap: move it forward by the gap, using
    // the offset that was in force before the switch.
    const QDateTime dayBefore(date.addDays(-1), time, Qt::LocalTime);
    if (dayBefore.isValid()) {
        return QDateTime(date, time, QTimeZone(dayBefore.offsetFromUtc())).toLocalTime();
    }
    return date.startOfDay(Qt::LocalTime).addMSecs(msecs);
}

QString XmlAttribute(const char* name, const QString& value) {
    return u' ' + QLatin1String(name) + QStringLiteral("=\"") + XmlEscape(value) + u'"';
}
