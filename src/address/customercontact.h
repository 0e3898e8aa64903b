#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "app/objectlist.h"

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
class TCustomerContactDataObjectList : public TObjectList<TCustomerContactData> {
public:
    // Inserts before index (0..Count) and returns the channel.
    TCustomerContactData* Insert(int index, std::unique_ptr<TCustomerContactData> item = nullptr);
    void Exchange(int i, int j);
    void Assign(const TCustomerContactDataObjectList& other);
    // The first channel of that kind, or null.
    TCustomerContactData* FindByType(int cdType) const;

    bool operator==(const TCustomerContactDataObjectList& other) const;
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
class TCustomerContactObjectList : public TObjectList<TCustomerContact> {
public:
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
};
