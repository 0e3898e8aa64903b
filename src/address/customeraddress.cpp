#include "address/customeraddress.h"

#include <algorithm>

#include "address/addressconfig.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"

namespace {

const QString kNoAddress = QStringLiteral(". . . . .");

QString optionalAttribute(const char* name, const QString& value) {
    return value.isEmpty() ? QString() : XmlAttribute(name, value);
}

// Appends part to text with the separator, both only when part is not empty.
void appendPart(QString& text, const QString& separator, const QString& part) {
    if (part.isEmpty()) return;
    if (!text.isEmpty()) text += separator;
    text += part;
}

QString shortened(const QString& text, qsizetype room) {
    if (text.size() <= room) return text;
    return text.left(std::max<qsizetype>(room - 3, 0)) + QStringLiteral("...");
}

// Only the value that belongs to the type counts.
bool sameExtraFields(const TDsnElementList& a, const TDsnElementList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        if (x->Name != y->Name || x->ElementType != y->ElementType) return false;
        switch (x->ElementType) {
            case TDsnElement::etText:
                return x->TextValue == y->TextValue;
            case TDsnElement::etInteger:
                return x->IntValue == y->IntValue;
            case TDsnElement::etBoolean:
                return x->BoolValue == y->BoolValue;
            case TDsnElement::etDate:
            case TDsnElement::etTime:
            case TDsnElement::etFloat:
                return x->FloatValue == y->FloatValue;
            default:
                return true;
        }
    });
}

}  // namespace

TCustomerAddress::TCustomerAddress() {
    TCustomerAddress::Clear();
}

TCustomerAddress::~TCustomerAddress() = default;

QString TCustomerAddress::className() const {
    return QStringLiteral("TCustomerAddress");
}

void TCustomerAddress::Clear() {
    m_currentContact = nullptr;
    m_currentAnschrift = nullptr;
    m_currentExtraField = nullptr;
    Id.clear();
    AddrGrp.clear();
    DisplayTxt.clear();
    Created = 0;
    Changed = 0;
    CreatedBy.clear();
    ChangedBy.clear();
    Kennzeichen.clear();
    IdWeiterl.clear();
    Wv = 0;
    WvTxt.clear();
    WvUser.clear();
    Anschriften.Clear();
    Sprache.clear();
    UstIdNr.clear();
    StNr.clear();
    MwStAusw = 0;
    Paragr13b = false;
    Paragr14b = false;
    Paragr6a = false;
    MahnTyp = 0;
    Kontakte.Clear();
    Alarm = false;
    AlarmText.clear();
    ZInfo.clear();
    Info.clear();
    PaymentWays.Clear();
    PaymentTerms.Clear();
    DebitorNr.clear();
    DebitorKreditlimit.clear();
    DebitorVersicherung.clear();
    DebitorBonitaet.clear();
    KreditorNr.clear();
    OwnId.clear();
    KreditorBearbeiter.clear();
    ExtraFields.Clear();
    KndVerz.clear();
    PrintAnschriftId.clear();
    PrintExtraLine.clear();
}

