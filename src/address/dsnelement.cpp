#include "address/dsnelement.h"

#include <QStringList>
#include <algorithm>

#include "app/conversions.h"
#include "app/format.h"
#include "persistence/xmlcoreobject.h"

void TDsnElement::Clear() {
    *this = TDsnElement();
}

void TDsnElement::ReadAttributes(const TXmlAttributes& attributes) {
    Name = attributes.value(QStringLiteral("name"));
    const int type = attributes.readInt("type", etNone);
    // Out of the byte range it is no type this program knows; keep it out of the way.
    ElementType = (type >= 0 && type <= 255) ? quint8(type) : quint8(etNone);
}

void TDsnElement::SetValueText(const QString& text) {
    switch (ElementType) {
        case etText:
            TextValue = text;
            break;
        case etInteger:
            IntValue = ToInt(text, 0);
            break;
        case etBoolean:
            BoolValue = ToBool(text, false);
            break;
        case etDate:
        case etTime:
        case etFloat:
            FloatValue = ToFloat(text, 0);
            break;
        default:
            break;
    }
}

QString TDsnElement::ValueText() const {
    switch (ElementType) {
        case etText:
            return XmlEscape(TextValue);
        case etInteger:
            return QString::number(IntValue);
        case etBoolean:
            return BoolToXml(BoolValue);
        case etDate:
        case etTime:
        case etFloat:
            return FloatToStr(FloatValue);
        default:
            return {};
    }
}

bool TDsnElement::HasValueType() const {
    return ElementType >= etText && ElementType <= etFloat;
}

QString TDsnElement::XmlLine() const {
    if (!HasValueType()) return {};
    return FormatStr(QStringLiteral("<dsnobj name=\"%s\" type=\"%d\" >%s</dsnobj>"),
                     {XmlEscape(Name), int(ElementType), ValueText()});
}

TDsnElement* TDsnElementList::Add(std::unique_ptr<TDsnElement> element) {
    if (!element) element = std::make_unique<TDsnElement>();
    m_items.push_back(std::move(element));
    return m_items.back().get();
}

void TDsnElementList::Delete(int i) {
    (void)m_items.at(size_t(i));  // throws on a bad index instead of corrupting the list
    m_items.erase(m_items.begin() + i);
}

void TDsnElementList::Assign(const TDsnElementList& other) {
    if (&other == this) return;
    Items_t copies;
    copies.reserve(other.m_items.size());
    for (const auto& element : other.m_items)
        copies.push_back(std::make_unique<TDsnElement>(*element));
    m_items = std::move(copies);
}

TDsnElement* TDsnElementList::Find(const QString& name, bool create) {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&name](const auto& element) { return element->Name == name; });
    if (found != m_items.end()) return found->get();
    if (!create) return nullptr;
    TDsnElement* element = Add();
    element->Name = name;
    return element;
}

const TDsnElement* TDsnElementList::Find(const QString& name) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&name](const auto& element) { return element->Name == name; });
    return found == m_items.end() ? nullptr : found->get();
}

void TDsnElementList::WriteXML(const QString& indent, QString& out) const {
    QStringList lines;
    for (const auto& element : m_items) {
        if (element->HasValueType()) lines.append(indent + element->XmlLine());
    }
    out = lines.join(QStringLiteral("\r\n"));
}
