#include "labels/barcodesymbologies.h"

#include <array>
#include <cstring>

#include "app/format.h"
#include "app/translation.h"

namespace {

const QString bcClassName = QStringLiteral("TBarcode");

[[noreturn]] void bcRaiseBadData(const char* format, const QByteArray& text) {
    throw EBarcodeError(FormatStr(_(format), {bcClassName, QString::fromLatin1(text)}));
}

[[noreturn]] void bcRaiseTooLong(int maxDigits) {
    throw EBarcodeError(FormatStr(_("Barcode darf höchstens %d Ziffern haben."), {maxDigits}));
}

// A scanner refuses an EAN/UPC symbol whose last digit is not its check digit.
void bcVerifyCheckDigit(const QByteArray& text, char given, int right) {
    if (given - '0' == right) return;
    throw EBarcodeError(FormatStr(_("Barcode %s hat eine falsche Prüfziffer, richtig wäre %d."),
                                  {QString::fromLatin1(text), right}));
}

// Wide/narrow flags ('1' wide) of alternating elements as pattern.
QByteArray bcWideNarrow(const char* flags, bool startWithBar = true) {
    QByteArray result;
    bool bar = startWithBar;
    for (const char* p = flags; *p; ++p, bar = !bar) {
        const char width = *p == '1' ? 1 : 0;
        result.append(char((bar ? '5' : '0') + width));
    }
    return result;
}

// Module counts (1-4) of alternating elements as pattern.
QByteArray bcModules(const char* counts, bool startWithBar) {
    QByteArray result;
    bool bar = startWithBar;
    for (const char* p = counts; *p; ++p, bar = !bar)
        result.append(char((bar ? '5' : '0') + (*p - '1')));
    return result;
}

// 2 of 5 patterns shared by the 2-of-5 codes (wide flags of five elements).
constexpr std::array<const char*, 10> bc25Table = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

// Code 39: 0-9, A-Z, - . space $ / + % (value = index), then the start/stop character.
constexpr char bcCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr std::array<const char*, 44> bcCode39Table = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010", "010010100",
};

int bcCode39Value(char c) {
    // Lower-case letters are read as capitals, so "abc" still makes a symbol.
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    for (int i = 0; i < 43; ++i)
        if (bcCode39Chars[i] == c) return i;
    return -1;
}

// Full-ASCII sequences of the characters 0-127 shared by Code 39 and Code 93; the first
// character of a two-character sequence is the shift ($ % / +).
QByteArray bcFullAsciiSequence(unsigned char c) {
    if (c == 0) return "%U";
    if (c <= 26) return QByteArray("$") + char('A' + c - 1);
    if (c <= 31) return QByteArray("%") + char('A' + c - 27);
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return QByteArray(1, char(c));
    if (c >= '!' && c <= ',') return QByteArray("/") + char('A' + c - '!');
    if (c == '/') return "/O";
    if (c == ':') return "/Z";
    if (c >= ';' && c <= '?') return QByteArray("%") + char('F' + c - ';');
    if (c == '@') return "%V";
    if (c >= '[' && c <= '_') return QByteArray("%") + char('K' + c - '[');
    if (c == '`') return "%W";
    if (c >= 'a' && c <= 'z') return QByteArray("+") + char('A' + c - 'a');
    return QByteArray("%") + char('P' + c - '{');  // { | } ~ DEL
}

// Code 128 values 0-106 as module counts (106 is the stop with its termination bar).
constexpr std::array<const char*, 107> bcCode128Table = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};
constexpr int bc128Fnc1 = 102;
constexpr int bc128StartA = 103;
constexpr int bc128Stop = 106;

// Code 93 values 0-46 as module counts; 43-46 are the shifts ($) (%) (/) (+).
constexpr char bcCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::array<const char*, 47> bcCode93Table = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};
constexpr int bc93ShiftDollar = 43;

int bcCode93Value(char c) {
    for (int i = 0; i < 43; ++i)
        if (bcCode93Chars[i] == c) return i;
    return -1;
}

// Four bits of a digit, most significant first.
constexpr std::array<const char*, 10> bcMsiTable = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111", "1000", "1001",
};

// POSTNET: '1' a full bar, '0' a short one.
constexpr std::array<const char*, 10> bcPostnetTable = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

constexpr char bcCodabarChars[] = "0123456789-$:/.+ABCD";
constexpr std::array<const char*, 20> bcCodabarTable = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001",
    "0100100", "0110000", "1001000", "0001100", "0011000", "1000101", "1010001",
    "1010100", "0010101", "0011010", "0101001", "0001011", "0001110",
};

