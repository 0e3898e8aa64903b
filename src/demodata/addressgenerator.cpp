#include "demodata/addressgenerator.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <array>
#include <memory>

#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/errorreport.h"

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
    QString digits(int count) {
        QString text;
        for (int i = 0; i < count; ++i) text += QChar(u'0' + below(10));
        return text;
    }

private:
    quint64 m_state;
};

struct TGenTown {
    const char* plz;
    const char* ort;
    const char* land;
    // Dialling code without the trunk prefix; with the country code for A and CH.
    const char* vorwahl;
    // Weight: large towns appear more often.
    int weight;
};

// Central postcodes of real towns; Austrian and Swiss ones carry their country code.
constexpr std::array<TGenTown, 72> kGenTowns = {{
    {"10115", "Berlin", "D", "30", 12},
    {"10719", "Berlin", "D", "30", 8},
    {"12043", "Berlin", "D", "30", 6},
    {"20095", "Hamburg", "D", "40", 10},
    {"22765", "Hamburg", "D", "40", 5},
    {"80331", "München", "D", "89", 10},
    {"81667", "München", "D", "89", 5},
    {"50667", "Köln", "D", "221", 9},
    {"60311", "Frankfurt am Main", "D", "69", 8},
    {"70173", "Stuttgart", "D", "711", 7},
    {"40213", "Düsseldorf", "D", "211", 7},
    {"04109", "Leipzig", "D", "341", 6},
    {"44135", "Dortmund", "D", "231", 6},
    {"45127", "Essen", "D", "201", 6},
    {"28195", "Bremen", "D", "421", 5},
    {"01067", "Dresden", "D", "351", 6},
    {"30159", "Hannover", "D", "511", 6},
    {"90402", "Nürnberg", "D", "911", 6},
    {"47051", "Duisburg", "D", "203", 4},
    {"44787", "Bochum", "D", "234", 4},
    {"42103", "Wuppertal", "D", "202", 4},
    {"33602", "Bielefeld", "D", "521", 4},
    {"53111", "Bonn", "D", "228", 4},
    {"48143", "Münster", "D", "251", 4},
    {"68159", "Mannheim", "D", "621", 4},
    {"76133", "Karlsruhe", "D", "721", 4},
    {"86150", "Augsburg", "D", "821", 4},
    {"65183", "Wiesbaden", "D", "611", 3},
    {"52062", "Aachen", "D", "241", 3},
    {"38100", "Braunschweig", "D", "531", 3},
    {"24103", "Kiel", "D", "431", 3},
    {"09111", "Chemnitz", "D", "371", 3},
    {"06108", "Halle (Saale)", "D", "345", 3},
    {"39104", "Magdeburg", "D", "391", 3},
    {"79098", "Freiburg im Breisgau", "D", "761", 3},
    {"55116", "Mainz", "D", "6131", 3},
    {"23552", "Lübeck", "D", "451", 3},
    {"99084", "Erfurt", "D", "361", 3},
    {"18055", "Rostock", "D", "381", 3},
    {"34117", "Kassel", "D", "561", 3},
    {"66111", "Saarbrücken", "D", "681", 3},
    {"14467", "Potsdam", "D", "331", 3},
    {"97070", "Würzburg", "D", "931", 3},
    {"37073", "Göttingen", "D", "551", 2},
    {"93047", "Regensburg", "D", "941", 2},
    {"89073", "Ulm", "D", "731", 2},
    {"49074", "Osnabrück", "D", "541", 2},
    {"26122", "Oldenburg", "D", "441", 2},
    {"02826", "Görlitz", "D", "3581", 2},
    {"21335", "Lüneburg", "D", "4131", 2},
    {"72070", "Tübingen", "D", "7071", 2},
    {"94032", "Passau", "D", "851", 2},
    {"83646", "Bad Tölz", "D", "8041", 2},
    {"82467", "Garmisch-Partenkirchen", "D", "8821", 2},
    {"06667", "Weißenfels", "D", "3443", 2},
    {"15711", "Königs Wusterhausen", "D", "3375", 2},
    {"88045", "Friedrichshafen", "D", "7541", 2},
    {"25980", "Sylt", "D", "4651", 1},
    {"97980", "Bad Mergentheim", "D", "7931", 1},
    {"36037", "Fulda", "D", "661", 2},
    {"1010", "Wien", "A", "43 1", 3},
    {"1070", "Wien", "A", "43 1", 2},
    {"8010", "Graz", "A", "43 316", 2},
    {"4020", "Linz", "A", "43 732", 1},
    {"5020", "Salzburg", "A", "43 662", 1},
    {"6020", "Innsbruck", "A", "43 512", 1},
    {"9020", "Klagenfurt am Wörthersee", "A", "43 463", 1},
    {"8001", "Zürich", "CH", "41 44", 2},
    {"3011", "Bern", "CH", "41 31", 1},
    {"4051", "Basel", "CH", "41 61", 1},
    {"6003", "Luzern", "CH", "41 41", 1},
    {"9000", "St. Gallen", "CH", "41 71", 1},
}};

