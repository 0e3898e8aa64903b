#pragma once

#include <QList>
#include <QString>

class TCustomerAddress;
class TDBAdress;

// Why another address counts as a duplicate (several may hold at once).
enum TDuplicateRule : unsigned {
    drIban = 1,      // the same IBAN (blanks and case ignored)
    drEmail = 2,     // the same e-mail address (case ignored)
    drPhone = 4,     // the same telephone, fax or mobile number (digits, +49 = 0)
    drKoelner = 8,   // display texts with the same Kölner Phonetik code
    drSoundex = 16,  // display texts with the same Soundex code (the menu's search)
};

// One address that resembles the given one.
struct TDuplicateHit {
    QString Id;
    QString DisplayTxt;
    unsigned Rules = 0;  // TDuplicateRule flags
};

// Finds the addresses of the table that look like the same partner as a record, for the
// warning on a new address and the menu's duplicate search. One pass over the table that reads
// number, display text and the record's XML of each row and parses no XML.
class TDuplicateFinder {
public:
    // Every other address (by number) that matches by IBAN, e-mail, phone number or Kölner
    // code; with withSoundex also by Soundex code. Table order; database errors are reported
    // and give what was found until then.
    static QList<TDuplicateHit> Find(const TCustomerAddress& record, TDBAdress& db,
                                     bool withSoundex = false);
    // The text of the desktop notice: a line per hit with number, display text and rules;
    // empty without hits.
    static QString NoticeText(const QList<TDuplicateHit>& hits);
    // The names of the rules that matched, joined by ", ".
    static QString RuleNames(unsigned rules);
    // The number as compared: digits only, +49 and 0049 as a leading 0, other countries as
    // 00 and the country code; empty below 6 digits.
    static QString PhoneKey(const QString& number);
};
