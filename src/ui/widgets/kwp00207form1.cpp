#include "ui/widgets/kwp00207form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "address/addressconfig.h"
#include "address/addresscsv.h"
#include "address/customeraddress.h"
#include "address/vcard.h"
#include "address/widgets/designeditframe.h"
#include "address/widgets/designhelper.h"
#include "addressdb/addressnumbers.h"
#include "addressdb/dbadress.h"
#include "addressdb/duplicatefinder.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/design/dsnstage.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/favourites.h"
#include "app/filedialogs.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/notices.h"
#include "app/shell.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "persistence/databasewrapper.h"
#include "ui/widgets/adresslistviewerframe.h"
#include "ui/widgets/anschriftviewframe.h"
#include "ui/widgets/auswahlbox.h"
#include "ui/widgets/contactviewframe.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/debitorkreditorframe.h"
#include "ui/widgets/documentstab.h"
#include "ui/widgets/gesetzlichevorgabenframe.h"
#include "ui/widgets/hourglass.h"
#include "ui/widgets/inputboxform.h"
#include "ui/widgets/kwp00207form2.h"
#include "ui/widgets/kwp00207form3.h"
#include "ui/widgets/kwp00207form8.h"
#include "ui/widgets/kwp00207form9.h"
#include "ui/widgets/wiedervorlageframe.h"
#include "ui/widgets/zusaetzlichframe.h"

