#pragma once

#include <QString>
#include <memory>

#include "labels/printetikett.h"
#include "labels/printetikettform.h"
#include "persistence/xmlcoreobject.h"

// The label layouts of one layout file ("LABELS_ADDRESS.XML"): the forms with their label
// positions and the labels the positions name. Positions find their labels by name when they
// are drawn, so a position may name a label that stands later in the file.
class TPrintEtikettManager : public TDBXMLCoreObject {
public:
    TPrintEtikettManager();
    ~TPrintEtikettManager() override;

    // Elements are recognised by name wherever they stand; positions and label elements
    // belong to the form or label started last.
    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override;
    // Layout files carry no text.
    void Characters(const QString& chunk) override;
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override;
    // Frees forms and labels and forgets the form and label being read.
    void Clear() override;
    // Both arguments are ignored.
    void WriteXML(TXmlContent content, int indent) override;
    QString className() const override;

    // A copy of the first label whose name matches ignoring case, owned by the caller; null
    // when there is none.
    std::unique_ptr<TPrintEtikett> FindLabelCopy(const QString& name) const;

    TPrintEtikettFormObjectList& forms() { return m_forms; }
    const TPrintEtikettFormObjectList& forms() const { return m_forms; }
    TPrintEtikettObjectList& labels() { return m_labels; }
    const TPrintEtikettObjectList& labels() const { return m_labels; }

private:
    // The form and label started last while reading; not owned.
    TPrintEtikettForm* m_currentForm = nullptr;
    TPrintEtikett* m_currentLabel = nullptr;
    TPrintEtikettFormObjectList m_forms;
    TPrintEtikettObjectList m_labels;
};