void TCustomerAddress::Assign(const TCustomerAddress& other) {
    if (&other == this) return;
    Clear();
    Id = other.Id;
    AddrGrp = other.AddrGrp;
    DisplayTxt = other.DisplayTxt;
    Created = other.Created;
    Changed = other.Changed;
    CreatedBy = other.CreatedBy;
    ChangedBy = other.ChangedBy;
    Kennzeichen = other.Kennzeichen;
    IdWeiterl = other.IdWeiterl;
    Wv = other.Wv;
    WvTxt = other.WvTxt;
    WvUser = other.WvUser;
    Anschriften.Assign(other.Anschriften);
    Sprache = other.Sprache;
    UstIdNr = other.UstIdNr;
    StNr = other.StNr;
    MwStAusw = other.MwStAusw;
    Paragr13b = other.Paragr13b;
    Paragr14b = other.Paragr14b;
    Paragr6a = other.Paragr6a;
    MahnTyp = other.MahnTyp;
    Kontakte.Assign(other.Kontakte);
    Alarm = other.Alarm;
    AlarmText = other.AlarmText;
    ZInfo = other.ZInfo;
    Info = other.Info;
    PaymentWays.Assign(other.PaymentWays);
    PaymentTerms.Assign(other.PaymentTerms);
    DebitorNr = other.DebitorNr;
    DebitorKreditlimit = other.DebitorKreditlimit;
    DebitorVersicherung = other.DebitorVersicherung;
    DebitorBonitaet = other.DebitorBonitaet;
    KreditorNr = other.KreditorNr;
    OwnId = other.OwnId;
    KreditorBearbeiter = other.KreditorBearbeiter;
    ExtraFields.Assign(other.ExtraFields);
    KndVerz = other.KndVerz;
    PrintAnschriftId = other.PrintAnschriftId;
    PrintExtraLine = other.PrintExtraLine;
}

bool TCustomerAddress::SameContent(const TCustomerAddress& o) const {
    return Id == o.Id && AddrGrp == o.AddrGrp && DisplayTxt == o.DisplayTxt &&
           Created == o.Created && Changed == o.Changed && CreatedBy == o.CreatedBy &&
           ChangedBy == o.ChangedBy && Kennzeichen == o.Kennzeichen && IdWeiterl == o.IdWeiterl &&
           Wv == o.Wv && WvTxt == o.WvTxt && WvUser == o.WvUser && Anschriften == o.Anschriften &&
           Sprache == o.Sprache && UstIdNr == o.UstIdNr && StNr == o.StNr &&
           MwStAusw == o.MwStAusw && Paragr13b == o.Paragr13b && Paragr14b == o.Paragr14b &&
           Paragr6a == o.Paragr6a && MahnTyp == o.MahnTyp && Kontakte == o.Kontakte &&
           Alarm == o.Alarm && AlarmText == o.AlarmText && ZInfo == o.ZInfo && Info == o.Info &&
           PaymentWays == o.PaymentWays && PaymentTerms == o.PaymentTerms &&
           DebitorNr == o.DebitorNr && DebitorKreditlimit == o.DebitorKreditlimit &&
           DebitorVersicherung == o.DebitorVersicherung && DebitorBonitaet == o.DebitorBonitaet &&
           KreditorNr == o.KreditorNr && OwnId == o.OwnId &&
           KreditorBearbeiter == o.KreditorBearbeiter &&
           sameExtraFields(ExtraFields, o.ExtraFields) && KndVerz == o.KndVerz;
}

