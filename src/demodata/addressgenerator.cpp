#include "demodata/addressgenerator.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <array>
#include <memory>

#include "address/addresslistfile.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/paymentway.h"
#include "addressdb/dbadress.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/errorreport.h"
#include "demodata/demoaddresses.h"
#include "demodata/demotables.h"

namespace {

// SplitMix64: small, fast and the same on every platform (the standard distributions are not).
class TGenRandom {
public:
    TGenRandom(quint32 seed, int index)
        : m_state((quint64(seed) << 32) ^ (quint64(quint32(index)) * 0x9E3779B97F4A7C15ULL)) {
        next();
    }
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    // True in percent cases of 100.
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[size_t(below(int(N)))];
    }
    template <typename T>
    const T& pick(const QList<T>& items) {
        return items[below(int(items.size()))];
    }
    QString digits(int count) {
        QString text;
        for (int i = 0; i < count; ++i) text += QChar(u'0' + below(10));
        return text;
    }

private:
    quint64 m_state;
};

// Mail and web names: lower case, umlauts written out, only letters, digits, '-' and '.'.
QString genMailName(const QString& text) {
    QString result;
    for (const QChar c : text.toLower()) {
        switch (c.unicode()) {
            case u'ä':
                result += QStringLiteral("ae");
                break;
            case u'ö':
                result += QStringLiteral("oe");
                break;
            case u'ü':
                result += QStringLiteral("ue");
                break;
            case u'ß':
                result += QStringLiteral("ss");
                break;
            case u'ı':
                result += QLatin1Char('i');
                break;
            case u' ':
            case u'&':
                if (!result.endsWith(QLatin1Char('-'))) result += QLatin1Char('-');
                break;
            default:
                if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.')
                    result += c;
        }
    }
    while (result.endsWith(QLatin1Char('-'))) result.chop(1);
    return result;
}

// The first two words of a company name without "&" and legal forms: "elektro-mueller".
QString genDomainWords(const QString& companyName) {
    static const QStringList legalForms = {
        QStringLiteral("GmbH"), QStringLiteral("AG"),     QStringLiteral("KG"),
        QStringLiteral("OHG"),  QStringLiteral("e.K."),   QStringLiteral("GbR"),
        QStringLiteral("UG"),   QStringLiteral("GesmbH"), QStringLiteral("PartG")};
    QStringList words;
    for (const QString& word : companyName.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("&")) continue;
        if (legalForms.contains(word) || words.size() == 2) break;
        words.append(word);
    }
    return words.join(QLatin1Char(' '));
}

const TDemoTown& genPickTown(TGenRandom& random) {
    const TDemoTables& tables = DemoTables();
    int roll = random.below(tables.townWeight);
    for (const TDemoTown& town : tables.towns) {
        if (roll < town.weight) return town;
        roll -= town.weight;
    }
    return tables.towns.first();
}

QString genStreet(TGenRandom& random, const QString& land) {
    const TDemoTables& tables = DemoTables();
    const QString street = random.pick(land == QLatin1String("A")    ? tables.streetsAt
                                       : land == QLatin1String("CH") ? tables.streetsCh
                                                                     : tables.streetsDe);
    const int houseNumber = random.between(1, 180);
    QString number = QString::number(houseNumber);
    if (random.chance(12))
        number += QChar(u'a' + random.below(4));
    else if (random.chance(5))
        number += QLatin1Char('-') + QString::number(houseNumber + 2);
    if (land == QLatin1String("A") && random.chance(40))
        number += QStringLiteral("/") + QString::number(random.between(1, 24));
    return street + QLatin1Char(' ') + number;
}

// A subscriber number that fits the length of the dialling code.
QString genLocalNumber(TGenRandom& random, const TDemoTown& town) {
    const int length = town.vorwahl.size() <= 3 ? 7 : 6;
    return QString::number(random.between(2, 9)) + random.digits(length - 1);
}

