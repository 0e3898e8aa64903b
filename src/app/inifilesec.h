#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class TIniFile;

// Reader of the suite's protected settings files ("SYSDATA.INI", "SYSDATB.INI"): every value
// is signed with MD5 over section + key + value, enciphered with RC4 and stored as Base64.
// A value that fails the check reads as the default, so does a plain or moved value.
class TCustomIniFileSec {
public:
    explicit TCustomIniFileSec(const QString& fileName);
    virtual ~TCustomIniFileSec();
    TCustomIniFileSec(const TCustomIniFileSec&) = delete;
    TCustomIniFileSec& operator=(const TCustomIniFileSec&) = delete;

    QString FileName() const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    double ReadFloat(const QString& section, const QString& key, double defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

protected:
    TIniFile& ini() const;
    bool m_modified = false;

private:
    std::unique_ptr<TIniFile> m_ini;
};

class TIniFileSec : public TCustomIniFileSec {
public:
    explicit TIniFileSec(const QString& fileName);
    ~TIniFileSec() override;
};

// The setup tool's writer of protected values; the address manager never writes them.
class TIniFileSecWriter : public TCustomIniFileSec {
public:
    explicit TIniFileSecWriter(const QString& fileName);
    ~TIniFileSecWriter() override;  // writes back when modified

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteFloat(const QString& section, const QString& key, double value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);
    // Writes now; throws EKwpError when the file cannot be written.
    void UpdateFile();
};

// The stored text of a protected value, and its check: std::nullopt when it does not verify.
QString EncodeProtectedValue(const QString& section, const QString& key, const QString& value);
std::optional<QString> DecodeProtectedValue(const QString& section, const QString& key,
                                            const QString& stored);
// 32 upper-case hex digits of the MD5 of the UTF-16LE bytes of the text.
QString Md5HexUtf16(const QString& text);
