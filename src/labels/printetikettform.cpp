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
