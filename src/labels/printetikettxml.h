#pragma once

#include <QString>
#include <QtGlobal>

#include "app/conversions.h"
#include "persistence/xmlcoreobject.h"

// Attribute reading shared by the label layout classes. An absent attribute leaves the field
// alone; a present one is converted tolerantly (malformed numbers read as 0, malformed
// booleans as the given default).
namespace EtikettXml {

inline void readText(const TXmlAttributes& attributes, const char* name, QString& field) {
    const int index = attributes.indexOf(QLatin1String(name));
    if (index >= 0) field = attributes.value(index);
}

inline void readInt(const TXmlAttributes& attributes, const char* name, qint32& field) {
    const int index = attributes.indexOf(QLatin1String(name));
    if (index >= 0) field = ToInt(attributes.value(index), 0);
}

// Byte fields keep the low 8 bits of the number, as the designer's byte fields do.
inline void readByte(const TXmlAttributes& attributes, const char* name, quint8& field) {
    const int index = attributes.indexOf(QLatin1String(name));
    if (index >= 0) field = quint8(quint32(ToInt(attributes.value(index), 0)) & 0xFFu);
}

inline void readBool(const TXmlAttributes& attributes, const char* name, bool& field,
                     bool defaultValue = false) {
    const int index = attributes.indexOf(QLatin1String(name));
    if (index >= 0) field = ToBool(attributes.value(index), defaultValue);
}

}  // namespace EtikettXml
