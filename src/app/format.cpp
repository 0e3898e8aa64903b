#include "app/format.h"

#include <QLocale>

namespace {
QString formatOne(QChar type, int precision, const QVariant& arg) {
    const QLocale locale;
    switch (type.toLower().unicode()) {
        case 's':
            return arg.toString();
        case 'd':
        case 'u': {
            QString digits = QString::number(qAbs(arg.toLongLong()));
            if (precision > digits.size())
                digits = QString(precision - digits.size(), u'0') + digits;
            return arg.toLongLong() < 0 ? QLatin1Char('-') + digits : digits;
        }
        case 'x': {
            QString digits = QString::number(arg.toULongLong(), 16).toUpper();
            if (precision > digits.size())
                digits = QString(precision - digits.size(), u'0') + digits;
            return digits;
        }
        case 'f': {
            QLocale plain = locale;
            plain.setNumberOptions(QLocale::OmitGroupSeparator);
            return plain.toString(arg.toDouble(), 'f', precision < 0 ? 2 : precision);
        }
        case 'n': {
            QLocale grouped = locale;
            grouped.setNumberOptions(QLocale::DefaultNumberOptions);
            return grouped.toString(arg.toDouble(), 'f', precision < 0 ? 2 : precision);
        }
        case 'e':
            return locale.toString(arg.toDouble(), 'E', precision < 0 ? 15 : precision - 1);
        case 'g':
            return locale.toString(arg.toDouble(), 'g', precision < 0 ? 15 : precision);
        default:
            return {};
    }
}
}  // namespace

QString FormatStr(const QString& format, const QVariantList& args) {
    QString result;
    result.reserve(format.size() + 16 * args.size());
    int argIndex = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%') {
            result += c;
            continue;
        }
        if (i + 1 < format.size() && format.at(i + 1) == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        // %[-][width][.precision]type
        qsizetype j = i + 1;
        const bool leftAlign = j < format.size() && format.at(j) == u'-';
        if (leftAlign) ++j;
        int width = 0;
        while (j < format.size() && format.at(j).isDigit())
            width = width * 10 + format.at(j++).digitValue();
        int precision = -1;
        if (j < format.size() && format.at(j) == u'.') {
            precision = 0;
            ++j;
            while (j < format.size() && format.at(j).isDigit())
                precision = precision * 10 + format.at(j++).digitValue();
        }
        if (j >= format.size() || !QStringLiteral("sdunfegxSDUNFEGX").contains(format.at(j)) ||
            argIndex >= args.size()) {
            result += c;
            continue;
        }
        QString piece = formatOne(format.at(j), precision, args.at(argIndex++));
        if (format.at(j).toLower() == u's' && precision >= 0) piece.truncate(precision);
        if (piece.size() < width) {
            const QString pad(width - piece.size(), u' ');
            piece = leftAlign ? piece + pad : pad + piece;
        }
        result += piece;
        i = j;
    }
    return result;
}

QString ShortDateFormat() {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    QString result;
    result.reserve(format.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') quoted = !quoted;
        if (quoted || c != u'y') {
            result += c;
            continue;
        }
        while (i + 1 < format.size() && format.at(i + 1) == u'y') ++i;
        result += QStringLiteral("yyyy");
    }
    return result;
}

QString DateToStr(const QDate& date) {
    return QLocale().toString(date, ShortDateFormat());
}

QString TimeToStr(const QTime& time) {
    const QLocale locale;
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.trimmed());
}

QString DateTimeToStr(const QDateTime& dateTime) {
    return DateToStr(dateTime.date()) + QLatin1Char(' ') + TimeToStr(dateTime.time());
}