// Phone numbers as people write them: national form at home, international for abroad.
QString genPhone(const TDemoTown& town, QString local, const QString& extension = {}) {
    const QString& vorwahl = town.vorwahl;
    if (!extension.isEmpty()) local += QLatin1Char('-') + extension;
    if (town.land != QLatin1String("D"))
        return QStringLiteral("+") + vorwahl + QLatin1Char(' ') + local;
    return QLatin1Char('0') + vorwahl + QLatin1Char(' ') + local;
}

QString genMobile(TGenRandom& random) {
    static constexpr std::array<const char*, 8> prefixes = {"0151", "0152", "0160", "0162",
                                                            "0170", "0171", "0176", "0179"};
    return QLatin1String(random.pick(prefixes)) + QLatin1Char(' ') + random.digits(8);
}

struct TGenPerson {
    bool female = false;
    QString title;
    QString first;
    QString last;

    QString fullName() const {
        return (title.isEmpty() ? QString() : title + QLatin1Char(' ')) + first + QLatin1Char(' ') +
               last;
    }
    QString salutation() const {
        const QString name = (title.isEmpty() ? QString() : title + QLatin1Char(' ')) + last;
        return female ? QStringLiteral("Sehr geehrte Frau ") + name + QLatin1Char(',')
                      : QStringLiteral("Sehr geehrter Herr ") + name + QLatin1Char(',');
    }
    // First line of a letter address
    QString addressLine() const {
        return female ? QStringLiteral("Frau") : QStringLiteral("Herrn");
    }
    QString form() const { return female ? QStringLiteral("Frau") : QStringLiteral("Herr"); }
};

TGenPerson genPerson(TGenRandom& random) {
    TGenPerson person;
    person.female = random.chance(50);
    const TDemoTables& tables = DemoTables();
    person.first = random.pick(person.female ? tables.femaleFirst : tables.maleFirst);
    person.last = random.pick(tables.lastNames);
    if (random.chance(8))
        person.title = random.chance(80) ? QStringLiteral("Dr.") : QStringLiteral("Prof. Dr.");
    return person;
}

// A channel appended to a contact.
void genChannel(TCustomerContact& contact, quint8 type, const QString& name, const QString& value,
                const QString& remark = {}) {
    TCustomerContactData* data = contact.Data.Add();
    data->CdType = type;
    data->CdName = name;
    data->CdValue = value;
    data->CdCaract = remark;
}

// One record in the making: the choices its later parts depend on, drawn in a fixed order.
struct TGenRecord {
    TGenRecord(quint32 seed, int index, TCustomerAddress& record);
    void fillAnschriften();
    void fillContacts();
    void fillPaymentWays();
    void fillPaymentTerms();
    void fillGroupAndMarks();
    void fillTaxAndDunning();
    void fillAccounts();
    void fillStamps();

    const TDemoTables& tables = DemoTables();
    TGenRandom random;
    TCustomerAddress& record;
    const int index;
    const QDate today = Today();
    const TDemoTown& town = genPickTown(random);
    const QString land = town.land;
    const bool company = random.chance(65);
    const TGenPerson owner = genPerson(random);
    // Kind of partner
    bool supplier = false;
    bool prospect = false;
    QString companyName;
};

TGenRecord::TGenRecord(quint32 seed, int index, TCustomerAddress& record)
    : random(seed, index), record(record), index(index) {
    const QString partner = random.pick(tables.lastNames);

    // Kind of partner: customers mostly, some suppliers and prospects.
    const int roll = random.below(100);
    supplier = company && roll < 15;
    prospect = !supplier && roll >= 88;

    if (company) {
        const TDemoCompany* pattern = nullptr;
        do {
            pattern = &random.pick(tables.companies);
        } while (pattern->land != land);
        companyName = QString(pattern->pattern)
                          .replace(QStringLiteral("%1"), owner.last)
                          .replace(QStringLiteral("%2"), partner)
                          .replace(QStringLiteral("%3"), town.ort);
    }
}

