#include "app/conversions.h"

#include <QLocale>
#include <QTimeZone>
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

void appendEscaped(QString& out, QChar c) {
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
        case u'"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
    }
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A number text reduced to "-?digits.digits", or nothing when it is not a number.
struct DecimalText {
    bool negative = false;
    QString integerDigits;
    QString fractionDigits;
};

std::optional<DecimalText> parseDecimal(const QString& text) {
    const QString trimmed = text.trimmed();
    const QString separator = QLocale().decimalPoint();
    DecimalText result;
    bool seenSeparator = false;
    bool seenDigit = false;
    bool seenAnything = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (isAsciiDigit(c)) {
            (seenSeparator ? result.fractionDigits : result.integerDigits) += c;
            seenDigit = true;
            seenAnything = true;
        } else if (c == u'-') {
            // A sign is only valid in front of everything else.
            if (seenAnything) return std::nullopt;
            result.negative = true;
            seenAnything = true;
        } else if (!separator.isEmpty() && QStringView(trimmed).mid(i).startsWith(separator)) {
            if (seenSeparator) return std::nullopt;
            seenSeparator = true;
            seenAnything = true;
            i += separator.size() - 1;
        }
        // everything else (group separators, currency signs, foreign marks) is dropped
    }
    if (!seenDigit) return std::nullopt;
    return result;
}

}  // namespace

QString XmlEscape(const QString& text) {
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) appendEscaped(result, c);
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
    for (const QChar c : folded) {
        if (c.unicode() == 2)
            result += QLatin1String("&#2;");
        else if (c.unicode() == 3)
            result += QLatin1String("&#3;");
        else
            appendEscaped(result, c);
    }
    return result;
}

double ToFloat(const QString& text, double defaultValue) {
    const std::optional<DecimalText> number = parseDecimal(text);
    if (!number) return defaultValue;
    const QString plain = (number->negative ? QStringLiteral("-") : QString()) +
                          number->integerDigits + u'.' + number->fractionDigits;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    return ok && std::isfinite(value) ? value : defaultValue;
}

int ToInt(const QString& text, int defaultValue) {
    QString plain;
    for (const QChar c : text) {
        if (isAsciiDigit(c) || c == u'-') plain += c;
    }
    bool ok = false;
    const int value = plain.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

qint64 ToCurrency(const QString& text, qint64 defaultValue) {
    const std::optional<DecimalText> number = parseDecimal(text);
    if (!number) return defaultValue;
    // Exact decimal arithmetic: binary doubles would turn 0,1 into 0,09999...
    const QString fraction = number->fractionDigits.leftJustified(4, u'0');
    const QString unitsText = number->integerDigits + fraction.left(4);
    quint64 units = 0;
    for (const QChar c : unitsText) {
        if (__builtin_mul_overflow(units, quint64(10), &units) ||
            __builtin_add_overflow(units, quint64(c.unicode() - u'0'), &units)) {
            return defaultValue;
        }
    }
    const QStringView rest = QStringView(fraction).mid(4);
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
    const QString upper = text.toUpper();
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = locale.toDouble(upper, &ok);
    if (ok) return number != 0.0;
    const QString word = upper.trimmed();
    if (word == QLatin1String("TRUE")) return true;
    if (word == QLatin1String("FALSE")) return false;
    return defaultValue;
}

QString FloatToStr(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0) return QStringLiteral("0");
    // Fixed notation with ASCII digits and '-': ToFloat keeps only those, so an exponent or
    // locale-specific digits would not survive a round trip.
    QString result = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = result.indexOf(u'.');
    if (point >= 0) result.replace(point, 1, QLocale().decimalPoint());
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
