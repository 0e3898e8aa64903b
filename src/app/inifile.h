#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <memory>

// Text encodings of INI files; a file is written back in the encoding it was read in.
enum class TIniEncoding {
    Utf16LEBom,  // also the encoding of new files
    Utf16LE,     // without BOM, recognised by its zero high bytes
    Utf16BEBom,
    Utf8Bom,
    Utf8,
    Latin1,  // the 8-bit system code page; also plain ASCII files
};

// Text of the suite's files as INI files are read: by BOM, UTF-16LE without BOM, UTF-8, else
// the 8-bit code page; tells which it was.
QString DecodeSuiteText(const QByteArray& data, TIniEncoding& encoding);

// INI file with the Windows semantics: case-insensitive section and key names, no escaping,
// the last value of a key wins. Reads UTF-16LE/UTF-8 with or without BOM and 8-bit Latin-1;
// writes back in the encoding it read, new files as UTF-16LE with BOM. Backslashes are kept.
// Changes stay in memory until UpdateFile(); the destructor does not write.
class TIniFile {
public:
    // Loads the file when it exists; a missing file is an empty INI. A file that cannot be
    // read (or is larger than MaxFileSize) also reads as empty, but UpdateFile() then refuses
    // to replace it.
    explicit TIniFile(const QString& fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    const QString& fileName() const;
    TIniEncoding encoding() const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // "1"/"true" and other non-zero numbers are true, "0"/"false" false, anything else the default.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    double ReadFloat(const QString& section, const QString& key, double defaultValue) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString& section) const;  // key names in file order

    // Line breaks in names and values are written as blanks: the format cannot hold them.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);  // "1" / "0"
    void WriteFloat(const QString& section, const QString& key, double value);
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    bool isModified() const;
    // Writes the file through a temporary file in the same folder; throws EKwpError on failure.
    // An unchanged file that exists already is left alone.
    void UpdateFile();

private:
    struct Data;
    std::unique_ptr<Data> d;
};
