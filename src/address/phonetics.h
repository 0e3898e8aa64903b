#pragma once

#include <QString>

// Phonetic codes of names for the duplicate search. Both work on the text as the 8-bit system
// code page holds it (characters it lacks are dropped); umlauts count as their vowel, ß as S,
// and everything that is not a letter is skipped.
class TPhonetics {
public:
    // The Kölner Phonetik code: digits, equal neighbours merged, zeros dropped except a leading
    // one ("Müller-Lüdenscheidt" gives "65752682"). Empty when the text has no letter.
    static QString KoelnerPhonetik(const QString& text);
    // The American Soundex code: the first letter and three digits, padded with "0" (H and W
    // do not separate letters of the same code, vowels do). Empty when the text has no letter.
    static QString Soundex(const QString& text, int length = 4);
};
