#include "address/vcard.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QUuid>
#include <memory>
#include <optional>

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

namespace {

// Octets per physical line, CRLF not counted.
constexpr int kFoldWidth = 75;
// Namespace of the cards' UIDs: the same number always gives the same UID.
const QUuid kUidNamespace(QStringLiteral("{6c1f3c1e-5b0e-4c53-9d4e-0207a0d2e5f1}"));

// ---- writing

QString Escape(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            result += QLatin1Char('\\');
            result += c;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += QStringLiteral("\\n");
        } else {
            result += c;
        }
    }
    return result;
}

// Structured values: components escaped and joined by ";".
QString Components(const QStringList& parts) {
    QStringList escaped;
    for (const QString& part : parts) escaped << Escape(part.trimmed());
    return escaped.join(QLatin1Char(';'));
}

// Appends the content line folded at kFoldWidth octets, never inside a UTF-8 sequence.
void AddLine(QByteArray& out, const QString& line) {
    const QByteArray bytes = line.toUtf8();
    qsizetype start = 0;
    int room = kFoldWidth;
    while (bytes.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (uchar(bytes.at(cut)) & 0xC0) == 0x80) --cut;
        out += bytes.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        room = kFoldWidth - 1;
    }
    out += bytes.mid(start);
    out += "\r\n";
}