constexpr std::array<const char*, 40> kGenStreetsDe = {
    "Hauptstraße",
    "Bahnhofstraße",
    "Gartenstraße",
    "Schulstraße",
    "Dorfstraße",
    "Bergstraße",
    "Birkenweg",
    "Lindenstraße",
    "Kirchstraße",
    "Waldstraße",
    "Ringstraße",
    "Schillerstraße",
    "Goethestraße",
    "Mühlenweg",
    "Am Anger",
    "Friedrich-Ebert-Straße",
    "Industriestraße",
    "Gewerbepark Süd",
    "An der Weißen Mühle",
    "Jägerstraße",
    "Königstraße",
    "Römerweg",
    "Lessingstraße",
    "Wiesenweg",
    "Rosenstraße",
    "Feldstraße",
    "Marktplatz",
    "Große Bäckerstraße",
    "Schloßallee",
    "Am Mühlbach",
    "Ährenfeld",
    "Über den Höfen",
    "Fröbelstraße",
    "Heinrich-Böll-Platz",
    "Kantstraße",
    "Uhlandstraße",
    "Zeppelinstraße",
    "Robert-Koch-Straße",
    "Brückenstraße",
    "Alte Gärtnerei",
};
constexpr std::array<const char*, 8> kGenStreetsAt = {
    "Mariahilfer Straße", "Herrengasse",   "Landstraßer Hauptstraße", "Linzer Gasse",
    "Annenstraße",        "Getreidegasse", "Maria-Theresien-Straße",  "Alter Platz",
};
// The Swiss write "ss" for ß.
constexpr std::array<const char*, 8> kGenStreetsCh = {
    "Bahnhofstrasse", "Seestrasse",     "Marktgasse",  "Kramgasse",
    "Freie Strasse",  "Pilatusstrasse", "Multergasse", "Löwenstrasse",
};

