#include "setup/lookupsetup.h"

#include <QFileInfo>

#include "addressdb/blzcodes.h"
#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"
#include "demodata/demolookups.h"
#include "setup/adminsupport.h"

namespace {
void logShortened(const TBLZImport& result, const TAdminLog& log) {
    if (result.shortNames > 0)
        log.info(FormatStr(_("Auf %d Zeichen gekürzte Kurzbezeichnungen: %d"),
                           {TDBBLZCodes::InstitutShortSize, result.shortNames}));
    if (result.cities > 0)
        log.info(FormatStr(_("Auf %d Zeichen gekürzte Ortsnamen: %d"),
                           {TDBBLZCodes::CitySize, result.cities}));
}
}  // namespace

int ImportBankCodes(const TInstallationPaths& paths, const QString& fileName,
                    const TAdminLog& log) {
    paths.requireInitialised();
    const TBLZImport result =
        TDBBLZCodes::ImportBundesbankFile(fileName, paths.etc + QStringLiteral("BLZCODES.TDBD"));
    logShortened(result, log);
    return result.banks;
}

bool InstallDemoLookups(const TInstallationPaths& paths, const TAdminLog& log) {
    bool created = false;
    EnsureDir(paths.etc, log);
    // Files already there (delivered or from a real import) are kept.
    for (const QString& country :
         {QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("CH")}) {
        const QString fileName =
            paths.etc + QStringLiteral("ZIPCODES_") + country + QStringLiteral(".DAT");
        if (QFileInfo::exists(fileName)) continue;
        WriteFileAtomically(fileName, DemoZipCodeFileContent(country));
        log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
        created = true;
    }
    const QString bankFile = paths.etc + QStringLiteral("BLZCODES.TDBD");
    if (!QFileInfo::exists(bankFile)) {
        logShortened(TDBBLZCodes::ImportBundesbankData(DemoBankCodeFileContent(),
                                                       _("Beispieldaten"), bankFile),
                     log);
        log.info(FormatStr(_("Datei angelegt: %s"), {bankFile}));
        created = true;
    }
    return created;
}