void TGenRecord::fillAnschriften() {
    // Postal addresses: the main one first and default, then billing, delivery, site.
    const int anschriftCount = 1 + (random.chance(35) ? 1 : 0) + (random.chance(12) ? 1 : 0);
    for (int i = 0; i < anschriftCount; ++i) {
        const QString id = record.Anschriften.NewId();
        TCustomerAnschrift* anschrift = record.Anschriften.Add();
        anschrift->Id = id;
        anschrift->Std = i == 0;
        const TDemoTown& place = i == 0 || random.chance(60) ? town : genPickTown(random);
        anschrift->Land = place.land;
        anschrift->Plz = place.plz;
        anschrift->Ort = place.ort;
        if (company) {
            anschrift->Name1 = companyName;
            if (i > 0 && &place != &town && random.chance(50))
                anschrift->Name2 = QStringLiteral("Niederlassung ") + place.ort;
        } else {
            anschrift->Name1 = owner.addressLine();
            anschrift->Name2 = owner.fullName();
        }
        if (i == 0) {
            anschrift->AArt = company ? tables.anschriftArten[0] : tables.anschriftArten[5];
            anschrift->Strasse = genStreet(random, anschrift->Land);
        } else if (i == 1 && company && random.chance(30)) {
            anschrift->AArt = tables.anschriftArten[4];
            anschrift->Strasse = QStringLiteral("Postfach %1 %2 %3")
                                     .arg(random.between(10, 99))
                                     .arg(random.between(10, 99))
                                     .arg(random.between(10, 99));
        } else {
            anschrift->AArt = tables.anschriftArten[random.between(1, 3)];
            anschrift->Strasse = genStreet(random, anschrift->Land);
            if (anschrift->AArt == tables.anschriftArten[3])
                anschrift->Name3 = QStringLiteral("Baustelle ") + place.ort +
                                   QStringLiteral(" BV ") + random.digits(4);
        }
    }
}

void TGenRecord::fillContacts() {
    const QString domain = genMailName(company ? genDomainWords(companyName) : owner.last) +
                           (land == QLatin1String("A")    ? QStringLiteral(".at")
                            : land == QLatin1String("CH") ? QStringLiteral(".ch")
                                                          : QStringLiteral(".de"));

    // The company's switchboard; extensions and fax hang off it.
    const QString companyLine = genLocalNumber(random, town);

    // Contact persons; types 11, 10, 9, 6, 7, 8 lead, free channels follow.
    const int contactCount = company ? random.between(1, 3) : 1;
    for (int c = 0; c < contactCount; ++c) {
        const TGenPerson person = c == 0 ? owner : genPerson(random);
        auto contact = std::make_unique<TCustomerContact>();
        contact->Std = c == 0;
        if (company && c > 0 && random.chance(30)) {
            contact->Name =
                random.chance(50) ? QStringLiteral("Zentrale") : QStringLiteral("Buchhaltung");
            genChannel(*contact, cdtBriefanrede, {},
                       QStringLiteral("Sehr geehrte Damen und Herren,"));
            genChannel(*contact, cdtFirma, {}, companyName);
            genChannel(*contact, cdtTelefon, tables.contactMarks[7],
                       genPhone(town, companyLine, QStringLiteral("0")));
            genChannel(
                *contact, cdtEmail, tables.contactMarks[4],
                (contact->Name == QStringLiteral("Zentrale") ? QStringLiteral("info@")
                                                             : QStringLiteral("buchhaltung@")) +
                    domain,
                random.chance(30) ? tables.specialContactMarks[2] : QString());
            record.Kontakte.Add(std::move(contact));
            continue;
        }
        contact->Name = person.fullName();
        if (record.Anschriften.Count() > 1 && random.chance(40)) {
            genChannel(*contact, cdtZugehoerigeAnschrift, {},
                       record.Anschriften.Items(random.below(record.Anschriften.Count()))->Id);
        }
        if (company && random.chance(35)) {
            genChannel(
                *contact, cdtAnschriftErweiterung, {},
                (person.female ? QStringLiteral("z. Hd. Frau ") : QStringLiteral("z. Hd. Herrn ")) +
                    person.last);
        }
        genChannel(*contact, cdtName, {}, person.form() + QLatin1Char(' ') + person.fullName());
        genChannel(*contact, cdtBriefanrede, {}, person.salutation());
        if (company) {
            genChannel(*contact, cdtFirma, {}, companyName);
            genChannel(
                *contact, cdtPosition, {},
                c == 0 ? tables.positions[person.female ? 1 : 0] : random.pick(tables.positions));
        }
        const QString extension = QString::number(random.between(10, 89));
        genChannel(*contact, cdtTelefon, tables.contactMarks[company ? 8 : 1],
                   company ? genPhone(town, companyLine, extension)
                           : genPhone(town, genLocalNumber(random, town)),
                   random.chance(15) ? QStringLiteral("nur vormittags") : QString());
        if (company || random.chance(30)) {
            genChannel(*contact, cdtFax, tables.contactMarks[3],
                       company ? genPhone(town, companyLine, QStringLiteral("99"))
                               : genPhone(town, genLocalNumber(random, town)));
        }
        if (random.chance(70)) {
            genChannel(*contact, cdtTelefon, tables.contactMarks[2], genMobile(random),
                       random.chance(20) ? tables.specialContactMarks[1] : QString());
        }
        const QString mailName =
            genMailName(person.first.left(company ? 1 : 40) + QLatin1Char('.') + person.last);
        genChannel(*contact, cdtEmail, tables.contactMarks[company ? 4 : 5],
                   mailName + QLatin1Char('@') +
                       (company ? domain
                                : (random.chance(50) ? QStringLiteral("t-online.de")
                                                     : QStringLiteral("gmx.de"))));
        if (company && c == 0)
            genChannel(*contact, cdtInternet, tables.contactMarks[6],
                       QStringLiteral("https://www.") + domain);
        if (random.chance(20)) {
            const QDate birthday(random.between(1950, 2000), random.between(1, 12),
                                 random.between(1, 28));
            genChannel(*contact, cdtDatum, tables.specialContactMarks[0],
                       birthday.toString(QStringLiteral("dd.MM.yyyy")));
        }
        if (random.chance(10)) {
            genChannel(*contact, cdtSonstiges, QStringLiteral("Schlüssel"),
                       QStringLiteral("Nr. ") + random.digits(3),
                       QStringLiteral("Schlüsselkasten Büro"));
        }
        record.Kontakte.Add(std::move(contact));
    }
}

