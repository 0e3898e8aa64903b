#include "address/paymentterm.h"

#include <QLocale>
#include <algorithm>

#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/xmlcoreobject.h"

namespace {
// Shown on screen, so in the number format of the user (unlike the XML).
QString screenNumber(double value) {
    return QLocale().toString(value, 'g', 15);
}
}  // namespace

QString TPaymentTerm::GetText() const {
    const QString percentage = Perc != 0 ? screenNumber(Perc) + QStringLiteral(" %") : _("netto");
    if (PtType == ptHalfMonths)
        return FormatStr(_("Bis Monatsmitte/-ende plus %s Monate %s."),
                         {screenNumber(Days * 0.5), percentage});
    return FormatStr(_("Bis %d Tage %s. (%d Tage die Woche)"), {Days, percentage, Dpw});
}

void TPaymentTerm::Clear() {
    *this = TPaymentTerm();
}

void TPaymentTerm::ReadAttributes(const TXmlAttributes& attributes) {
    // A missing or unreadable attribute keeps the current value.
    PtType = attributes.readInt("type", PtType);
    Perc = attributes.readFloat("perc", Perc);
    Days = attributes.readInt("days", Days);
    Dpw = attributes.readInt("dpw", Dpw);
}

QString TPaymentTerm::WriteXML(const QString& indent) const {
    return indent +
           FormatStr(QStringLiteral("<pt type=\"%d\" perc=\"%s\" days=\"%d\" dpw=\"%d\"/>"),
                     {PtType, FloatToStr(Perc), Days, Dpw}) +
           QStringLiteral("\r\n");
}

void TPaymentTermObjectList::Assign(const TPaymentTermObjectList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& term : other.m_items) copies.push_back(std::make_unique<TPaymentTerm>(*term));
    m_items = std::move(copies);
}

int TPaymentTermObjectList::AddSorted(std::unique_ptr<TPaymentTerm> term) {
    const TPaymentTerm* added = Add(std::move(term));
    if (m_items.size() < 2) return Count() - 1;
    // Stable, so terms with the same percentage keep the order in which they were entered.
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const auto& a, const auto& b) { return a->Perc < b->Perc; });
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [added](const auto& item) { return item.get() == added; });
    return int(found - m_items.begin());
}

int TPaymentTermObjectList::IndexOfPerc(double perc) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [perc](const auto& term) { return term->Perc == perc; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

int TPaymentTermObjectList::IndexOfDays(int days) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [days](const auto& term) { return term->Days == days; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

int TPaymentTermObjectList::CountPerc(double perc) const {
    return int(std::count_if(m_items.begin(), m_items.end(),
                             [perc](const auto& term) { return term->Perc == perc; }));
}

int TPaymentTermObjectList::CountDays(int days) const {
    return int(std::count_if(m_items.begin(), m_items.end(),
                             [days](const auto& term) { return term->Days == days; }));
}

QString TPaymentTermObjectList::WriteXML(const QString& indent) const {
    if (m_items.empty()) return {};
    QString out = indent + QStringLiteral("<ptl>\r\n");
    const QString itemIndent = indent + QStringLiteral("  ");
    for (const auto& term : m_items) out += term->WriteXML(itemIndent);
    out += indent + QStringLiteral("</ptl>\r\n");
    return out;
}

bool TPaymentTermObjectList::operator==(const TPaymentTermObjectList& other) const {
    return std::equal(m_items.begin(), m_items.end(), other.m_items.begin(), other.m_items.end(),
                      [](const auto& a, const auto& b) { return *a == *b; });
}
