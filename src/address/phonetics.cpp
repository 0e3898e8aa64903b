#include "address/phonetics.h"

#include <QByteArray>

namespace {

// The letters A to Z of the text in the 8-bit code page, upper case, with umlauts and other
// accented letters as their base letter and ß as S.
QByteArray PlainLetters(const QString& text) {
    // Base letters of the code page's characters from U+00C0 ('\0': none).
    static const char kLatin1[] =
        "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUY\0S"
        "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUY\0Y";
    QByteArray letters;
    letters.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        char letter = '\0';
        if (u >= 'a' && u <= 'z')
            letter = char(u - 'a' + 'A');
        else if (u >= 'A' && u <= 'Z')
            letter = char(u);
        else if (u >= 0xC0 && u <= 0xFF)
            letter = kLatin1[u - 0xC0];
        if (letter) letters += letter;
    }
    return letters;
}

bool OneOf(char c, const char* set) {
    for (; *set; ++set)
        if (c == *set) return true;
    return false;
}

}  // namespace

QString TPhonetics::KoelnerPhonetik(const QString& text) {
    const QByteArray s = PlainLetters(text);
    QByteArray raw;
    for (int i = 0; i < s.size(); ++i) {
        const char c = s.at(i);
        const char prev = i > 0 ? s.at(i - 1) : '\0';
        const char next = i + 1 < s.size() ? s.at(i + 1) : '\0';
        if (OneOf(c, "AEIJOUY")) {
            raw += '0';
        } else if (c == 'H') {
            // no code
        } else if (c == 'B') {
            raw += '1';
        } else if (c == 'P') {
            raw += next == 'H' ? '3' : '1';
        } else if (c == 'D' || c == 'T') {
            raw += OneOf(next, "CSZ") && next ? '8' : '2';
        } else if (OneOf(c, "FVW")) {
            raw += '3';
        } else if (OneOf(c, "GKQ")) {
            raw += '4';
        } else if (c == 'C') {
            const bool hard = i == 0 ? next && OneOf(next, "AHKLOQRUX")
                                     : next && OneOf(next, "AHKOQUX") && !OneOf(prev, "SZ");
            raw += hard ? '4' : '8';
        } else if (c == 'X') {
            raw += prev && OneOf(prev, "CKQ") ? "8" : "48";
        } else if (c == 'L') {
            raw += '5';
        } else if (c == 'M' || c == 'N') {
            raw += '6';
        } else if (c == 'R') {
            raw += '7';
        } else if (c == 'S' || c == 'Z') {
            raw += '8';
        }
    }
    QString code;
    for (int i = 0; i < raw.size(); ++i) {
        const char digit = raw.at(i);
        if (i > 0 && digit == raw.at(i - 1)) continue;
        if (digit == '0' && i > 0) continue;
        code += QLatin1Char(digit);
    }
    return code;
}

QString TPhonetics::Soundex(const QString& text, int length) {
    const QByteArray s = PlainLetters(text);
    if (s.isEmpty() || length <= 0) return {};
    // Codes of A..Z; '0' for the vowels and Y, '-' for H and W.
    static const char kCodes[] = "0123012-02245501262301-202";
    QString code(QLatin1Char(s.at(0)));
    char last = kCodes[s.at(0) - 'A'];
    for (int i = 1; i < s.size() && code.size() < length; ++i) {
        const char digit = kCodes[s.at(i) - 'A'];
        if (digit == '-') continue;  // H and W keep the code before them
        if (digit != '0' && digit != last) code += QLatin1Char(digit);
        last = digit;
    }
    return code.leftJustified(length, QLatin1Char('0'), true);
}