void TGenRecord::fillPaymentWays() {
    // Payment ways; transfers and direct debits carry a bank account.
    const int wayCount = random.below(3);
    for (int w = 0; w < wayCount; ++w) {
        static constexpr std::array<quint8, 8> kinds = {
            TPaymentWay::pwUeberweisung, TPaymentWay::pwUeberweisung, TPaymentWay::pwLastschrift,
            TPaymentWay::pwLastschrift,  TPaymentWay::pwBar,          TPaymentWay::pwVorkasse,
            TPaymentWay::pwScheck,       TPaymentWay::pwNachnahme};
        TPaymentWay* way = record.PaymentWays.Add();
        way->PayWay = w == 0 ? random.pick(kinds) : quint8(TPaymentWay::pwEuropaueberweisung);
        if (way->PayWay == TPaymentWay::pwUeberweisung ||
            way->PayWay == TPaymentWay::pwLastschrift ||
            way->PayWay == TPaymentWay::pwEuropaueberweisung) {
            const TDemoBank& bank = random.pick(tables.banks);
            way->Inst = bank.name;
            way->BCode = bank.blz;
            way->Acc = QString::number(random.between(1, 9)) + random.digits(random.between(6, 9));
            way->Iban = GermanIban(way->BCode, way->Acc);
            way->Bic = bank.bic;
            if (way->PayWay == TPaymentWay::pwLastschrift)
                way->Comm =
                    QStringLiteral("SEPA-Mandat vom ") +
                    today.addDays(-random.between(30, 2000)).toString(QStringLiteral("dd.MM.yyyy"));
            else if (random.chance(30))
                way->Comm =
                    company ? QStringLiteral("Geschäftskonto") : QStringLiteral("Girokonto");
        } else if (random.chance(30)) {
            way->Comm = QStringLiteral("nur nach Rücksprache");
        }
    }
}

