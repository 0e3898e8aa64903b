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