bool NameSays(const TCustomerContactData& data, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        if (data.CdName.contains(QLatin1String(word), Qt::CaseInsensitive) ||
            data.CdCaract.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The TYPE parameter of the given types; 4.0 wants several types quoted.
QString TypeParam(const QStringList& types, int version) {
    if (types.isEmpty()) return {};
    const QString list = types.join(QLatin1Char(','));
    return QStringLiteral(";TYPE=") +
           (version >= 4 && types.size() > 1 ? QLatin1Char('"') + list + QLatin1Char('"') : list);
}

// "Herr Dr. Hans Meier" as N: family;given;additional;prefix;suffix.
QStringList PersonName(const QString& text) {
    QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) return {};
    QStringList prefix;
    static const QStringList kPrefixes = {QStringLiteral("Herr"), QStringLiteral("Herrn"),
                                          QStringLiteral("Frau"), QStringLiteral("Dr."),
                                          QStringLiteral("Prof.")};
    while (words.size() > 1 && kPrefixes.contains(words.first())) prefix << words.takeFirst();
    const QString family = words.takeLast();
    return {family, words.join(QLatin1Char(' ')), QString(), prefix.join(QLatin1Char(' ')),
            QString()};
}

void WriteCard(QByteArray& out, const TCustomerAddress& record, int version) {
    const QString v4 = version >= 4 ? QStringLiteral("4.0") : QStringLiteral("3.0");
    AddLine(out, QStringLiteral("BEGIN:VCARD"));
    AddLine(out, QStringLiteral("VERSION:") + v4);
    AddLine(out, QStringLiteral("PRODID:-//KWP00207//Adressverwaltung//DE"));
    const QString id = record.Id.trimmed().toUpper();
    if (!id.isEmpty()) {
        AddLine(out, QStringLiteral("UID:urn:uuid:") +
                         QUuid::createUuidV5(kUidNamespace, id).toString(QUuid::WithoutBraces));
    }

    const TCustomerAnschrift* main = record.Anschriften.DefaultAnschrift();
    if (!main && record.Anschriften.Count() > 0) main = record.Anschriften.Items(0);
    QStringList names;
    if (main) {
        for (const QString& name : {main->Name1, main->Name2, main->Name3, main->Name4})
            if (!name.trimmed().isEmpty()) names << name.trimmed();
    }
    QString fn = names.join(QLatin1Char(' '));
    if (fn.isEmpty()) fn = record.DisplayTxt.trimmed();
    if (fn.isEmpty()) fn = id;
    AddLine(out, QStringLiteral("FN:") + Escape(fn));

    const TCustomerContact* person = record.Kontakte.DefaultContact();
    if (!person && record.Kontakte.Count() > 0) person = record.Kontakte.Items(0);
    const TCustomerContactData* nameData = person ? person->Data.FindByType(cdtName) : nullptr;
    const QStringList n = nameData ? PersonName(nameData->CdValue) : QStringList();
    AddLine(out,
            QStringLiteral("N:") + Components(n.isEmpty() ? QStringList{{}, {}, {}, {}, {}} : n));
    if (const TCustomerContactData* firma = person ? person->Data.FindByType(cdtFirma) : nullptr;
        firma && !firma->CdValue.trimmed().isEmpty())
        AddLine(out, QStringLiteral("ORG:") + Escape(firma->CdValue.trimmed()));
    if (const TCustomerContactData* position =
            person ? person->Data.FindByType(cdtPosition) : nullptr;
        position && !position->CdValue.trimmed().isEmpty())
        AddLine(out, QStringLiteral("TITLE:") + Escape(position->CdValue.trimmed()));

    for (const auto& anschrift : record.Anschriften) {
        QStringList types;
        if (anschrift->AArt.contains(QLatin1String("privat"), Qt::CaseInsensitive))
            types << QStringLiteral("home");
        else if (version < 4 &&
                 anschrift->AArt.contains(QLatin1String("postfach"), Qt::CaseInsensitive))
            types << QStringLiteral("postal");
        else
            types << QStringLiteral("work");
        QString params;
        if (anschrift.get() == main) {
            if (version >= 4)
                params = QStringLiteral(";PREF=1");
            else
                types << QStringLiteral("pref");
        }
        AddLine(out, QStringLiteral("ADR") + TypeParam(types, version) + params + QLatin1Char(':') +
                         Components({{},
                                     {},
                                     anschrift->Strasse,
                                     anschrift->Ort,
                                     {},
                                     anschrift->Plz,
                                     anschrift->Land}));
    }

    for (const auto& contact : record.Kontakte) {
        for (const auto& data : contact->Data) {
            const QString value = data->CdValue.trimmed();
            if (value.isEmpty()) continue;
            const bool home = NameSays(*data, {"privat"});
            if (data->CdType == cdtTelefon || data->CdType == cdtFax) {
                QStringList types{home ? QStringLiteral("home") : QStringLiteral("work")};
                if (data->CdType == cdtFax)
                    types << QStringLiteral("fax");
                else if (NameSays(*data, {"mobil", "handy", "cell"}))
                    types << QStringLiteral("cell");
                else
                    types << QStringLiteral("voice");
                // 4.0 takes a tel: URI by default; numbers as users typed them stay text.
                AddLine(out, QStringLiteral("TEL") +
                                 (version >= 4 ? QStringLiteral(";VALUE=text") : QString()) +
                                 TypeParam(types, version) + QLatin1Char(':') + Escape(value));
            } else if (data->CdType == cdtEmail) {
                QStringList types;
                if (version < 4) types << QStringLiteral("internet");
                types << (home ? QStringLiteral("home") : QStringLiteral("work"));
                AddLine(out, QStringLiteral("EMAIL") + TypeParam(types, version) +
                                 QLatin1Char(':') + Escape(value));
            } else if (data->CdType == cdtInternet) {
                const QString url = value.contains(QLatin1String("://"))
                                        ? value
                                        : QStringLiteral("http://") + value;
                AddLine(out, QStringLiteral("URL:") + Escape(url));
            }
        }
    }
    if (!record.Info.trimmed().isEmpty())
        AddLine(out, QStringLiteral("NOTE:") + Escape(record.Info.trimmed()));
    QStringList categories;
    for (const QString& category : QStringList(record.AddrGrp) + record.Kennzeichen)
        if (!category.trimmed().isEmpty()) categories << Escape(category.trimmed());
    if (!categories.isEmpty())
        AddLine(out, QStringLiteral("CATEGORIES:") + categories.join(QLatin1Char(',')));
    AddLine(out, QStringLiteral("END:VCARD"));
}

// ---- reading

[[noreturn]] void Fail(int line, const QString& message) {
    throw EKwpError(FormatStr(_("Zeile %d: %s"), {line, message}));
}

// One content line: group stripped, name and parameter names upper case, TYPE values lower.
struct TProperty {
    int line = 0;
    QString name;
    QMultiHash<QString, QString> params;
    QString value;

    bool hasType(const QString& type) const {
        for (const QString& t : params.values(QStringLiteral("TYPE")))
            if (t == type) return true;
        return false;
    }
};

QByteArray DecodeQuotedPrintable(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '=' && i + 2 < text.size()) {
            bool ok = false;
            const int value = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(value);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString DecodeText(const QByteArray& bytes, const QString& charset, int line) {
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (!decoder.isValid())
            Fail(line, FormatStr(_("Der Zeichensatz \"%s\" ist unbekannt."), {charset}));
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    // Older programs wrote 2.1 cards in the Windows code page without saying so.
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Splits at unescaped separators.
QStringList SplitEscaped(const QString& text, QChar separator) {
    QStringList parts(QString{});
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            parts.last() += c;
            parts.last() += text.at(++i);
        } else if (c == separator) {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString Unescape(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            c = text.at(++i);
            if (c == QLatin1Char('n') || c == QLatin1Char('N')) c = QLatin1Char('\n');
        }
        result += c;
    }
    return result.trimmed();
}

// Splits a parameter value list at commas outside double quotes and drops the quotes.
QStringList ParamValues(const QString& text) {
    QStringList values(QString{});
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            values << QString();
        else
            values.last() += c;
    }
    return values;
}

TProperty ParseLine(const QByteArray& raw, int line) {
    // The name and parameters are ASCII; the value is decoded once its encoding is known.
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '"') quoted = !quoted;
        if (raw.at(i) == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0) Fail(line, _("Der Eintrag hat keinen Doppelpunkt zwischen Name und Wert."));
    TProperty property;
    property.line = line;
    const QString head = QString::fromLatin1(raw.left(colon));
    QStringList parts = SplitEscaped(head, QLatin1Char(';'));
    QString name = parts.takeFirst().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf(QLatin1Char('.')); dot >= 0)
        name = name.mid(dot + 1);
    if (name.isEmpty()) Fail(line, _("Der Eintrag hat keinen Namen."));
    property.name = name;
    for (const QString& part : parts) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        // 2.1 names bare values; encodings among them are no types.
        static const QStringList kEncodings = {QStringLiteral("QUOTED-PRINTABLE"),
                                               QStringLiteral("BASE64"), QStringLiteral("8BIT")};
        const QString key = equals >= 0 ? part.left(equals).trimmed().toUpper()
                            : kEncodings.contains(part.trimmed().toUpper())
                                ? QStringLiteral("ENCODING")
                                : QStringLiteral("TYPE");
        const QString values = equals < 0 ? part : part.mid(equals + 1);
        for (const QString& value : ParamValues(values)) {
            const QString trimmed = value.trimmed();
            property.params.insert(key,
                                   key == QLatin1String("TYPE") || key == QLatin1String("ENCODING")
                                       ? trimmed.toLower()
                                       : trimmed);
        }
    }
    QByteArray value = raw.mid(colon + 1);
    const QString encoding = property.params.value(QStringLiteral("ENCODING"));
    if (encoding == QLatin1String("quoted-printable")) {
        value = DecodeQuotedPrintable(value);
    } else if (encoding == QLatin1String("b") || encoding == QLatin1String("base64")) {
        property.name.clear();  // pictures and keys: nothing an address keeps
        return property;
    }
    property.value = DecodeText(value, property.params.value(QStringLiteral("CHARSET")), line);
    return property;
}