void TCustomerAddress::MergeStored(const TCustomerAddress& original,
                                   const TCustomerAddress& stored) {
    const auto take = [](auto& mine, const auto& before, const auto& theirs) {
        if (mine == before) mine = theirs;
    };
    const auto takeList = [](auto& mine, const auto& before, const auto& theirs) {
        if (mine == before) mine.Assign(theirs);
    };
    take(AddrGrp, original.AddrGrp, stored.AddrGrp);
    take(Kennzeichen, original.Kennzeichen, stored.Kennzeichen);
    take(IdWeiterl, original.IdWeiterl, stored.IdWeiterl);
    take(Wv, original.Wv, stored.Wv);
    take(WvTxt, original.WvTxt, stored.WvTxt);
    take(WvUser, original.WvUser, stored.WvUser);
    takeList(Anschriften, original.Anschriften, stored.Anschriften);
    take(Sprache, original.Sprache, stored.Sprache);
    take(UstIdNr, original.UstIdNr, stored.UstIdNr);
    take(StNr, original.StNr, stored.StNr);
    take(MwStAusw, original.MwStAusw, stored.MwStAusw);
    take(Paragr13b, original.Paragr13b, stored.Paragr13b);
    take(Paragr14b, original.Paragr14b, stored.Paragr14b);
    take(Paragr6a, original.Paragr6a, stored.Paragr6a);
    take(MahnTyp, original.MahnTyp, stored.MahnTyp);
    takeList(Kontakte, original.Kontakte, stored.Kontakte);
    take(Alarm, original.Alarm, stored.Alarm);
    take(AlarmText, original.AlarmText, stored.AlarmText);
    take(ZInfo, original.ZInfo, stored.ZInfo);
    take(Info, original.Info, stored.Info);
    takeList(PaymentWays, original.PaymentWays, stored.PaymentWays);
    takeList(PaymentTerms, original.PaymentTerms, stored.PaymentTerms);
    take(DebitorNr, original.DebitorNr, stored.DebitorNr);
    take(DebitorKreditlimit, original.DebitorKreditlimit, stored.DebitorKreditlimit);
    take(DebitorVersicherung, original.DebitorVersicherung, stored.DebitorVersicherung);
    take(DebitorBonitaet, original.DebitorBonitaet, stored.DebitorBonitaet);
    take(KreditorNr, original.KreditorNr, stored.KreditorNr);
    take(OwnId, original.OwnId, stored.OwnId);
    take(KreditorBearbeiter, original.KreditorBearbeiter, stored.KreditorBearbeiter);
    if (sameExtraFields(ExtraFields, original.ExtraFields)) ExtraFields.Assign(stored.ExtraFields);
    take(KndVerz, original.KndVerz, stored.KndVerz);
}

// ---------------------------------------------------------------- writing

