#include "ui/addressnumbers.h"

QString IncrementNumber(const QString& text, int width) {
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1).isDigit() && text.at(start - 1).unicode() < 128) --start;
    const QString digits = text.mid(start);
    if (width == 0) width = digits.isEmpty() ? 4 : int(digits.size());
    // Digits beyond a 64-bit number stay as they are counted from zero.
    const quint64 value = digits.isEmpty() ? 0 : digits.toULongLong();
    return text.left(start) + QString::number(value + 1).rightJustified(width, QLatin1Char('0'));
}

QString ProposeNumber(const QString& lastNumber, const QString& prefix, bool withRanges) {
    const bool endsInDigit = !lastNumber.isEmpty() && lastNumber.back().isDigit();
    if (!withRanges) return endsInDigit ? IncrementNumber(lastNumber) : QString();
    if (lastNumber.isEmpty()) return IncrementNumber(prefix);
    return endsInDigit ? IncrementNumber(lastNumber) : prefix;
}

int ChooserIndex(QChar key) {
    const char16_t c = QChar(key).toLower().unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return 10 + (c - u'a');
    return -1;
}
