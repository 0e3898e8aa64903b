#include "setup/tenantsetup.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include "app/format.h"
#include "app/inifilesec.h"
#include "app/sysdataschema.h"
#include "app/translation.h"
#include "setup/adminsupport.h"
#include "setup/protectedvalues.h"

namespace {
using TValueKind = TSysdataType;

const QString kDataDirPlaceholder = QStringLiteral("[DATADIR]");
const QString kSystem = QStringLiteral("System");

// The value a new tenant gets: for directories the folder below its data folder.
QString tenantValue(const TSysdataKey& key) {
    return QString::fromLatin1(key.tenantValue ? key.tenantValue : key.defaultValue);
}

// One value to write. Numbers and booleans are held in C-locale text until written.
struct TSetting {
    QString section, key;
    TValueKind kind = TValueKind::Text;
    QString value;
    QString subFolders;
};

const TSysdataKey* findKnownKey(const QString& section, const QString& key) {
    for (const TSysdataKey& known : SysdataSchema()) {
        if (section.compare(QLatin1String(known.section), Qt::CaseInsensitive) == 0 &&
            key.compare(QLatin1String(known.key), Qt::CaseInsensitive) == 0)
            return &known;
    }
    return nullptr;
}

QString optionName(const TSetting& setting) {
    if (setting.section == kSystem) return QStringLiteral("--") + setting.key;
    return QStringLiteral("--") + setting.section + QLatin1Char('.') + setting.key;
}

// Directory values are written like the suite writes them: "[DATADIR]" followed by upper-case
// folders separated by backslashes. Other absolute paths are kept as given.
QString normalizedDirectory(const QString& value, const QString& what) {
    if (value.trimmed().isEmpty())
        throw EAdminUsageError(
            FormatStr(_("Das Verzeichnis für %s darf nicht leer sein."), {what}));
    const QStringList parts = value.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    if (parts.contains(QStringLiteral("..")))
        throw EAdminUsageError(FormatStr(
            _("Das Verzeichnis für %s darf kein \"..\" enthalten: \"%s\""), {what, value}));
    if (!value.startsWith(kDataDirPlaceholder, Qt::CaseInsensitive)) {
        // Relative to what? Each workstation would open a table of its own.
        if (QDir::isRelativePath(QString(value).replace(QLatin1Char('\\'), QLatin1Char('/'))))
            throw EAdminUsageError(FormatStr(_("Das Verzeichnis für %s muss mit [DATADIR] "
                                               "beginnen oder ein absoluter Pfad sein: \"%s\""),
                                             {what, value}));
        return value;
    }
    QString rest = value.mid(kDataDirPlaceholder.size());
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (rest.startsWith(QLatin1Char('\\'))) rest.remove(0, 1);
    return kDataDirPlaceholder + rest.toUpper();
}

// The folder a directory value names on this machine.
QString localDirectory(const TInstallationPaths& paths, const QString& value) {
    QString path = value;
    if (path.startsWith(kDataDirPlaceholder))
        path = paths.data + path.mid(kDataDirPlaceholder.size());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString canonicalValue(TValueKind kind, const QString& value, const QString& what) {
    switch (kind) {
        case TValueKind::Directory:
            return normalizedDirectory(value, what);
        case TValueKind::Decimal:
            return QLocale::c().toString(ParseDecimal(value, what), 'g', 17);
        case TValueKind::Integer:
            return QString::number(ParseInteger(value, what));
        case TValueKind::Byte: {
            const int number = ParseInteger(value, what);
            if (number < 0 || number > 255) {
                throw EAdminUsageError(FormatStr(
                    _("Der Wert für %s muss zwischen 0 und 255 liegen: \"%s\""), {what, value}));
            }
            return QString::number(number);
        }
        case TValueKind::Boolean:
            return ParseBoolean(value, what) ? QStringLiteral("true") : QStringLiteral("false");
        case TValueKind::Text:
            break;
    }
    return value;
}

QList<TSetting> defaultSettings(const QString& tenant) {
    QList<TSetting> settings;
    for (const TSysdataKey& known : SysdataSchema()) {
        TSetting setting{QLatin1String(known.section), QLatin1String(known.key), known.type,
                         tenantValue(known), QString::fromLatin1(known.subFolders)};
        if (known.type == TValueKind::Directory)
            setting.value = kDataDirPlaceholder + tenant + QLatin1Char('\\') + setting.value;
        settings.append(setting);
    }
    return settings;
}

// Applies the overrides; unknown keys are appended as text. Throws before anything is written.
void applyOverrides(QList<TSetting>& settings, const TTenantOptions& options,
                    const TAdminLog& log) {
    for (const auto& [option, value] : options.overrides) {
        const qsizetype dot = option.indexOf(QLatin1Char('.'));
        const QString section = dot < 0 ? kSystem : option.left(dot);
        const QString key = dot < 0 ? option : option.mid(dot + 1);
        ValidateIniName(section, FormatStr(_("den Abschnitt in --%s"), {option}));
        ValidateIniName(key, FormatStr(_("den Schlüssel in --%s"), {option}));

        const TSysdataKey* known = findKnownKey(section, key);
        TSetting setting{known ? QLatin1String(known->section) : section,
                         known ? QLatin1String(known->key) : key,
                         known ? known->type : TValueKind::Text, QString(),
                         known ? QString::fromLatin1(known->subFolders) : QString()};
        setting.value = canonicalValue(setting.kind, value, optionName(setting));
        if (!known) {
            log.warning(FormatStr(_("Unbekannter Schlüssel \"%s\" im Abschnitt \"%s\"; er wird "
                                    "trotzdem geschrieben."),
                                  {key, section}));
        }
        bool replaced = false;
        for (TSetting& existing : settings) {
            if (existing.section.compare(setting.section, Qt::CaseInsensitive) == 0 &&
                existing.key.compare(setting.key, Qt::CaseInsensitive) == 0) {
                existing = setting;
                replaced = true;
            }
        }
        if (!replaced) settings.append(setting);
    }
}

void createFolders(const TInstallationPaths& paths, const QString& tenant,
                   const QList<TSetting>& settings, const TAdminLog& log) {
    const QString etc = paths.tenantEtcDir(tenant);
    EnsureDir(etc, log);
    for (int number = 102; number <= 109; ++number)
        EnsureDir(etc + QStringLiteral("TEMPLATES/VTNT/") + QString::number(number), log);
    EnsureDir(etc + QStringLiteral("FORMS/de_DE"), log);

    for (const TSetting& setting : settings) {
        if (setting.kind != TValueKind::Directory) continue;
        const QString folder = localDirectory(paths, setting.value);
        if (!QDir::isAbsolutePath(folder) || !IsInsideDir(folder, paths.root)) {
            log.warning(FormatStr(_("Das Verzeichnis \"%s\" (%s) liegt außerhalb der "
                                    "Installation und wird nicht angelegt."),
                                  {setting.value, setting.key}));
            continue;
        }
        EnsureDir(folder, log);
        for (const QString& sub : setting.subFolders.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            EnsureDir(folder + QLatin1Char('/') + sub, log);
    }
}

void writeSetting(TIniFileSecWriter& ini, const TSetting& setting) {
    switch (setting.kind) {
        case TValueKind::Decimal:
            ini.WriteFloat(setting.section, setting.key, QLocale::c().toDouble(setting.value));
            break;
        case TValueKind::Integer:
        case TValueKind::Byte:
            ini.WriteInteger(setting.section, setting.key, setting.value.toInt());
            break;
        case TValueKind::Boolean:
            ini.WriteBool(setting.section, setting.key, setting.value == QLatin1String("true"));
            break;
        case TValueKind::Text:
        case TValueKind::Directory:
            ini.WriteString(setting.section, setting.key, setting.value);
            break;
    }
}
}  // namespace

bool TenantExists(const TInstallationPaths& paths, const QString& upperName) {
    return QFileInfo::exists(paths.sysdataIni(upperName));
}

QStringList ReadTenantList(const TInstallationPaths& paths) {
    return ReadProtectedList(paths.sysdatbIni(), QStringLiteral("Listen"),
                             QStringLiteral("Mandanten"));
}

void AddTenant(const TInstallationPaths& paths, const QString& name, const TTenantOptions& options,
               const TAdminLog& log) {
    const QString tenant = ValidatedTenantName(name);
    paths.requireInitialised();
    QList<TSetting> settings = defaultSettings(tenant);
    applyOverrides(settings, options, log);

    const QString sysdata = paths.sysdataIni(tenant);
    if (TenantExists(paths, tenant) && !options.force) {
        throw EKwpError(FormatStr(_("Der Mandant \"%s\" existiert bereits (%s). Mit --force "
                                    "werden seine Einstellungen überschrieben."),
                                  {tenant, sysdata}));
    }
    // A damaged tenant list stops us before anything is created.
    ReadTenantList(paths);

    createFolders(paths, tenant, settings, log);
    {
        TIniFileSecWriter ini(sysdata);
        for (const TSetting& setting : settings) writeSetting(ini, setting);
        ini.UpdateFile();
    }
    log.info(FormatStr(_("Datei geschrieben: %s"), {sysdata}));

    TIniFileSecWriter sysdatb(paths.sysdatbIni());
    AddToProtectedList(sysdatb, QStringLiteral("Listen"), QStringLiteral("Mandanten"), tenant,
                       true);
    sysdatb.UpdateFile();
    log.info(FormatStr(_("Mandant \"%s\" angelegt."), {tenant}));
}

QString TenantSettingsHelp() {
    QString text;
    for (const TSysdataKey& known : SysdataSchema()) {
        const QString section = QLatin1String(known.section);
        QString option = QLatin1String(known.key);
        if (section != kSystem) option = section + QLatin1Char('.') + option;
        QString value = tenantValue(known);
        if (known.type == TValueKind::Directory)
            value = kDataDirPlaceholder + QStringLiteral("<MANDANT>\\") + value;
        if (value.isEmpty()) value = _("(leer)");
        text += QStringLiteral("  --") + option.leftJustified(28) + QLatin1Char(' ') + value +
                QLatin1Char('\n');
    }
    return text;
}