namespace {
const QString kForm1Section = QStringLiteral("KWP00207Form1");

QString userName() {
    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    return user ? user->Vollname : QString();
}

bool hasRight(const char* code) {
    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    return user && user->HasRight(QLatin1String(code));
}

QString adressenDir() {
    const TSystemEinstellungen* sys = SystemEinstellungen();
    return sys ? sys->AdressenDir : QString();
}

void refreshTables(TDBAdress& db) {
    try {
        db.RefreshTables();
    } catch (const std::exception& error) {
        db.ReportError(error, QStringLiteral("RefreshTables"));
    }
}

void stampCreated(TCustomerAddress& record) {
    record.Created = DateTimeToDayNumber(Now());
    record.Changed = record.Created;
    record.CreatedBy = userName();
    record.ChangedBy = record.CreatedBy;
}

int askAlarm(const TCustomerAddress& record, TMsgDlgButtons buttons) {
    return ShowMessageDlg(_("Alarm") + QLatin1Char('\n') + record.AlarmText +
                              QStringLiteral("\n\n") + _("Adresse trotzdem uebernehmen?"),
                          mtWarning, buttons);
}

QPlainTextEdit* memo(const char* name, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// A pane with a caption line (if any) above its content.
QWidget* captionedPane(const char* name, const QString& caption, QWidget* content,
                       QWidget* parent) {
    auto* pane = new QWidget(parent);
    pane->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(2, 2, 2, 2);
    if (!caption.isEmpty()) {
        auto* header = new QLabel(caption, pane);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        layout->addWidget(header);
    }
    layout->addWidget(content, 1);
    return pane;
}
}  // namespace

TKWP00207Form1::TKWP00207Form1(const TStartOptions& options, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_config(std::make_unique<TAddressConfig>()) {
    setObjectName(kForm1Section);
    QApplication::setApplicationDisplayName(_("Adressverwaltung"));
    setWindowTitle(CaptionFor(options.tenant));
    resize(1024, 760);

    m_config->LoadFromFile(adressenDir() + QStringLiteral("CONFIG.XML"));
    m_frame = new TDBAdressViewFrame1(*m_config, this);
    m_frame->OnAddressChanged = [this] { ShowCurrentAddress(); };
    m_frame->OnAddressChosen = [this] { addressChosen(); };
    m_frame->OnBeforeSave = [this] {
        TCustomerAddress& record = m_frame->CustomerAddress();
        TDesignHelper::GetValues(m_stage, record.ExtraFields);
        if (!m_newAddress.isEmpty() && record.Id == m_newAddress) warnDuplicates(record);
    };

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    PageControl1 = new QTabWidget(Panel1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildGeneralTab(), _("Allgemein"));
    m_zusaetzlich = new TZusaetzlichFrame(PageControl1);
    m_zusaetzlich->setConfig(m_config.get());
    PageControl1->addTab(m_zusaetzlich, _("Zusaetzlich"));
    PageControl1->addTab(buildExtraFieldsTab(), _("Zusatzdaten"));
    m_documents = new TDocumentsTab(PageControl1);
    PageControl1->addTab(m_documents, _("Dokumente"));
    m_debitor = new TDebitorKreditorFrame(PageControl1);
    PageControl1->addTab(m_debitor, _("Debitor / Kreditor"));
    m_gesetzlich = new TGesetzlicheVorgabenFrame(PageControl1);
    PageControl1->addTab(m_gesetzlich, _("Gesetzliche Vorgaben"));
    connect(m_zusaetzlich, &TZusaetzlichFrame::modified, this, &TKWP00207Form1::MarkModified);
    connect(m_debitor, &TDebitorKreditorFrame::modified, this, &TKWP00207Form1::MarkModified);
    connect(m_gesetzlich, &TGesetzlicheVorgabenFrame::modified, this,
            &TKWP00207Form1::MarkModified);
    connect(m_documents, &TDocumentsTab::customerFolderChanged, this, [this] {
        MarkModified();
        m_frame->SaveIfModified();
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, &TKWP00207Form1::tabChanged);
    auto* bottom = new QVBoxLayout(Panel1);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(PageControl1, 1);
    bottom->addWidget(buildButtonRow());

    m_split = new QSplitter(Qt::Vertical, this);
    m_split->setObjectName(QStringLiteral("Splitter1"));
    m_split->addWidget(m_frame);
    m_split->addWidget(Panel1);
    m_split->setStretchFactor(0, 1);
    m_split->setCollapsible(0, false);
    m_split->setCollapsible(1, false);
    setCentralWidget(m_split);
    buildFunctionMenu();
    LoadFormState(this, TFormRole::MainWindow);

    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    if (user && !user->UserTenantEtcDir.isEmpty()) {
        QDir().mkpath(user->UserTenantEtcDir);
        m_layout =
            std::make_unique<TIniFile>(user->UserTenantEtcDir + QStringLiteral("KWP00207.INI"));
        m_frame->LoadLayout(*m_layout);
    }
    restoreLayout();
    if (auto* jump = m_frame->findChild<QLineEdit*>(QStringLiteral("edGoto"))) jump->setFocus();

    if (m_options.pickMode) {
        m_store = new TKWP00207Form8(this);
        if (m_layout) m_store->LoadGeometry(*m_layout);
        btClose->setProperty("tag", 100);
        btClose->setText(_("Uebernehmen"));
        if (!m_options.one) {
            m_store->show();
            btAddAdr->show();
            btAddAdrAll->show();
        }
    }
    loadExtraFieldLayout();
    ClearAddressView();
    m_frame->SelectAddress(m_options.hasStartAddress ? m_options.startAddress : QString());
    // Keys reach the window first, wherever the focus is in it.
    qApp->installEventFilter(this);
}

TKWP00207Form1::~TKWP00207Form1() {
    qApp->removeEventFilter(this);
}

QString TKWP00207Form1::CaptionFor(const QString& tenant) {
    return QStringLiteral("[0207 - 01] - ") + tenant + QStringLiteral(" - ") +
           _("Adressverwaltung");
}

QWidget* TKWP00207Form1::buildGeneralTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsAllgemein"));

    Panel8 = new QWidget(tab);
    Panel8->setObjectName(QStringLiteral("Panel8"));
    cbAdrGrp = new QComboBox(Panel8);
    cbAdrGrp->setObjectName(QStringLiteral("cbAdrGrp"));
    cbAdrGrp->addItem(QString());
    cbAdrGrp->addItems(m_config->AdressGrp);
    lStatus = new QLabel(Panel8);
    lStatus->setObjectName(QStringLiteral("lStatus"));
    lStatus->setStyleSheet(QStringLiteral("color: grey"));
    lStatus->setWordWrap(true);
    auto* left = new QVBoxLayout(Panel8);
    left->setContentsMargins(2, 2, 2, 2);
    m_anschriften = new TAnschriftViewFrame(Panel8);
    m_anschriften->setConfig(m_config.get());
    left->addWidget(m_anschriften, 1);
    auto* group = new QLabel(_("Adressgruppe"), Panel8);
    group->setBuddy(cbAdrGrp);
    left->addWidget(group);
    left->addWidget(cbAdrGrp);
    left->addWidget(lStatus);

    m_contacts = new TContactViewFrame(tab);
    m_contacts->setConfig(m_config.get());
    // The tree's header names the pane.
    Panel3 = captionedPane("Panel3", QString(), m_contacts, tab);
    mInfo = memo("mInfo", tab);
    QWidget* info = captionedPane("Panel4", _("Informationen"), mInfo, tab);

    m_generalSplit = new QSplitter(Qt::Horizontal, tab);
    m_generalSplit->setObjectName(QStringLiteral("Splitter2"));
    m_generalSplit->addWidget(Panel8);
    m_generalSplit->addWidget(Panel3);
    m_generalSplit->addWidget(info);
    m_generalSplit->setStretchFactor(2, 1);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_generalSplit, 1);
    m_wiedervorlage = new TWiedervorlageFrame(tab);
    layout->addWidget(m_wiedervorlage);
    connect(m_anschriften, &TAnschriftViewFrame::modified, this, [this] {
        // The display text follows the default postal address.
        m_frame->CustomerAddress().DisplayTxt = m_frame->CustomerAddress().GetShortText();
        MarkModified();
    });
    connect(m_contacts, &TContactViewFrame::modified, this, &TKWP00207Form1::MarkModified);
    connect(m_wiedervorlage, &TWiedervorlageFrame::modified, this, &TKWP00207Form1::MarkModified);

    connect(cbAdrGrp, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!m_binding) return;
        m_frame->CustomerAddress().AddrGrp = text;
        MarkModified();
    });
    connect(mInfo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_binding) return;
        m_frame->CustomerAddress().Info = mInfo->toPlainText();
        MarkModified();
    });
    return tab;
}

