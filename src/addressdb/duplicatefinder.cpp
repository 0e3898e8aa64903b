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
#include "persistence/storetable.h"

namespace {

constexpr int kMinPhoneDigits = 6;

// What the rules compare of the given record. E-mail addresses are kept as the XML of a row
// holds them (escaped), so rows are compared without unescaping anything.
struct TKeys {
    QStringList emails;
    QList<QByteArray> ibans, phones;
    QString koelner, soundex;
};

// The start of the next element with that name (given with its "<"), or -1. Looks at each
// "<" only: a single-character search is much faster than a search for the whole name.
qsizetype NextElement(QByteArrayView xml, qsizetype pos, QByteArrayView name) {
    while ((pos = xml.indexOf('<', pos)) >= 0) {
        if (xml.sliced(pos).startsWith(name)) return pos;
        ++pos;
    }
    return -1;
}

// The value of an attribute of the element in xml[from, to), as written (escaped).
QByteArrayView Attribute(QByteArrayView xml, qsizetype from, qsizetype to, QByteArrayView name) {
    const QByteArrayView element = xml.sliced(from, to - from);
    for (qsizetype pos = 0; (pos = element.indexOf(' ', pos)) >= 0;) {
        ++pos;
        const qsizetype quote = pos + name.size();
        if (element.sliced(pos).startsWith(name) && quote + 1 < element.size() &&
            element.at(quote) == '=' && element.at(quote + 1) == '"') {
            const qsizetype close = element.indexOf('"', quote + 2);
            return close < 0 ? QByteArrayView() : element.sliced(quote + 2, close - quote - 2);
        }
    }
    return {};
}

// Equal IBANs when blanks and case are ignored; ours is normalised already.
bool SameIban(QByteArrayView typed, const QByteArray& iban) {
    qsizetype i = 0;
    for (const char c : typed) {
        if (c == ' ') continue;
        const char upper = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        if (i >= iban.size() || upper != iban.at(i)) return false;
        ++i;
    }
    return i == iban.size();
}

char LastDigit(QByteArrayView text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (text.at(i) >= '0' && text.at(i) <= '9') return text.at(i);
    return 0;
}

TKeys KeysOfRecord(const TCustomerAddress& record, bool withSoundex) {
    TKeys keys;
    keys.koelner = TPhonetics::KoelnerPhonetik(record.DisplayTxt);
    if (withSoundex) keys.soundex = TPhonetics::Soundex(record.DisplayTxt);
    // Phone keys and IBANs are ASCII.
    const auto add = [](QList<QByteArray>& list, const QString& key) {
        if (!key.isEmpty() && !list.contains(key.toLatin1())) list << key.toLatin1();
    };
    for (const auto& contact : record.Kontakte) {
        for (const auto& data : contact->Data) {
            if (data->CdType == cdtEmail) {
                const QString email = XmlEscape(data->CdValue.trimmed());
                if (!email.isEmpty() && !keys.emails.contains(email)) keys.emails << email;
            } else if (data->CdType == cdtTelefon || data->CdType == cdtFax) {
                add(keys.phones, TDuplicateFinder::PhoneKey(data->CdValue));
            }
        }
    }
    for (const auto& way : record.PaymentWays) add(keys.ibans, NormalizedIban(way->Iban));
    return keys;
}

// The rules by which a row's XML (UTF-8) matches; reads only the channels and accounts, and
// builds a phone key only for numbers that end like one of ours.
unsigned MatchXml(const TKeys& mine, QByteArrayView xml) {
    unsigned rules = 0;
    if (!mine.emails.isEmpty() || !mine.phones.isEmpty()) {
        for (qsizetype pos = 0; (pos = NextElement(xml, pos, "<kontaktdata ")) >= 0;) {
            const qsizetype end = xml.indexOf('>', pos);
            if (end < 0) break;
            const int type = Attribute(xml, pos, end, "cdtype").toInt();
            if (type == cdtEmail || type == cdtTelefon || type == cdtFax) {
                const QByteArrayView value = Attribute(xml, pos, end, "cdvalue").trimmed();
                if (type == cdtEmail) {
                    if (!mine.emails.isEmpty() &&
                        mine.emails.contains(QString::fromUtf8(value), Qt::CaseInsensitive))
                        rules |= drEmail;
                } else if (!mine.phones.isEmpty()) {
                    const char last = LastDigit(value);
                    for (const QByteArray& phone : mine.phones) {
                        if (last && phone.endsWith(last) &&
                            TDuplicateFinder::PhoneKey(QString::fromUtf8(value)).toLatin1() ==
                                phone)
                            rules |= drPhone;
                    }
                }
            }
            pos = end;
        }
    }
    if (!mine.ibans.isEmpty()) {
        for (qsizetype pos = 0; (pos = NextElement(xml, pos, "<pw ")) >= 0;) {
            const qsizetype end = xml.indexOf('>', pos);
            if (end < 0) break;
            const QByteArrayView iban = Attribute(xml, pos, end, "iban");
            for (const QByteArray& own : mine.ibans)
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
    const QByteArray ownId = record.Id.trimmed().toUpper().toUtf8();
    try {
        if (!db.IsOpen() || !db.AddressTable()) return hits;
        QStringList columns{QStringLiteral("ID"), QStringLiteral("DISPLAYTXT")};
        if (readXml) columns << QStringLiteral("XMLDATA");
        // Row id order; the hits are sorted by number afterwards.
        db.AddressTable()->ScanUtf8(columns, [&](const QList<QByteArrayView>& values) {
            if (values[0].compare(ownId, Qt::CaseInsensitive) == 0) return;
            const QString displayTxt = QString::fromUtf8(values[1]);
            unsigned rules = readXml ? MatchXml(mine, values[2]) : 0;
            if (!mine.koelner.isEmpty() && TPhonetics::KoelnerPhonetik(displayTxt) == mine.koelner)
                rules |= drKoelner;
            if (!mine.soundex.isEmpty() && TPhonetics::Soundex(displayTxt) == mine.soundex)
                rules |= drSoundex;
            if (rules) hits.append({QString::fromUtf8(values[0]), displayTxt, rules});
        });
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
