#include "setup/usersetup.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "app/format.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "setup/adminsupport.h"
#include "setup/protectedvalues.h"
#include "setup/tenantsetup.h"

namespace {
const QString kListen = QStringLiteral("Listen");

QStringList splitList(const QString& commaList) {
    QStringList items;
    for (const QString& item : commaList.split(QLatin1Char(','))) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty()) items.append(trimmed);
    }
    return items;
}
}  // namespace

QStringList ParseRightCodes(const QString& commaList) {
    static const QRegularExpression code(QStringLiteral("^[0-9]{2}$"));
    QStringList codes;
    for (const QString& item : splitList(commaList)) {
        if (!code.match(item).hasMatch()) {
            throw EAdminUsageError(FormatStr(
                _("Ungültiger Rechte-Code \"%s\": erwartet werden zwei Ziffern wie 02."), {item}));
        }
        if (!codes.contains(item)) codes.append(item);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

QStringList ParseTenantNames(const QString& commaList) {
    QStringList names;
    for (const QString& item : splitList(commaList)) {
        const QString name = ValidatedTenantName(item);
        if (!names.contains(name)) names.append(name);
    }
    return names;
}

bool UserExists(const TInstallationPaths& paths, const QString& upperName) {
    if (!QFileInfo::exists(paths.sysdatbIni())) return false;
    return TIniFileSec(paths.sysdatbIni()).SectionExists(upperName);
}

QStringList ReadUserList(const TInstallationPaths& paths) {
    return ReadProtectedList(paths.sysdatbIni(), kListen, QStringLiteral("Benutzer"));
}

void AddUser(const TInstallationPaths& paths, const QString& name, const TUserOptions& options,
             const TAdminLog& log) {
    const QString user = ValidatedUserName(name);
    paths.requireInitialised();
    const QStringList denied = ParseRightCodes(options.deniedRights.join(QLatin1Char(',')));
    const QStringList barred = ParseTenantNames(options.barredTenants.join(QLatin1Char(',')));

    if (UserExists(paths, user) && !options.force) {
        throw EKwpError(FormatStr(_("Der Benutzer \"%s\" existiert bereits. Mit --force wird er "
                                    "überschrieben."),
                                  {user}));
    }
    // A damaged user list stops us before anything is created.
    ReadUserList(paths);
    for (const QString& tenant : barred) {
        if (!TenantExists(paths, tenant))
            log.warning(FormatStr(_("Der gesperrte Mandant \"%s\" existiert nicht."), {tenant}));
    }

    const QString userDir = paths.userDir(user);
    for (const char* folder : {"", "ETC", "TMP", "DOC", "MSG"})
        EnsureDir(userDir + QLatin1String(folder), log);

    QString fullName = options.fullName.value_or(QString()).trimmed();
    if (fullName.isEmpty()) fullName = user;

    TIniFileSecWriter ini(paths.sysdatbIni());
    // A rewritten user keeps nothing of the old section.
    ini.EraseSection(user);
    ini.WriteString(user, QStringLiteral("Passwort"), HashPassword(options.password));
    ini.WriteString(user, QStringLiteral("Vollname"), fullName);
    ini.WriteString(user, QStringLiteral("KontaktTel"), options.tel);
    ini.WriteString(user, QStringLiteral("KontaktFax"), options.fax);
    ini.WriteString(user, QStringLiteral("KontaktEmail"), options.email);
    ini.WriteString(user, QStringLiteral("KontaktTxt"), options.text);
    ini.WriteFloat(user, QStringLiteral("Provision"), options.provision);
    ini.WriteBool(user, QStringLiteral("ZutrittsSperre"), options.blocked);
    ini.WriteString(user, QStringLiteral("Auswahl"), barred.join(QLatin1Char(',')));
    ini.WriteString(user, QStringLiteral("Berechtigungen"), denied.join(QLatin1Char(',')));
    AddToProtectedList(ini, kListen, QStringLiteral("Benutzer"), user, false);
    ini.UpdateFile();
    log.info(FormatStr(_("Benutzer \"%s\" angelegt."), {user}));
}
