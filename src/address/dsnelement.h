#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class TXmlAttributes;

// One value of a user-defined extra field, named after the control that shows it.
class TDsnElement {
public:
    enum Type : quint8 {
        etNone = 0,  // no value yet
        etText = 1,
        etInteger = 2,
        etBoolean = 3,
        etDate = 4,
        etTime = 5,
        etFloat = 6,
    };

    QString Name;
    quint8 ElementType = etNone;
    // Types 4 to 6; dates and times as day numbers.
    double FloatValue = 0;
    QString TextValue;
    qint32 IntValue = 0;
    bool BoolValue = false;

    void Clear();
    // Name and type of a "dsnobj" element; a missing or unreadable type gives 0.
    void ReadAttributes(const TXmlAttributes& attributes);
    // Sets the value from the element text of a "dsnobj" element according to the type;
    // unknown types keep no value.
    void SetValueText(const QString& text);
    // The value as written inside the "dsnobj" element.
    QString ValueText() const;
    // True for the types that carry a value (1 to 6).
    bool HasValueType() const;
    // The "dsnobj" element without indent or line end; empty when the type carries no value.
    QString XmlLine() const;
};

// Owning list of extra-field values in insertion order.
class TDsnElementList {
public:
    using Items_t = std::vector<std::unique_ptr<TDsnElement>>;

    TDsnElementList() = default;
    TDsnElementList(const TDsnElementList&) = delete;
    TDsnElementList& operator=(const TDsnElementList&) = delete;

    int Count() const { return int(m_items.size()); }
    TDsnElement* Items(int i) const { return m_items.at(size_t(i)).get(); }
    // Appends the element (a new empty one when null) and returns it.
    TDsnElement* Add(std::unique_ptr<TDsnElement> element = nullptr);
    void Delete(int i);
    void Clear() { m_items.clear(); }
    void Assign(const TDsnElementList& other);

    // The first element with exactly this name (case-sensitive); with create, a new element
    // of type 0 is appended when none matches.
    TDsnElement* Find(const QString& name, bool create = false);
    const TDsnElement* Find(const QString& name) const;

    // The "dsnobj" lines, each preceded by the indent, joined by CR LF without a break after
    // the last; elements without a value write no line.
    void WriteXML(const QString& indent, QString& out) const;

    Items_t::const_iterator begin() const { return m_items.begin(); }
    Items_t::const_iterator end() const { return m_items.end(); }

private:
    Items_t m_items;
};