// The physical lines joined into content lines, each with the number of its first line.
QList<QPair<int, QByteArray>> ContentLines(QByteArray data) {
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QList<QPair<int, QByteArray>> lines;
    bool softBreak = false;  // the previous line ended in a quoted-printable "="
    int number = 0;
    for (QByteArray physical : data.split('\n')) {
        ++number;
        if (physical.endsWith('\r')) physical.chop(1);
        const bool folded = !lines.isEmpty() && !physical.isEmpty() &&
                            (physical.at(0) == ' ' || physical.at(0) == '\t');
        if (softBreak && !lines.isEmpty()) {
            lines.last().second.chop(1);
            lines.last().second += physical;
        } else if (folded) {
            lines.last().second += physical.mid(1);
        } else if (!physical.trimmed().isEmpty()) {
            lines.append({number, physical});
        } else {
            softBreak = false;
            continue;
        }
        const QByteArray& current = lines.last().second;
        const qsizetype colon = current.indexOf(':');
        softBreak = current.endsWith('=') && colon > 0 &&
                    current.left(colon).toUpper().contains("QUOTED-PRINTABLE");
    }
    return lines;
}

// What a card says, gathered before it becomes a record.
struct TCardData {
    int beginLine = 0;
    QString fn, org, orgUnit, title, note;
    QStringList n;
    QList<TProperty> adrs;
    QList<TProperty> channels;
    QStringList categories;
};

