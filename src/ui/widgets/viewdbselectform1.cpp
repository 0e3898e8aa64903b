#include "ui/widgets/viewdbselectform1.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/conversions.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "persistence/storedatabase.h"
#include "persistence/storetable.h"
#include "ui/widgets/dialogparts.h"

namespace {

QString dirOf(const TSystemEinstellungen& sys, QString TSystemEinstellungen::*field,
              const char* sub) {
    const QString dir = sys.*field;
    return sub ? ComposeDir(dir, {QLatin1String(sub)}) : NormalizeDir(dir);
}
}  // namespace

struct TViewDBSelectForm1::Variant {
    struct Column {
        const char* caption;
        int width;
        const char* field;
        int type;  // in the table layout
        int size;
    };
    const char* dialogName;
    const char* fileName;
    QString TSystemEinstellungen::*dir;
    const char* subDir;
    const char* table;
    const char* index;
    QList<Column> columns;
    const char* keyField;
};

class TViewDBSelectForm1::Model : public QAbstractTableModel {
public:
    Model(const Variant& variant, TStoreTable& table) : m_variant(variant), m_table(table) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_table.RecordCount();
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_variant.columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        TStoreField* field = fieldAt(index.row(), index.column());
        if (!field) return {};
        if (field->DataType() == sftDateTime) {
            const double day = field->AsDateTime();
            return day == 0 ? QString() : DateToStr(DayNumberToDateTime(day).date());
        }
        return field->AsString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return _(m_variant.columns.at(section).caption);
    }
    // Moves the table's cursor to the row.
    TStoreField* fieldAt(int row, int column) const {
        m_table.SetRecNo(row + 1);
        const char* name = column < 0 ? m_variant.keyField : m_variant.columns.at(column).field;
        return m_table.FindField(QLatin1String(name));
    }

private:
    const Variant& m_variant;
    TStoreTable& m_table;
};

