#include "main/kwpadmin/demosetup.h"

#include "app/format.h"
#include "app/translation.h"
#include "main/kwpadmin/adminsupport.h"
#include "main/kwpadmin/installation.h"
#include "main/kwpadmin/tenantsetup.h"
#include "main/kwpadmin/usersetup.h"

namespace {
const QString kDemoTenant = QStringLiteral("DEMO");

bool initStep(const TInstallationPaths& paths, const TAdminLog& log) {
    InitInstallation(paths, log);
    return true;
}

bool tenantStep(const TInstallationPaths& paths, const TAdminLog& log) {
    if (TenantExists(paths, kDemoTenant)) return false;
    AddTenant(paths, kDemoTenant, TTenantOptions(), log);
    return true;
}

bool userStep(const TInstallationPaths& paths, const TAdminLog& log, const QString& name,
              const TUserOptions& options) {
    if (UserExists(paths, name)) return false;
    AddUser(paths, name, options, log);
    return true;
}

TUserOptions adminOptions() {
    TUserOptions options;
    options.password = QStringLiteral("admin");
    options.fullName = QStringLiteral("Administrator");
    options.tel = QStringLiteral("+49 30 1234567-0");
    options.fax = QStringLiteral("+49 30 1234567-99");
    options.email = QStringLiteral("admin@demo.example");
    options.text = QStringLiteral("Systemverwaltung");
    return options;
}

// A user who may look but not save or delete addresses.
TUserOptions guestOptions() {
    TUserOptions options;
    options.password = QStringLiteral("gast");
    options.fullName = QStringLiteral("Gast");
    options.text = QStringLiteral("Nur Lesezugriff");
    options.deniedRights = {QStringLiteral("02"), QStringLiteral("03")};
    return options;
}
}  // namespace

QList<TDemoStep> DemoSteps() {
    return {
        {_("Installationsverzeichnis"), initStep},
        {FormatStr(_("Mandant %s"), {kDemoTenant}), tenantStep},
        {_("Benutzer ADMIN"),
         [](const TInstallationPaths& paths, const TAdminLog& log) {
             return userStep(paths, log, QStringLiteral("ADMIN"), adminOptions());
         }},
        {_("Benutzer GAST"),
         [](const TInstallationPaths& paths, const TAdminLog& log) {
             return userStep(paths, log, QStringLiteral("GAST"), guestOptions());
         }},
    };
}

void CreateDemo(const TInstallationPaths& paths, const TAdminLog& log) {
    for (const TDemoStep& step : DemoSteps()) {
        if (!step.run(paths, log))
            log.info(FormatStr(_("%s: übersprungen, schon vorhanden."), {step.title}));
    }
}