void TGenRecord::fillPaymentTerms() {
    // Payment terms: net and discount rules.
    const int termCount = random.below(3);
    for (int t = 0; t < termCount; ++t) {
        auto term = std::make_unique<TPaymentTerm>();
        if (random.chance(20)) {
            term->PtType = TPaymentTerm::ptHalfMonths;
            term->Days = random.between(1, 4);
            term->Perc = t == 0 ? 0 : 2;
        } else {
            static constexpr std::array<int, 5> days = {8, 10, 14, 30, 60};
            term->Days = days[size_t(random.below(5))];
            term->Perc = term->Days <= 14 && t == 0 ? (random.chance(50) ? 2 : 3) : 0;
            if (random.chance(20)) term->Perc = 1.5;
            term->Dpw = random.chance(15) ? 5 : 7;
        }
        record.PaymentTerms.AddSorted(std::move(term));
    }
}

void TGenRecord::fillGroupAndMarks() {
    // Group and marks
    if (supplier) {
        record.AddrGrp = tables.groups[2];
        record.Kennzeichen.append(tables.marks[1]);
    } else {
        static constexpr std::array<size_t, 4> companyGroups = {1, 3, 4, 5};
        record.AddrGrp = tables.groups[company ? random.pick(companyGroups) : 0];
        record.Kennzeichen.append(tables.marks[prospect ? 2 : 0]);
    }
    if (random.chance(25)) {
        const QString mark = tables.marks[random.between(3, 9)];
        if (!record.Kennzeichen.contains(mark)) record.Kennzeichen.append(mark);
    }
}

void TGenRecord::fillTaxAndDunning() {
    // Tax and dunning
    record.Sprache = land == QLatin1String("D") || random.chance(70) ? QStringLiteral("de_DE")
                                                                     : QStringLiteral("en_GB");
    if (company) {
        if (land == QLatin1String("A"))
            record.UstIdNr = QStringLiteral("ATU") + random.digits(8);
        else if (land == QLatin1String("CH"))
            record.UstIdNr = QStringLiteral("CHE-%1.%2.%3 MWST")
                                 .arg(random.digits(3), random.digits(3), random.digits(3));
        else
            record.UstIdNr =
                QStringLiteral("DE") + QString::number(random.between(1, 3)) + random.digits(8);
        if (land == QLatin1String("D") && random.chance(50))
            record.StNr = QStringLiteral("%1/%2/%3")
                              .arg(random.digits(2), random.digits(3), random.digits(5));
    }
    if (land != QLatin1String("D")) {
        record.MwStAusw = TCustomerAddress::mwstSteuerfrei;
        record.Paragr6a = company && land == QLatin1String("A");
    } else if (!company) {
        record.MwStAusw = TCustomerAddress::mwstInklusive;
    }
    if (company && land == QLatin1String("D") && random.chance(12)) {
        record.Paragr13b = true;
        if (!record.Kennzeichen.contains(tables.marks[3]))
            record.Kennzeichen.append(tables.marks[3]);
    }
    record.Paragr14b = company && random.chance(5);
    const int dunning = random.below(100);
    record.MahnTyp = dunning < 85   ? TCustomerAddress::mahnAutomatisch
                     : dunning < 95 ? TCustomerAddress::mahnManuell
                                    : TCustomerAddress::mahnNicht;
    if (random.chance(4)) {
        record.Alarm = true;
        record.AlarmText = random.chance(50) ? QStringLiteral("Nur gegen Vorkasse liefern!")
                                             : QStringLiteral(
                                                   "Offene Posten über 90 Tage – "
                                                   "vor Auftragsannahme klären.");
    }
    if (random.chance(15))
        record.ZInfo = QStringLiteral("Skonto nur bei Zahlungseingang innerhalb der Frist.");
    if (random.chance(40)) record.Info = random.pick(tables.infos);
}

