#include "addressdb/zipcodes.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include "app/atomicfile.h"
#include "app/conversions.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {

struct ZipCountryLines {
    QStringList lines;
    // The lines upper-cased with umlauts folded, compared on every lookup.
    QStringList folded;
};

// Keyed by ETC folder and country, so tests with their own folders do not meet.
QHash<QString, ZipCountryLines>& zipCache() {
    static QHash<QString, ZipCountryLines> cache;
    return cache;
}

// Upper case without blanks; empty when the code could not be part of a file name.
QString zipNormalizedCountry(const QString& country) {
    QString code;
    for (const QChar c : country)
        if (!c.isSpace()) code += c.toUpper();
    if (code.size() > 10) return {};
    for (const QChar c : std::as_const(code))
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-'))
            return {};
    return code;
}

QString zipWithoutBlanks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) result += c;
    return result;
}

void zipAppendLines(const QString& fileName, ZipCountryLines& target) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QString text = DecodeUtf8OrLatin1(file.readAll());
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        target.folded.append(FoldUmlauts(line));
        target.lines.append(std::move(line));
    }
}

ZipCountryLines& zipCountryLines(const QString& etcDir, const QString& country,
                                 const QString& deliveredFile, const QString& userFile) {
    ZipCountryLines& entry = zipCache()[etcDir + QLatin1Char('|') + country];
    if (entry.lines.isEmpty()) {
        zipAppendLines(deliveredFile, entry);
        zipAppendLines(userFile, entry);
    }
    return entry;
}

}  // namespace

QString DecodeUtf8OrLatin1(const QByteArray& bytes, bool* utf8, bool* bom) {
    const bool hasBom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(QByteArrayView(bytes).sliced(hasBom ? 3 : 0));
    const bool isUtf8 = !decoder.hasError();
    if (!isUtf8) text = QString::fromLatin1(bytes);
    if (utf8) *utf8 = isUtf8;
    if (bom) *bom = hasBom && isUtf8;
    return text;
}

TDBZIPCodes::TDBZIPCodes(const QString& etcDir)
    : m_etcDir(etcDir.isEmpty() ? QString() : NormalizeDir(etcDir)) {}

QString TDBZIPCodes::etcDir() const {
    if (!m_etcDir.isEmpty()) return m_etcDir;
    const TSystemEinstellungen* settings = SystemEinstellungen();
    return settings && !settings->EtcDir.isEmpty() ? NormalizeDir(settings->EtcDir) : QString();
}

QString TDBZIPCodes::DeliveredFileName(const QString& country) const {
    const QString code = zipNormalizedCountry(country);
    const QString dir = etcDir();
    if (code.isEmpty() || dir.isEmpty()) return {};
    return dir + QStringLiteral("ZIPCODES_") + code + QStringLiteral(".DAT");
}

QString TDBZIPCodes::UserFileName(const QString& country) const {
    const QString code = zipNormalizedCountry(country);
    const QString dir = etcDir();
    if (code.isEmpty() || dir.isEmpty()) return {};
    return dir + QStringLiteral("ZIPCODES_") + code + QStringLiteral("_U.DAT");
}

void TDBZIPCodes::ClearCache() {
    zipCache().clear();
}

bool TDBZIPCodes::GetCountryList(const QString& country, QStringList& lines) const {
    const QString code = zipNormalizedCountry(country);
    const QString dir = etcDir();
    if (code.isEmpty() || dir.isEmpty()) {
        lines.clear();
        return false;
    }
    lines = zipCountryLines(dir, code, DeliveredFileName(code), UserFileName(code)).lines;
    return !lines.isEmpty();
}

void TDBZIPCodes::find(const QString& needle, const QString& country, QStringList& result) const {
    if (needle.isEmpty()) return;
    const QString code = zipWithoutBlanks(country).toUpper();
    if (code.isEmpty()) return;
    result.clear();
    const QString dir = etcDir();
    if (zipNormalizedCountry(code).isEmpty() || dir.isEmpty()) return;
    const ZipCountryLines& entry =
        zipCountryLines(dir, code, DeliveredFileName(code), UserFileName(code));
    const QString folded = FoldUmlauts(needle);
    for (qsizetype i = 0; i < entry.lines.size(); ++i)
        if (entry.folded.at(i).contains(folded)) result.append(entry.lines.at(i));
}

void TDBZIPCodes::FindByZip(const QString& zip, const QString& country, QStringList& result) const {
    find(zipWithoutBlanks(zip), country, result);
}

void TDBZIPCodes::FindByCity(const QString& city, const QString& country,
                             QStringList& result) const {
    find(city.trimmed(), country, result);
}

void TDBZIPCodes::AddUserEntry(const QString& country, const QString& city,
                               const QString& zip) const {
    try {
        // Inner blanks go as well: the lookup removes them, so a code kept with one would
        // never be found again and would be added once more each time.
        const QString code = zipWithoutBlanks(zip);
        if (code.isEmpty()) return;
        const QString countryCode = zipNormalizedCountry(country);
        const QString dir = etcDir();
        if (countryCode.isEmpty() || dir.isEmpty()) return;
        // One line per pair: a line break in the town would start a new entry.
        QString town = city;
        town.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        town = town.trimmed();
        if (town.isEmpty()) return;

        QStringList known;
        FindByZip(code, countryCode, known);
        for (const QString& line : std::as_const(known)) {
            const qsizetype separator = line.indexOf(QLatin1Char(';'));
            if (separator >= 0 &&
                line.mid(separator + 1).trimmed().compare(town, Qt::CaseInsensitive) == 0)
                return;
        }

        const QString fileName = UserFileName(countryCode);
        QByteArray content;
        bool utf8 = true;
        QString text;
        if (QFileInfo::exists(fileName)) {
            QFile file(fileName);
            if (!file.open(QIODevice::ReadOnly))
                throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht lesen: %s"),
                                          {fileName, file.errorString()}));
            content = file.readAll();
            text = DecodeUtf8OrLatin1(content, &utf8);
        }
        // The file keeps its line ends; new files get those of the suite's other text files.
        const QString lineEnd =
            content.contains("\r\n") || !content.contains('\n') ? CrLf : QStringLiteral("\n");
        const QString line = code + QLatin1Char(';') + town;
        QString addition = line + lineEnd;
        if (!content.isEmpty() && !content.endsWith('\n')) addition.prepend(lineEnd);

        const bool fitsLatin1 = std::all_of(addition.cbegin(), addition.cend(),
                                            [](QChar c) { return c.unicode() <= 0xFF; });
        if (utf8)
            content += addition.toUtf8();
        else if (fitsLatin1)
            content += addition.toLatin1();
        else
            // A town beyond Latin-1: the whole file changes to UTF-8 so nothing is lost.
            content = (text + addition).toUtf8();

        // Loaded before the file changes, so the new line is not read twice.
        ZipCountryLines& entry =
            zipCountryLines(dir, countryCode, DeliveredFileName(countryCode), fileName);
        WriteFileAtomically(fileName, content);

        entry.lines.append(line);
        entry.folded.append(FoldUmlauts(line));
    } catch (const std::exception& error) {
        ::ReportError(sevError, QStringLiteral("TDBZIPCodes.AddUserEntry"), nullptr, &error);
    }
}
