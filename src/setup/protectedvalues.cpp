#include "setup/protectedvalues.h"

#include <QFileInfo>
#include <algorithm>

#include "app/format.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/translation.h"
#include "setup/adminsupport.h"

namespace {
// The spelling the file uses for a section or key the INI class found case-insensitively.
QString spellingInFile(const QStringList& names, const QString& name) {
    for (const QString& candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) return candidate;
    }
    return name;
}

QString entryName(const QString& entry) {
    const qsizetype equals = entry.indexOf(QLatin1Char('='));
    return equals < 0 ? entry : entry.left(equals);
}
}  // namespace

TProtectedValue ReadProtectedValue(const QString& fileName, const QString& section,
                                   const QString& key) {
    const QFileInfo info(fileName);
    if (!info.exists()) throw EKwpError(FormatStr(_("Datei \"%s\" nicht gefunden."), {fileName}));
    if (!info.isFile()) throw EKwpError(FormatStr(_("\"%s\" ist keine Datei."), {fileName}));

    TProtectedValue result;
    const TIniFile ini(fileName);
    if (!ini.ValueExists(section, key)) {
        result.status = TProtectedValue::Missing;
        result.problem =
            FormatStr(_("Schlüssel \"%s\" im Abschnitt \"%s\" nicht gefunden."), {key, section});
        return result;
    }
    const QString stored = ini.ReadString(section, key, QString());
    result.status = TProtectedValue::Failed;
    if (stored.isEmpty()) {
        result.problem = FormatStr(
            _("Der Wert von \"%s\" im Abschnitt \"%s\" ist leer und damit nicht geschützt."),
            {key, section});
        return result;
    }
    if (const std::optional<QString> value = DecodeProtectedValue(section, key, stored)) {
        result.status = TProtectedValue::Verified;
        result.value = *value;
        return result;
    }
    result.problem = FormatStr(_("Der Wert von \"%s\" im Abschnitt \"%s\" besteht die Prüfung "
                                 "nicht (ungeschützt, beschädigt oder von einem anderen "
                                 "Schlüssel kopiert)."),
                               {key, section});
    // The signature covers the spelling of section and key: name a spelling that would verify.
    const QString fileSection = spellingInFile(ini.ReadSections(), section);
    const QString fileKey = spellingInFile(ini.ReadSection(section), key);
    if ((fileSection != section || fileKey != key) &&
        DecodeProtectedValue(fileSection, fileKey, stored)) {
        result.problem +=
            QLatin1Char(' ') + FormatStr(_("Er ist für die Schreibweise \"%s\" / \"%s\" signiert."),
                                         {fileSection, fileKey});
    }
    return result;
}

void ValidateIniName(const QString& name, const QString& what) {
    bool valid = !name.isEmpty() && name == name.trimmed() && !name.startsWith(QLatin1Char(';'));
    for (const QChar c : name) {
        if (c.unicode() < ' ' || c == QLatin1Char('[') || c == QLatin1Char(']') ||
            c == QLatin1Char('='))
            valid = false;
    }
    if (!valid)
        throw EAdminUsageError(FormatStr(_("Ungültiger Name für %s: \"%s\""), {what, name}));
}

void WriteProtectedValue(const QString& fileName, const QString& section, const QString& key,
                         const QString& value) {
    ValidateIniName(section, _("den Abschnitt"));
    ValidateIniName(key, _("den Schlüssel"));
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw EKwpError(FormatStr(_("\"%s\" ist keine Datei."), {fileName}));
    if (!info.absoluteDir().exists()) {
        throw EKwpError(FormatStr(_("Verzeichnis \"%s\" nicht gefunden."), {info.absolutePath()}));
    }
    TIniFileSecWriter ini(fileName);
    ini.WriteString(section, key, value);
    ini.UpdateFile();
}

QStringList ReadProtectedList(const QString& fileName, const QString& section, const QString& key) {
    if (!QFileInfo::exists(fileName)) return {};
    const TIniFile ini(fileName);
    if (!ini.ValueExists(section, key)) return {};
    const QString stored = ini.ReadString(section, key, QString());
    if (stored.isEmpty()) return {};
    const std::optional<QString> value = DecodeProtectedValue(section, key, stored);
    if (!value) {
        throw EKwpError(FormatStr(_("Die Liste \"%s\" im Abschnitt \"%s\" der Datei \"%s\" ist "
                                    "beschädigt; sie wird nicht überschrieben."),
                                  {key, section, fileName}));
    }
    return ParseCommaText(*value);
}

bool AddToProtectedList(TIniFileSecWriter& ini, const QString& section, const QString& key,
                        const QString& entry, bool sorted) {
    QStringList items = ReadProtectedList(ini.FileName(), section, key);
    const QString name = entryName(entry);
    const bool listed = std::any_of(items.cbegin(), items.cend(), [&](const QString& item) {
        return entryName(item).compare(name, Qt::CaseInsensitive) == 0;
    });
    if (!listed) items.append(entry);
    if (sorted) {
        std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
            return entryName(a).compare(entryName(b), Qt::CaseInsensitive) < 0;
        });
    }
    // Written even when listed: a list in another order or without the key is brought in line.
    ini.WriteString(section, key, ToCommaText(items));
    return !listed;
}
