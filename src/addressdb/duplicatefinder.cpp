#include "addressdb/duplicatefinder.h"

#include <QSet>

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/phonetics.h"
#include "addressdb/dbadress.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/storequery.h"

namespace {

// Rows read per query, so the table's XML never has to be in memory at once.
constexpr int kChunkRows = 2000;
constexpr int kMinPhoneDigits = 6;

// The keys of a record that the rules compare.
struct TKeys {
    QSet<QString> ibans, emails, phones;
    QString koelner, soundex;
};

QString XmlUnescape(QStringView text) {
    if (!text.contains(QLatin1Char('&'))) return text.toString();
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype end =
            text.at(i) == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i) : -1;
        if (end < 0) {
            result += text.at(i);
            continue;
        }
        const QStringView name = text.mid(i + 1, end - i - 1);
        if (name == u"amp")
            result += QLatin1Char('&');
        else if (name == u"lt")
            result += QLatin1Char('<');
        else if (name == u"gt")
            result += QLatin1Char('>');
        else if (name == u"quot")
            result += QLatin1Char('"');
        else if (name == u"apos")
            result += QLatin1Char('\'');
        else if (name.startsWith(u"#x"))
            result += QChar(name.mid(2).toUInt(nullptr, 16));
        else if (name.startsWith(u"#"))
            result += QChar(name.mid(1).toUInt());
        else {
            result += text.at(i);
            continue;
        }
        i = end;
    }
    return result;
}

// The value of an attribute inside the element that starts at from (up to its ">").
QString Attribute(const QString& xml, qsizetype from, qsizetype to, QStringView name) {
    qsizetype pos = from;
    while ((pos = xml.indexOf(name, pos)) >= 0 && pos < to) {
        const qsizetype quote = pos + name.size();
        if (xml.at(pos - 1) == QLatin1Char(' ') && quote + 1 < xml.size() &&
            xml.at(quote) == QLatin1Char('=') && xml.at(quote + 1) == QLatin1Char('"')) {
            const qsizetype close = xml.indexOf(QLatin1Char('"'), quote + 2);
            if (close < 0 || close > to) return {};
            return XmlUnescape(QStringView(xml).mid(quote + 2, close - quote - 2));
        }
        pos = quote;
    }
    return {};
}

void AddKey(QSet<QString>& set, const QString& key) {
    if (!key.isEmpty()) set.insert(key);
}

void AddChannel(TKeys& keys, int type, const QString& value) {
    if (type == cdtEmail)
        AddKey(keys.emails, value.trimmed().toLower());
    else if (type == cdtTelefon || type == cdtFax)
        AddKey(keys.phones, TDuplicateFinder::PhoneKey(value));
}

void AddDisplay(TKeys& keys, const QString& displayTxt, bool withSoundex) {
    keys.koelner = TPhonetics::KoelnerPhonetik(displayTxt);
    if (withSoundex) keys.soundex = TPhonetics::Soundex(displayTxt);
}

// The keys from a row's XML text, read by its element and attribute names.
TKeys KeysOfRow(const QString& displayTxt, const QString& xml, bool withSoundex) {
    TKeys keys;
    AddDisplay(keys, displayTxt, withSoundex);
    static const QString kData = QStringLiteral("<kontaktdata ");
    static const QString kWay = QStringLiteral("<pw ");
    for (qsizetype pos = 0; (pos = xml.indexOf(kData, pos)) >= 0;) {
        const qsizetype end = xml.indexOf(QLatin1Char('>'), pos);
        if (end < 0) break;
        AddChannel(keys, Attribute(xml, pos, end, u"cdtype").toInt(),
                   Attribute(xml, pos, end, u"cdvalue"));
        pos = end;
    }
    for (qsizetype pos = 0; (pos = xml.indexOf(kWay, pos)) >= 0;) {
        const qsizetype end = xml.indexOf(QLatin1Char('>'), pos);
        if (end < 0) break;
        AddKey(keys.ibans, NormalizedIban(Attribute(xml, pos, end, u"iban")));
        pos = end;
    }
    return keys;
}

TKeys KeysOfRecord(const TCustomerAddress& record, bool withSoundex) {
    TKeys keys;
    AddDisplay(keys, record.DisplayTxt, withSoundex);
    for (const auto& contact : record.Kontakte)
        for (const auto& data : contact->Data) AddChannel(keys, data->CdType, data->CdValue);
    for (const auto& way : record.PaymentWays) AddKey(keys.ibans, NormalizedIban(way->Iban));
    return keys;
}

bool Meets(const QSet<QString>& mine, const QSet<QString>& theirs) {
    return !mine.isEmpty() && mine.intersects(theirs);
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
    const QString ownId = record.Id.trimmed().toUpper();
    try {
        if (!db.IsOpen() || !db.AddressTable()) return hits;
        QString after;
        bool more = true;
        while (more) {
            TStoreQuery query;
            query.SetDatabase(&db.Database());
            query.SetSQL(QStringLiteral("SELECT ID, DISPLAYTXT, XMLDATA FROM ADDRESS WHERE ID > ? "
                                        "ORDER BY ID LIMIT %1")
                             .arg(kChunkRows));
            query.AddParam(after);
            query.Open();
            more = query.RecordCount() == kChunkRows;
            for (query.First(); !query.Eof(); query.Next()) {
                after = query.Fields(0).AsString();
                if (after.compare(ownId, Qt::CaseInsensitive) == 0) continue;
                const QString displayTxt = query.Fields(1).AsString();
                const TKeys theirs = KeysOfRow(displayTxt, query.Fields(2).AsString(), withSoundex);
                unsigned rules = 0;
                if (Meets(mine.ibans, theirs.ibans)) rules |= drIban;
                if (Meets(mine.emails, theirs.emails)) rules |= drEmail;
                if (Meets(mine.phones, theirs.phones)) rules |= drPhone;
                if (!mine.koelner.isEmpty() && mine.koelner == theirs.koelner) rules |= drKoelner;
                if (!mine.soundex.isEmpty() && mine.soundex == theirs.soundex) rules |= drSoundex;
                if (rules) hits.append({after, displayTxt, rules});
            }
        }
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