void TCustomerAddress::WriteXML(TXmlContent content, int indent) {
    const bool full = content == TXmlContent::Full;
    const QString outer(std::max(indent, 0), u' ');
    const QString inner = outer + QStringLiteral("  ");
    const QString nested = inner + QStringLiteral("  ");

    QString head = outer + QStringLiteral("<kundenadr");
    if (full) {
        head += optionalAttribute("id", Id);
        head += XmlAttribute("cr", FloatToStr(Created));
        head += XmlAttribute("ch", FloatToStr(Changed));
        head += XmlAttribute("crby", CreatedBy);
        head += XmlAttribute("chby", ChangedBy);
        head += optionalAttribute("idweiterl", IdWeiterl);
        if (Wv != 0) {
            head += FormatStr(QStringLiteral(" wv=\"%s\" wvtxt=\"%s\" wvuser=\"%s\""),
                              {FloatToStr(Wv), XmlEscape(WvTxt), XmlEscape(WvUser)});
        }
        head += optionalAttribute("addrgrp", AddrGrp);
    }
    head += optionalAttribute("kndverz", KndVerz);
    head += optionalAttribute("sprache", Sprache);
    head += optionalAttribute("ustidnr", UstIdNr);
    head += optionalAttribute("stnr", StNr);
    if (MwStAusw != 0) head += XmlAttribute("mwstausw", QString::number(MwStAusw));
    if (Paragr13b) head += XmlAttribute("paragr13b", BoolToXml(true));
    if (Paragr14b) head += XmlAttribute("paragr14b", BoolToXml(true));
    if (Paragr6a) head += XmlAttribute("paragr6a", BoolToXml(true));
    if (MahnTyp != 0) head += XmlAttribute("mahntyp", QString::number(MahnTyp));
    head += optionalAttribute("ownid", OwnId);
    WriteLine(head + u'>');

    for (const auto& anschrift : Anschriften) WriteLine(inner + anschrift->XmlLine());

    if (!Info.isEmpty())
        WriteLine(inner + QStringLiteral("<info>") + XmlEscape(Info) + QStringLiteral("</info>"));
    if (!DisplayTxt.isEmpty())
        WriteLine(inner + QStringLiteral("<at>") + XmlEscape(DisplayTxt) + QStringLiteral("</at>"));

    WriteLine(inner + QStringLiteral("<debitor") + optionalAttribute("debitornr", DebitorNr) +
              optionalAttribute("debitorkreditlimit", DebitorKreditlimit) +
              optionalAttribute("debitorversicherung", DebitorVersicherung) +
              optionalAttribute("debitorbonitaet", DebitorBonitaet) + QStringLiteral(" />"));
    WriteLine(inner + QStringLiteral("<kreditor") + optionalAttribute("kreditornr", KreditorNr) +
              optionalAttribute("kreditorbearbeiter", KreditorBearbeiter) + QStringLiteral(" />"));

    WriteLine(inner + FormatStr(QStringLiteral("<alarm val=\"%s\">%s</alarm>"),
                                {BoolToXml(Alarm), XmlEscape(AlarmText)}));
    WriteLine(inner + QStringLiteral("<zinfo>") + XmlEscape(ZInfo) + QStringLiteral("</zinfo>"));

    if (Kontakte.Count() > 0) {
        WriteLine(inner + QStringLiteral("<kontakte>"));
        for (const auto& contact : Kontakte) {
            WriteLine(nested + FormatStr(QStringLiteral("<kontakt name=\"%s\" std=\"%s\">"),
                                         {XmlEscape(contact->Name), BoolToXml(contact->Std)}));
            for (const auto& data : contact->Data)
                WriteLine(nested + QStringLiteral("  ") + data->XmlLine());
            WriteLine(nested + QStringLiteral("</kontakt>"));
        }
        WriteLine(inner + QStringLiteral("</kontakte>"));
    }

    if (PaymentWays.Count() > 0) {
        WriteLine(inner + QStringLiteral("<pwl>"));
        for (const auto& way : PaymentWays) WriteLine(nested + way->XmlLine());
        WriteLine(inner + QStringLiteral("</pwl>"));
    }

    Write(PaymentTerms.WriteXML(inner));

    QString extraFields;
    ExtraFields.WriteXML(inner, extraFields);
    if (!extraFields.isEmpty()) WriteLine(extraFields);

    if (full && !Kennzeichen.isEmpty()) {
        WriteLine(inner + QStringLiteral("<kz>") +
                  XmlEscape(TAddressConfig::ListText(Kennzeichen).trimmed()) +
                  QStringLiteral("</kz>"));
    }

    WriteLine(outer + QStringLiteral("</kundenadr>"));
}

// ---------------------------------------------------------------- reading

void TCustomerAddress::readRootAttributes(const TXmlAttributes& attributes) {
    Id = attributes.readText("id", Id);
    AddrGrp = attributes.readText("addrgrp", AddrGrp);
    Created = attributes.readFloat("cr", Created);
    Changed = attributes.readFloat("ch", Changed);
    CreatedBy = attributes.readText("crby", CreatedBy);
    ChangedBy = attributes.readText("chby", ChangedBy);
    IdWeiterl = attributes.readText("idweiterl", IdWeiterl);
    Wv = attributes.readFloat("wv", Wv);
    WvTxt = attributes.readText("wvtxt", WvTxt);
    WvUser = attributes.readText("wvuser", WvUser);
    KndVerz = attributes.readText("kndverz", KndVerz);
    Sprache = attributes.readText("sprache", Sprache);
    UstIdNr = attributes.readText("ustidnr", UstIdNr);
    StNr = attributes.readText("stnr", StNr);
    MwStAusw = attributes.readInt("mwstausw", MwStAusw);
    Paragr13b = attributes.readBool("paragr13b", Paragr13b);
    Paragr14b = attributes.readBool("paragr14b", Paragr14b);
    Paragr6a = attributes.readBool("paragr6a", Paragr6a);
    MahnTyp = attributes.readInt("mahntyp", MahnTyp);
    OwnId = attributes.readText("ownid", OwnId);
}

