#include "labels/printetikettform.h"

#include "app/conversions.h"
#include "app/format.h"
#include "labels/printetikettmanager.h"
#include "labels/printetikettxml.h"

// ---- TPrintEtikettHolder ----

TPrintEtikettHolder::TPrintEtikettHolder() = default;

TPrintEtikettHolder::~TPrintEtikettHolder() = default;

TPrintEtikett* TPrintEtikettHolder::Resolve(const TPrintEtikettManager& manager) {
    if (!LabelCopy) LabelCopy = manager.FindLabelCopy(name);
    if (LabelCopy) {
        LabelCopy->OriginX = left;
        LabelCopy->OriginY = top;
    }
    return LabelCopy.get();
}

void TPrintEtikettHolder::ReadAttributes(const TXmlAttributes& attributes) {
    EtikettXml::readText(attributes, "name", name);
    EtikettXml::readInt(attributes, "left", left);
    EtikettXml::readInt(attributes, "top", top);
}

QString TPrintEtikettHolder::XmlLine() const {
    return FormatStr(QStringLiteral("<etikettref name=\"%s\" left=\"%d\" top=\"%d\"/>"),
                     {XmlEscape(name), left, top});
}

TPrintEtikettHolder* TPrintEtikettHolderObjectList::Add(
    std::unique_ptr<TPrintEtikettHolder> position) {
    if (!position) position = std::make_unique<TPrintEtikettHolder>();
    m_items.push_back(std::move(position));
    return m_items.back().get();
}

void TPrintEtikettHolderObjectList::Delete(int i) {
    (void)m_items.at(size_t(i));  // throws on a bad index instead of corrupting the list
    m_items.erase(m_items.begin() + i);
}

// ---- TPrintEtikettForm ----

TPrintEtikettForm::TPrintEtikettForm() = default;

TPrintEtikettForm::~TPrintEtikettForm() = default;

void TPrintEtikettForm::ReadAttributes(const TXmlAttributes& attributes) {
    EtikettXml::readText(attributes, "name", name);
    EtikettXml::readByte(attributes, "type", type);
    // The one boolean whose malformed value means true: portrait.
    EtikettXml::readBool(attributes, "orientation", orientation, true);
    EtikettXml::readInt(attributes, "width", width);
    EtikettXml::readInt(attributes, "height", height);
}

QString TPrintEtikettForm::XmlLine() const {
    return FormatStr(QStringLiteral("<formular name=\"%s\" type=\"%d\" orientation=\"%s\" "
                                    "width=\"%d\" height=\"%d\">"),
                     {XmlEscape(name), int(type), BoolToXml(orientation), width, height});
}

TPrintEtikettForm* TPrintEtikettFormObjectList::Add(std::unique_ptr<TPrintEtikettForm> form) {
    if (!form) form = std::make_unique<TPrintEtikettForm>();
    m_items.push_back(std::move(form));
    return m_items.back().get();
}

void TPrintEtikettFormObjectList::Delete(int i) {
    (void)m_items.at(size_t(i));  // throws on a bad index instead of corrupting the list
    m_items.erase(m_items.begin() + i);
}
