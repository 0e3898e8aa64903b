#pragma once

#include <QtGlobal>
#include <span>
#include <variant>

class QString;
class TSystemEinstellungen;

enum class TSysdataType { Text, Directory, Decimal, Integer, Byte, Boolean };

// The settings field a key is read into.
using TSysdataField = std::variant<QString TSystemEinstellungen::*, double TSystemEinstellungen::*,
                                   int TSystemEinstellungen::*, quint8 TSystemEinstellungen::*,
                                   bool TSystemEinstellungen::*>;

// One key of a tenant's "SYSDATA.INI".
struct TSysdataKey {
    const char* section;
    const char* key;
    TSysdataType type;
    // Read when the key is missing; numbers in C-locale text.
    const char* defaultValue;
    TSysdataField field;
    // What the setup tool writes for a new tenant where it differs from the default; for
    // directories the folder below the tenant's data folder.
    const char* tenantValue = nullptr;
    // Folders the suite expects below a directory ('|'-separated, '/' inside one).
    const char* subFolders = "";
    // Directories: the data area named when the folder is missing (marked for translation).
    const char* area = nullptr;
    // A file without this key is damaged.
    bool required = false;
};

// Every setting the suite reads from a tenant's "SYSDATA.INI", in the order it reads them.
std::span<const TSysdataKey> SysdataSchema();