std::unique_ptr<TCustomerAddress> ToRecord(const TCardData& card) {
    auto record = std::make_unique<TCustomerAddress>();
    QString person;
    if (card.n.size() >= 2) {
        QStringList parts;
        for (const int i : {1, 2, 0})
            if (i < card.n.size() && !card.n.at(i).isEmpty()) parts << card.n.at(i);
        person = parts.join(QLatin1Char(' '));
    }
    QString name1 = card.org, name2;
    if (name1.isEmpty()) {
        name1 = !card.fn.isEmpty() ? card.fn : person;
    } else {
        name2 = card.fn != card.org ? card.fn : card.orgUnit;
    }

    const auto addAnschrift = [&](const TProperty* adr) {
        TCustomerAnschrift* anschrift = record->Anschriften.Add();
        anschrift->Id =
            QStringLiteral("%1").arg(record->Anschriften.Count(), 2, 10, QLatin1Char('0'));
        anschrift->Name1 = name1;
        anschrift->Name2 = name2;
        if (!adr) return anschrift;
        QStringList parts = SplitEscaped(adr->value, QLatin1Char(';'));
        while (parts.size() < 7) parts << QString();
        const QString poBox = Unescape(parts.at(0));
        const QString extended = Unescape(parts.at(1));
        QString street = Unescape(parts.at(2)).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (street.isEmpty() && !poBox.isEmpty()) street = QStringLiteral("Postfach ") + poBox;
        anschrift->Name3 = extended;
        anschrift->Strasse = street;
        anschrift->Ort = Unescape(parts.at(3));
        anschrift->Plz = Unescape(parts.at(5));
        anschrift->Land = Unescape(parts.at(6));
        if (adr->hasType(QStringLiteral("home")))
            anschrift->AArt = QStringLiteral("Privatanschrift");
        else if (adr->hasType(QStringLiteral("postal")) || !poBox.isEmpty())
            anschrift->AArt = QStringLiteral("Postfach");
        return anschrift;
    };
    TCustomerAnschrift* preferred = nullptr;
    for (const TProperty& adr : card.adrs) {
        TCustomerAnschrift* anschrift = addAnschrift(&adr);
        if (!preferred && (adr.hasType(QStringLiteral("pref")) ||
                           adr.params.value(QStringLiteral("PREF")) == QLatin1String("1")))
            preferred = anschrift;
    }
    if (record->Anschriften.Count() == 0) addAnschrift(nullptr);
    (preferred ? preferred : record->Anschriften.Items(0))->Std = true;

    TCustomerContact* contact = record->Kontakte.Add();
    contact->Std = true;
    contact->Name = !person.isEmpty() ? person : _("Allgemeiner Kontakt");
    const auto addData = [&](quint8 type, const QString& name, const QString& value) {
        if (value.isEmpty()) return;
        TCustomerContactData* data = contact->Data.Add();
        data->CdType = type;
        data->CdName = name;
        data->CdValue = value;
    };
    if (card.n.size() >= 2) {
        QStringList parts;
        for (const int i : {3, 1, 2, 0, 4})
            if (i < card.n.size() && !card.n.at(i).isEmpty()) parts << card.n.at(i);
        addData(cdtName, {}, parts.join(QLatin1Char(' ')));
    }
    addData(cdtFirma, {}, card.org);
    addData(cdtPosition, {}, card.title);
    for (const TProperty& channel : card.channels) {
        QString value = Unescape(channel.value);
        const bool home = channel.hasType(QStringLiteral("home"));
        if (channel.name == QLatin1String("TEL")) {
            if (value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) value = value.mid(4);
            if (channel.hasType(QStringLiteral("fax")))
                addData(cdtFax, QStringLiteral("Fax"), value);
            else if (channel.hasType(QStringLiteral("cell")))
                addData(cdtTelefon, QStringLiteral("Mobil"), value);
            else
                addData(cdtTelefon,
                        home ? QStringLiteral("Telefon privat") : QStringLiteral("Telefon"), value);
        } else if (channel.name == QLatin1String("EMAIL")) {
            addData(cdtEmail, home ? QStringLiteral("E-Mail privat") : QStringLiteral("E-Mail"),
                    value);
        } else {
            addData(cdtInternet, QStringLiteral("Internet"), value);
        }
    }
    record->Info = card.note;
    record->Kennzeichen = card.categories;
    record->DisplayTxt = record->GetShortText();
    return record;
}

}  // namespace