constexpr std::array<const char*, 36> kGenMaleFirst = {
    "Jürgen",  "Jörg",      "Björn",   "Sören",      "Günter",        "Hans-Jürgen",
    "Uwe",     "Thomas",    "Michael", "Andreas",    "Stefan",        "Frank",
    "Markus",  "Klaus",     "Peter",   "Wolfgang",   "Matthias",      "Bernd",
    "Dieter",  "Torsten",   "Lukas",   "Maximilian", "Jan",           "Tobias",
    "Florian", "Sebastian", "Niklas",  "Ralf",       "Heinz-Günther", "Volker",
    "Detlef",  "Jens",      "Kai",     "Timo",       "Dominik",       "Henrik",
};
constexpr std::array<const char*, 36> kGenFemaleFirst = {
    "Käthe",     "Jutta",      "Sabine",  "Claudia", "Petra",  "Andrea", "Susanne",  "Birgit",
    "Monika",    "Ursula",     "Renate",  "Anja",    "Katrin", "Nicole", "Stefanie", "Julia",
    "Anna",      "Lena",       "Laura",   "Hannah",  "Marie",  "Sophie", "Jördis",   "Gülay",
    "Ilse",      "Gerlinde",   "Heike",   "Doris",   "Silke",  "Bärbel", "Annegret", "Maren",
    "Franziska", "Christiane", "Martina", "Elke",
};
constexpr std::array<const char*, 60> kGenLastNames = {
    "Müller", "Schmidt",     "Schneider", "Fischer",        "Weber",    "Meyer",      "Wagner",
    "Becker", "Schulz",      "Hoffmann",  "Schäfer",        "Koch",     "Bauer",      "Richter",
    "Klein",  "Wolf",        "Schröder",  "Neumann",        "Schwarz",  "Zimmermann", "Braun",
    "Krüger", "Hofmann",     "Hartmann",  "Lange",          "Schmitt",  "Werner",     "Schmitz",
    "Krause", "Meier",       "Lehmann",   "Köhler",         "Herrmann", "König",      "Walter",
    "Huber",  "Kaiser",      "Fuchs",     "Peters",         "Möller",   "Weiß",       "Jung",
    "Hahn",   "Vogel",       "Günther",   "Keller",         "Böhm",     "Jäger",      "Groß",
    "Kühn",   "Brandt",      "Schreiber", "Dietrich",       "Kößler",   "Öztürk",     "Yılmaz",
    "Nowak",  "Straßburger", "Lüdtke",    "Van der Heyden",
};

struct TGenCompanyPattern {
    // %1 = last name, %2 = second last name, %3 = town
    const char* name;
    // Land the legal form belongs to ("" = any)
    const char* land;
};
constexpr std::array<TGenCompanyPattern, 22> kGenCompanies = {{
    {"%1 Haustechnik GmbH", "D"},
    {"%1 & Söhne Bedachungen GmbH & Co. KG", "D"},
    {"Elektro %1 e.K.", "D"},
    {"Malerbetrieb %1 & %2 GbR", "D"},
    {"%1 Bau AG", "D"},
    {"Tischlerei %1", "D"},
    {"Sanitär- und Heizungsbau %1 GmbH", "D"},
    {"Glaserei %1 OHG", "D"},
    {"%1 Gebäudereinigung UG (haftungsbeschränkt)", "D"},
    {"Fliesen %1 KG", "D"},
    {"Autohaus %1 GmbH", "D"},
    {"Steuerberatung %1 & %2 PartG mbB", "D"},
    {"Baustoffhandel %3 GmbH", "D"},
    {"Stadtwerke %3 GmbH", "D"},
    {"Hausverwaltung %1 & Partner", "D"},
    {"Metallbau %1 GmbH", "D"},
    {"Zimmerei %1 e.K.", "D"},
    {"Schlüsseldienst %1", "D"},
    {"%1 Installationen GesmbH", "A"},
    {"Baumeister %1 KG", "A"},
    {"%1 Holzbau AG", "CH"},
    {"Elektro %1 GmbH", "CH"},
}};

struct TGenBank {
    const char* blz;
    const char* name;
    const char* bic;
};
// Real German bank codes with their BICs.
constexpr std::array<TGenBank, 14> kGenBanks = {{
    {"10010010", "Postbank Berlin", "PBNKDEFFXXX"},
    {"10070000", "Deutsche Bank Berlin", "DEUTDEBBXXX"},
    {"20050550", "Hamburger Sparkasse", "HASPDEHHXXX"},
    {"37040044", "Commerzbank Köln", "COBADEFFXXX"},
    {"50010517", "ING-DiBa", "INGDDEFFXXX"},
    {"70150000", "Stadtsparkasse München", "SSKMDEMMXXX"},
    {"60050101", "Baden-Württembergische Bank", "SOLADEST600"},
    {"43060967", "GLS Gemeinschaftsbank", "GENODEM1GLS"},
    {"12030000", "Deutsche Kreditbank Berlin", "BYLADEM1001"},
    {"86055592", "Sparkasse Leipzig", "WELADE8LXXX"},
    {"30050110", "Stadtsparkasse Düsseldorf", "DUSSDEDDXXX"},
    {"25050180", "Sparkasse Hannover", "SPKHDE2HXXX"},
    {"76050101", "Sparkasse Nürnberg", "SSKNDE77XXX"},
    {"37050198", "Sparkasse KölnBonn", "COLSDE33XXX"},
}};