namespace {
using S = TSystemEinstellungen;
const QList<TViewDBSelectForm1::Variant>& variants() {
    static const QList<TViewDBSelectForm1::Variant> list = {
        {"ViewDBSelectFormAdr",
         "ADDRESS.DAT",
         &S::AdressenDir,
         nullptr,
         "ADDRESS",
         "ADDRESSID",
         {{N_("Adress-Nr."), 131, "ID", sftString, 20},
          {N_("Beschreibung"), 447, "DISPLAYTXT", sftString, 255},
          {N_("Adressgruppe"), 88, "ADDRGRP", sftString, 50}},
         "ID"},
        {"ViewDBSelectFormAngebote",
         "ANGJOURNAL.DAT",
         &S::Angebote,
         nullptr,
         "ANGJOURNAL",
         "001",
         {{N_("Angebots-Nr."), 80, "ANGEBOTSNR", sftString, 20},
          {N_("Beschreibung"), 322, "ANZEIGETEXT", sftString, 255},
          {N_("Adress-Nr."), 131, "ADRESSID", sftString, 20}},
         "ANGEBOTSNR"},
        {"ViewDBSelectFormAuftraege",
         "AUFTRJOURNAL.DAT",
         &S::Auftraege,
         nullptr,
         "AUFTRJOURNAL",
         "001",
         {{N_("Auftrags-Nr."), 73, "AUFTRAGSNR", sftString, 20},
          {N_("Auftragsdatum"), 89, "AUFTRAGSDATUM", sftDateTime, 0},
          {N_("Besteller"), 181, "BESTELLER", sftString, 255},
          {N_("Bestell-Nr."), 79, "BESTELLNR", sftString, 50}},
         "AUFTRAGSNR"},
        {"ViewDBSelectFormKommAuftraege",
         "001KOMMJOURNAL.DAT",
         &S::Kommission,
         nullptr,
         "001KOMMJOURNAL",
         "001INDEX",
         {{N_("Auftrags-Nr."), 73, "ID", sftString, 20},
          {N_("Beschreibung"), 181, "ANZEIGETEXT", sftString, 255}},
         "ID"},
        {"ViewDBSelectFormBestellungen",
         "BESTELL.DAT",
         &S::Bestellwesen,
         nullptr,
         "BESTELL",
         "001",
         {{N_("Bestell-Nr."), 70, "BestellNr", sftString, 20},
          {N_("Beschreibung"), 400, "Anzeigetext", sftString, 255}},
         "BestellNr"},
        {"ViewDBSelectFormARechnungen",
         "RGJOURNAL.DAT",
         &S::RechnungenDir,
         nullptr,
         "RGJOURNAL",
         "001",
         {{N_("Rechnungs-Nr."), 70, "RGNR", sftString, 20},
          {N_("Datum"), 70, "RGDATUM", sftDateTime, 0},
          {N_("faellig am"), 70, "RGFAELLIG", sftDateTime, 0},
          {N_("Beschreibung"), 400, "ANZEIGETEXT", sftString, 255}},
         "RGNR"},
        {"ViewDBSelectFormERechnungen",
         "ERGJOURNAL.DAT",
         &S::Journale,
         "ERECHNUNGEN",
         "ERGJOURNAL",
         "001",
         {{N_("Interne Nr."), 70, "RGNR", sftString, 20},
          {N_("Rechnungs-Nr."), 70, "FREMDBELEGNR", sftString, 50},
          {N_("Datum"), 70, "RGDATUM", sftDateTime, 0},
          {N_("faellig am"), 70, "RGFAELLIG", sftDateTime, 0},
          {N_("Beschreibung"), 400, "ANZEIGETEXT", sftString, 255},
          {N_("Lieferer"), 70, "ADRLIEFERER", sftString, 20}},
         "RGNR"},
    };
    return list;
}

// The tenant's settings, read into an object of their own: the picker may look into another
// tenant than the one logged in. Throws when "SYSDATA.INI" is missing or incomplete.
std::unique_ptr<TSystemEinstellungen> loadTenant(const QString& tenantDir) {
    auto sys = std::make_unique<TSystemEinstellungen>();
    if (const TSystemEinstellungen* current = SystemEinstellungen()) {
        sys->RootDir = current->RootDir;
        sys->DataDir = current->DataDir;
        sys->EtcDir = current->EtcDir;
    }
    sys->TenantEtcDir = NormalizeDir(tenantDir);
    const QString file = sys->TenantEtcDir + QStringLiteral("SYSDATA.INI");
    if (!QFileInfo(file).isFile())
        throw EKwpError(FormatStr(_("Datei \"%s\" nicht gefunden."), {file}));
    const TIniFileSec ini(file);
    sys->LoadFromIni(ini);
    return sys;
}

QString layoutKey(const QTableView* grid, int column) {
    return grid->objectName() + QString::number(column);
}
}  // namespace

bool TViewDBSelectForm1::DefineTable(TStoreTable& table) {
    for (const Variant& variant : variants()) {
        if (table.TableName().compare(QLatin1String(variant.table), Qt::CaseInsensitive) != 0)
            continue;
        for (const Variant::Column& column : variant.columns) {
            if (table.FieldDefs().IndexOf(QLatin1String(column.field)) >= 0) continue;
            table.FieldDefs().Add(QLatin1String(column.field), column.type, column.size);
        }
        table.IndexDefs().Add(QLatin1String(variant.index), QLatin1String(variant.keyField));
        return true;
    }
    return false;
}