QByteArray TVCard::Write(const QList<const TCustomerAddress*>& addresses, int version) {
    QByteArray out;
    for (const TCustomerAddress* address : addresses) WriteCard(out, *address, version);
    return out;
}

void TVCard::WriteFile(const QString& fileName, const QList<const TCustomerAddress*>& addresses,
                       int version) {
    WriteFileAtomically(fileName, Write(addresses, version));
}

void TVCard::Read(const QByteArray& data, TCustomerAdressObjectList& result) {
    std::vector<std::unique_ptr<TCustomerAddress>> records;
    std::optional<TCardData> card;
    int nested = 0;  // cards inside a card (AGENT of 2.1) are skipped
    for (const auto& [line, raw] : ContentLines(data)) {
        const TProperty property = ParseLine(raw, line);
        const QString value = property.value.trimmed();
        if (property.name == QLatin1String("BEGIN") &&
            value.compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0) {
            if (card)
                ++nested;
            else
                card.emplace().beginLine = line;
            continue;
        }
        if (!card) Fail(line, _("Der Eintrag steht außerhalb von BEGIN:VCARD und END:VCARD."));
        if (nested > 0) {
            if (property.name == QLatin1String("END")) --nested;
            continue;
        }
        if (property.name == QLatin1String("END")) {
            if (value.compare(QLatin1String("VCARD"), Qt::CaseInsensitive) != 0)
                Fail(line, FormatStr(_("END:%s passt nicht zu BEGIN:VCARD."), {value}));
            records.push_back(ToRecord(*card));
            card.reset();
        } else if (property.name == QLatin1String("VERSION")) {
            if (value != QLatin1String("2.1") && value != QLatin1String("3.0") &&
                value != QLatin1String("4.0"))
                Fail(line,
                     FormatStr(_("Die vCard-Version \"%s\" wird nicht unterstützt."), {value}));
        } else if (property.name == QLatin1String("FN")) {
            card->fn = Unescape(property.value);
        } else if (property.name == QLatin1String("N")) {
            card->n.clear();
            for (const QString& part : SplitEscaped(property.value, QLatin1Char(';')))
                card->n << Unescape(part).replace(QLatin1Char(','), QLatin1Char(' '));
        } else if (property.name == QLatin1String("ORG")) {
            const QStringList parts = SplitEscaped(property.value, QLatin1Char(';'));
            card->org = Unescape(parts.value(0));
            card->orgUnit = Unescape(parts.value(1));
        } else if (property.name == QLatin1String("TITLE")) {
            card->title = Unescape(property.value);
        } else if (property.name == QLatin1String("NOTE")) {
            const QString note = Unescape(property.value);
            card->note +=
                (card->note.isEmpty() || note.isEmpty() ? QString() : QStringLiteral("\n")) + note;
        } else if (property.name == QLatin1String("ADR")) {
            card->adrs << property;
        } else if (property.name == QLatin1String("TEL") ||
                   property.name == QLatin1String("EMAIL") ||
                   property.name == QLatin1String("URL")) {
            card->channels << property;
        } else if (property.name == QLatin1String("CATEGORIES")) {
            for (const QString& category : SplitEscaped(property.value, QLatin1Char(',')))
                if (const QString text = Unescape(category); !text.isEmpty())
                    card->categories << text;
        }
    }
    if (card) Fail(card->beginLine, _("Die vCard endet nicht mit END:VCARD."));
    if (records.empty()) throw EKwpError(_("Der Text enthält keine vCard."));
    for (auto& record : records) result.Add(std::move(record));
}

void TVCard::ReadFile(const QString& fileName, TCustomerAdressObjectList& result) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EKwpError(FormatStr(_("Die Datei \"%s\" kann nicht gelesen werden: %s"),
                                  {fileName, file.errorString()}));
    try {
        Read(file.readAll(), result);
    } catch (const EKwpError& error) {
        throw EKwpError(FormatStr(_("Die Datei \"%s\" ist fehlerhaft; es wurde nichts eingelesen."),
                                  {fileName}) +
                        QLatin1Char('\n') + error.message());
    }
}
