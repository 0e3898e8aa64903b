#include "payments/vazdta.h"

#include <QLocale>
#include <QStorageInfo>
#include <cmath>
#include <limits>

#include "app/clock.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"

namespace {

constexpr int kDtaBlock = 128;
constexpr int kDtaTextWidth = 27;
constexpr int kDtaMaxLines = 14;
// One euro is the smallest amount, as the refusal message tells the user. The amount field of
// the C record holds 11 digits, the sum field of the E record 13, the record count 7.
constexpr qint64 kDtaMinCents = 100;
constexpr qint64 kDtaMaxCents = Q_INT64_C(99999999999);
constexpr qint64 kDtaMaxSumCents = Q_INT64_C(9999999999999);
constexpr quint32 kDtaMaxRecords = 9999999;

QByteArray dtaBlanks(int count) {
    return QByteArray(count, ' ');
}

// Converted text, left-aligned, blank-filled and cut to the width.
QByteArray dtaText(const QByteArray& text, int width) {
    QByteArray field = TVazDTA::ConvertText(text).left(width);
    field.append(width - field.size(), ' ');
    return field;
}

QByteArray dtaNumber(qint64 value, int width) {
    return QByteArray::number(value).rightJustified(width, '0');
}

QByteArray dtaDate(const QDate& date, bool longYear) {
    return date.toString(longYear ? QStringLiteral("ddMMyyyy") : QStringLiteral("ddMMyy"))
        .toLatin1();
}

// Extension part of one purpose line: "02" and the text, or blanks when there is no line.
QByteArray dtaExtension(const QList<QByteArray>& lines, int index) {
    if (index >= lines.size()) return dtaBlanks(29);
    return QByteArrayLiteral("02") + dtaText(lines.at(index), kDtaTextWidth);
}

// A bank's parser refuses a name field of blanks, which is what a name of only foreign
// characters ("()!?", "€€€") would become.
bool dtaBlankAfterConversion(const QByteArray& name) {
    return TVazDTA::ConvertText(name).trimmed().isEmpty();
}

bool dtaIsBlankOrControl(char c) {
    return uchar(c) <= ' ';
}

bool dtaAllowed(uchar c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return true;
    switch (c) {
        case ' ':
        case '$':
        case '%':
        case '&':
        case '*':
        case '+':
        case ',':
        case '-':
        case '.':
        case '/':
        case 0xC4:  // Ä
        case 0xD6:  // Ö
        case 0xDC:  // Ü
        case 0xDF:  // ß
        case '[':
        case '\\':
        case ']':
        case '~':
            return true;
        default:
            return false;
    }
}

}  // namespace

QByteArray ToDTAAnsi(const QString& text) {
    return text.toLatin1();
}

TVazDTA::TVazDTA(QObject* parent) : TVazBaseDTA(parent) {}

TVazDTA::~TVazDTA() = default;

void TVazDTA::Start() {
    // Checked before the base class opens the run, so a refusal leaves the writer idle.
    if (RunState() == Idle && !AuftraggeberName().isEmpty() &&
        dtaBlankAfterConversion(AuftraggeberName())) {
        throw EDTAError(_("Der Name des Auftraggebers \"%1\" enthält kein Zeichen, das in einer "
                          "DTAUS-Datei stehen darf (A-Z, Umlaute, ß, Ziffern, . , & - / + * $ %).")
                            .arg(QString::fromLatin1(AuftraggeberName())));
    }
    TVazBaseDTA::Start();
    m_summeCent = 0;
    m_summeKontonummern = 0;
    m_summeBankleitzahlen = 0;
    AppendRecord(recordA());
}

void TVazDTA::AddBuchung(const QByteArray& Name, const QByteArray& Vwz1, const QByteArray& Vwz2,
                         const QByteArray& Vwz3, double Betrag, qint64 BLZ, qint64 Konto) {
    QList<QByteArray> lines{Vwz1};
    if (!Vwz2.isEmpty()) lines.append(Vwz2);
    if (!Vwz3.isEmpty()) lines.append(Vwz3);
    AddBuchung(Name, lines, Betrag, BLZ, Konto);
}