constexpr std::array<const char*, 10> kGenMarks = {
    "Kunde",          "Lieferant", "Interessent",     "Subunternehmer", "Architekt",
    "Hausverwaltung", "Behörde",   "Wartungsvertrag", "Newsletter",     "Stammkunde",
};
constexpr std::array<const char*, 6> kGenGroups = {
    "Privatkunden",     "Gewerbekunden",    "Lieferanten", "Öffentliche Auftraggeber",
    "Handwerkspartner", "Hausverwaltungen",
};
constexpr std::array<const char*, 6> kGenAnschriftArten = {
    "Hauptanschrift", "Rechnungsanschrift", "Lieferanschrift",
    "Baustelle",      "Postfach",           "Privatanschrift",
};
constexpr std::array<const char*, 9> kGenContactMarks = {
    "Telefon",       "Telefon privat", "Mobil",    "Fax",       "E-Mail",
    "E-Mail privat", "Internet",       "Zentrale", "Durchwahl",
};
constexpr std::array<const char*, 4> kGenSpecialContactMarks = {
    "Geburtstag", "Notdienst", "Rechnungsversand", "Ansprechpartner Baustelle"};
constexpr std::array<const char*, 10> kGenPositions = {
    "Geschäftsführer", "Geschäftsführerin", "Einkauf",       "Buchhaltung", "Bauleiterin",
    "Prokurist",       "Werkstattmeister",  "Objektleitung", "Sekretariat", "Technische Leitung",
};
constexpr std::array<const char*, 8> kGenWvTexts = {
    "Angebot nachfassen",        "Wartungstermin Heizung vereinbaren",
    "Rückruf wegen Reklamation", "Zahlungseingang prüfen",
    "Jahresgespräch führen",     "Gewährleistung läuft ab",
    "Schornsteinfeger-Termin",   "Aufmaß vor Ort",
};
constexpr std::array<const char*, 8> kGenInfos = {
    "Kunde seit 2009. Schlüssel liegt beim Hausmeister.",
    "Zufahrt über den Hof, Tor schließt um 17 Uhr.",
    "Bitte vor Arbeitsbeginn anrufen.\r\nHund im Garten!",
    "Rechnungen nur per E-Mail.",
    "Großkunde – Rahmenvertrag bis Ende nächsten Jahres.",
    "Ansprechpartner wechselt häufig, immer Zentrale anrufen.",
    "Parkplatz vor der Tür nur mit Ausnahmegenehmigung.",
    "Barrierefreier Zugang über die Rückseite.",
};

QString genLatin(const char* text) {
    return QString::fromUtf8(text);
}

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

const TGenTown& genPickTown(TGenRandom& random) {
    static const int total = [] {
        int sum = 0;
        for (const TGenTown& town : kGenTowns) sum += town.weight;
        return sum;
    }();
    int roll = random.below(total);
    for (const TGenTown& town : kGenTowns) {
        if (roll < town.weight) return town;
        roll -= town.weight;
    }
    return kGenTowns[0];
}