// EAN/UPC left-hand odd set as module counts, starting with a space. The even set is the odd
// set mirrored; the right-hand set has the odd set's widths starting with a bar.
constexpr std::array<const char*, 10> bcEanOdd = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112",
};

QByteArray bcEanDigit(char digit, char set) {
    const char* odd = bcEanOdd[size_t(digit - '0')];
    if (set == 'R') return bcModules(odd, true);
    if (set == 'O') return bcModules(odd, false);
    const char even[5] = {odd[3], odd[2], odd[1], odd[0], 0};
    return bcModules(even, false);
}

// Parity of EAN-13 digits 2-7 by the first digit.
constexpr std::array<const char*, 10> bcEan13Parity = {
    "OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
    "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO",
};
// Parity of UPC-E digits (number system 0) by the check digit.
constexpr std::array<const char*, 10> bcUpcEParity = {
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
    "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE",
};
// Parity of the 5-digit add-on by its checksum.
constexpr std::array<const char*, 10> bcSupp5Parity = {
    "EEOOO", "EOEOO", "EOOEO", "EOOOE", "OEEOO", "OOEEO", "OOOEE", "OEOEO", "OEOOE", "OOEOE",
};

// Pads to the symbol's length; with a check digit the last digit is computed, else it must
// be right.
QByteArray bcEanDigits(const QByteArray& digits, int length, bool addCheckDigit, int method) {
    if (digits.size() > length) bcRaiseTooLong(length);
    if (!addCheckDigit || method == 0) {
        const QByteArray data = digits.rightJustified(length, '0');
        bcVerifyCheckDigit(digits, data.back(), BcCheckDigitMod10(data.left(length - 1)));
        return data;
    }
    const QByteArray data = digits.left(length - 1).rightJustified(length - 1, '0');
    return data + char('0' + BcCheckDigitMod10(data));
}

}  // namespace