QWidget* TKWP00207Form1::buildButtonRow() {
    auto* row = new QWidget(Panel1);
    row->setObjectName(QStringLiteral("pnButtons"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 4, 4);
    const auto button = [&](QPushButton*& field, const char* name, const QString& caption,
                            const QString& hint) {
        field = new QPushButton(caption, row);
        field->setObjectName(QLatin1String(name));
        field->setToolTip(hint);
        field->setAutoDefault(false);
        layout->addWidget(field);
    };
    button(btNew, "btNew", _("Neu"), QStringLiteral("F2"));
    button(btCopy, "btCopy", _("Kopieren"), {});
    button(btDelete, "btDelete", _("Loeschen"), {});
    button(InfoButton1, "InfoButton1", _("Als Favorit speichern"), {});
    button(btFunc, "btFunc", _("Funktionen"), {});
    layout->addStretch(1);
    button(btAddAdr, "btAddAdr", _("Zum Speicher hinzufuegen"), {});
    button(btAddAdrAll, "btAddAdrAll", _("Alle zum Speicher hinzufuegen"), {});
    button(btClose, "btClose", _("Beenden"), QStringLiteral("F12"));
    btAddAdr->hide();
    btAddAdrAll->hide();
    connect(btNew, &QPushButton::clicked, this, &TKWP00207Form1::NewAddress);
    connect(btCopy, &QPushButton::clicked, this, &TKWP00207Form1::CopyAddress);
    connect(btDelete, &QPushButton::clicked, this, &TKWP00207Form1::DeleteAddress);
    connect(InfoButton1, &QPushButton::clicked, this, &TKWP00207Form1::AddToFavourites);
    connect(btClose, &QPushButton::clicked, this, &TKWP00207Form1::CloseOrTakeOver);
    connect(btAddAdr, &QPushButton::clicked, this, &TKWP00207Form1::addCurrentAndRefresh);
    connect(btAddAdrAll, &QPushButton::clicked, this, &TKWP00207Form1::AddListedToStore);
    return row;
}

void TKWP00207Form1::buildFunctionMenu() {
    pmFunc = new QMenu(this);
    pmFunc->setObjectName(QStringLiteral("pmFunc"));
    QAction* duplicates = pmFunc->addAction(_("Adressdupletten suchen"));
    duplicates->setObjectName(QStringLiteral("miDuplicates"));
    duplicates->setData(100);
    duplicates->setVisible(false);
    connect(duplicates, &QAction::triggered, this, &TKWP00207Form1::FindDuplicates);
    QAction* prices = pmFunc->addAction(_("Kundenspezifische Preise zur aktuellen  Adresse"));
    prices->setObjectName(QStringLiteral("miPrices"));
    prices->setData(103);
    connect(prices, &QAction::triggered, this, [this] {
        const QString number = m_frame->CustomerAddress().Id;
        const TSystemEinstellungen* sys = SystemEinstellungen();
        if (number.isEmpty() || !sys) return;
        const QString program = ResolveProgramFile(sys->BinDir, QStringLiteral("KWP00210.EXE"));
        if (program.isEmpty()) return;
        StartProgram(program, m_options.tenant + QLatin1Char(' ') + m_options.user +
                                  QStringLiteral(" -SA \"") + number + QLatin1Char('"'));
    });
    pmFunc->addSeparator();
    QMenu* vcards = pmFunc->addMenu(_("Als vCard exportieren"));
    vcards->setObjectName(QStringLiteral("miVCardExport"));
    const struct {
        const char* name;
        const char* caption;
        int tag;
        bool listed;
        int version;
    } exports[] = {{"miVCardCurrent3", N_("Aktuelle Adresse (vCard 3.0)"), 110, false, 3},
                   {"miVCardCurrent4", N_("Aktuelle Adresse (vCard 4.0)"), 111, false, 4},
                   {"miVCardListed3", N_("Gelistete Adressen (vCard 3.0)"), 112, true, 3},
                   {"miVCardListed4", N_("Gelistete Adressen (vCard 4.0)"), 113, true, 4}};
    for (const auto& item : exports) {
        QAction* action = vcards->addAction(_(item.caption));
        action->setObjectName(QLatin1String(item.name));
        action->setData(item.tag);
        connect(action, &QAction::triggered, this,
                [this, item] { ExportVCards(item.listed, item.version); });
    }
    QAction* import = pmFunc->addAction(_("vCards importieren"));
    import->setObjectName(QStringLiteral("miVCardImport"));
    import->setData(114);
    connect(import, &QAction::triggered, this, &TKWP00207Form1::ImportVCards);
    QAction* csv = pmFunc->addAction(_("Gelistete Adressen als CSV exportieren"));
    csv->setObjectName(QStringLiteral("miCsvExport"));
    csv->setData(115);
    connect(csv, &QAction::triggered, this, &TKWP00207Form1::ExportCsv);
    connect(btFunc, &QPushButton::clicked, this,
            [this] { pmFunc->popup(btFunc->mapToGlobal(QPoint(0, btFunc->height()))); });
}

void TKWP00207Form1::restoreLayout() {
    const auto value = [this](const char* key, int fallback) {
        return m_layout ? m_layout->ReadInteger(kForm1Section, QLatin1String(key), fallback) : fallback;
    };
    const int bottom = value("Panel1", 320);
    m_split->setSizes({qMax(100, height() - bottom), bottom});
    const int left = value("Panel8", 301);
    const int contacts = value("Panel3", 280);
    m_generalSplit->setSizes({left, contacts, qMax(100, width() - left - contacts)});
}

void TKWP00207Form1::saveLayout() {
    if (!m_layout) return;
    m_frame->SaveLayout(*m_layout);
    m_layout->WriteInteger(kForm1Section, QStringLiteral("Panel8"), Panel8->width());
    m_layout->WriteInteger(kForm1Section, QStringLiteral("Panel1"), Panel1->height());
    m_layout->WriteInteger(kForm1Section, QStringLiteral("Panel3"), Panel3->width());
    if (m_store) m_store->SaveGeometry(*m_layout);
    try {
        m_layout->UpdateFile();
    } catch (const EKwpError& error) {
        ShowMessageDlg(error.message(), mtError, mbOKOnly);
    }
}

void TKWP00207Form1::ShowCurrentAddress() {
    const TCustomerAddress& record = m_frame->CustomerAddress();
    if (record.Id.isEmpty()) {
        ClearAddressView();
        return;
    }
    m_binding = false;
    const auto bind = qScopeGuard([this] { m_binding = true; });
    TDesignHelper::ClearValues(m_stage);
    setPaneRecord(&m_frame->CustomerAddress());
    showStatus();
    mInfo->setPlainText(record.Info);
    TDesignHelper::SetValues(m_stage, m_frame->CustomerAddress().ExtraFields);
    cbAdrGrp->setCurrentIndex(record.AddrGrp.isEmpty() ? -1 : cbAdrGrp->findText(record.AddrGrp));
    m_frame->SetModified(false);
}

void TKWP00207Form1::ClearAddressView() {
    m_binding = false;
    const auto bind = qScopeGuard([this] { m_binding = true; });
    setPaneRecord(nullptr);
    TDesignHelper::ClearValues(m_stage);
    cbAdrGrp->setCurrentIndex(-1);
    lStatus->clear();
    mInfo->clear();
    m_frame->SetModified(false);
}

QWidget* TKWP00207Form1::buildExtraFieldsTab() {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sbZusatzdaten"));
    m_stage = new TDsnStage;
    m_stage->setObjectName(QStringLiteral("DsnStage1"));
    scroll->setWidget(m_stage);
    scroll->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* edit = new QAction(_("Zusaetzliche Journal-Felder bearbeiten"), scroll);
    edit->setObjectName(QStringLiteral("pmDSNItem"));
    scroll->addAction(edit);
    connect(edit, &QAction::triggered, this, &TKWP00207Form1::editExtraFieldLayout);
    return scroll;
}

void TKWP00207Form1::loadExtraFieldLayout() {
    const QString file = adressenDir() + QStringLiteral("VIEW.DAT");
    if (!QFileInfo::exists(file)) return;
    m_stage->LoadFromFile(file);
    m_stage->adjustSize();
    // Loading replaced the controls, so the handlers go on the new ones.
    TDesignHelper::SetChangeHandler(m_stage, [this](QObject*) { MarkModified(); });
}

void TKWP00207Form1::editExtraFieldLayout() {
    m_frame->SaveIfModified();
    if (!TDesignEditFrame::EditLayout(adressenDir() + QStringLiteral("VIEW.DAT"),
                                      _("Zusaetzliche Felder festlegen")))
        return;
    loadExtraFieldLayout();
    if (!m_frame->CustomerAddress().Id.isEmpty()) ShowCurrentAddress();
}

void TKWP00207Form1::setPaneRecord(TCustomerAddress* record) {
    m_anschriften->setRecord(record);
    m_contacts->setRecord(record);
    m_wiedervorlage->setRecord(record);
    m_zusaetzlich->setRecord(record);
    m_debitor->setRecord(record);
    m_gesetzlich->setRecord(record);
    m_documents->SetAddress(record);
    if (!record) m_documents->HideDocuments();
}

void TKWP00207Form1::tabChanged(int index) {
    if (PageControl1->widget(index) == m_documents)
        m_documents->ShowDocuments();
    else
        m_documents->HideDocuments();
}

void TKWP00207Form1::showStatus() {
    const TCustomerAddress& record = m_frame->CustomerAddress();
    const auto stamp = [](double day) { return DateTimeToStr(DayNumberToDateTime(day)); };
    lStatus->setText(FormatStr(
        _("Angelegt am %s von %s.\nGeaendert am %s von %s."),
        {stamp(record.Created), record.CreatedBy, stamp(record.Changed), record.ChangedBy}));
}

void TKWP00207Form1::MarkModified() {
    if (!m_binding) return;
    TCustomerAddress& record = m_frame->CustomerAddress();
    m_frame->SetModified(true);
    record.Changed = DateTimeToDayNumber(Now());
    record.ChangedBy = userName();
    showStatus();
}

std::unique_ptr<TCustomerAddress> TKWP00207Form1::GetPrintAddress() {
    const QString number = m_frame->CustomerAddress().Id;
    if (number.isEmpty()) return nullptr;
    std::unique_ptr<TCustomerAddress> copy = loadCopy(number);
    if (!copy) return nullptr;
    if (const TCustomerAnschrift* anschrift = m_anschriften->SelectedAnschrift())
        copy->PrintAnschriftId = anschrift->Id;
    if (const TCustomerContact* contact = m_contacts->SelectedContact())
        copy->PrintExtraLine = copy->Kontakte.GetAnschriftExtension(contact->Name, QString());
    return copy;
}

std::unique_ptr<TCustomerAddress> TKWP00207Form1::loadCopy(const QString& number) {
    auto copy = std::make_unique<TCustomerAddress>();
    if (!m_frame->DBAdress().GetCustomer(number, *copy)) return nullptr;
    return copy;
}

QString TKWP00207Form1::proposeNumber() {
    TDBAdress& db = m_frame->DBAdress();
    const QStringList& ranges = m_config->Nk;
    if (ranges.isEmpty()) return ProposeNumber(db.GetLastID(QString()), QString(), false);
    QString prefix = ranges.first();
    if (ranges.size() > 1) {
        const int chosen = TAuswahlbox::IndexOfKey(
            TAuswahlbox::Execute(_("Auswahl Nummernkreis"), ranges.join(u','), this));
        if (chosen >= 0 && chosen < ranges.size()) prefix = ranges.at(chosen);
    }
    return ProposeNumber(db.GetLastID(prefix), prefix, true);
}

QString TKWP00207Form1::askNumber(const QString& caption, const QString& proposal, QString* group) {
    // The dialogs refuse forbidden characters themselves and keep the text.
    const QString number =
        group ? TKWP00207Form9::Execute(caption, _("Adressnummer"), m_config->AdressGrp, *group,
                                        proposal, 20, true, true, this)
              : TInputBoxForm::Execute(caption, _("Adressnummer"), proposal, 20, true, true, this);
    return number.trimmed().toUpper();
}

void TKWP00207Form1::selectAfterChange(const QString& number) {
    m_frame->RefreshList();
    m_frame->SelectAddress(number);
}

void TKWP00207Form1::NewAddress() {
    m_frame->SaveIfModified();
    if (!hasRight("01")) {
        ShowMessageDlg(_("Sie sind nicht berechtigt, Adressen anzulegen!"), mtInformation,
                       mbOKOnly);
        return;
    }
    TDBAdress& db = m_frame->DBAdress();
    auto record = std::make_unique<TCustomerAddress>();
    {
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(userName());
        if (!lock) return;
        const auto unlock = qScopeGuard([&] { db.Unlock(lock); });
        refreshTables(db);
        QString group;
        const QString number = askNumber(_("Neue Adresse"), proposeNumber(), &group);
        if (number.isEmpty()) return;
        if (db.ExistsCustomer(number)) {
            ShowMessageDlgFmt(_("Adresse \"%s\" existiert bereits."), {number}, mtError, mbOKOnly);
            return;
        }
        record->Id = number;
        record->AddrGrp = group;
        stampCreated(*record);
        if (const TSystemEinstellungen* sys = SystemEinstellungen())
            record->Sprache = sys->StdSprache;
        record->MwStAusw = m_config->StdMwSt;
        record->MahnTyp = m_config->StdMahnTyp;
        if (db.SetCustomer(*record) != 0) {
            ShowMessageDlg(_("Fehler beim Speichern der Daten."), mtError, mbOKOnly);
            return;
        }
    }
    auto anschrift = std::make_unique<TCustomerAnschrift>();
    anschrift->Land = m_config->Lkz;
    anschrift->Id = record->Anschriften.NewId();
    if (!TKWP00207Form3::Execute(*anschrift, m_config->AnschriftArten.join(u','), m_config.get(),
                                 this)) {
        anschrift->Clear();
        anschrift->Id = record->Anschriften.NewId();
    }
    anschrift->Std = true;
    record->Anschriften.Add(std::move(anschrift));
    record->DisplayTxt = record->GetShortText();
    auto contact = std::make_unique<TCustomerContact>();
    contact->Name = _("Allgemeiner Kontakt");
    if (TKWP00207Form2::Execute(*contact, record->Anschriften, m_config->KontaktKz, this)) {
        if (record->Kontakte.Count() == 0) contact->Std = true;
        record->Kontakte.Add(std::move(contact));
    }
    if (std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(userName())) {
        const auto unlock = qScopeGuard([&] { db.Unlock(lock); });
        const THourglass wait;
        if (db.SetCustomer(*record) != 0)
            ShowMessageDlg(_("Fehler beim Speichern der Daten."), mtError, mbOKOnly);
    }
    m_newAddress = record->Id;
    warnDuplicates(*record);
    selectAfterChange(record->Id);
}

void TKWP00207Form1::CopyAddress() {
    m_frame->SaveIfModified();
    if (!hasRight("01")) {
        ShowMessageDlg(_("Sie sind nicht berechtigt, Adressen anzulegen!"), mtInformation,
                       mbOKOnly);
        return;
    }
    const QString current = m_frame->CustomerAddress().Id;
    if (current.isEmpty()) return;
    TDBAdress& db = m_frame->DBAdress();
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(userName());
    if (!lock) return;
    const auto unlock = qScopeGuard([&] { db.Unlock(lock); });
    refreshTables(db);
    std::unique_ptr<TCustomerAddress> copy = loadCopy(current);
    if (!copy) return;
    const QString number = askNumber(_("Neue Adresse"), current, nullptr);
    if (number.isEmpty()) return;
    copy->Id = number;
    stampCreated(*copy);
    copy->KndVerz.clear();
    if (db.ExistsCustomer(number) &&
        ShowMessageDlg(FormatStr(_("Adresse \"%s\" existiert bereits."), {number}) +
                           QLatin1Char('\n') + _("Ueberschreiben?"),
                       mtConfirmation, mbYesNo) != mrYes)
        return;
    if (db.SetCustomer(*copy) != 0) {
        ShowMessageDlg(_("Fehler beim Speichern der Daten."), mtError, mbOKOnly);
        return;
    }
    db.Unlock(lock);
    selectAfterChange(number);
}

void TKWP00207Form1::DeleteAddress() {
    m_frame->SaveIfModified();
    if (!hasRight("03")) {
        ShowMessageDlg(_("Sie sind nicht berechtigt, Adressen zu loeschen!"), mtInformation,
                       mbOKOnly);
        return;
    }
    TDBAdress& db = m_frame->DBAdress();
    if (db.GetRecordCount() == 0) return;
    const QString number = db.GetCurrentID();
    if (number.isEmpty() || ShowMessageDlgFmt(_("Adresse \"%s\" wirklich loeschen?"), {number},
                                              mtConfirmation, mbYesNo) != mrYes)
        return;
    QString neighbour;
    {
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(userName());
        if (!lock) return;
        const auto unlock = qScopeGuard([&] { db.Unlock(lock); });
        refreshTables(db);
        ClearAddressView();
        const THourglass wait;
        neighbour = db.GetNearestCustomer(number);
        if (db.DelCustomer(number)) {
            const QString dir = adressenDir();
            for (const char* file : {"001/%1.TDBD", "002/%1.MR", "003/%1.TDBD", "004/%1.TDBD"})
                QFile::remove(dir + QLatin1String(file).arg(number));
        }
    }
    m_frame->CustomerAddress().Clear();
    selectAfterChange(neighbour);
}

void TKWP00207Form1::AddToFavourites() {
    const TCustomerAddress& record = m_frame->CustomerAddress();
    if (record.Id.isEmpty()) return;
    AddFavourite(6, record.DisplayTxt + QStringLiteral(" - ") + record.Id,
                 QStringLiteral("KWP00207.EXE"), QStringLiteral("-SA ") + record.Id);
}

void TKWP00207Form1::CloseOrTakeOver() {
    if (!m_options.pickMode) {
        close();
        return;
    }
    m_frame->SaveIfModified();
    TAdresslistViewerFrame* store = m_store->List();
    if (store->List().Count() == 0 && !m_frame->CustomerAddress().Id.isEmpty() &&
        !AddCurrentToStore())
        return;
    const QString folder = QFileInfo(m_options.resultFile).absolutePath();
    if (!m_options.resultFile.isEmpty() && QFileInfo(folder).isDir()) {
        try {
            store->SaveToFile(m_options.resultFile);
        } catch (const EKwpError& error) {
            ShowMessageDlg(error.message(), mtError, mbOKOnly);
        }
    } else {
        ShowMessageDlgFmt(_("Verzeichnis \"%s\" nicht gefunden."), {folder}, mtError, mbOKOnly);
    }
    close();
}

bool TKWP00207Form1::AddCurrentToStore() {
    const QString number = m_frame->CustomerAddress().Id;
    TCustomerAdressObjectList& stored = m_store->List()->List();
    for (const auto& entry : stored) {
        if (entry->Id.compare(number, Qt::CaseInsensitive) == 0) {
            ShowDesktopNotice(
                QString(), FormatStr(_("Die Adresse \"%s\" ist bereits in der Liste."), {number}),
                100, 3000);
            return true;
        }
    }
    std::unique_ptr<TCustomerAddress> copy = loadCopy(number);
    if (!copy) return false;
    if (!copy->IdWeiterl.isEmpty()) {
        ShowMessageDlgFmt(_("Die Adresse \"%s\" wird auf Adresse \"%s\" weitergeleitet."),
                          {number, copy->IdWeiterl}, mtInformation, mbOKOnly);
        m_frame->SelectAddress(copy->IdWeiterl);
        return false;
    }
    if (copy->Alarm) {
        const int answer = askAlarm(*copy, mbYesNoCancel);
        if (answer == mrCancel) return false;
        if (answer != mrYes) return true;
    }
    if (m_options.pickMode == 2) narrowToDefaults(*copy, true);
    m_store->List()->AddAddress(*copy);
    return true;
}

void TKWP00207Form1::narrowToDefaults(TCustomerAddress& copy, bool useSelection) const {
    const TCustomerAnschrift* anschrift =
        useSelection ? m_anschriften->SelectedAnschrift() : nullptr;
    const TCustomerContact* selected = useSelection ? m_contacts->SelectedContact() : nullptr;
    copy.Anschriften.KeepOnlyAnschrift(anschrift ? anschrift->Id : QString());
    copy.Kontakte.KeepOnlyContact(selected ? selected->Name : QString());
    const TCustomerContact* contact = copy.Kontakte.DefaultContact();
    copy.DisplayTxt = TCustomerAddress::FormatAnschriftLine(copy.Anschriften, *m_config, QString(),
                                                            contact ? contact->Name : QString());
}

void TKWP00207Form1::addCurrentAndRefresh() {
    if (!m_store || m_frame->CustomerAddress().Id.isEmpty()) return;
    m_frame->SaveIfModified();
    AddCurrentToStore();
    m_store->List()->Refresh();
}

void TKWP00207Form1::AddListedToStore() {
    if (!m_store || m_frame->CustomerAddress().Id.isEmpty()) return;
    m_frame->SaveIfModified();
    TCustomerAdressObjectList& stored = m_store->List()->List();
    m_frame->ForEachListedAddress([&](const QString& number) {
        for (const auto& entry : stored)
            if (entry->Id.compare(number, Qt::CaseInsensitive) == 0) return;
        std::unique_ptr<TCustomerAddress> copy = loadCopy(number);
        if (!copy) return;
        if (copy->Alarm && askAlarm(*copy, mbYesNo) != mrYes) return;
        if (m_options.pickMode == 2) narrowToDefaults(*copy, false);
        m_store->List()->AddAddress(*copy);
    });
    m_store->List()->Refresh();
}

void TKWP00207Form1::FindDuplicates() {
    const QString number = m_frame->CustomerAddress().Id;
    if (number.isEmpty()) return;
    std::unique_ptr<TCustomerAddress> current = loadCopy(number);
    if (!current) return;
    QList<TDuplicateHit> hits;
    {
        const THourglass wait;
        hits = TDuplicateFinder::Find(*current, m_frame->DBAdress(), true);
    }
    QString text = current->DisplayTxt + QLatin1Char('\n');
    for (const TDuplicateHit& hit : hits) text += hit.DisplayTxt + QLatin1Char('\n');
    ShowMessageDlg(text, mtWarning, mbOKOnly);
    m_frame->DBAdress().SeekCustomer(number);
}

void TKWP00207Form1::warnDuplicates(const TCustomerAddress& record) {
    const QList<TDuplicateHit> hits = TDuplicateFinder::Find(record, m_frame->DBAdress());
    if (!hits.isEmpty())
        ShowDesktopNotice(_("Moegliche Dubletten"), TDuplicateFinder::NoticeText(hits), 100, 8000);
}

void TKWP00207Form1::collectAddresses(bool listed, TCustomerAdressObjectList& list) {
    const auto take = [&](const QString& number) {
        if (std::unique_ptr<TCustomerAddress> copy = loadCopy(number)) list.Add(std::move(copy));
    };
    if (!listed) {
        if (!m_frame->CustomerAddress().Id.isEmpty()) take(m_frame->CustomerAddress().Id);
        return;
    }
    m_frame->SaveIfModified();
    const THourglass wait;
    m_frame->ForEachListedAddress(take);
}

QString TKWP00207Form1::askExportFile(const QString& title, const QString& filter,
                                      const QString& suffix) {
    const QString file = FileDialogService().saveFile({title, QString(), filter, suffix});
    if (file.isEmpty()) return {};
    if (QFileInfo::exists(file) &&
        ShowMessageDlg(FormatStr(_("Die Datei \"%s\" existiert bereits."), {file}) +
                           QLatin1Char('\n') + _("Ueberschreiben?"),
                       mtConfirmation, mbYesNo) != mrYes)
        return {};
    return file;
}

void TKWP00207Form1::ExportVCards(bool listed, int version) {
    TCustomerAdressObjectList addresses;
    collectAddresses(listed, addresses);
    if (addresses.Count() == 0) return;
    const QString file = askExportFile(_("Als vCard exportieren"), QStringLiteral("vCard (*.vcf)"),
                                       QStringLiteral("vcf"));
    if (file.isEmpty()) return;
    QList<const TCustomerAddress*> cards;
    for (const auto& record : addresses) cards.append(record.get());
    try {
        TVCard::WriteFile(file, cards, version);
        ShowDesktopNotice(QString(), FormatStr(_("Datei geschrieben: %s"), {file}));
    } catch (const EKwpError& error) {
        ShowMessageDlg(error.message(), mtError, mbOKOnly);
    }
}

void TKWP00207Form1::ExportCsv() {
    TCustomerAdressObjectList addresses;
    collectAddresses(true, addresses);
    if (addresses.Count() == 0) return;
    const QString file = askExportFile(_("Gelistete Adressen als CSV exportieren"),
                                       QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
    if (file.isEmpty()) return;
    QList<const TCustomerAddress*> rows;
    for (const auto& record : addresses) rows.append(record.get());
    try {
        TAddressCsv::WriteFile(file, rows);
        ShowDesktopNotice(QString(), FormatStr(_("Datei geschrieben: %s"), {file}));
    } catch (const EKwpError& error) {
        ShowMessageDlg(error.message(), mtError, mbOKOnly);
    }
}

void TKWP00207Form1::ImportVCards() {
    m_frame->SaveIfModified();
    if (!hasRight("01")) {
        ShowMessageDlg(_("Sie sind nicht berechtigt, Adressen anzulegen!"), mtInformation,
                       mbOKOnly);
        return;
    }
    const QString file = FileDialogService()
                             .openFiles({_("vCards importieren"), QString(),
                                         QStringLiteral("vCard (*.vcf *.vcard)"), QString()},
                                        false)
                             .value(0);
    if (file.isEmpty()) return;
    TCustomerAdressObjectList cards;
    try {
        TVCard::ReadFile(file, cards);
    } catch (const EKwpError& error) {
        ShowMessageDlg(error.message(), mtError, mbOKOnly);
        return;
    }
    TDBAdress& db = m_frame->DBAdress();
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(userName());
    if (!lock) return;
    refreshTables(db);
    const double now = DateTimeToDayNumber(Now());
    {
        const THourglass wait;
        for (const auto& record : cards) {
            PrepareImportedAddress(*record, db, *m_config, userName(), now);
            if (db.SetCustomer(*record) != 0) {
                // All or nothing: the cards written so far go again.
                db.Unlock(lock, TLockEnd::UndoWrites);
                ShowMessageDlg(_("Fehler beim Speichern der Daten."), mtError, mbOKOnly);
                m_frame->RefreshList();
                return;
            }
        }
    }
    db.Unlock(lock);
    ShowDesktopNotice(QString(), FormatStr(_("%d Adressen importiert."), {cards.Count()}));
    selectAfterChange(cards.Count() ? cards.Items(0)->Id : QString());
}

void TKWP00207Form1::addressChosen() {
    if (!m_options.pickMode) return;
    if (btAddAdr->isVisible())
        btAddAdr->click();
    else
        btClose->click();
}

void TKWP00207Form1::appendInfoLine(bool withUser) {
    PageControl1->setCurrentIndex(0);
    QString line = DateTimeToStr(Now()) + QLatin1Char(' ');
    if (withUser) line += userName() + QLatin1Char(' ');
    QString text = mInfo->toPlainText();
    if (!text.isEmpty()) text += QLatin1Char('\n');
    // Through the change handler, so the record takes the line and is marked as edited.
    mInfo->setPlainText(text + line);
    QTextCursor cursor = mInfo->textCursor();
    cursor.movePosition(QTextCursor::End);
    mInfo->setTextCursor(cursor);
    mInfo->setFocus();
}

bool TKWP00207Form1::handleKey(QWidget* focus, int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            // The memos move their caret, the document list its selection.
            if (qobject_cast<QPlainTextEdit*>(focus) ||
                focus->objectName() == QLatin1String("lvDocuments"))
                return false;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A row of the list stands for a double click on it.
            if (qobject_cast<QTableView*>(focus) && m_frame->isAncestorOf(focus)) {
                m_frame->ChooseCurrent();
                return true;
            }
            break;
        case Qt::Key_S:
            if (!ctrl) return false;
            m_frame->SaveIfModified();
            QCoreApplication::processEvents();
            return true;
        case Qt::Key_F2:
            btNew->click();
            return true;
        case Qt::Key_F5:
            appendInfoLine(ctrl);
            return true;
        case Qt::Key_F12:
            btClose->click();
            return true;
        default:
            break;
    }
    return m_frame->HandleKey(key, modifiers);
}

bool TKWP00207Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Each key once: the filter sees it again for every parent it is passed on to.
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus ? focus : this) || widget->window() != this || !isActiveWindow())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return handleKey(widget, key->key(), key->modifiers());
}

void TKWP00207Form1::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        m_closing = true;
        m_frame->SaveIfModified();
        saveLayout();
        if (m_store) m_store->close();
    }
    event->accept();
}
