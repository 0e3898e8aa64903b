#include "address/addresslistfile.h"
#include "app/conversions.h"

#include <QIODevice>

#include "address/customeraddress.h"
#include "app/atomicfile.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/xmlcoreobject.h"

namespace {

QByteArray documentBytes(const TCustomerAdressObjectList& list) {
    const QString text = AddressListText(list);
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// Hands the events of each "kundenadr" element to a new record of the list.
class TAddressListReader : public TDBXMLCoreObject {
public:
    explicit TAddressListReader(TCustomerAdressObjectList& list) : m_list(list) {}

    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override {
        if (qName == QLatin1String("kundenadr")) {
            // One address inside another would lose the outer one's number; no guessing.
            if (m_current) {
                m_nested = true;
            } else {
                m_current = m_list.Add();
                m_depth = 0;
            }
        }
        if (!m_current) return;
        ++m_depth;
        m_current->StartElement(namespaceUri, localName, qName, attributes);
    }
    void Characters(const QString& chunk) override {
        if (m_current) m_current->Characters(chunk);
    }
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override {
        if (!m_current) return;
        m_current->EndElement(namespaceUri, localName, qName);
        if (--m_depth == 0) m_current = nullptr;
    }
    void Clear() override {
        m_list.Clear();
        m_current = nullptr;
        m_depth = 0;
        m_nested = false;
    }
    void WriteXML(bool, int) override {}
    QString className() const override { return QStringLiteral("TAddressListReader"); }
    bool nested() const { return m_nested; }

private:
    TCustomerAdressObjectList& m_list;
    TCustomerAddress* m_current = nullptr;
    int m_depth = 0;  // open elements inside the current record, itself included
    bool m_nested = false;
};

bool finishLoad(const TAddressListReader& reader, QString* errorText) {
    if (reader.nested() && !reader.HasParseError) {
        if (errorText)
            *errorText =
                _("Eine Adresse (\"kundenadr\") steht in einer anderen; verschachtelte "
                  "Adressen werden nicht gelesen.");
        return false;
    }
    if (errorText) *errorText = reader.ErrorText;
    return !reader.HasParseError;
}

}  // namespace

QString AddressListText(const TCustomerAdressObjectList& list) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>") + CrLf +
                   QStringLiteral("<adressen>") + CrLf;
    for (const auto& record : list) text += record->GetXMLBody(true, 2);
    text += QStringLiteral("</adressen>") + CrLf;
    return text;
}

void SaveAddressListToFile(const TCustomerAdressObjectList& list, const QString& fileName) {
    WriteFileAtomically(fileName, documentBytes(list));
}

void SaveAddressListToStream(const TCustomerAdressObjectList& list, QIODevice* stream) {
    if (!stream) return;
    const QByteArray bytes = documentBytes(list);
    if (stream->write(bytes) != bytes.size()) {
        throw EKwpError(_("Fehler beim Schreiben der XML-Daten.") + CrLf + stream->errorString());
    }
}

bool LoadAddressListFromFile(const QString& fileName, TCustomerAdressObjectList& list,
                             QString* errorText) {
    TAddressListReader reader(list);
    reader.LoadFromFile(fileName);
    return finishLoad(reader, errorText);
}

bool LoadAddressListFromStream(QIODevice* stream, TCustomerAdressObjectList& list,
                               QString* errorText) {
    TAddressListReader reader(list);
    reader.LoadFromStream(stream);
    return finishLoad(reader, errorText);
}