int BcCheckDigitMod10(const QByteArray& digits) {
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const char c = digits.at(i);
        if (c < '0' || c > '9') continue;
        sum += (c - '0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

QByteArray BcAppendCheckDigit(const QByteArray& text, int method) {
    if (method != 1) return text;
    return text + char('0' + BcCheckDigitMod10(text));
}

QByteArray BcModulesToPattern(const char* moduleCounts) {
    return bcModules(moduleCounts, true);
}

QByteArray BcEncodeInterleaved25(const QByteArray& digits) {
    // Pairs need an even count; a leading zero keeps the value.
    const QByteArray data = digits.size() % 2 ? "0" + digits : digits;
    QByteArray result = "5050";
    for (qsizetype i = 0; i < data.size(); i += 2) {
        const char* bars = bc25Table[size_t(data.at(i) - '0')];
        const char* spaces = bc25Table[size_t(data.at(i + 1) - '0')];
        for (int k = 0; k < 5; ++k) {
            result.append(char('5' + (bars[k] - '0')));
            result.append(char('0' + (spaces[k] - '0')));
        }
    }
    return result + "605";
}

QByteArray BcEncodeIndustrial25(const QByteArray& digits) {
    // Only the bars carry data; every bar is followed by a narrow space.
    QByteArray result = "606050";
    for (const char c : digits) {
        for (const char* p = bc25Table[size_t(c - '0')]; *p; ++p) {
            result.append(*p == '1' ? '6' : '5');
            result.append('0');
        }
    }
    return result + "60506";
}

QByteArray BcEncodeMatrix25(const QByteArray& digits) {
    QByteArray result = "605050";
    for (const char c : digits) result += bcWideNarrow(bc25Table[size_t(c - '0')]) + "0";
    return result + "60505";
}

char BcCode39CheckChar(const QByteArray& text) {
    int sum = 0;
    for (const char c : text) {
        const int value = bcCode39Value(c);
        if (value >= 0) sum += value;
    }
    return bcCode39Chars[sum % 43];
}

QByteArray BcEncodeCode39(const QByteArray& text, bool addCheckDigit) {
    const QByteArray star = bcWideNarrow(bcCode39Table[43]);
    QByteArray result = star + "0";
    for (const char c : text) {
        const int value = bcCode39Value(c);
        if (value >= 0) result += bcWideNarrow(bcCode39Table[size_t(value)]) + "0";
    }
    if (addCheckDigit)
        result += bcWideNarrow(bcCode39Table[size_t(bcCode39Value(BcCode39CheckChar(text)))]) + "0";
    return result + star;
}

QByteArray BcCode39FullAscii(const QByteArray& text) {
    QByteArray result;
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 128) result += bcFullAsciiSequence(c);
    return result;
}

QByteArray BcEncodeCode128(const QByteArray& text, TBcCode128Set codeSet, bool gs1) {
    QList<int> values{bc128StartA + codeSet};
    if (gs1) values.append(bc128Fnc1);
    if (codeSet == bc128SetC) {
        const QByteArray digits = text.size() % 2 ? "0" + text : text;
        for (qsizetype i = 0; i < digits.size(); i += 2) {
            const char hi = digits.at(i), lo = digits.at(i + 1);
            if (hi < '0' || hi > '9' || lo < '0' || lo > '9')
                bcRaiseBadData(N_("%s:Code128 fehlerhafte Daten <%s>"), text);
            values.append((hi - '0') * 10 + (lo - '0'));
        }
    } else {
        for (const char ch : text) {
            const int c = static_cast<unsigned char>(ch);
            int value = -1;
            if (codeSet == bc128SetA && c < 96)
                value = c < 32 ? c + 64 : c - 32;
            else if (codeSet == bc128SetB && c >= 32 && c < 128)
                value = c - 32;
            if (value < 0) bcRaiseBadData(N_("%s:Code128 fehlerhafte Daten <%s>"), text);
            values.append(value);
        }
    }
    int sum = values.first();
    for (qsizetype i = 1; i < values.size(); ++i) sum += int(i) * values.at(i);
    values.append(sum % 103);
    values.append(bc128Stop);
    QByteArray result;
    for (const int value : values) result += BcModulesToPattern(bcCode128Table[size_t(value)]);
    return result;
}

QByteArray BcEncodeCode93(const QByteArray& text, bool fullAscii) {
    QList<int> values;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (fullAscii) {
            if (c >= 128) bcRaiseBadData(N_("%s:Code93 fehlerhafte Daten <%s>"), text);
            const QByteArray sequence = bcFullAsciiSequence(c);
            if (sequence.size() == 2) {
                // Code 93 has shift characters of its own instead of $ % / +.
                constexpr char shifts[] = "$%/+";
                values.append(bc93ShiftDollar + int(strchr(shifts, sequence.at(0)) - shifts));
                values.append(bcCode93Value(sequence.at(1)));
            } else {
                values.append(bcCode93Value(sequence.at(0)));
            }
        } else {
            const int value = bcCode93Value(char(c));
            if (value < 0) bcRaiseBadData(N_("%s:Code93 fehlerhafte Daten <%s>"), text);
            values.append(value);
        }
    }
    // C weights 1-20 and K weights 1-15, from the right; K includes C.
    const auto check = [&values](int maxWeight) {
        int sum = 0;
        int weight = 1;
        for (qsizetype i = values.size() - 1; i >= 0; --i) {
            sum += values.at(i) * weight;
            weight = weight == maxWeight ? 1 : weight + 1;
        }
        return sum % 47;
    };
    values.append(check(20));
    values.append(check(15));
    QByteArray result = BcModulesToPattern("111141");
    for (const int value : values) result += BcModulesToPattern(bcCode93Table[size_t(value)]);
    return result + BcModulesToPattern("1111411");
}

int BcMsiCheckDigit(const QByteArray& digits) {
    int sum = 0;
    bool doubled = true;
    for (qsizetype i = digits.size() - 1; i >= 0; --i, doubled = !doubled) {
        int value = (digits.at(i) - '0') * (doubled ? 2 : 1);
        sum += value / 10 + value % 10;
    }
    return (10 - sum % 10) % 10;
}

QByteArray BcEncodeMsi(const QByteArray& digits) {
    QByteArray result = "60";
    const QByteArray data = digits + char('0' + BcMsiCheckDigit(digits));
    for (const char c : data)
        for (const char* bit = bcMsiTable[size_t(c - '0')]; *bit; ++bit)
            result += *bit == '1' ? "60" : "51";
    return result + "515";
}

QByteArray BcEncodePostnet(const QByteArray& digits) {
    QByteArray result = "51";
    for (const char c : digits)
        for (const char* bar = bcPostnetTable[size_t(c - '0')]; *bar; ++bar)
            result += *bar == '1' ? "51" : "A1";
    return result + "5";
}

