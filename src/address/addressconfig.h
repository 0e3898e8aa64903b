#pragma once

#include <QString>
#include <QStringList>

#include "persistence/xmlcoreobject.h"

// Tenant-wide settings and choice lists of the address book ("CONFIG.XML").
class TAddressConfig : public TDBXMLCoreObject {
public:
    TAddressConfig();
    ~TAddressConfig() override;

    // Home country code; a postal address with another country is foreign.
    QString Lkz;
    // Look up towns from postal codes while editing.
    bool SearchPlz = true;
    QStringList AdressKz;
    QStringList AnschriftArten;
    QStringList AdressGrp;
    // Prefixes for new address numbers.
    QStringList Nk;
    QStringList KontaktKz;
    QStringList SpezielleKontaktKz;
    int StdMwSt = 0;
    int StdMahnTyp = 0;
    QString StdMailHeader;

    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override;
    void Characters(const QString& chunk) override;
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override;
    void Clear() override;
    // Both arguments are ignored.
    void WriteXML(TXmlContent content, int indent) override;
    QString className() const override;

    // The lists' text as stored: entries joined by CR LF.
    static QString ListText(const QStringList& list);
    // One entry per line; CR LF, CR and LF all end a line, a final break adds no entry.
    static QStringList SplitListText(const QString& text);

private:
    // The list whose element is open while reading, else null.
    QStringList* m_openList = nullptr;

    QStringList* listForElement(const QString& name);
};
