#include "app/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include "app/atomicfile.h"
#include "app/conversions.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

// Named, not anonymous: TIniFile::Data holds these and has external linkage.
namespace kwp_ini {

struct IniLine {
    QString text;  // written as it stands unless the value changes
    QString key;
    QString value;
    bool isKey = false;
};

struct IniSection {
    QString name;
    bool preamble = false;  // the lines before the first section header
    QString header;
    QList<IniLine> lines;
};

}  // namespace kwp_ini

using kwp_ini::IniLine;
using kwp_ini::IniSection;

namespace {

constexpr QLatin1StringView LineEnd("\r\n");

// Windows trims blanks and tabs only, not other white space.
QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t')) ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t')) --end;
    return text.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString singleLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QList<IniSection> parseText(const QString& text) {
    QList<IniSection> sections;
    sections.append(IniSection{{}, true, {}, {}});
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && text[end] != u'\r' && text[end] != u'\n') ++end;
        const QString raw = text.sliced(pos, end - pos);
        pos = end;
        if (pos < size && text[pos] == u'\r') ++pos;
        if (pos < size && text[pos] == u'\n') ++pos;

        const QStringView line = trimBlanks(raw);
        if (line.startsWith(u'[')) {
            qsizetype close = line.indexOf(u']');
            if (close < 0) close = line.size();
            sections.append(
                IniSection{trimBlanks(line.sliced(1, close - 1)).toString(), false, raw, {}});
            continue;
        }
        IniLine entry{raw, {}, {}, false};
        const qsizetype eq = line.indexOf(u'=');
        if (!sections.last().preamble && !line.startsWith(u';') && eq > 0) {
            const QStringView key = trimBlanks(line.first(eq));
            if (!key.isEmpty()) {
                entry.key = key.toString();
                entry.value = trimBlanks(line.sliced(eq + 1)).toString();
                entry.isKey = true;
            }
        }
        sections.last().lines.append(std::move(entry));
    }
    return sections;
}

// A file without BOM is UTF-16LE when zero bytes sit mostly in the high byte of code units,
// as they do for the ASCII brackets, equal signs and line ends every INI file has.
bool looksLikeUtf16LE(QByteArrayView data) {
    const qsizetype sample = qMin<qsizetype>(data.size(), 65536) & ~qsizetype(1);
    qsizetype oddZeros = 0;
    qsizetype evenZeros = 0;
    for (qsizetype n = 0; n < sample; n += 2) {
        if (data[n] == 0) ++evenZeros;
        if (data[n + 1] == 0) ++oddZeros;
    }
    return oddZeros > evenZeros && oddZeros * 4 >= sample / 2;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView data) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(data);
}

}  // namespace

QString DecodeSuiteText(const QByteArray& data, TIniEncoding& encoding) {
    const QByteArrayView view(data);
    if (view.startsWith("\xFF\xFE")) {
        encoding = TIniEncoding::Utf16LEBom;
        return decodeWith(QStringConverter::Utf16LE, view.sliced(2));
    }
    if (view.startsWith("\xFE\xFF")) {
        encoding = TIniEncoding::Utf16BEBom;
        return decodeWith(QStringConverter::Utf16BE, view.sliced(2));
    }
    if (view.startsWith("\xEF\xBB\xBF")) {
        encoding = TIniEncoding::Utf8Bom;
        return decodeWith(QStringConverter::Utf8, view.sliced(3));
    }
    if (looksLikeUtf16LE(view)) {
        encoding = TIniEncoding::Utf16LE;
        return decodeWith(QStringConverter::Utf16LE, view);
    }
    bool ascii = true;
    for (const char c : view) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        QString text = utf8.decode(view);
        if (!utf8.hasError()) {
            encoding = TIniEncoding::Utf8;
            return text;
        }
    }
    encoding = TIniEncoding::Latin1;
    return QString::fromLatin1(view);
}

namespace {

QByteArray encodeWith(QStringConverter::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

bool fitsLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) return false;
    }
    return true;
}

}  // namespace

struct TIniFile::Data {
    QString fileName;
    TIniEncoding encoding = TIniEncoding::Utf16LEBom;
    bool modified = false;
    bool loadFailed = false;
    QList<IniSection> sections;

    IniLine* findKey(const QString& section, const QString& key) {
        IniLine* found = nullptr;
        for (IniSection& s : sections) {
            if (s.preamble || !sameName(s.name, section)) continue;
            for (IniLine& line : s.lines) {
                if (line.isKey && sameName(line.key, key)) found = &line;
            }
        }
        return found;
    }
    IniSection* findSection(const QString& section) {
        for (IniSection& s : sections) {
            if (!s.preamble && sameName(s.name, section)) return &s;
        }
        return nullptr;
    }
    QString text() const {
        QString result;
        for (const IniSection& s : sections) {
            if (!s.preamble) {
                result += s.header;
                result += LineEnd;
            }
            for (const IniLine& line : s.lines) {
                result += line.text;
                result += LineEnd;
            }
        }
        return result;
    }
    QByteArray bytes() {
        const QString content = text();
        if (encoding == TIniEncoding::Latin1 && !fitsLatin1(content)) {
            // Rather change the encoding than lose characters the code page cannot hold.
            encoding = TIniEncoding::Utf16LEBom;
        }
        switch (encoding) {
            case TIniEncoding::Utf16LEBom:
                return QByteArray("\xFF\xFE", 2) + encodeWith(QStringConverter::Utf16LE, content);
            case TIniEncoding::Utf16LE:
                return encodeWith(QStringConverter::Utf16LE, content);
            case TIniEncoding::Utf16BEBom:
                return QByteArray("\xFE\xFF", 2) + encodeWith(QStringConverter::Utf16BE, content);
            case TIniEncoding::Utf8Bom:
                return QByteArray("\xEF\xBB\xBF") + encodeWith(QStringConverter::Utf8, content);
            case TIniEncoding::Utf8:
                return encodeWith(QStringConverter::Utf8, content);
            case TIniEncoding::Latin1:
                return content.toLatin1();
        }
        return {};
    }
};