void TVazDTA::AddBuchung(const QByteArray& Name, const QList<QByteArray>& Vwz, double Betrag,
                         qint64 BLZ, qint64 Konto) {
    BeginBuchung();
    CheckBLZ(BLZ);
    CheckKontoNr(Konto);
    CheckName(Name);
    // Checked on the rounded value: that is what the bank gets. Amounts below one euro are
    // refused, as the message says.
    const qint64 cents = RoundToCents(Betrag);
    if (cents < kDtaMinCents || cents > kDtaMaxCents)
        throw EDTAError(_("Der Betrag muss zwischen EUR 1 und EUR 999999999.99 liegen."));
    if (dtaBlankAfterConversion(Name)) {
        throw EDTAError(
            _("Die Buchung über %1 EUR an \"%2\" (BLZ %3, Konto %4) wurde nicht geschrieben: Der "
              "Name enthält kein Zeichen, das in einer DTAUS-Datei stehen darf (A-Z, Umlaute, ß, "
              "Ziffern, . , & - / + * $ %).")
                .arg(FormatStr(QStringLiteral("%n"), {double(cents) / 100.0}),
                     QString::fromLatin1(Name), QString::number(BLZ), QString::number(Konto)));
    }

    const QList<QByteArray> lines = NormalizeVerwendungszweck(Vwz);
    if (lines.size() > kDtaMaxLines)
        throw EDTAError(_("Es sind nicht mehr als 14 Verwendungszwecke erlaubt."));
    if (AnzahlDatensaetzeC() >= kDtaMaxRecords || m_summeCent + cents > kDtaMaxSumCents)
        throw EDTAError(_("Die Datei kann keine weiteren Buchungen aufnehmen."));

    IncAnzahlDatensaetzeC();
    m_summeKontonummern += Konto;
    m_summeBankleitzahlen += BLZ;
    m_summeCent += cents;
    AppendRecord(recordC(Name, lines, cents, BLZ, Konto));
}

void TVazDTA::Finish() {
    if (RunState() == Idle) RaiseNotStarted();
    AppendRecord(recordE());
    TVazBaseDTA::Finish();
}