void TGenRecord::fillAccounts() {
    // Debtor and creditor data
    if (supplier) {
        record.KreditorNr = QString::number(70000 + index);
        record.OwnId = QStringLiteral("KD-") + random.digits(6);
        const TGenPerson clerk = genPerson(random);
        record.KreditorBearbeiter = clerk.form() + QLatin1Char(' ') + clerk.last;
    } else if (!prospect) {
        record.DebitorNr = QString::number(10000 + index);
        if (company) {
            record.DebitorKreditlimit =
                QLocale(QLocale::German).toString(double(random.between(1, 50)) * 1000.0, 'f', 2);
            static constexpr std::array<const char*, 4> ratings = {"sehr gut", "gut", "mittel",
                                                                   "schwach"};
            record.DebitorBonitaet = QString::fromUtf8(random.pick(ratings));
            if (random.chance(30))
                record.DebitorVersicherung =
                    QStringLiteral("Warenkreditversicherung ") + random.digits(6);
        }
    }
    if (index > 10 && random.chance(1))
        record.IdWeiterl = TAddressGenerator::AddressNumber(random.below(index));
}

void TGenRecord::fillStamps() {
    // Stamps: created up to about eight years ago, changed since.
    const int age = random.between(2, 3000);
    const QDate createdDate = today.addDays(-age);
    const QTime createdTime(random.between(7, 18), random.below(60), random.below(60));
    record.Created = DateTimeToDayNumber(QDateTime(createdDate, createdTime));
    const QDate changedDate = today.addDays(-1 - random.below(age - 1));
    const QTime changedTime(random.between(7, 18), random.below(60), random.below(60));
    record.Changed = DateTimeToDayNumber(QDateTime(changedDate, changedTime));
    record.CreatedBy = QStringLiteral("ADMIN");
    record.ChangedBy = QStringLiteral("ADMIN");

    // Resubmission for about a fifth: from two weeks overdue to six weeks ahead.
    if (random.chance(20)) {
        record.Wv =
            DateTimeToDayNumber(QDateTime(today.addDays(random.between(-14, 42)), QTime(0, 0)));
        record.WvTxt = random.pick(tables.resubmissions);
        record.WvUser = QStringLiteral("ADMIN");
    }
}

}  // namespace

TAddressGenerator::TAddressGenerator(quint32 seed) : m_seed(seed) {}

QString TAddressGenerator::AddressNumber(int index) {
    return QStringLiteral("K%1").arg(index + 1, 6, 10, QLatin1Char('0'));
}

QStringList TAddressGenerator::AddressGroups() {
    return DemoTables().groups;
}
QStringList TAddressGenerator::AddressMarks() {
    return DemoTables().marks;
}
QStringList TAddressGenerator::AnschriftArten() {
    return DemoTables().anschriftArten;
}
QStringList TAddressGenerator::ContactMarks() {
    return DemoTables().contactMarks;
}
QStringList TAddressGenerator::SpecialContactMarks() {
    return DemoTables().specialContactMarks;
}

void TAddressGenerator::Fill(int index, TCustomerAddress& record) const {
    record.Clear();
    record.Id = AddressNumber(index);
    TGenRecord generated(m_seed, index, record);
    generated.fillAnschriften();
    generated.fillContacts();
    generated.fillPaymentWays();
    generated.fillPaymentTerms();
    generated.fillGroupAndMarks();
    generated.fillTaxAndDunning();
    generated.fillAccounts();
    generated.fillStamps();
    FillDemoExtraFields(index, record);
    record.DisplayTxt = record.GetShortText();
}

void TAddressGenerator::FillTable(TDBAdress& db, int first, int count) const {
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("generator"));
    if (!lock) throw EKwpError(QStringLiteral("Adresstabelle gesperrt"));
    TCustomerAddress record;
    for (int i = first; i < first + count; ++i) {
        Fill(i, record);
        if (db.SetCustomer(record) != 0) {
            db.Unlock(lock, TLockEnd::UndoWrites);
            throw EKwpError(QStringLiteral("Adresse nicht geschrieben: ") + record.Id);
        }
    }
    db.Unlock(lock);
}

void TAddressGenerator::FillFile(const QString& fileName, int first, int count) const {
    TAddressListWriter writer(fileName);
    TCustomerAddress record;
    for (int i = first; i < first + count; ++i) {
        Fill(i, record);
        writer.Add(record);
    }
    writer.Finish();
}
