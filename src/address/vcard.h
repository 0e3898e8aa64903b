#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class TCustomerAddress;
class TCustomerAdressObjectList;

// Addresses as vCards, for phones, mail programs and other address books.
//
// Writing (3.0 per RFC 2426, 4.0 per RFC 6350; UTF-8, CRLF, lines folded at 75 octets): one
// card per address. FN holds the names of the default postal address, N the name channel of
// the default contact ("Herr Hans Meier"), ORG its company channel, TITLE its position; every
// postal address becomes an ADR (the default one preferred; "Privat..." kinds home, "Postfach"
// postal in 3.0, otherwise work); the telephone, fax, e-mail and web channels of all contact
// persons become TEL (voice, cell for "Mobil"/"Handy", fax), EMAIL and URL, marked home when
// their name says "privat". Contact persons are no cards of their own: address books keep one
// card per partner, and a person's channels stay reachable there. NOTE is the information
// text, CATEGORIES the address group and the marks, UID a name-based UUID of the number.
//
// Reading (2.1, 3.0 and 4.0): unfolding, QUOTED-PRINTABLE and CHARSET of 2.1, escapes, grouped
// properties; unknown properties are skipped. Each card becomes a new record without number:
// Name1 from ORG (else FN, else N), Name2 the person from FN beside an ORG, one postal address
// per ADR (one with the names alone when there is none), one default contact holding the
// name, company, position and every TEL, EMAIL and URL, NOTE as information text and
// CATEGORIES as marks.
class TVCard {
public:
    // Returns the cards of the addresses; version is 3 or 4.
    static QByteArray Write(const QList<const TCustomerAddress*>& addresses, int version);
    // Writes the cards to the file as a whole or not at all; throws EKwpError.
    static void WriteFile(const QString& fileName, const QList<const TCustomerAddress*>& addresses,
                          int version);
    // Appends a record per card to result, only when the whole text is valid; otherwise
    // throws EKwpError with the line number ("Zeile 7: ...").
    static void Read(const QByteArray& data, TCustomerAdressObjectList& result);
    // The same for a file; the message names the file.
    static void ReadFile(const QString& fileName, TCustomerAdressObjectList& result);
};