void TCustomerAddress::StartElement(const QString& namespaceUri, const QString& localName,
                                    const QString& qName, const TXmlAttributes& attributes) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    CurrentElement = qName;
    if (qName == QLatin1String("kundenadr")) {
        readRootAttributes(attributes);
    } else if (qName == QLatin1String("adr")) {
        m_currentAnschrift = Anschriften.Add();
        m_currentAnschrift->ReadAttributes(attributes);
    } else if (qName == QLatin1String("debitor")) {
        DebitorNr = attributes.readText("debitornr", DebitorNr);
        DebitorKreditlimit = attributes.readText("debitorkreditlimit", DebitorKreditlimit);
        DebitorVersicherung = attributes.readText("debitorversicherung", DebitorVersicherung);
        DebitorBonitaet = attributes.readText("debitorbonitaet", DebitorBonitaet);
    } else if (qName == QLatin1String("kreditor")) {
        KreditorNr = attributes.readText("kreditornr", KreditorNr);
        KreditorBearbeiter = attributes.readText("kreditorbearbeiter", KreditorBearbeiter);
    } else if (qName == QLatin1String("alarm")) {
        Alarm = attributes.readBool("val", Alarm);
    } else if (qName == QLatin1String("kontakt")) {
        m_currentContact = Kontakte.Add();
        m_currentContact->ReadAttributes(attributes);
    } else if (qName == QLatin1String("kontaktdata")) {
        // Outside a contact there is nobody to give it to.
        if (m_currentContact) m_currentContact->Data.Add()->ReadAttributes(attributes);
    } else if (qName == QLatin1String("pw")) {
        PaymentWays.Add()->ReadAttributes(attributes);
    } else if (qName == QLatin1String("pt")) {
        PaymentTerms.Add()->ReadAttributes(attributes);
    } else if (qName == QLatin1String("dsnobj")) {
        m_currentExtraField = ExtraFields.Add();
        m_currentExtraField->ReadAttributes(attributes);
        TextBuffer.clear();
    } else if (qName == QLatin1String("kz")) {
        TextBuffer.clear();
    }
}

void TCustomerAddress::Characters(const QString& chunk) {
    if (CurrentElement == QLatin1String("info")) {
        Info += chunk;
    } else if (CurrentElement == QLatin1String("at")) {
        DisplayTxt += chunk;
    } else if (CurrentElement == QLatin1String("alarm")) {
        AlarmText += chunk;
        Alarm = true;
    } else if (CurrentElement == QLatin1String("zinfo")) {
        ZInfo += chunk;
    } else if (CurrentElement == QLatin1String("kz") ||
               (CurrentElement == QLatin1String("dsnobj") && m_currentExtraField)) {
        TextBuffer.appendWideString(chunk);
    }
}

void TCustomerAddress::EndElement(const QString& namespaceUri, const QString& localName,
                                  const QString& qName) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    CurrentElement.clear();
    if (qName == QLatin1String("kontakt")) {
        m_currentContact = nullptr;
    } else if (qName == QLatin1String("adr")) {
        m_currentAnschrift = nullptr;
    } else if (qName == QLatin1String("kz")) {
        Kennzeichen = TAddressConfig::SplitListText(TextBuffer.dataString());
        TextBuffer.clear();
    } else if (qName == QLatin1String("dsnobj") && m_currentExtraField) {
        m_currentExtraField->SetValueText(TextBuffer.dataString());
        m_currentExtraField = nullptr;
        TextBuffer.clear();
    }
}

// ---------------------------------------------------------------- texts

