#include "address/paymentway.h"

#include <QHash>
#include <algorithm>

#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/xmlcoreobject.h"

bool TPaymentWay::HasBankData() const {
    return !Acc.isEmpty() || !BCode.isEmpty();
}

void TPaymentWay::Clear() {
    *this = TPaymentWay();
}

void TPaymentWay::ReadAttributes(const TXmlAttributes& attributes) {
    const int kind = attributes.readInt("payway", PayWay);
    // A value outside the byte range is no kind at all.
    PayWay = (kind >= 0 && kind <= 255) ? quint8(kind) : quint8(pwNone);
    Comm = attributes.readText("comm", Comm);
    Inst = attributes.readText("inst", Inst);
    BCode = attributes.readText("bcode", BCode);
    Acc = attributes.readText("acc", Acc);
    Iban = attributes.readText("iban", Iban);
    Bic = attributes.readText("bic", Bic);
}

QString TPaymentWay::XmlLine() const {
    return FormatStr(QStringLiteral("<pw payway=\"%d\" comm=\"%s\" inst=\"%s\" bcode=\"%s\" "
                                    "acc=\"%s\" iban=\"%s\" bic=\"%s\"/>"),
                     {int(PayWay), XmlEscape(Comm), XmlEscape(Inst), XmlEscape(BCode),
                      XmlEscape(Acc), XmlEscape(Iban), XmlEscape(Bic)});
}

QString TPaymentWay::KindName(int payWay) {
    switch (payWay) {
        case pwBar:
            return _("Bar");
        case pwScheck:
            return _("Scheck");
        case pwUeberweisung:
            return _("Ueberweisung");
        case pwEuropaueberweisung:
            return _("Europaueberweisung");
        case pwLastschrift:
            return _("Lastschrift");
        case pwVorkasse:
            return _("Vorkasse");
        case pwNachnahme:
            return _("Nachnahme");
        default:
            return {};
    }
}

TPaymentWay* TPaymentWayObjectList::FindByKind(int kind) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [kind](const auto& way) { return way->PayWay == kind; });
    return found == m_items.end() ? nullptr : found->get();
}

void TPaymentWayObjectList::Assign(const TPaymentWayObjectList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& way : other.m_items) copies.push_back(std::make_unique<TPaymentWay>(*way));
    m_items = std::move(copies);
}

bool TPaymentWayObjectList::operator==(const TPaymentWayObjectList& other) const {
    return std::equal(m_items.begin(), m_items.end(), other.m_items.begin(), other.m_items.end(),
                      [](const auto& a, const auto& b) { return *a == *b; });
}

namespace {
bool allDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// ISO 7064 mod 97-10 over the account data followed by the country and the check digits;
// letters count as 10..35.
int ibanRemainder(const QString& bban, const QString& countryAndCheck) {
    int remainder = 0;
    for (const QChar c : bban + countryAndCheck) {
        const int value = c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'A' + 10;
        remainder = (value < 10 ? remainder * 10 : remainder * 100) + value;
        remainder %= 97;
    }
    return remainder;
}
}  // namespace

QString NormalizedIban(const QString& text) {
    QString iban;
    for (const QChar c : text) {
        if (!c.isSpace()) iban += c.toUpper();
    }
    return iban;
}

QString IbanError(const QString& text) {
    // IBAN lengths of the SEPA countries (SWIFT IBAN registry). Territories without a code of
    // their own (Åland, the French overseas departments, Jersey, ...) use their state's.
    static const QHash<QString, int> lengths = {
        {QStringLiteral("AD"), 24}, {QStringLiteral("AL"), 28}, {QStringLiteral("AT"), 20},
        {QStringLiteral("BE"), 16}, {QStringLiteral("BG"), 22}, {QStringLiteral("CH"), 21},
        {QStringLiteral("CY"), 28}, {QStringLiteral("CZ"), 24}, {QStringLiteral("DE"), 22},
        {QStringLiteral("DK"), 18}, {QStringLiteral("EE"), 20}, {QStringLiteral("ES"), 24},
        {QStringLiteral("FI"), 18}, {QStringLiteral("FR"), 27}, {QStringLiteral("GB"), 22},
        {QStringLiteral("GI"), 23}, {QStringLiteral("GR"), 27}, {QStringLiteral("HR"), 21},
        {QStringLiteral("HU"), 28}, {QStringLiteral("IE"), 22}, {QStringLiteral("IS"), 26},
        {QStringLiteral("IT"), 27}, {QStringLiteral("LI"), 21}, {QStringLiteral("LT"), 20},
        {QStringLiteral("LU"), 20}, {QStringLiteral("LV"), 21}, {QStringLiteral("MC"), 27},
        {QStringLiteral("MD"), 24}, {QStringLiteral("ME"), 22}, {QStringLiteral("MK"), 19},
        {QStringLiteral("MT"), 31}, {QStringLiteral("NL"), 18}, {QStringLiteral("NO"), 15},
        {QStringLiteral("PL"), 28}, {QStringLiteral("PT"), 25}, {QStringLiteral("RO"), 24},
        {QStringLiteral("RS"), 22}, {QStringLiteral("SE"), 24}, {QStringLiteral("SI"), 19},
        {QStringLiteral("SK"), 24}, {QStringLiteral("SM"), 27}, {QStringLiteral("VA"), 22},
    };
    const QString iban = NormalizedIban(text);
    if (iban.isEmpty()) return _("Die IBAN fehlt.");
    for (const QChar c : iban) {
        if (!(c >= u'A' && c <= u'Z') && !(c >= u'0' && c <= u'9'))
            return FormatStr(_("Die IBAN enthält das unzulässige Zeichen \"%s\"."), {QString(c)});
    }
    const QString country = iban.left(2);
    const int length = lengths.value(country);
    if (length == 0)
        return FormatStr(_("\"%s\" ist kein Ländercode eines SEPA-Landes; eine IBAN beginnt mit "
                           "dem Ländercode, z. B. DE."),
                         {country});
    if (!allDigits(iban.mid(2, 2)))
        return _("Auf den Ländercode der IBAN folgen zwei Prüfziffern.");
    if (iban.size() != length)
        return FormatStr(_("Eine IBAN aus %s hat %d Zeichen, diese hat %d."),
                         {country, length, int(iban.size())});
    if (ibanRemainder(iban.mid(4), iban.left(4)) != 1)
        return _("Die Prüfziffern der IBAN stimmen nicht; bitte auf Tippfehler prüfen.");
    return {};
}

QString GermanIban(const QString& bankCode, const QString& account) {
    if (bankCode.size() != 8 || !allDigits(bankCode) || account.size() > 10 || !allDigits(account))
        return {};
    const QString bban = bankCode + account.rightJustified(10, QLatin1Char('0'));
    const int check = 98 - ibanRemainder(bban, QStringLiteral("DE00"));
    return QStringLiteral("DE") + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
}
