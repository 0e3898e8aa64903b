#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "address/customeranschrift.h"
#include "address/customercontact.h"
#include "address/dsnelement.h"
#include "address/paymentterm.h"
#include "address/paymentway.h"
#include "app/objectlist.h"
#include "persistence/xmlcoreobject.h"

class TAddressConfig;

// One entry of the address book, stored as one "kundenadr" element.
class TCustomerAddress : public TDBXMLCoreObject {
public:
    // Values of MwStAusw
    enum { mwstZuzueglich = 0, mwstInklusive = 1, mwstSteuerfrei = 2 };
    // Values of MahnTyp
    enum { mahnAutomatisch = 0, mahnManuell = 1, mahnNicht = 2 };

    TCustomerAddress();
    ~TCustomerAddress() override;

    // Address number
    QString Id;
    QString AddrGrp;
    QString DisplayTxt;
    // Day numbers (days since 30.12.1899)
    double Created = 0;
    double Changed = 0;
    QString CreatedBy;
    QString ChangedBy;
    QStringList Kennzeichen;
    // Number of the address this one forwards to
    QString IdWeiterl;
    // Resubmission date as day number; 0 = none
    double Wv = 0;
    QString WvTxt;
    QString WvUser;
    TCustomerAnschriftObjectList Anschriften;
    QString Sprache;
    QString UstIdNr;
    QString StNr;
    int MwStAusw = 0;
    bool Paragr13b = false;
    bool Paragr14b = false;
    bool Paragr6a = false;
    int MahnTyp = 0;
    TCustomerContactObjectList Kontakte;
    bool Alarm = false;
    QString AlarmText;
    QString ZInfo;
    QString Info;
    TPaymentWayObjectList PaymentWays;
    TPaymentTermObjectList PaymentTerms;
    QString DebitorNr;
    QString DebitorKreditlimit;
    QString DebitorVersicherung;
    QString DebitorBonitaet;
    QString KreditorNr;
    // Our customer number at this supplier
    QString OwnId;
    QString KreditorBearbeiter;
    TDsnElementList ExtraFields;
    QString KndVerz;
    // Not stored: the postal address and extra line chosen for printing (empty: defaults).
    QString PrintAnschriftId;
    QString PrintExtraLine;

    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override;
    void Characters(const QString& chunk) override;
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override;
    void Clear() override;
    // WithoutColumns leaves out number, creation and change data, forwarding, resubmission,
    // address group and marks. indent: number of blanks before the "kundenadr" element.
    void WriteXML(TXmlContent content, int indent) override;
    QString className() const override;

    // Copies every field of the other record (also the print selection).
    void Assign(const TCustomerAddress& other);
    // Field-by-field comparison of everything that is stored.
    bool SameContent(const TCustomerAddress& other) const;
    // This record is an edit of `original`; `stored` is the same address as another
    // workstation saved it meanwhile. Every field (a list counts as one) that this edit left as
    // it was takes the stored value, so saving keeps both users' changes; a field both changed
    // keeps this edit's value.
    void MergeStored(const TCustomerAddress& original, const TCustomerAddress& stored);

    // One-line display text, at most 250 characters; ". . . . ." without default address.
    QString GetShortText() const;
    // Multi-line hint text of a postal address (-1: the default address); empty when there
    // is no such address.
    QString GetAnschriftText(int index) const;

    // The address lines of a postal address, joined by CR LF. id: the address's Id, or
    // "<address number>_<Id>", blank for the default address; extraLine is printed under the
    // names. The country name of a foreign address comes from the system settings.
    static QString FormatAnschriftBlock(const TCustomerAnschriftObjectList& anschriften,
                                        const TAddressConfig& config, const QString& id,
                                        const QString& extraLine);
    // The same parts joined by blanks.
    static QString FormatAnschriftLine(const TCustomerAnschriftObjectList& anschriften,
                                       const TAddressConfig& config, const QString& id,
                                       const QString& extraLine);
    // The parts themselves.
    static QStringList FormatAnschriftParts(const TCustomerAnschriftObjectList& anschriften,
                                            const TAddressConfig& config, const QString& id,
                                            const QString& extraLine);

private:
    // Parse state
    TCustomerContact* m_currentContact = nullptr;
    TCustomerAnschrift* m_currentAnschrift = nullptr;
    TDsnElement* m_currentExtraField = nullptr;

    void readRootAttributes(const TXmlAttributes& attributes);
};

// Owning list of whole address records, in the order added.
class TCustomerAdressObjectList : public TObjectList<TCustomerAddress> {
public:
    // Index of the record with exactly this number, or -1.
    int IndexOfId(const QString& id) const;
};