QString genStreet(TGenRandom& random, const QString& land) {
    QString street;
    if (land == QLatin1String("A"))
        street = genLatin(random.pick(kGenStreetsAt));
    else if (land == QLatin1String("CH"))
        street = genLatin(random.pick(kGenStreetsCh));
    else
        street = genLatin(random.pick(kGenStreetsDe));
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
QString genLocalNumber(TGenRandom& random, const TGenTown& town) {
    const int length = qstrlen(town.vorwahl) <= 3 ? 7 : 6;
    return QString::number(random.between(2, 9)) + random.digits(length - 1);
}

// Phone numbers as people write them: national form at home, international for abroad.
QString genPhone(const TGenTown& town, QString local, const QString& extension = {}) {
    const QString vorwahl = genLatin(town.vorwahl);
    if (!extension.isEmpty()) local += QLatin1Char('-') + extension;
    if (QLatin1String(town.land) != QLatin1String("D"))
        return QStringLiteral("+") + vorwahl + QLatin1Char(' ') + local;
    return QLatin1Char('0') + vorwahl + QLatin1Char(' ') + local;
}

QString genMobile(TGenRandom& random) {
    static constexpr std::array<const char*, 8> prefixes = {"0151", "0152", "0160", "0162",
                                                            "0170", "0171", "0176", "0179"};
    return genLatin(random.pick(prefixes)) + QLatin1Char(' ') + random.digits(8);
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
    person.first =
        genLatin(person.female ? random.pick(kGenFemaleFirst) : random.pick(kGenMaleFirst));
    person.last = genLatin(random.pick(kGenLastNames));
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

QString genIbanFromDigits(const QString& bban, const QString& country) {
    // Letters count as 10..35; the country and "00" move behind the account data.
    QString numeric = bban;
    for (const QChar c : country + QStringLiteral("00")) {
        if (c.isLetter())
            numeric += QString::number(c.toUpper().unicode() - u'A' + 10);
        else
            numeric += c;
    }
    int remainder = 0;
    for (const QChar c : numeric) remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
    const int check = 98 - remainder;
    return country + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
}

bool genAllDigits(const QString& text) {
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return !text.isEmpty();
}

template <size_t N>
QStringList genList(const std::array<const char*, N>& items) {
    QStringList list;
    for (const char* item : items) list.append(genLatin(item));
    return list;
}

}  // namespace

TAddressGenerator::TAddressGenerator(quint32 seed) : m_seed(seed) {}

QString TAddressGenerator::AddressNumber(int index) {
    return QStringLiteral("K%1").arg(index + 1, 6, 10, QLatin1Char('0'));
}

QString TAddressGenerator::GermanIban(const QString& bankCode, const QString& account) {
    if (bankCode.size() != 8 || !genAllDigits(bankCode) || account.size() > 10 ||
        !genAllDigits(account))
        return {};
    return genIbanFromDigits(bankCode + account.rightJustified(10, QLatin1Char('0')),
                             QStringLiteral("DE"));
}

QStringList TAddressGenerator::AddressGroups() {
    return genList(kGenGroups);
}
QStringList TAddressGenerator::AddressMarks() {
    return genList(kGenMarks);
}
QStringList TAddressGenerator::AnschriftArten() {
    return genList(kGenAnschriftArten);
}
QStringList TAddressGenerator::ContactMarks() {
    return genList(kGenContactMarks);
}
QStringList TAddressGenerator::SpecialContactMarks() {
    return genList(kGenSpecialContactMarks);
}

void TAddressGenerator::Fill(int index, TCustomerAddress& record) const {
    TGenRandom random(m_seed, index);
    record.Clear();
    record.Id = AddressNumber(index);

    const QDate today = Today();
    const TGenTown& town = genPickTown(random);
    const QString land = genLatin(town.land);
    const bool company = random.chance(65);
    const TGenPerson owner = genPerson(random);
    const QString partner = genLatin(random.pick(kGenLastNames));

    // Kind of partner: customers mostly, some suppliers and prospects.
    const int roll = random.below(100);
    const bool supplier = company && roll < 15;
    const bool prospect = !supplier && roll >= 88;

    QString companyName;
    if (company) {
        const TGenCompanyPattern* pattern = nullptr;
        do {
            pattern = &random.pick(kGenCompanies);
        } while (QLatin1String(pattern->land) != land);
        companyName = genLatin(pattern->name)
                          .replace(QStringLiteral("%1"), owner.last)
                          .replace(QStringLiteral("%2"), partner)
                          .replace(QStringLiteral("%3"), genLatin(town.ort));
    }

    // Postal addresses: the main one first and default, then billing, delivery, site.
    const int anschriftCount = 1 + (random.chance(35) ? 1 : 0) + (random.chance(12) ? 1 : 0);
    for (int i = 0; i < anschriftCount; ++i) {
        const QString id = record.Anschriften.NewId();
        TCustomerAnschrift* anschrift = record.Anschriften.Add();
        anschrift->Id = id;
        anschrift->Std = i == 0;
        const TGenTown& place = i == 0 || random.chance(60) ? town : genPickTown(random);
        anschrift->Land = genLatin(place.land);
        anschrift->Plz = genLatin(place.plz);
        anschrift->Ort = genLatin(place.ort);
        if (company) {
            anschrift->Name1 = companyName;
            if (i > 0 && &place != &town && random.chance(50))
                anschrift->Name2 = QStringLiteral("Niederlassung ") + genLatin(place.ort);
        } else {
            anschrift->Name1 = owner.addressLine();
            anschrift->Name2 = owner.fullName();
        }
        if (i == 0) {
            anschrift->AArt =
                company ? genLatin(kGenAnschriftArten[0]) : genLatin(kGenAnschriftArten[5]);
            anschrift->Strasse = genStreet(random, anschrift->Land);
        } else if (i == 1 && company && random.chance(30)) {
            anschrift->AArt = genLatin(kGenAnschriftArten[4]);
            anschrift->Strasse = QStringLiteral("Postfach %1 %2 %3")
                                     .arg(random.between(10, 99))
                                     .arg(random.between(10, 99))
                                     .arg(random.between(10, 99));
        } else {
            anschrift->AArt = genLatin(kGenAnschriftArten[size_t(random.between(1, 3))]);
            anschrift->Strasse = genStreet(random, anschrift->Land);
            if (anschrift->AArt == genLatin(kGenAnschriftArten[3]))
                anschrift->Name3 = QStringLiteral("Baustelle ") + genLatin(place.ort) +
                                   QStringLiteral(" BV ") + random.digits(4);
        }
    }

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
            genChannel(*contact, cdtTelefon, genLatin(kGenContactMarks[7]),
                       genPhone(town, companyLine, QStringLiteral("0")));
            genChannel(
                *contact, cdtEmail, genLatin(kGenContactMarks[4]),
                (contact->Name == QStringLiteral("Zentrale") ? QStringLiteral("info@")
                                                             : QStringLiteral("buchhaltung@")) +
                    domain,
                random.chance(30) ? genLatin(kGenSpecialContactMarks[2]) : QString());
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
            genChannel(*contact, cdtPosition, {},
                       genLatin(c == 0 ? (person.female ? kGenPositions[1] : kGenPositions[0])
                                       : random.pick(kGenPositions)));
        }
        const QString extension = QString::number(random.between(10, 89));
        genChannel(*contact, cdtTelefon,
                   genLatin(company ? kGenContactMarks[8] : kGenContactMarks[1]),
                   company ? genPhone(town, companyLine, extension)
                           : genPhone(town, genLocalNumber(random, town)),
                   random.chance(15) ? QStringLiteral("nur vormittags") : QString());
        if (company || random.chance(30)) {
            genChannel(*contact, cdtFax, genLatin(kGenContactMarks[3]),
                       company ? genPhone(town, companyLine, QStringLiteral("99"))
                               : genPhone(town, genLocalNumber(random, town)));
        }
        if (random.chance(70)) {
            genChannel(*contact, cdtTelefon, genLatin(kGenContactMarks[2]), genMobile(random),
                       random.chance(20) ? genLatin(kGenSpecialContactMarks[1]) : QString());
        }
        const QString mailName =
            genMailName(person.first.left(company ? 1 : 40) + QLatin1Char('.') + person.last);
        genChannel(*contact, cdtEmail,
                   genLatin(company ? kGenContactMarks[4] : kGenContactMarks[5]),
                   mailName + QLatin1Char('@') +
                       (company ? domain : genLatin(random.chance(50) ? "t-online.de" : "gmx.de")));
        if (company && c == 0)
            genChannel(*contact, cdtInternet, genLatin(kGenContactMarks[6]),
                       QStringLiteral("https://www.") + domain);
        if (random.chance(20)) {
            const QDate birthday(random.between(1950, 2000), random.between(1, 12),
                                 random.between(1, 28));
            genChannel(*contact, cdtDatum, genLatin(kGenSpecialContactMarks[0]),
                       birthday.toString(QStringLiteral("dd.MM.yyyy")));
        }
        if (random.chance(10)) {
            genChannel(*contact, cdtSonstiges, QStringLiteral("Schlüssel"),
                       QStringLiteral("Nr. ") + random.digits(3),
                       QStringLiteral("Schlüsselkasten Büro"));
        }
        record.Kontakte.Add(std::move(contact));
    }

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
            const TGenBank& bank = random.pick(kGenBanks);
            way->Inst = genLatin(bank.name);
            way->BCode = genLatin(bank.blz);
            way->Acc = QString::number(random.between(1, 9)) + random.digits(random.between(6, 9));
            way->Iban = GermanIban(way->BCode, way->Acc);
            way->Bic = genLatin(bank.bic);
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

    // Group and marks
    if (supplier) {
        record.AddrGrp = genLatin(kGenGroups[2]);
        record.Kennzeichen.append(genLatin(kGenMarks[1]));
    } else {
        static constexpr std::array<size_t, 4> companyGroups = {1, 3, 4, 5};
        record.AddrGrp = genLatin(company ? kGenGroups[random.pick(companyGroups)] : kGenGroups[0]);
        record.Kennzeichen.append(genLatin(prospect ? kGenMarks[2] : kGenMarks[0]));
    }
    if (random.chance(25)) {
        const QString mark = genLatin(kGenMarks[size_t(random.between(3, 9))]);
        if (!record.Kennzeichen.contains(mark)) record.Kennzeichen.append(mark);
    }

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
        if (!record.Kennzeichen.contains(genLatin(kGenMarks[3])))
            record.Kennzeichen.append(genLatin(kGenMarks[3]));
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
    if (random.chance(40)) record.Info = genLatin(random.pick(kGenInfos));

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
            record.DebitorBonitaet = genLatin(random.pick(ratings));
            if (random.chance(30))
                record.DebitorVersicherung =
                    QStringLiteral("Warenkreditversicherung ") + random.digits(6);
        }
    }
    if (index > 10 && random.chance(1)) record.IdWeiterl = AddressNumber(random.below(index));

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
        record.WvTxt = genLatin(random.pick(kGenWvTexts));
        record.WvUser = QStringLiteral("ADMIN");
    }

    record.DisplayTxt = record.GetShortText();
}

void TAddressGenerator::FillTable(TDBAdress& db, int first, int count) const {
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("generator"));
    if (!lock) throw EKwpError(QStringLiteral("Adresstabelle gesperrt"));
    TCustomerAddress record;
    for (int i = first; i < first + count; ++i) {
        Fill(i, record);
        if (db.SetCustomer(record) != 0) {
            db.Unlock(lock, false);
            throw EKwpError(QStringLiteral("Adresse nicht geschrieben: ") + record.Id);
        }
    }
    db.Unlock(lock);
}
