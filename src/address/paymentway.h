#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "app/objectlist.h"

class TXmlAttributes;

// One way in which a partner pays or is paid, with the bank account where one is needed.
class TPaymentWay {
public:
    // Kinds stored in PayWay.
    enum Kind : quint8 {
        pwNone = 0,
        pwBar = 1,
        pwScheck = 2,
        pwUeberweisung = 3,
        pwEuropaueberweisung = 4,
        pwLastschrift = 5,
        pwVorkasse = 6,
        pwNachnahme = 7,
    };

    quint8 PayWay = 0;
    QString Comm, Inst, BCode, Acc, Iban, Bic;

    // Only account number and bank code count: the domestic collection needs both.
    bool HasBankData() const;
    void Clear();
    // The attributes of a "pw" element; missing attributes keep the current values.
    void ReadAttributes(const TXmlAttributes& attributes);
    // The "<pw .../>" element without indent or line end.
    QString XmlLine() const;
    bool operator==(const TPaymentWay& other) const = default;

    // Translated display name of a kind; empty for 0 and unknown kinds.
    static QString KindName(int payWay);
};

// An IBAN as users type it: blanks removed, upper case.
QString NormalizedIban(const QString& text);
// Checks the IBAN of an account in a SEPA country, typed with blanks or in lower case as users
// do: country code, the country's length, characters and the mod-97 check digits. Returns the
// German reason when it fails, empty when the IBAN is valid.
QString IbanError(const QString& text);

// The IBAN of a German account (bank code of 8 digits, account number of up to 10), check digits
// by ISO 13616 (mod 97). Empty when the input has other characters.
QString GermanIban(const QString& bankCode, const QString& account);

// Owning, ordered list of payment ways.
class TPaymentWayObjectList : public TObjectList<TPaymentWay> {
public:
    // The first way of that kind, or null.
    TPaymentWay* FindByKind(int kind) const;
    // Replaces the content with copies of the other list's ways.
    void Assign(const TPaymentWayObjectList& other);
    // Same ways in the same order.
    bool operator==(const TPaymentWayObjectList& other) const;
};