QByteArray BcEncodeCodabar(const QByteArray& text) {
    const auto encode = [](int index) { return bcWideNarrow(bcCodabarTable[size_t(index)]); };
    QByteArray result = encode(16);
    for (const char c : text) {
        // Start and stop letters inside the data would end the symbol early.
        const char* found = c ? strchr(bcCodabarChars, c) : nullptr;
        const int index = found ? int(found - bcCodabarChars) : -1;
        if (index < 0 || index >= 16) bcRaiseBadData(N_("%s:Codabar fehlerhafte Daten <%s>"), text);
        result += "0" + encode(index);
    }
    return result + "0" + encode(17);
}

QByteArray BcEncodeEan8(QByteArray& digits, bool addCheckDigit, int method) {
    digits = bcEanDigits(digits, 8, addCheckDigit, method);
    const QByteArray& data = digits;
    QByteArray result = "505";
    for (int i = 0; i < 4; ++i) result += bcEanDigit(data.at(i), 'O');
    result += "05050";
    for (int i = 4; i < 8; ++i) result += bcEanDigit(data.at(i), 'R');
    return result + "505";
}

QByteArray BcEncodeEan13(QByteArray& digits, bool addCheckDigit, int method) {
    digits = bcEanDigits(digits, 13, addCheckDigit, method);
    const QByteArray& data = digits;
    const char* parity = bcEan13Parity[size_t(data.at(0) - '0')];
    QByteArray result = "505";
    for (int i = 1; i < 7; ++i) result += bcEanDigit(data.at(i), parity[i - 1]);
    result += "05050";
    for (int i = 7; i < 13; ++i) result += bcEanDigit(data.at(i), 'R');
    return result + "505";
}

QByteArray BcEncodeUpcA(QByteArray& digits, bool addCheckDigit, int method) {
    digits = bcEanDigits(digits, 12, addCheckDigit, method);
    const QByteArray& data = digits;
    QByteArray result = "505";
    for (int i = 0; i < 6; ++i) result += bcEanDigit(data.at(i), 'O');
    result += "05050";
    for (int i = 6; i < 12; ++i) result += bcEanDigit(data.at(i), 'R');
    return result + "505";
}

int BcUpcECheckDigit(const QByteArray& sixDigits, int numberSystem) {
    const QByteArray d = sixDigits;
    QByteArray upcA(1, char('0' + numberSystem));
    switch (d.at(5)) {
        case '0':
        case '1':
        case '2':
            upcA += d.left(2) + d.at(5) + "0000" + d.mid(2, 3);
            break;
        case '3':
            upcA += d.left(3) + "00000" + d.mid(3, 2);
            break;
        case '4':
            upcA += d.left(4) + "00000" + d.at(4);
            break;
        default:
            upcA += d.left(5) + "0000" + d.at(5);
            break;
    }
    return BcCheckDigitMod10(upcA);
}

QByteArray BcEncodeUpcE(QByteArray& text, int numberSystem, bool addCheckDigit) {
    if (text.size() > 7) bcRaiseTooLong(7);
    if (addCheckDigit) {
        const QByteArray six = text.left(6).rightJustified(6, '0');
        text = six + char('0' + BcUpcECheckDigit(six, numberSystem));
    } else {
        const QByteArray padded = text.rightJustified(7, '0');
        bcVerifyCheckDigit(text, padded.back(), BcUpcECheckDigit(padded.left(6), numberSystem));
        text = padded;
    }
    const QByteArray six = text.left(6);
    const char* parity = bcUpcEParity[size_t(text.back() - '0')];
    QByteArray result = "505";
    for (int i = 0; i < 6; ++i) {
        // Number system 1 uses the inverted parities.
        char set = parity[i];
        if (numberSystem == 1) set = set == 'O' ? 'E' : 'O';
        result += bcEanDigit(six.at(i), set);
    }
    return result + "050505";
}

QByteArray BcEncodeUpcSupplement(const QByteArray& digits, int length) {
    if (digits.size() > length) bcRaiseTooLong(length);
    const QByteArray data = digits.rightJustified(length, '0');
    QByteArray parity;
    if (length == 2) {
        const int value = data.toInt() % 4;
        parity = QByteArray(value & 2 ? "E" : "O") + (value & 1 ? "E" : "O");
    } else {
        int sum = 0;
        for (int i = 0; i < length; ++i) sum += (data.at(i) - '0') * (i % 2 ? 9 : 3);
        parity = bcSupp5Parity[size_t(sum % 10)];
    }
    QByteArray result = "506";
    for (int i = 0; i < length; ++i) {
        if (i > 0) result += "05";
        result += bcEanDigit(data.at(i), parity.at(i));
    }
    return result;
}
