#include "addressdb/duplicatefinder.h"

#include <QSet>
#include <algorithm>

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/phonetics.h"
#include "addressdb/dbadress.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/storequery.h"

namespace {

// Rows read per query, so the table's XML never has to be in memory at once.
constexpr int kChunkRows = 2000;
constexpr int kMinPhoneDigits = 6;

// What the rules compare of the given record. E-mail addresses are kept as the XML of a row
// holds them (escaped), so rows are compared without unescaping anything.
struct TKeys {
    QStringList ibans, emails, phones;
    QString koelner, soundex;
};

// The start of the next element with that name (given with its "<"), or -1. Looks at each
// "<" only: a single-character search is much faster than a search for the whole name.
qsizetype NextElement(QStringView xml, qsizetype pos, QStringView name) {
    while ((pos = xml.indexOf(QLatin1Char('<'), pos)) >= 0) {
        if (xml.mid(pos).startsWith(name)) return pos;
        ++pos;
    }
    return -1;
}

// The value of an attribute of the element in xml[from, to), as written (escaped).
QStringView Attribute(QStringView xml, qsizetype from, qsizetype to, QStringView name) {
    const QStringView element = xml.mid(from, to - from);
    for (qsizetype pos = 0; (pos = element.indexOf(QLatin1Char(' '), pos)) >= 0;) {
        ++pos;
        const qsizetype quote = pos + name.size();
        if (element.mid(pos).startsWith(name) && quote + 1 < element.size() &&
            element.at(quote) == QLatin1Char('=') && element.at(quote + 1) == QLatin1Char('"')) {
            const qsizetype close = element.indexOf(QLatin1Char('"'), quote + 2);
            return close < 0 ? QStringView() : element.mid(quote + 2, close - quote - 2);
        }
    }
    return {};
}

// Equal IBANs when blanks and case are ignored; ours is normalised already.
bool SameIban(QStringView typed, const QString& iban) {
    qsizetype i = 0;
    for (const QChar c : typed) {
        if (c.isSpace()) continue;
        if (i >= iban.size() || c.toUpper() != iban.at(i)) return false;
        ++i;
    }
    return i == iban.size();
}

QString LastDigit(QStringView text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (text.at(i).isDigit()) return text.at(i);
    return {};
}

TKeys KeysOfRecord(const TCustomerAddress& record, bool withSoundex) {
    TKeys keys;
    keys.koelner = TPhonetics::KoelnerPhonetik(record.DisplayTxt);
    if (withSoundex) keys.soundex = TPhonetics::Soundex(record.DisplayTxt);
    const auto add = [](QStringList& list, const QString& key) {
        if (!key.isEmpty() && !list.contains(key)) list << key;
    };
    for (const auto& contact : record.Kontakte) {
        for (const auto& data : contact->Data) {
            if (data->CdType == cdtEmail)
                add(keys.emails, XmlEscape(data->CdValue.trimmed()));
            else if (data->CdType == cdtTelefon || data->CdType == cdtFax)
                add(keys.phones, TDuplicateFinder::PhoneKey(data->CdValue));
        }
    }
    for (const auto& way : record.PaymentWays) add(keys.ibans, NormalizedIban(way->Iban));
    return keys;
}

// The rules by which a row's XML matches; reads only the channels and accounts, and builds
// a phone key only for numbers that end like one of ours.
unsigned MatchXml(const TKeys& mine, QStringView xml) {
    unsigned rules = 0;
    if (!mine.emails.isEmpty() || !mine.phones.isEmpty()) {
        for (qsizetype pos = 0; (pos = NextElement(xml, pos, u"<kontaktdata ")) >= 0;) {
            const qsizetype end = xml.indexOf(QLatin1Char('>'), pos);
            if (end < 0) break;
            const int type = Attribute(xml, pos, end, u"cdtype").toInt();
            if (type == cdtEmail || type == cdtTelefon || type == cdtFax) {
                const QStringView value = Attribute(xml, pos, end, u"cdvalue").trimmed();
                if (type == cdtEmail) {
                    for (const QString& email : mine.emails)
                        if (value.compare(email, Qt::CaseInsensitive) == 0) rules |= drEmail;
                } else if (!mine.phones.isEmpty()) {
                    const QString last = LastDigit(value);
                    for (const QString& phone : mine.phones) {
                        if (!last.isEmpty() && phone.endsWith(last) &&
                            TDuplicateFinder::PhoneKey(value.toString()) == phone)
                            rules |= drPhone;
                    }
                }
            }
            pos = end;
        }
    }
    if (!mine.ibans.isEmpty()) {
        for (qsizetype pos = 0; (pos = NextElement(xml, pos, u"<pw ")) >= 0;) {
            const qsizetype end = xml.indexOf(QLatin1Char('>'), pos);
            if (end < 0) break;
            const QStringView iban = Attribute(xml, pos, end, u"iban");
            for (const QString& own : mine.ibans)
                if (SameIban(iban, own)) rules |= drIban;
            pos = end;
        }
    }
    return rules;
}

}  // namespace

