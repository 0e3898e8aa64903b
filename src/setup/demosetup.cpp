#include "setup/demosetup.h"

#include <QFileInfo>
#include <memory>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/atomicfile.h"
#include "app/format.h"
#include "app/translation.h"
#include "demodata/addressgenerator.h"
#include "demodata/demoaddresses.h"
#include "labels/printetikettmanager.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"
#include "setup/installation.h"
#include "setup/lookupsetup.h"
#include "setup/tenantsetup.h"
#include "setup/usersetup.h"

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

// Address label of width x height (0.1 mm): sender line, rule, address block and a Code 128
// barcode of the address number. Positions are in 0.1 mm from the label's corner.
struct TDemoLabelLayout {
    const char* name;
    qint32 width, height;
    qint32 margin;
    qint32 senderTop, senderHeight, senderSize;
    qint32 ruleTop;
    qint32 blockTop, blockWidth, blockHeight, blockSize;
    qint32 codeLeft, codeTop, codeWidth, codeHeight;
};

const QString kDemoLabelsSender =
    QStringLiteral("Muster Haustechnik GmbH · Hauptstraße 1 · 10115 Berlin");
// Variable identifiers of the label printing and the Code 128 (code set B) symbology number.
const QString kDemoLabelsFixedText = QStringLiteral("1");
const QString kDemoLabelsAddressNumber = QStringLiteral("1041000");
const QString kDemoLabelsAddressBlock = QStringLiteral("1041112");
constexpr quint8 kDemoLabelsCode128B = 6;

void demoLabelsAddLabel(TPrintEtikettManager& manager, const TDemoLabelLayout& layout) {
    TPrintEtikett* label = manager.labels().Add();
    label->name = QString::fromUtf8(layout.name);
    label->width = layout.width;
    label->height = layout.height;

    auto sender = std::make_unique<TPrintEtikettElementVariable>(label);
    sender->name = kDemoLabelsSender;
    sender->var = kDemoLabelsFixedText;
    sender->vartype = 1;
    sender->left = layout.margin;
    sender->top = layout.senderTop;
    sender->width = layout.width - 2 * layout.margin;
    sender->height = layout.senderHeight;
    sender->fsize = layout.senderSize;
    label->elements.Add(std::move(sender));

    // Wider than high: drawn as a horizontal line.
    auto rule = std::make_unique<TPrintEtikettElementObject>(label);
    rule->name = QStringLiteral("Trennlinie");
    rule->objtype = TPrintEtikettElementObject::otLine;
    rule->left = layout.margin;
    rule->top = layout.ruleTop;
    rule->width = layout.width - 2 * layout.margin;
    rule->height = 1;
    label->elements.Add(std::move(rule));

    auto block = std::make_unique<TPrintEtikettElementVariable>(label);
    block->name = QStringLiteral("Anschrift");
    block->var = kDemoLabelsAddressBlock;
    block->vartype = 1;
    block->left = layout.margin;
    block->top = layout.blockTop;
    block->width = layout.blockWidth;
    block->height = layout.blockHeight;
    block->fsize = layout.blockSize;
    label->elements.Add(std::move(block));

    auto code = std::make_unique<TPrintEtikettElementBarcode>(label);
    code->name = QStringLiteral("Adressnummer");
    code->var = kDemoLabelsAddressNumber;
    code->barcode = kDemoLabelsCode128B;
    code->left = layout.codeLeft;
    code->top = layout.codeTop;
    code->width = layout.codeWidth;
    code->height = layout.codeHeight;
    label->elements.Add(std::move(code));
}

// A form with columns x rows positions of one label, filled row by row.
void demoLabelsAddSheet(TPrintEtikettManager& manager, const QString& name,
                        const QString& labelName, int columns, int rows, qint32 left, qint32 top,
                        qint32 pitchX, qint32 pitchY) {
    TPrintEtikettForm* form = manager.forms().Add();
    form->name = name;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            TPrintEtikettHolder* position = form->positions.Add();
            position->name = labelName;
            position->left = left + column * pitchX;
            position->top = top + row * pitchY;
        }
    }
}

