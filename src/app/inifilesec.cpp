#include "app/inifilesec.h"

#include <QCryptographicHash>

#include "app/conversions.h"
#include "app/errorreport.h"
#include "app/inifile.h"
#include "app/rc4.h"

namespace {

// The suite's key for protected settings files. The setup tool writes with this same code,
// so changing a byte makes every existing SYSDATA.INI and SYSDATB.INI unreadable.
constexpr unsigned char SuiteKey[20] = {0x4B, 0x57, 0x50, 0x9E, 0x21, 0xC7, 0x5A, 0x03, 0xE8, 0x6D,
                                        0xB4, 0x19, 0xF2, 0x70, 0x3C, 0xA5, 0x8E, 0x11, 0xD6, 0x47};

// Keyed once; every value starts from a copy of this state.
const TRC4& keyedCipher() {
    static const TRC4 cipher(QByteArray(reinterpret_cast<const char*>(SuiteKey), sizeof(SuiteKey)));
    return cipher;
}

constexpr qsizetype DigestLength = 32;

QByteArray utf16LeBytes(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype n = 0; n < text.size(); ++n) {
        const char16_t unit = text[n].unicode();
        bytes[2 * n] = static_cast<char>(unit & 0xFF);
        bytes[2 * n + 1] = static_cast<char>(unit >> 8);
    }
    return bytes;
}

// byte count / 2 characters: an odd last byte is dropped.
QString fromUtf16LeBytes(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype n = 0; n < text.size(); ++n) {
        const auto low = static_cast<unsigned char>(bytes[2 * n]);
        const auto high = static_cast<unsigned char>(bytes[2 * n + 1]);
        text[n] = QChar(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

// A verified value with at least one character: numbers and booleans are never empty.
std::optional<QString> nonEmptyValue(const TIniFile& ini, const QString& section,
                                     const QString& key) {
    if (!ini.ValueExists(section, key)) return std::nullopt;
    std::optional<QString> value =
        DecodeProtectedValue(section, key, ini.ReadString(section, key, QString()));
    if (!value || value->isEmpty()) return std::nullopt;
    return value;
}

}  // namespace

QString Md5HexUtf16(const QString& text) {
    return QString::fromLatin1(
        QCryptographicHash::hash(utf16LeBytes(text), QCryptographicHash::Md5).toHex().toUpper());
}

QString EncodeProtectedValue(const QString& section, const QString& key, const QString& value) {
    TRC4 cipher = keyedCipher();
    const QByteArray plain = utf16LeBytes(Md5HexUtf16(section + key + value) + value);
    return QString::fromLatin1(cipher.process(plain).toBase64());
}

std::optional<QString> DecodeProtectedValue(const QString& section, const QString& key,
                                            const QString& stored) {
    // Characters outside the Base64 alphabet (line breaks, blanks, '?' for characters the
    // code page lacks) are skipped by fromBase64's default mode.
    const QByteArray cipherBytes = QByteArray::fromBase64(stored.toLatin1());
    TRC4 cipher = keyedCipher();
    const QString plain = fromUtf16LeBytes(cipher.process(cipherBytes));
    if (plain.size() < DigestLength) return std::nullopt;
    if (plain.size() == DigestLength) {
        if (plain == Md5HexUtf16(section + key)) return QStringLiteral("");
        return std::nullopt;
    }
    const QString value = plain.sliced(DigestLength);
    if (plain.first(DigestLength) == Md5HexUtf16(section + key + value)) return value;
    return std::nullopt;
}

TCustomIniFileSec::TCustomIniFileSec(const QString& fileName)
    : m_ini(std::make_unique<TIniFile>(fileName)) {}

TCustomIniFileSec::~TCustomIniFileSec() {
    if (!m_modified) return;
    try {
        m_ini->UpdateFile();
    } catch (const EKwpError& error) {
        ReportError(sevError, error.message(), nullptr, &error);
    }
}

TIniFile& TCustomIniFileSec::ini() const {
    return *m_ini;
}

QString TCustomIniFileSec::FileName() const {
    return m_ini->fileName();
}

bool TCustomIniFileSec::SectionExists(const QString& section) const {
    return m_ini->SectionExists(section);
}

bool TCustomIniFileSec::ValueExists(const QString& section, const QString& key) const {
    return m_ini->ValueExists(section, key);
}

// The lookup ignores case like every INI file, but the signature covers section and key as
// the caller spells them: the suite writes and reads them with the same spelling, and a value
// reached under another spelling is treated like a moved one.
QString TCustomIniFileSec::ReadString(const QString& section, const QString& key,
                                      const QString& defaultValue) const {
    if (!m_ini->ValueExists(section, key)) return defaultValue;
    const QString stored = m_ini->ReadString(section, key, QString());
    if (stored.isEmpty()) return defaultValue;
    return DecodeProtectedValue(section, key, stored).value_or(defaultValue);
}

int TCustomIniFileSec::ReadInteger(const QString& section, const QString& key,
                                   int defaultValue) const {
    const std::optional<QString> value = nonEmptyValue(*m_ini, section, key);
    return value ? ToInt(*value, defaultValue) : defaultValue;
}

double TCustomIniFileSec::ReadFloat(const QString& section, const QString& key,
                                    double defaultValue) const {
    const std::optional<QString> value = nonEmptyValue(*m_ini, section, key);
    return value ? ToFloat(*value, defaultValue) : defaultValue;
}

bool TCustomIniFileSec::ReadBool(const QString& section, const QString& key,
                                 bool defaultValue) const {
    const std::optional<QString> value = nonEmptyValue(*m_ini, section, key);
    return value ? ToBool(*value, defaultValue) : defaultValue;
}

TIniFileSec::TIniFileSec(const QString& fileName) : TCustomIniFileSec(fileName) {}

TIniFileSec::~TIniFileSec() = default;

TIniFileSecWriter::TIniFileSecWriter(const QString& fileName) : TCustomIniFileSec(fileName) {}

// The base class writes the file back when something was written.
TIniFileSecWriter::~TIniFileSecWriter() = default;

void TIniFileSecWriter::WriteString(const QString& section, const QString& key,
                                    const QString& value) {
    ini().WriteString(section, key, EncodeProtectedValue(section, key, value));
    m_modified = true;
}

void TIniFileSecWriter::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFileSecWriter::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TIniFileSecWriter::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, BoolToXml(value));
}

void TIniFileSecWriter::EraseSection(const QString& section) {
    ini().EraseSection(section);
    m_modified = true;
}

void TIniFileSecWriter::DeleteKey(const QString& section, const QString& key) {
    ini().DeleteKey(section, key);
    m_modified = true;
}

void TIniFileSecWriter::UpdateFile() {
    ini().UpdateFile();
    m_modified = false;
}
