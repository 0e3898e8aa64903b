#include "setup/installation.h"

#include <QDir>
#include <QFileInfo>
#include <QStringConverter>

#include "app/atomicfile.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/translation.h"
#include "setup/adminsupport.h"

namespace {
struct TCountry {
    const char* name;  // German name, UTF-8 here, Latin-1 in the file
    const char* addressCode;
    const char* isoCode;
};

// The home markets first, then the rest alphabetically.
constexpr TCountry kCountries[] = {
    {"Deutschland", "D", "DE"},
    {"Österreich", "A", "AT"},
    {"Schweiz", "CH", "CH"},
    {"Albanien", "AL", "AL"},
    {"Andorra", "AND", "AD"},
    {"Australien", "AUS", "AU"},
    {"Belarus", "BY", "BY"},
    {"Belgien", "B", "BE"},
    {"Bosnien und Herzegowina", "BIH", "BA"},
    {"Brasilien", "BR", "BR"},
    {"Bulgarien", "BG", "BG"},
    {"China", "CHN", "CN"},
    {"Dänemark", "DK", "DK"},
    {"Estland", "EST", "EE"},
    {"Finnland", "FIN", "FI"},
    {"Frankreich", "F", "FR"},
    {"Griechenland", "GR", "GR"},
    {"Indien", "IND", "IN"},
    {"Irland", "IRL", "IE"},
    {"Island", "IS", "IS"},
    {"Israel", "IL", "IL"},
    {"Italien", "I", "IT"},
    {"Japan", "J", "JP"},
    {"Kanada", "CDN", "CA"},
    {"Kroatien", "HR", "HR"},
    {"Lettland", "LV", "LV"},
    {"Liechtenstein", "FL", "LI"},
    {"Litauen", "LT", "LT"},
    {"Luxemburg", "L", "LU"},
    {"Malta", "M", "MT"},
    {"Mexiko", "MEX", "MX"},
    {"Moldau", "MD", "MD"},
    {"Monaco", "MC", "MC"},
    {"Montenegro", "MNE", "ME"},
    {"Neuseeland", "NZ", "NZ"},
    {"Niederlande", "NL", "NL"},
    {"Nordmazedonien", "NMK", "MK"},
    {"Norwegen", "N", "NO"},
    {"Polen", "PL", "PL"},
    {"Portugal", "P", "PT"},
    {"Rumänien", "RO", "RO"},
    {"Russland", "RUS", "RU"},
    {"San Marino", "RSM", "SM"},
    {"Schweden", "S", "SE"},
    {"Serbien", "SRB", "RS"},
    {"Slowakei", "SK", "SK"},
    {"Slowenien", "SLO", "SI"},
    {"Spanien", "E", "ES"},
    {"Südafrika", "ZA", "ZA"},
    {"Tschechien", "CZ", "CZ"},
    {"Türkei", "TR", "TR"},
    {"Ukraine", "UA", "UA"},
    {"Ungarn", "H", "HU"},
    {"Vatikanstadt", "V", "VA"},
    {"Vereinigte Staaten", "USA", "US"},
    {"Vereinigtes Königreich", "GB", "GB"},
    {"Zypern", "CY", "CY"},
};

void createApplicationIni(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString fileName = paths.applicationIni();
    if (QFileInfo::exists(fileName)) return;
    TIniFile ini(fileName);
    ini.WriteString(QStringLiteral("Language"), QStringLiteral("Name"), QStringLiteral("de_DE"));
    ini.UpdateFile();
    log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
}

void createSysdatb(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString fileName = paths.sysdatbIni();
    if (QFileInfo::exists(fileName)) return;
    TIniFileSecWriter ini(fileName);
    ini.WriteString(QStringLiteral("Listen"), QStringLiteral("Benutzer"), QString());
    ini.UpdateFile();
    log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
}

void createCountryCodes(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString fileName = paths.countryCodes();
    if (QFileInfo::exists(fileName)) return;
    WriteFileAtomically(fileName, CountryCodesFileContent());
    log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
}
}  // namespace

QByteArray CountryCodesFileContent() {
    QString text;
    for (const TCountry& country : kCountries) {
        text += QString::fromUtf8(country.name) + QLatin1Char('\t') +
                QLatin1String(country.addressCode) + QLatin1Char('\t') +
                QLatin1String(country.isoCode) + QStringLiteral("\r\n");
    }
    // Every name lies in Latin-1, so the conversion loses nothing.
    return text.toLatin1();
}

void InitInstallation(const TInstallationPaths& paths, const TAdminLog& log) {
    const QFileInfo root(QDir::cleanPath(paths.root));
    if (root.exists() && !root.isDir())
        throw EKwpError(FormatStr(_("\"%s\" ist kein Verzeichnis."), {paths.root}));
    for (const QString& folder : paths.folders()) EnsureDir(folder, log);
    createApplicationIni(paths, log);
    createSysdatb(paths, log);
    createCountryCodes(paths, log);
}
