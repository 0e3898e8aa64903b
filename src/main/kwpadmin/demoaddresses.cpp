#include "main/kwpadmin/demoaddresses.h"

#include <QFileInfo>
#include <memory>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/format.h"
#include "app/translation.h"
#include "main/kwpadmin/addressgenerator.h"
#include "main/kwpadmin/addresstransfer.h"
#include "main/kwpadmin/adminsupport.h"

namespace {
const QString kDemoAddressTenant = QStringLiteral("DEMO");
}  // namespace

void FillDemoConfig(TAddressConfig& config) {
    config.Clear();
    config.Lkz = QStringLiteral("D");
    config.SearchPlz = true;
    config.AdressKz = TAddressGenerator::AddressMarks();
    config.AnschriftArten = TAddressGenerator::AnschriftArten();
    config.AdressGrp = TAddressGenerator::AddressGroups();
    // The generated numbers are "K" + six digits; suppliers and prospects may get their own.
    config.Nk = {QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("I")};
    config.KontaktKz = TAddressGenerator::ContactMarks();
    config.SpezielleKontaktKz = TAddressGenerator::SpecialContactMarks();
    config.StdMwSt = TCustomerAddress::mwstZuzueglich;
    config.StdMahnTyp = TCustomerAddress::mahnAutomatisch;
    config.StdMailHeader = QStringLiteral("Sehr geehrte Damen und Herren,");
}

bool InstallDemoConfig(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, kDemoAddressTenant);
    const QString fileName = dir + QStringLiteral("CONFIG.XML");
    if (QFileInfo::exists(fileName)) return false;
    EnsureDir(dir, log);
    TAddressConfig config;
    FillDemoConfig(config);
    config.SaveToFile(fileName);
    log.info(FormatStr(_("Datei geschrieben: %s"), {fileName}));
    return true;
}

bool InstallDemoAddresses(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, kDemoAddressTenant);
    QString lastError;
    TDBAdress db([&lastError](const std::exception& error, const QString& context) {
        const auto* kwpError = dynamic_cast<const EKwpError*>(&error);
        lastError = context + QStringLiteral(": ") +
                    (kwpError ? kwpError->message() : QString::fromUtf8(error.what()));
    });
    db.OpenDirectory(dir, false, false);
    if (!db.IsOpen()) {
        throw EKwpError(
            FormatStr(_("Die Adresstabelle in \"%s\" kann nicht geöffnet werden."), {dir}) +
            QLatin1Char('\n') + lastError);
    }
    if (db.GetRecordCount() > 0) return false;

    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("kwpadmin"));
    if (!lock) throw EKwpError(_("Die Adresstabelle ist gesperrt; es wurde nichts eingelesen."));
    const TAddressGenerator generator;
    TCustomerAddress record;
    for (int i = 0; i < kDemoAddressCount; ++i) {
        generator.Fill(i, record);
        if (db.SetCustomer(record) != 0) {
            db.Unlock(lock, false);
            throw EKwpError(FormatStr(_("Adresse \"%s\" kann nicht geschrieben werden; es wurde "
                                        "nichts eingelesen."),
                                      {record.Id}) +
                            QLatin1Char('\n') + lastError);
        }
    }
    db.Unlock(lock);
    log.info(FormatStr(_("%d Adressen angelegt in %s"), {kDemoAddressCount, dir}));
    return true;
}
