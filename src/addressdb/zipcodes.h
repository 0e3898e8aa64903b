#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text of the lookup files: UTF-8 (with or without BOM) when the bytes are valid UTF-8, else
// Latin-1, which the suite's older 8-bit files use. utf8 and bom tell what was found.
QString DecodeUtf8OrLatin1(const QByteArray& bytes, bool* utf8 = nullptr, bool* bom = nullptr);

// Towns for a postal code and codes for a town, from the text files
// "ZIPCODES_<country>.DAT" (delivered) and "ZIPCODES_<country>_U.DAT" (added by the users) in
// the ETC folder, one "code;town" a line. The lines of a country are read once and kept for the
// life of the process, shared by every instance that uses the same folder.
class TDBZIPCodes {
public:
    // Empty: the ETC folder of the system settings, looked up on use.
    explicit TDBZIPCodes(const QString& etcDir = {});

    // The country's lines (delivered first, then the users'); false when there are none.
    bool GetCountryList(const QString& country, QStringList& lines) const;
    // Every line containing the code (blanks removed) or the town (trimmed); upper case and
    // umlauts folded on both sides. An empty code, town or country leaves the result alone.
    void FindByZip(const QString& zip, const QString& country, QStringList& result) const;
    void FindByCity(const QString& city, const QString& country, QStringList& result) const;
    // Remembers a pair that is not known yet in the users' file and in the cache. Errors are
    // reported, not thrown.
    void AddUserEntry(const QString& country, const QString& city, const QString& zip) const;

    // Empty for a country code that cannot be part of a file name.
    QString DeliveredFileName(const QString& country) const;
    QString UserFileName(const QString& country) const;

    // Forgets every cached list, as a restart of the program does.
    static void ClearCache();

private:
    QString etcDir() const;
    void find(const QString& needle, const QString& country, QStringList& result) const;

    QString m_etcDir;
};
