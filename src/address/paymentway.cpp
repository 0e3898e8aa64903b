#include "address/paymentway.h"

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
    if (attributes.has(QStringLiteral("payway"))) {
        const int kind = ToInt(attributes.value(QStringLiteral("payway")), PayWay);
        // A value outside the byte range is no kind at all.
        PayWay = (kind >= 0 && kind <= 255) ? quint8(kind) : quint8(pwNone);
    }
    const auto readText = [&attributes](const char* name, QString& field) {
        const QString key = QLatin1String(name);
        if (attributes.has(key)) field = attributes.value(key);
    };
    readText("comm", Comm);
    readText("inst", Inst);
    readText("bcode", BCode);
    readText("acc", Acc);
    readText("iban", Iban);
    readText("bic", Bic);
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

QString GermanIban(const QString& bankCode, const QString& account) {
    if (bankCode.size() != 8 || !allDigits(bankCode) || account.size() > 10 || !allDigits(account))
        return {};
    const QString bban = bankCode + account.rightJustified(10, QLatin1Char('0'));
    const int check = 98 - ibanRemainder(bban, QStringLiteral("DE00"));
    return QStringLiteral("DE") + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
}