QString TDuplicateFinder::PhoneKey(const QString& number) {
    QString digits;
    for (const QChar c : number)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits += c;
    if (number.trimmed().startsWith(QLatin1Char('+'))) digits.prepend(QStringLiteral("00"));
    if (digits.startsWith(QStringLiteral("0049"))) {
        // "+49 (0)221 ..." as "0221 ..."
        qsizetype zeros = 4;
        while (zeros < digits.size() && digits.at(zeros) == QLatin1Char('0')) ++zeros;
        digits = QLatin1Char('0') + digits.mid(zeros);
    }
    return digits.size() >= kMinPhoneDigits ? digits : QString();
}

QList<TDuplicateHit> TDuplicateFinder::Find(const TCustomerAddress& record, TDBAdress& db,
                                            bool withSoundex) {
    QList<TDuplicateHit> hits;
    const TKeys mine = KeysOfRecord(record, withSoundex);
    const bool readXml = !mine.emails.isEmpty() || !mine.phones.isEmpty() || !mine.ibans.isEmpty();
    const QString ownId = record.Id.trimmed().toUpper();
    try {
        if (!db.IsOpen() || !db.AddressTable()) return hits;
        // Chunks by row id, which the table keeps in order anyway; the hits are sorted by
        // number afterwards.
        qint64 after = 0;
        bool more = true;
        while (more) {
            TStoreQuery query;
            query.SetDatabase(&db.Database());
            query.SetSQL(
                QStringLiteral("SELECT rowid, ID, DISPLAYTXT%1 FROM ADDRESS WHERE rowid > ? "
                               "ORDER BY rowid LIMIT %2")
                    .arg(readXml ? QStringLiteral(", XMLDATA") : QString())
                    .arg(kChunkRows));
            query.AddParam(after);
            query.Open();
            more = query.RecordCount() == kChunkRows;
            for (query.First(); !query.Eof(); query.Next()) {
                after = query.Fields(0).AsInteger();
                const QString id = query.Fields(1).AsString();
                if (id.compare(ownId, Qt::CaseInsensitive) == 0) continue;
                const QString displayTxt = query.Fields(2).AsString();
                unsigned rules = readXml ? MatchXml(mine, query.Fields(3).AsString()) : 0;
                if (!mine.koelner.isEmpty() &&
                    TPhonetics::KoelnerPhonetik(displayTxt) == mine.koelner)
                    rules |= drKoelner;
                if (!mine.soundex.isEmpty() && TPhonetics::Soundex(displayTxt) == mine.soundex)
                    rules |= drSoundex;
                if (rules) hits.append({id, displayTxt, rules});
            }
        }
        // The table's order: case-insensitive, then exact.
        std::sort(hits.begin(), hits.end(), [](const TDuplicateHit& a, const TDuplicateHit& b) {
            const int c = a.Id.compare(b.Id, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.Id < b.Id;
        });
    } catch (const std::exception& error) {
        db.ReportError(error, QStringLiteral("FindDuplicates"));
    }
    return hits;
}

QString TDuplicateFinder::RuleNames(unsigned rules) {
    QStringList names;
    if (rules & drIban) names << _("IBAN");
    if (rules & drEmail) names << _("E-Mail-Adresse");
    if (rules & drPhone) names << _("Telefonnummer");
    if (rules & drKoelner) names << _("Name klingt gleich");
    if (rules & drSoundex) names << _("Name klingt ähnlich");
    return names.join(QStringLiteral(", "));
}

QString TDuplicateFinder::NoticeText(const QList<TDuplicateHit>& hits) {
    if (hits.isEmpty()) return {};
    QStringList lines;
    for (const TDuplicateHit& hit : hits)
        lines << FormatStr(QStringLiteral("%s %s (%s)"),
                           {hit.Id, hit.DisplayTxt, RuleNames(hit.Rules)});
    return FormatStr(_("Möglicherweise gibt es diese Adresse schon (%d):"), {int(hits.size())}) +
           QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}
