#include "labels/printetikettform.h"

#include "app/conversions.h"
#include "app/format.h"
#include "labels/printetikettmanager.h"
#include "persistence/xmlcoreobject.h"

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
    name = attributes.readText("name", name);
    left = attributes.readInt("left", left, 0);
    top = attributes.readInt("top", top, 0);
}

QString TPrintEtikettHolder::XmlLine() const {
    return FormatStr(QStringLiteral("<etikettref name=\"%s\" left=\"%d\" top=\"%d\"/>"),
                     {XmlEscape(name), left, top});
}

// ---- TPrintEtikettForm ----

TPrintEtikettForm::TPrintEtikettForm() = default;

TPrintEtikettForm::~TPrintEtikettForm() = default;

void TPrintEtikettForm::ReadAttributes(const TXmlAttributes& attributes) {
    name = attributes.readText("name", name);
    type = quint8(attributes.readInt("type", type, 0));
    // The one boolean whose malformed value means true: portrait.
    orientation = attributes.readBool("orientation", orientation, true);
    width = attributes.readInt("width", width, 0);
    height = attributes.readInt("height", height, 0);
}

QString TPrintEtikettForm::XmlLine() const {
    return FormatStr(QStringLiteral("<formular name=\"%s\" type=\"%d\" orientation=\"%s\" "
                                    "width=\"%d\" height=\"%d\">"),
                     {XmlEscape(name), int(type), BoolToXml(orientation), width, height});
}