TViewDBSelectForm1::TViewDBSelectForm1(const Variant& variant,
                                       std::unique_ptr<TStoreDatabase> database,
                                       std::unique_ptr<TStoreTable> table, TIniFile* ini)
    : m_variant(variant),
      m_database(std::move(database)),
      m_table(std::move(table)),
      m_ini(ini),
      m_model(std::make_unique<Model>(variant, *m_table)) {
    setObjectName(QLatin1String(variant.dialogName));
    setWindowTitle(QStringLiteral("[DB - 01] - ") + _("Auswahl"));
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model.get());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setWordWrap(false);
    const QString section = objectName();
    for (int i = 0; i < variant.columns.size(); ++i) {
        // Wider when the caption needs it (other languages, fonts).
        const int width =
            qMax(variant.columns.at(i).width, m_grid->horizontalHeader()->sectionSizeHint(i));
        m_grid->setColumnWidth(
            i, ini ? ini->ReadInteger(section, layoutKey(m_grid, i), width) : width);
    }
    connect(m_grid, &QTableView::doubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(OkCancelRow(this));
    resize(720, 450);
    LoadFormState(this, TFormRole::Other);
    const int last = m_model->rowCount({}) - 1;
    if (last >= 0) {
        m_grid->selectRow(last);
        m_grid->scrollTo(m_model->index(last, 0));
    }
    m_grid->setFocus();
}

TViewDBSelectForm1::~TViewDBSelectForm1() = default;

QString TViewDBSelectForm1::currentKey() const {
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid()) return {};
    const TStoreField* field = m_model->fieldAt(current.row(), -1);
    return field ? field->AsString().trimmed() : QString();
}

void TViewDBSelectForm1::done(int result) {
    if (m_ini) {
        for (int i = 0; i < m_variant.columns.size(); ++i)
            m_ini->WriteInteger(objectName(), layoutKey(m_grid, i), m_grid->columnWidth(i));
    }
    QDialog::done(result);
}

std::unique_ptr<TViewDBSelectForm1> TViewDBSelectForm1::Create(const QString& dialogName,
                                                               const QString& tenantDir,
                                                               TIniFile* ini) {
    const auto& all = variants();
    const auto variant = std::find_if(all.begin(), all.end(), [&](const Variant& v) {
        return dialogName == QLatin1String(v.dialogName);
    });
    if (variant == all.end()) return nullptr;
    std::unique_ptr<TSystemEinstellungen> sys;
    try {
        sys = loadTenant(tenantDir);
    } catch (const std::exception&) {
        ShowMessageDlg(FormatStr(_("Mandant \"%s\" kann nicht geladen werden."), {tenantDir}),
                       mtError, mbOKOnly);
        return nullptr;
    }
    const QString dir = dirOf(*sys, variant->dir, variant->subDir);
    const QString file = dir + QLatin1String(variant->fileName);
    if (!QFileInfo(file).isFile()) {
        ShowMessageDlg(FormatStr(_("Datei \"%s\" nicht gefunden."), {file}), mtError, mbOKOnly);
        return nullptr;
    }
    try {
        auto database = std::make_unique<TStoreDatabase>();
        database->SetLocation(dir);
        database->SetReadOnly(true);
        auto table = std::make_unique<TStoreTable>(database.get());
        table->SetTableName(QLatin1String(variant->table));
        table->SetIndexName(QLatin1String(variant->index));
        table->SetReadOnly(true);
        table->Open();
        table->Last();
        return std::unique_ptr<TViewDBSelectForm1>(
            new TViewDBSelectForm1(*variant, std::move(database), std::move(table), ini));
    } catch (const std::exception& e) {
        ReportError(sevError, _("Datenbankfehler."), nullptr, &e);
        return nullptr;
    }
}

bool TViewDBSelectForm1::select(const char* dialogName, const QString& tenantDir, QString& key,
                                TIniFile* ini) {
    key.clear();
    const std::unique_ptr<TViewDBSelectForm1> dialog =
        Create(QLatin1String(dialogName), tenantDir, ini);
    if (dialog && dialog->exec() == QDialog::Accepted) key = dialog->currentKey();
    return !key.isEmpty();
}

bool TViewDBSelectForm1::SelectAdresse(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormAdr", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectAngebot(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormAngebote", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectAuftrag(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormAuftraege", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectKommAuftrag(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormKommAuftraege", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectBestellung(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormBestellungen", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectARechnung(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormARechnungen", tenantDir, key, ini);
}
bool TViewDBSelectForm1::SelectERechnung(const QString& tenantDir, QString& key, TIniFile* ini) {
    return select("ViewDBSelectFormERechnungen", tenantDir, key, ini);
}
