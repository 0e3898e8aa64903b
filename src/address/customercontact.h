#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class TXmlAttributes;

// One contact channel of a contact person; the kinds are in address/contacttypes.h.
class TCustomerContactData {
public:
    quint8 CdType = 0;
    QString CdName;
    QString CdValue;
    // Remark
    QString CdCaract;

    void Clear();
    // The attributes of a "kontaktdata" element; missing ones keep the current values.
    void ReadAttributes(const TXmlAttributes& attributes);
    // The "<kontaktdata .../>" element without indent or line end.
    QString XmlLine() const;

    bool operator==(const TCustomerContactData& other) const = default;
};

// Owning, ordered list of contact channels.
class TCustomerContactDataObjectList {
public:
    using Items_t = std::vector<std::unique_ptr<TCustomerContactData>>;

    TCustomerContactDataObjectList() = default;
    TCustomerContactDataObjectList(const TCustomerContactDataObjectList&) = delete;
    TCustomerContactDataObjectList& operator=(const TCustomerContactDataObjectList&) = delete;

    int Count() const { return int(m_items.size()); }
    TCustomerContactData* Items(int i) const { return m_items.at(size_t(i)).get(); }
    // Appends the channel (a new empty one when null) and returns it.
    TCustomerContactData* Add(std::unique_ptr<TCustomerContactData> item = nullptr);
    // Inserts before index (0..Count) and returns the channel.
    TCustomerContactData* Insert(int index, std::unique_ptr<TCustomerContactData> item = nullptr);
    void Delete(int i);
    void Exchange(int i, int j);
    void Clear() { m_items.clear(); }
    void Assign(const TCustomerContactDataObjectList& other);
    // The first channel of that kind, or null.
    TCustomerContactData* FindByType(int cdType) const;

    bool operator==(const TCustomerContactDataObjectList& other) const;

    Items_t::const_iterator begin() const { return m_items.begin(); }
    Items_t::const_iterator end() const { return m_items.end(); }

private:
    Items_t m_items;
};

// A contact person of an address record with the channels it owns.
class TCustomerContact {
public:
    TCustomerContact() = default;
    TCustomerContact(const TCustomerContact& other);
    TCustomerContact& operator=(const TCustomerContact& other);

    QString Name;
    // The default contact of the record.
    bool Std = false;
    TCustomerContactDataObjectList Data;

    void Clear();
    // "name" and "std" of a "kontakt" element; missing ones keep the current values.
    void ReadAttributes(const TXmlAttributes& attributes);

    bool operator==(const TCustomerContact& other) const;
};

// Owning, ordered list of contact persons.
class TCustomerContactObjectList {
public:
    using Items_t = std::vector<std::unique_ptr<TCustomerContact>>;

    TCustomerContactObjectList() = default;
    TCustomerContactObjectList(const TCustomerContactObjectList&) = delete;
    TCustomerContactObjectList& operator=(const TCustomerContactObjectList&) = delete;

    int Count() const { return int(m_items.size()); }
    TCustomerContact* Items(int i) const { return m_items.at(size_t(i)).get(); }
    // Appends the contact (a new empty one when null) and returns it.
    TCustomerContact* Add(std::unique_ptr<TCustomerContact> item = nullptr);
    void Delete(int i);
    void Clear() { m_items.clear(); }
    void Assign(const TCustomerContactObjectList& other);

    // The first contact marked as default, or null.
    TCustomerContact* DefaultContact() const;
    // The first contact with exactly this name, or null.
    TCustomerContact* FindContact(const QString& name) const;
    // The value of the first address-extension channel of the named contact (of the default
    // contact when the name is blank); defaultValue when there is none.
    QString GetAnschriftExtension(const QString& contactName, const QString& defaultValue) const;
    // Removes every contact whose name differs (case-insensitive) from name, or from the
    // default contact's name when name is blank; the remaining ones become default.
    void KeepOnlyContact(const QString& name);

    bool operator==(const TCustomerContactObjectList& other) const;

    Items_t::const_iterator begin() const { return m_items.begin(); }
    Items_t::const_iterator end() const { return m_items.end(); }

private:
    Items_t m_items;
};
