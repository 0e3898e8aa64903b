#pragma once

#include <QString>
#include <QStringList>

class TIniFileSecWriter;

// One value of a protected settings file, checked as the suite checks it.
struct TProtectedValue {
    enum Status {
        Verified,  // value holds the verified text (possibly empty)
        Missing,   // the key does not exist
        Failed,    // plain, damaged, or copied from another key
    };
    Status status = Missing;
    QString value;
    QString problem;  // German explanation when not verified
};

// Reads one value; throws EKwpError when the file does not exist.
TProtectedValue ReadProtectedValue(const QString& fileName, const QString& section,
                                   const QString& key);
// Writes one protected value, creating the file when needed; the folder must exist.
// Throws EAdminUsageError for an invalid section or key name, EKwpError on I/O failure.
void WriteProtectedValue(const QString& fileName, const QString& section, const QString& key,
                         const QString& value);

// Section and key names that can be written to an INI file; throws EAdminUsageError.
void ValidateIniName(const QString& name, const QString& what);

// A protected comma list; missing reads as empty. Throws EKwpError when the list exists but
// fails its check, so that a damaged list is never replaced by a shorter one.
QStringList ReadProtectedList(const QString& fileName, const QString& section, const QString& key);
// Adds the entry unless an entry with the same name (the part before '=', case-insensitive)
// is there; keeps the list sorted when asked. The writer must belong to the same file.
// Returns false when the entry was already listed.
bool AddToProtectedList(TIniFileSecWriter& ini, const QString& section, const QString& key,
                        const QString& entry, bool sorted);