// The label layouts of the demo tenant, where the address manager looks for them.
bool labelsStep(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString formsDir = paths.tenantEtcDir(kDemoTenant) + QStringLiteral("FORMS/de_DE/");
    const QString fileName = formsDir + QStringLiteral("LABELS_ADDRESS.XML");
    if (QFileInfo::exists(fileName)) return false;
    EnsureDir(formsDir, log);

    TPrintEtikettManager manager;
    // 3 x 8 labels of 70 x 36 mm fill the A4 width; 288 mm of 297 leave 4.5 mm above.
    demoLabelsAddSheet(manager, QStringLiteral("A4 3 x 8 Etiketten 70 x 36 mm"),
                       QStringLiteral("Adresse 70 x 36 mm"), 3, 8, 0, 45, 700, 360);
    // 2 x 7 labels of 105 x 42,3 mm: 296,1 mm high, half a millimetre above.
    demoLabelsAddSheet(manager, QStringLiteral("A4 2 x 7 Etiketten 105 x 42,3 mm"),
                       QStringLiteral("Adresse 105 x 42,3 mm"), 2, 7, 0, 5, 1050, 423);
    // A label printer's roll: every page is one label of 89 x 36 mm.
    TPrintEtikettForm* roll = manager.forms().Add();
    roll->name = QStringLiteral("Etikettenrolle 89 x 36 mm");
    roll->type = TPrintEtikettForm::ftCustom;
    roll->width = 890;
    roll->height = 360;
    roll->positions.Add()->name = QStringLiteral("Adresse 89 x 36 mm");

    demoLabelsAddLabel(manager, {"Adresse 70 x 36 mm", 700, 360, 50, 25, 35, 6, 65, 80, 600, 185, 8,
                                 50, 270, 300, 45});
    demoLabelsAddLabel(manager, {"Adresse 105 x 42,3 mm", 1050, 423, 60, 30, 40, 7, 78, 95, 930,
                                 230, 10, 60, 335, 400, 50});
    demoLabelsAddLabel(manager, {"Adresse 89 x 36 mm", 890, 360, 40, 25, 35, 6, 65, 80, 560, 250, 9,
                                 640, 90, 210, 120});
    manager.SaveToFile(fileName);
    log.info(FormatStr(_("Etikettenformulare angelegt: %s"), {fileName}));
    return true;
}

// The extra-field layout of the demo tenant; the demo addresses carry values for its fields.
bool viewStep(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, kDemoTenant);
    const QString fileName = dir + QStringLiteral("VIEW.DAT");
    if (QFileInfo::exists(fileName)) return false;
    EnsureDir(dir, log);
    WriteFileAtomically(fileName, DemoViewLayout());
    log.info(FormatStr(_("Datei geschrieben: %s"), {fileName}));
    return true;
}

}  // namespace

bool InstallDemoConfig(const TInstallationPaths& paths, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, kDemoTenant);
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
    const QString dir = TenantAddressDir(paths, kDemoTenant);
    QString lastError;
    TDBAdress db([&lastError](const std::exception& error, const QString& context) {
        const auto* kwpError = dynamic_cast<const EKwpError*>(&error);
        lastError = context + QStringLiteral(": ") +
                    (kwpError ? kwpError->message() : QString::fromUtf8(error.what()));
    });
    db.OpenDirectory(dir);
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
            db.Unlock(lock, TLockEnd::UndoWrites);
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
        {_("Etikettenformulare"), labelsStep},
        {_("Postleitzahlen und Bankleitzahlen"), InstallDemoLookups},
        {_("Adresskonfiguration"), InstallDemoConfig},
        {_("Zusatzdaten-Layout"), viewStep},
        {_("Adressen"), InstallDemoAddresses},
    };
}

void CreateDemo(const TInstallationPaths& paths, const TAdminLog& log) {
    for (const TDemoStep& step : DemoSteps()) {
        if (!step.run(paths, log))
            log.info(FormatStr(_("%s: übersprungen, schon vorhanden."), {step.title}));
    }
}
