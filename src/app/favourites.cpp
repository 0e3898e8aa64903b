#include "app/favourites.h"

#include <QDir>

#include "app/errorreport.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {
// Section stem of each kind; the order is the suite's numbering.
const char* const kSections[] = {"Angebote", "Kleinauftr", "AP",       "Aufmasse",
                                 "Wartung",  "Briefe",     "Adressen", "Auftr"};
}  // namespace

TFavouriteResult AddFavouriteTo(const QString& fileName, const QString& tenant, int kind,
                                const QString& caption, const QString& programFile,
                                const QString& parameters) {
    if (kind < 0 || kind >= int(std::size(kSections)))
        throw EKwpError(FormatStr(_("Unbekannte Art von Favoriten: %d"), {kind}));
    const QString section = QStringLiteral("Fav") + QString::fromLatin1(kSections[kind]);
    const QString text = caption + QStringLiteral(" (") + _("Mandant") + QStringLiteral(": ") +
                         tenant + QLatin1Char(')');

    TIniFile ini(fileName);
    // Other programs remove entries, so the numbers may have gaps: the first gap is reused.
    int n = 0;
    for (;; ++n) {
        const QString item = QStringLiteral("Item_") + QString::number(n);
        if (!ini.ValueExists(section, item)) break;
        if (ini.ReadString(section, item, QString()) == text)
            return TFavouriteResult::AlreadyListed;
    }
    const QString number = QString::number(n);
    ini.WriteString(section, QStringLiteral("Item_") + number, text);
    ini.WriteString(section, QStringLiteral("User_") + number, number);
    ini.WriteString(section + QStringLiteral("Entry"), number, programFile);
    ini.WriteString(section + QStringLiteral("Param"), number, parameters);
    ini.WriteString(section + QStringLiteral("Mandant"), number, tenant);
    ini.UpdateFile();
    return TFavouriteResult::Added;
}

TFavouriteResult AddFavourite(int kind, const QString& caption, const QString& programFile,
                              const QString& parameters) {
    const TSystemEinstellungen* sys = SystemEinstellungen();
    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    try {
        if (!sys || !user || user->UserEtcDir.isEmpty())
            throw EKwpError(_("Kein Benutzer angemeldet."));
        // The user folder exists after the login; its ETC folder may still be missing.
        QDir().mkpath(user->UserEtcDir);
        return AddFavouriteTo(user->UserEtcDir + QStringLiteral("FAVORITE.INI"), sys->Tenant, kind,
                              caption, programFile, parameters);
    } catch (const EKwpError& e) {
        ReportError(sevError, _("Der Favorit konnte nicht gespeichert werden."), nullptr, &e);
    }
    return TFavouriteResult::Failed;
}