TIniFile::TIniFile(const QString& fileName) : d(std::make_unique<Data>()) {
    d->fileName = fileName;
    d->sections.append(IniSection{{}, true, {}, {}});
    QFile file(fileName);
    if (!file.exists()) return;
    if (file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly)) {
        d->loadFailed = true;
        return;
    }
    const QByteArray data = file.readAll();
    if (data.size() > MaxFileSize || file.error() != QFileDevice::NoError) {
        d->loadFailed = true;
        return;
    }
    d->sections = parseText(DecodeSuiteText(data, d->encoding));
}

TIniFile::~TIniFile() = default;

const QString& TIniFile::fileName() const {
    return d->fileName;
}

TIniEncoding TIniFile::encoding() const {
    return d->encoding;
}

bool TIniFile::SectionExists(const QString& section) const {
    return d->findSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return d->findKey(section, key) != nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& defaultValue) const {
    const IniLine* line = d->findKey(section, key);
    return line ? line->value : defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const IniLine* line = d->findKey(section, key);
    return line ? ToInt(line->value, defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    const IniLine* line = d->findKey(section, key);
    if (!line) return defaultValue;
    if (sameName(line->value, u"true")) return true;
    if (sameName(line->value, u"false")) return false;
    bool ok = false;
    const qlonglong number = line->value.toLongLong(&ok);
    return ok ? number != 0 : defaultValue;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double defaultValue) const {
    const IniLine* line = d->findKey(section, key);
    return line ? ToFloat(line->value, defaultValue) : defaultValue;
}

QStringList TIniFile::ReadSections() const {
    QStringList result;
    QSet<QString> seen;
    for (const IniSection& s : d->sections) {
        if (!s.preamble && !seen.contains(s.name.toCaseFolded())) {
            seen.insert(s.name.toCaseFolded());
            result.append(s.name);
        }
    }
    return result;
}

QStringList TIniFile::ReadSection(const QString& section) const {
    QStringList result;
    QSet<QString> seen;
    for (const IniSection& s : d->sections) {
        if (s.preamble || !sameName(s.name, section)) continue;
        for (const IniLine& line : s.lines) {
            if (line.isKey && !seen.contains(line.key.toCaseFolded())) {
                seen.insert(line.key.toCaseFolded());
                result.append(line.key);
            }
        }
    }
    return result;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString cleanSection = singleLine(section);
    const QString cleanKey = singleLine(key);
    const QString cleanValue = singleLine(value);
    if (IniLine* line = d->findKey(cleanSection, cleanKey)) {
        if (line->value == cleanValue) return;
        line->value = cleanValue;
        line->text = line->key + u'=' + cleanValue;
        d->modified = true;
        return;
    }
    IniSection* target = d->findSection(cleanSection);
    if (!target) {
        IniSection& last = d->sections.last();
        const bool separate = !last.preamble || !last.lines.isEmpty();
        if (separate && (last.lines.isEmpty() || !trimBlanks(last.lines.last().text).isEmpty())) {
            last.lines.append(IniLine{});
        }
        d->sections.append(IniSection{cleanSection, false, u'[' + cleanSection + u']', {}});
        target = &d->sections.last();
    }
    // After the section's last key, or else its last non-blank line, so that blank lines
    // separating it from the next section stay at its end.
    qsizetype insertAt = -1;
    for (qsizetype n = 0; n < target->lines.size(); ++n) {
        if (target->lines[n].isKey) insertAt = n;
    }
    if (insertAt < 0) {
        for (qsizetype n = 0; n < target->lines.size(); ++n) {
            if (!trimBlanks(target->lines[n].text).isEmpty()) insertAt = n;
        }
    }
    target->lines.insert(insertAt + 1,
                         IniLine{cleanKey + u'=' + cleanValue, cleanKey, cleanValue, true});
    d->modified = true;
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TIniFile::EraseSection(const QString& section) {
    const qsizetype removed = d->sections.removeIf(
        [&](const IniSection& s) { return !s.preamble && sameName(s.name, section); });
    if (removed > 0) d->modified = true;
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    for (IniSection& s : d->sections) {
        if (s.preamble || !sameName(s.name, section)) continue;
        const qsizetype removed = s.lines.removeIf(
            [&](const IniLine& line) { return line.isKey && sameName(line.key, key); });
        if (removed > 0) d->modified = true;
    }
}

bool TIniFile::isModified() const {
    return d->modified;
}

void TIniFile::UpdateFile() {
    if (!d->modified && QFileInfo::exists(d->fileName)) return;
    // A file we could not read must not be replaced by what little we know of it.
    if (d->loadFailed)
        throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht schreiben."), {d->fileName}));
    WriteFileAtomically(d->fileName, d->bytes());
    d->modified = false;
}
