#include "app/dateinput.h"

#include <QStringList>

#include "app/conversions.h"

namespace {
bool allDigits(const QString& text) {
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

std::optional<int> fullYear(const QString& text, const QDate& today) {
    if (text.isEmpty()) return today.year();
    if (!allDigits(text)) return std::nullopt;
    const int year = text.toInt();
    if (text.size() <= 2) return year < 30 ? 2000 + year : 1900 + year;
    if (text.size() == 4) return year;
    return std::nullopt;
}
}  // namespace

std::optional<QDate> ParseDateInput(const QString& text, const QDate& today) {
    const QString input = text.trimmed();
    if (input.isEmpty()) return QDate();
    QString day, month, year;
    if (allDigits(input)) {
        if (input.size() != 6 && input.size() != 8) return std::nullopt;
        day = input.left(2);
        month = input.mid(2, 2);
        year = input.mid(4);
    } else {
        const QStringList parts = input.split(QLatin1Char('.'));
        if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
        day = parts.at(0).trimmed();
        month = parts.at(1).trimmed();
        year = parts.value(2).trimmed();
        if (day.isEmpty() || day.size() > 2 || month.isEmpty() || month.size() > 2 ||
            !allDigits(day) || !allDigits(month))
            return std::nullopt;
    }
    const std::optional<int> y = fullYear(year, today);
    if (!y) return std::nullopt;
    const QDate date(*y, month.toInt(), day.toInt());
    if (!date.isValid()) return std::nullopt;
    return date;
}

double DateToDayNumber(const QDate& date) {
    return date.isValid() ? DateTimeToDayNumber(QDateTime(date, QTime(0, 0))) : 0.0;
}

QDate DayNumberToDate(double dayNumber) {
    if (dayNumber == 0.0) return {};
    return DayNumberToDateTime(dayNumber).date();
}
