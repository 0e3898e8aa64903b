#include "address/customercontact.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "address/contacttypes.h"
#include "app/conversions.h"
#include "app/format.h"
#include "persistence/xmlcoreobject.h"

namespace {

template <typename List>
bool sameItems(const List& a, const List& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& x, const auto& y) { return *x == *y; });
}

}  // namespace

// ---------------------------------------------------------------- channels

void TCustomerContactData::Clear() {
    *this = TCustomerContactData();
}

void TCustomerContactData::ReadAttributes(const TXmlAttributes& attributes) {
    const int type = attributes.readInt("cdtype", CdType);
    // Outside the byte range it is no kind this program knows.
    CdType = (type >= 0 && type <= 255) ? quint8(type) : quint8(cdtSonstiges);
    CdName = attributes.readText("cdname", CdName);
    CdValue = attributes.readText("cdvalue", CdValue);
    CdCaract = attributes.readText("cdcaract", CdCaract);
}

QString TCustomerContactData::XmlLine() const {
    return FormatStr(
        QStringLiteral("<kontaktdata cdtype=\"%d\" cdname=\"%s\" cdvalue=\"%s\" cdcaract=\"%s\"/>"),
        {int(CdType), XmlEscape(CdName), XmlEscape(CdValue), XmlEscape(CdCaract)});
}

TCustomerContactData* TCustomerContactDataObjectList::Insert(
    int index, std::unique_ptr<TCustomerContactData> item) {
    if (index < 0 || index > Count()) throw std::out_of_range("TCustomerContactDataObjectList");
    if (!item) item = std::make_unique<TCustomerContactData>();
    return m_items.insert(m_items.begin() + index, std::move(item))->get();
}

void TCustomerContactDataObjectList::Exchange(int i, int j) {
    std::swap(m_items.at(size_t(i)), m_items.at(size_t(j)));
}

void TCustomerContactDataObjectList::Assign(const TCustomerContactDataObjectList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copies.push_back(std::make_unique<TCustomerContactData>(*item));
    m_items = std::move(copies);
}

TCustomerContactData* TCustomerContactDataObjectList::FindByType(int cdType) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [cdType](const auto& item) { return item->CdType == cdType; });
    return found == m_items.end() ? nullptr : found->get();
}

bool TCustomerContactDataObjectList::operator==(const TCustomerContactDataObjectList& other) const {
    return sameItems(m_items, other.m_items);
}

// ---------------------------------------------------------------- contacts

TCustomerContact::TCustomerContact(const TCustomerContact& other)
    : Name(other.Name), Std(other.Std) {
    Data.Assign(other.Data);
}

TCustomerContact& TCustomerContact::operator=(const TCustomerContact& other) {
    if (&other != this) {
        Name = other.Name;
        Std = other.Std;
        Data.Assign(other.Data);
    }
    return *this;
}

void TCustomerContact::Clear() {
    Name.clear();
    Std = false;
    Data.Clear();
}

void TCustomerContact::ReadAttributes(const TXmlAttributes& attributes) {
    Name = attributes.readText("name", Name);
    Std = attributes.readBool("std", Std);
}

bool TCustomerContact::operator==(const TCustomerContact& other) const {
    return Name == other.Name && Std == other.Std && Data == other.Data;
}

void TCustomerContactObjectList::Assign(const TCustomerContactObjectList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copies.push_back(std::make_unique<TCustomerContact>(*item));
    m_items = std::move(copies);
}

TCustomerContact* TCustomerContactObjectList::DefaultContact() const {
    const auto found =
        std::find_if(m_items.begin(), m_items.end(), [](const auto& item) { return item->Std; });
    return found == m_items.end() ? nullptr : found->get();
}

TCustomerContact* TCustomerContactObjectList::FindContact(const QString& name) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&name](const auto& item) { return item->Name == name; });
    return found == m_items.end() ? nullptr : found->get();
}

QString TCustomerContactObjectList::GetAnschriftExtension(const QString& contactName,
                                                          const QString& defaultValue) const {
    const TCustomerContact* contact =
        contactName.trimmed().isEmpty() ? DefaultContact() : FindContact(contactName);
    if (!contact) return defaultValue;
    const TCustomerContactData* extension = contact->Data.FindByType(cdtAnschriftErweiterung);
    return extension ? extension->CdValue : defaultValue;
}

void TCustomerContactObjectList::KeepOnlyContact(const QString& name) {
    QString keep = name;
    if (keep.trimmed().isEmpty()) {
        const TCustomerContact* standard = DefaultContact();
        keep = standard ? standard->Name : QString();
    }
    std::erase_if(m_items, [&keep](const auto& item) {
        return item->Name.compare(keep, Qt::CaseInsensitive) != 0;
    });
    for (const auto& item : m_items) item->Std = true;
}

bool TCustomerContactObjectList::operator==(const TCustomerContactObjectList& other) const {
    return sameItems(m_items, other.m_items);
}
