#include "address/customeranschrift.h"

#include <algorithm>

#include "app/conversions.h"
#include "persistence/xmlcoreobject.h"

void TCustomerAnschrift::Clear() {
    *this = TCustomerAnschrift();
}

void TCustomerAnschrift::ReadAttributes(const TXmlAttributes& attributes) {
    Id = attributes.readText("id", Id);
    Name1 = attributes.readText("name1", Name1);
    Name2 = attributes.readText("name2", Name2);
    Name3 = attributes.readText("name3", Name3);
    Name4 = attributes.readText("name4", Name4);
    Strasse = attributes.readText("strasse", Strasse);
    Land = attributes.readText("land", Land);
    Plz = attributes.readText("plz", Plz);
    Ort = attributes.readText("ort", Ort);
    Std = attributes.readBool("std", Std);
    AArt = attributes.readText("aart", AArt);
}

QString TCustomerAnschrift::XmlLine() const {
    QString line = QStringLiteral("<adr");
    const auto optional = [&line](const char* name, const QString& value) {
        if (!value.isEmpty()) line += XmlAttribute(name, value);
    };
    optional("id", Id);
    optional("name1", Name1);
    optional("name2", Name2);
    optional("name3", Name3);
    optional("name4", Name4);
    optional("strasse", Strasse);
    optional("land", Land);
    optional("plz", Plz);
    optional("ort", Ort);
    line += XmlAttribute("std", BoolToXml(Std));
    line += XmlAttribute("aart", AArt);
    line += QStringLiteral(" />");
    return line;
}

void TCustomerAnschriftObjectList::Assign(const TCustomerAnschriftObjectList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copies.push_back(std::make_unique<TCustomerAnschrift>(*item));
    m_items = std::move(copies);
}

QString TCustomerAnschriftObjectList::NewId() const {
    for (int n = Count() + 1;; ++n) {
        const QString id = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (!FindById(id)) return id;
    }
}

TCustomerAnschrift* TCustomerAnschriftObjectList::DefaultAnschrift() const {
    const auto found =
        std::find_if(m_items.begin(), m_items.end(), [](const auto& item) { return item->Std; });
    return found == m_items.end() ? nullptr : found->get();
}

TCustomerAnschrift* TCustomerAnschriftObjectList::FindById(const QString& id) const {
    const int index = IndexOfId(id);
    return index < 0 ? nullptr : m_items[size_t(index)].get();
}

int TCustomerAnschriftObjectList::IndexOfId(const QString& id) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&id](const auto& item) { return item->Id == id; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

void TCustomerAnschriftObjectList::KeepOnlyAnschrift(const QString& id) {
    QString keep = id;
    if (keep.trimmed().isEmpty()) {
        const TCustomerAnschrift* standard = DefaultAnschrift();
        keep = standard ? standard->Id : QString();
    }
    std::erase_if(m_items, [&keep](const auto& item) {
        return item->Id.compare(keep, Qt::CaseInsensitive) != 0;
    });
    for (const auto& item : m_items) item->Std = true;
}

bool TCustomerAnschriftObjectList::operator==(const TCustomerAnschriftObjectList& other) const {
    return std::equal(m_items.begin(), m_items.end(), other.m_items.begin(), other.m_items.end(),
                      [](const auto& a, const auto& b) { return *a == *b; });
}
