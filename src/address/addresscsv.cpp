#include "address/addresscsv.h"

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "app/atomicfile.h"
#include "app/translation.h"

namespace {

QByteArray Field(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(';') || bytes.contains('"') || bytes.contains('\n') ||
        bytes.contains('\r')) {
        bytes.replace('"', "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

void AddRow(QByteArray& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ';';
        out += Field(fields.at(i));
    }
    out += "\r\n";
}

enum TChannel { chTelefon, chMobil, chFax, chEmail, chInternet, chCount };

// The first value of each kind, the default contact's before the others'.
QStringList Channels(const TCustomerAddress& record) {
    QStringList values(chCount);
    QList<const TCustomerContact*> contacts;
    if (const TCustomerContact* main = record.Kontakte.DefaultContact()) contacts << main;
    for (const auto& contact : record.Kontakte)
        if (!contacts.contains(contact.get())) contacts << contact.get();
    for (const TCustomerContact* contact : contacts) {
        for (const auto& data : contact->Data) {
            int kind = chCount;
            if (data->CdType == cdtTelefon)
                kind = data->CdName.contains(QLatin1String("mobil"), Qt::CaseInsensitive) ||
                               data->CdName.contains(QLatin1String("handy"), Qt::CaseInsensitive)
                           ? chMobil
                           : chTelefon;
            else if (data->CdType == cdtFax)
                kind = chFax;
            else if (data->CdType == cdtEmail)
                kind = chEmail;
            else if (data->CdType == cdtInternet)
                kind = chInternet;
            if (kind < chCount && values[kind].isEmpty()) values[kind] = data->CdValue.trimmed();
        }
    }
    return values;
}

}  // namespace

QByteArray TAddressCsv::Header() {
    QByteArray out("\xEF\xBB\xBF");
    AddRow(out, {_("Adressnummer"), _("Adressgruppe"), _("Name 1"), _("Name 2"), _("Name 3"),
                 _("Name 4"), _("Straße"), _("Land"), _("PLZ"), _("Ort"), _("Telefon"), _("Mobil"),
                 _("Fax"), _("E-Mail"), _("Internet"), _("Kennzeichen"), _("Informationen")});
    return out;
}

QByteArray TAddressCsv::Row(const TCustomerAddress& record) {
    const TCustomerAnschrift* a = record.Anschriften.DefaultAnschrift();
    if (!a && record.Anschriften.Count() > 0) a = record.Anschriften.Items(0);
    const TCustomerAnschrift empty;
    if (!a) a = &empty;
    QByteArray out;
    AddRow(out, QStringList{record.Id, record.AddrGrp, a->Name1, a->Name2, a->Name3, a->Name4,
                            a->Strasse, a->Land, a->Plz, a->Ort} +
                    Channels(record) +
                    QStringList{record.Kennzeichen.join(QStringLiteral(", ")), record.Info});
    return out;
}

QByteArray TAddressCsv::Write(const QList<const TCustomerAddress*>& addresses) {
    QByteArray out = Header();
    for (const TCustomerAddress* record : addresses) out += Row(*record);
    return out;
}

void TAddressCsv::WriteFile(const QString& fileName,
                            const QList<const TCustomerAddress*>& addresses) {
    WriteFileAtomically(fileName, Write(addresses));
}