QString TVazDTA::BegleitzettelText() const {
    const QStorageInfo storage(Path());
    const QString label = storage.isValid() ? storage.name() : QString();
    const QStringList lines{
        _("Dateiname: ") + FileName(),
        _("Disketten-Nr: ") + label,
        _("Datum: ") + DateToStr(Today()),
        _("Anzahl Datensätze C: ") + FormatStr(QStringLiteral("%d"), {AnzahlDatensaetzeC()}),
        _("Summe Datensätze C (EUR): ") + FormatStr(QStringLiteral("%1.2f"), {SummeBetraege()}),
        _("Summe Kontonummern: ") + FormatStr(QStringLiteral("%.17d"), {m_summeKontonummern}),
        _("Summe Bankleitzahlen: ") + FormatStr(QStringLiteral("%.17d"), {m_summeBankleitzahlen}),
        _("Bankleitzahl Absenderbank: ") + FormatStr(QStringLiteral("%d"), {AuftraggeberBLZ()}),
        _("Kontonummer Absender: ") + FormatStr(QStringLiteral("%d"), {AuftraggeberKontoNr()}),
        _("Absender: ") + QString::fromLatin1(AuftraggeberName()),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QByteArray TVazDTA::ConvertText(const QByteArray& text) {
    QByteArray result;
    result.reserve(text.size());
    for (const char c : text) {
        // Latin-1 upper case: é becomes É; ß has no single upper-case letter and stays.
        const char16_t upper = QChar(char16_t(uchar(c))).toUpper().unicode();
        if (upper > 0xFF || !dtaAllowed(uchar(upper))) continue;
        switch (upper) {
            case 0xC4:
                result += '[';
                break;
            case 0xD6:
                result += '\\';
                break;
            case 0xDC:
                result += ']';
                break;
            case 0xDF:
                result += '~';
                break;
            default:
                result += char(upper);
        }
    }
    return result;
}

qint64 TVazDTA::RoundToCents(double amount) {
    if (!std::isfinite(amount)) return -1;
    // The shortest decimal form is the number the user entered, so its third decimal decides
    // and 1.005 is not taken for 1.00499999....
    const QByteArray text =
        QByteArray::number(std::fabs(amount), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf('.');
    const QByteArray whole = point < 0 ? text : text.left(point);
    QByteArray fraction = point < 0 ? QByteArray() : text.mid(point + 1);
    if (whole.size() > 15) return amount < 0 ? -1 : std::numeric_limits<qint64>::max();
    fraction = fraction.leftJustified(3, '0');
    qint64 cents = whole.toLongLong() * 100 + (fraction.at(0) - '0') * 10 + (fraction.at(1) - '0');
    if (fraction.at(2) >= '5') ++cents;
    return amount < 0 ? -cents : cents;
}

QList<QByteArray> TVazDTA::NormalizeVerwendungszweck(const QList<QByteArray>& lines) {
    QList<QByteArray> result;
    for (const QByteArray& line : lines)
        if (!line.isEmpty()) result.append(line);
    // One long line is the whole purpose text: spread it over as many lines as it needs.
    if (result.size() == 1 && result.first().size() + 2 > kDtaTextWidth) {
        const QByteArray text = result.takeFirst();
        for (qsizetype pos = 0; pos < text.size(); pos += kDtaTextWidth)
            result.append(text.mid(pos, kDtaTextWidth));
        QByteArray& first = result.first();
        qsizetype lead = 0;
        while (lead < first.size() && dtaIsBlankOrControl(first.at(lead))) ++lead;
        first.remove(0, lead);
        QByteArray& last = result.last();
        while (!last.isEmpty() && dtaIsBlankOrControl(last.back())) last.chop(1);
    }
    return result;
}

QByteArray TVazDTA::recordA() const {
    QByteArray r;
    r.reserve(kDtaBlock);
    r += "0128A";
    r += Lastschriften() ? "LK" : "GK";
    r += dtaNumber(AuftraggeberBLZ(), 8);
    r += "00000000";
    r += dtaText(AuftraggeberName(), kDtaTextWidth);
    r += dtaDate(Today(), false);
    r += dtaBlanks(4);
    r += dtaNumber(AuftraggeberKontoNr(), 10);
    r += "0000000000";
    r += dtaBlanks(15);
    if (Ausfuehrungsdatum() == 0)
        r += dtaBlanks(8);
    else
        r += dtaDate(DayNumberToDateTime(Ausfuehrungsdatum()).date(), true);
    r += dtaBlanks(24);
    r += '1';
    return r;
}

QByteArray TVazDTA::recordC(const QByteArray& name, const QList<QByteArray>& lines, qint64 cents,
                            qint64 blz, qint64 konto) const {
    // No purpose text still fills one (blank) purpose field.
    const int n = lines.isEmpty() ? 1 : int(lines.size());
    const int blocks = n <= 3 ? 2 : 2 + (n - 4) / 4 + 1;
    QByteArray r;
    r.reserve(blocks * kDtaBlock);
    r += dtaNumber(187 + 29 * (n - 1), 4);
    r += 'C';
    r += "00000000";
    r += dtaNumber(blz, 8);
    r += dtaNumber(konto, 10);
    r += "0000000000000";
    r += Lastschriften() ? "05" : "51";
    r += "000";
    r += ' ';
    r += "00000000000";
    r += dtaNumber(AuftraggeberBLZ(), 8);
    r += dtaNumber(AuftraggeberKontoNr(), 10);
    r += dtaNumber(cents, 11);
    r += dtaBlanks(3);
    r += dtaText(name, kDtaTextWidth);
    r += dtaBlanks(8);

    r += dtaText(AuftraggeberName(), kDtaTextWidth);
    r += dtaText(lines.value(0), kDtaTextWidth);
    r += '1';
    r += dtaBlanks(2);
    r += dtaNumber(n - 1, 2);
    r += dtaExtension(lines, 1);
    r += dtaExtension(lines, 2);
    r += dtaBlanks(11);

    for (int first = 3; first < n; first += 4) {
        for (int i = first; i < first + 4; ++i) r += dtaExtension(lines, i);
        r += dtaBlanks(12);
    }
    return r;
}

QByteArray TVazDTA::recordE() const {
    QByteArray r;
    r.reserve(kDtaBlock);
    r += "0128E";
    r += dtaBlanks(5);
    r += dtaNumber(AnzahlDatensaetzeC(), 7);
    r += "0000000000000";
    r += dtaNumber(m_summeKontonummern, 17);
    r += dtaNumber(m_summeBankleitzahlen, 17);
    r += dtaNumber(m_summeCent, 13);
    r += dtaBlanks(51);
    return r;
}