QString TCustomerAddress::GetShortText() const {
    const TCustomerAnschrift* anschrift = Anschriften.DefaultAnschrift();
    if (!anschrift) return kNoAddress;
    QString names;
    for (const QString* name :
         {&anschrift->Name1, &anschrift->Name2, &anschrift->Name3, &anschrift->Name4})
        appendPart(names, QStringLiteral(" "), name->trimmed());
    QString place = anschrift->Strasse.trimmed();
    appendPart(place, QStringLiteral(" "), anschrift->Land);
    appendPart(place, anschrift->Land.isEmpty() ? QStringLiteral(" ") : QStringLiteral("-"),
               anschrift->Plz);
    appendPart(place, QStringLiteral(" "), anschrift->Ort);
    place = shortened(place, 150);
    names = shortened(names, 250 - place.size());
    const QString result = names + u' ' + place;
    return result.trimmed().isEmpty() ? kNoAddress : result;
}

QString TCustomerAddress::GetAnschriftText(int index) const {
    const TCustomerAnschrift* anschrift = nullptr;
    if (index == -1)
        anschrift = Anschriften.DefaultAnschrift();
    else if (index >= 0 && index < Anschriften.Count())
        anschrift = Anschriften.Items(index);
    if (!anschrift) return {};
    QStringList lines;
    const auto add = [&lines](const QString& line) {
        if (!line.isEmpty()) lines.append(line);
    };
    add(anschrift->AArt);
    for (const QString* name :
         {&anschrift->Name1, &anschrift->Name2, &anschrift->Name3, &anschrift->Name4})
        add(name->size() > 35 ? name->left(35) + QStringLiteral("...") : *name);
    add(anschrift->Strasse);
    QString town = anschrift->Land;
    appendPart(town, QStringLiteral("-"), anschrift->Plz);
    appendPart(town, QStringLiteral(" "), anschrift->Ort);
    add(town);
    return lines.join(CrLf);
}

QStringList TCustomerAddress::FormatAnschriftParts(const TCustomerAnschriftObjectList& anschriften,
                                                   const TAddressConfig& config, const QString& id,
                                                   const QString& extraLine) {
    const TCustomerAnschrift* anschrift = nullptr;
    if (id.trimmed().isEmpty()) {
        anschrift = anschriften.DefaultAnschrift();
    } else {
        // References to another record's address read "<address number>_<Id>".
        const qsizetype underscore = id.indexOf(u'_');
        anschrift = anschriften.FindById(underscore >= 0 ? id.mid(underscore + 1) : id);
    }
    if (!anschrift) return {};

    QStringList parts;
    const auto add = [&parts](const QString& part) {
        if (!part.isEmpty()) parts.append(part);
    };
    add(anschrift->Name1);
    add(anschrift->Name2);
    add(anschrift->Name3);
    add(anschrift->Name4);
    add(extraLine);
    add(anschrift->Strasse);
    const bool foreign = !anschrift->Land.isEmpty() && anschrift->Land != config.Lkz;
    if (!anschrift->Plz.isEmpty() || !anschrift->Ort.isEmpty()) {
        QString town = anschrift->Plz;
        if (!anschrift->Ort.isEmpty()) {
            if (!town.isEmpty()) town += u' ';
            town += foreign ? anschrift->Ort.toUpper() : anschrift->Ort;
        }
        parts.append(town);
    }
    if (foreign) {
        TSystemEinstellungen* settings = SystemEinstellungen();
        // Without a country list there is no name; an empty line would only leave a gap.
        if (settings) add(settings->LookupCountry(anschrift->Land));
    }
    return parts;
}

QString TCustomerAddress::FormatAnschriftBlock(const TCustomerAnschriftObjectList& anschriften,
                                               const TAddressConfig& config, const QString& id,
                                               const QString& extraLine) {
    return FormatAnschriftParts(anschriften, config, id, extraLine).join(CrLf);
}

QString TCustomerAddress::FormatAnschriftLine(const TCustomerAnschriftObjectList& anschriften,
                                              const TAddressConfig& config, const QString& id,
                                              const QString& extraLine) {
    return FormatAnschriftParts(anschriften, config, id, extraLine).join(u' ');
}

// ---------------------------------------------------------------- list of records

int TCustomerAdressObjectList::IndexOfId(const QString& id) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&id](const auto& item) { return item->Id == id; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}
