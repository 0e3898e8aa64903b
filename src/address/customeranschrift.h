#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "app/objectlist.h"

class TXmlAttributes;

// One postal address of an address record.
class TCustomerAnschrift {
public:
    // Two digits: "01", "02", ...
    QString Id;
    QString Name1, Name2, Name3, Name4;
    QString Strasse;
    // Country code
    QString Land;
    QString Plz;
    QString Ort;
    // The default address of the record.
    bool Std = false;
    // Kind of address; the values come from the address configuration.
    QString AArt;

    void Clear();
    // The attributes of an "adr" element; missing ones keep the current values.
    void ReadAttributes(const TXmlAttributes& attributes);
    // The "<adr ... />" element without indent or line end.
    QString XmlLine() const;

    bool operator==(const TCustomerAnschrift& other) const = default;
};

// Owning, ordered list of postal addresses.
class TCustomerAnschriftObjectList : public TObjectList<TCustomerAnschrift> {
public:
    // Replaces the content with copies of the other list's addresses.
    void Assign(const TCustomerAnschriftObjectList& other);

    // The first of Count+1, Count+2, ... as two digits that no address uses as Id.
    QString NewId() const;
    // The first address marked as default, or null.
    TCustomerAnschrift* DefaultAnschrift() const;
    // The address with exactly this Id, or null.
    TCustomerAnschrift* FindById(const QString& id) const;
    int IndexOfId(const QString& id) const;
    // Removes every address whose Id differs (case-insensitive) from id, or from the default
    // address's Id when id is blank; the remaining ones become default.
    void KeepOnlyAnschrift(const QString& id);

    bool operator==(const TCustomerAnschriftObjectList& other) const;
};
