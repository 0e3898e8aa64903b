#include "ui/widgets/dbadressviewframe1.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/notices.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "ui/widgets/adresslistdelegate.h"
#include "ui/widgets/adresslistmodel.h"
#include "ui/widgets/hourglass.h"

namespace {
constexpr int selectionTickMs = 100;
constexpr int selectionDelayMs = 300;

QListWidget* frameCheckList(const QString& name, const QStringList& items) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // Wide enough for the longest entry beside a vertical scroll bar.
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    return list;
}

QStringList frameCheckedTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) texts.append(list->item(i)->text());
    return texts;
}

QLabel* frameCaption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QLabel* frameKeyHint(const QString& text) {
    auto* label = new QLabel(text);
    label->setEnabled(false);
    return label;
}

// Typing in a list jumps through the number field: the view's own search would read every row
// up to the match.
class AdressListView : public QTableView {
public:
    AdressListView(QWidget* parent, std::function<void(const QString&)> typed)
        : QTableView(parent), m_typed(std::move(typed)) {}
    void keyboardSearch(const QString& search) override { m_typed(search); }

private:
    std::function<void(const QString&)> m_typed;
};

// A special search's match: any flag of the address, contact name or channel remark in its list.
bool matchesSpecialSearch(const TCustomerAddress& address, const QStringList& flags,
                          const QStringList& contacts, const QStringList& remarks) {
    for (const QString& flag : address.Kennzeichen)
        if (flags.contains(flag, Qt::CaseInsensitive)) return true;
    for (const auto& contact : address.Kontakte) {
        if (contacts.contains(contact->Name, Qt::CaseInsensitive)) return true;
        for (const auto& channel : contact->Data)
            if (remarks.contains(channel->CdCaract, Qt::CaseInsensitive)) return true;
    }
    return false;
}
}  // namespace

TDBAdressViewFrame1::TDBAdressViewFrame1(const TAddressConfig& config, QWidget* parent)
    : QWidget(parent),
      m_db(std::make_unique<TDBAdress>()),
      m_address(std::make_unique<TCustomerAddress>()),
      m_loaded(std::make_unique<TCustomerAddress>()) {
    setObjectName(QStringLiteral("DBAdressViewFrame1"));
    const TSystemEinstellungen* sys = SystemEinstellungen();
    try {
        m_db->OpenDirectory(sys ? sys->AdressenDir : QString());
    } catch (const std::exception& error) {
        m_db->ReportError(error, QStringLiteral("OpenDirectory"));
    }
    m_delay = new QTimer(this);
    m_delay->setInterval(selectionTickMs);
    connect(m_delay, &QTimer::timeout, this, &TDBAdressViewFrame1::TickSelectionDelay);
    buildControls(config);
    m_model->Reset(m_db->GetRecordCount());
}

TDBAdressViewFrame1::~TDBAdressViewFrame1() {
    // The views go before the table their model reads from.
    delete pcAdress;
}

void TDBAdressViewFrame1::buildControls(const TAddressConfig& config) {
    pcAdress = new QTabWidget;
    pcAdress->setObjectName(QStringLiteral("pcAdress"));
    auto* mainPage = new QSplitter;
    mainPage->setObjectName(QStringLiteral("tsAdressenstamm"));
    pcAdress->addTab(mainPage, _("Adressenstamm"));

    m_model = new TAdressListModel([this](int row) { return readRow(row); }, this);
    VDBGrid = makeList(mainPage, QStringLiteral("VDBGrid"));
    VDBGrid->setModel(m_model);
    connect(VDBGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDBAdressViewFrame1::restartSelectionDelay);
    mainPage->addWidget(VDBGrid);

    auto* assistant = new QGroupBox(_("Such-Assistent"));
    assistant->setObjectName(QStringLiteral("gbSuchAssistent"));
    auto* assistantLayout = new QVBoxLayout(assistant);
    cbAK = frameCheckList(QStringLiteral("cbAK"), config.AdressKz);
    edAK = new QLineEdit;
    edAK->setObjectName(QStringLiteral("edAK"));
    cbKK = frameCheckList(QStringLiteral("cbKK"), config.KontaktKz);
    cbSKK = frameCheckList(QStringLiteral("cbSKK"), config.SpezielleKontaktKz);
    assistantLayout->addWidget(frameCaption(_("Adresskennzeichen"), cbAK));
    assistantLayout->addWidget(cbAK, 1);
    assistantLayout->addWidget(edAK);
    assistantLayout->addWidget(frameCaption(_("Kontaktkennzeichen"), cbKK));
    assistantLayout->addWidget(cbKK, 1);
    assistantLayout->addWidget(frameCaption(_("Spezielle Kontaktkennzeichen"), cbSKK));
    assistantLayout->addWidget(cbSKK, 1);
    btSpecialSearch = new QPushButton(_("Spezialsuche starten"));
    btSpecialSearch->setObjectName(QStringLiteral("btSpecialSearch"));
    connect(btSpecialSearch, &QPushButton::clicked, this, &TDBAdressViewFrame1::SpecialSearch);
    assistantLayout->addWidget(btSpecialSearch);
    mainPage->addWidget(assistant);
    mainPage->setStretchFactor(0, 1);
    mainPage->setStretchFactor(1, 0);
    mainPage->setCollapsible(0, false);
    // The list takes what the assistant does not need.
    mainPage->setSizes({4 * assistant->minimumSizeHint().width(), 1});

    pnResult = new QWidget;
    pnResult->setObjectName(QStringLiteral("pnResult"));
    auto* resultLayout = new QHBoxLayout(pnResult);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    btCloseResult = new QPushButton(_("Suchergebnis schliessen"));
    btCloseResult->setObjectName(QStringLiteral("btCloseResult"));
    connect(btCloseResult, &QPushButton::clicked, this, &TDBAdressViewFrame1::CloseResultPage);
    resultLayout->addWidget(btCloseResult);
    resultLayout->addStretch(1);
    pnResult->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcAdress, 1);
    layout->addWidget(buildStandardStrip(config));
    layout->addWidget(pnResult);
    connect(pcAdress, &QTabWidget::currentChanged, this, &TDBAdressViewFrame1::pageChanged);
}

QWidget* TDBAdressViewFrame1::buildStandardStrip(const TAddressConfig& config) {
    pnStandard = new QWidget;
    pnStandard->setObjectName(QStringLiteral("pnStandard"));
    auto* strip = new QHBoxLayout(pnStandard);
    strip->setContentsMargins(0, 0, 0, 0);
    edSearchText = new QLineEdit;
    edSearchText->setObjectName(QStringLiteral("edSearchText"));
    btSearch = new QPushButton(_("Suche starten"));
    btSearch->setObjectName(QStringLiteral("btSearch"));
    connect(btSearch, &QPushButton::clicked, this, &TDBAdressViewFrame1::TextSearch);
    edGoto = new QLineEdit;
    edGoto->setObjectName(QStringLiteral("edGoto"));
    edGoto->setMaxLength(20);
    connect(edGoto, &QLineEdit::textChanged, this, &TDBAdressViewFrame1::jumpTo);
    cbAdressgruppe = new QComboBox;
    cbAdressgruppe->setObjectName(QStringLiteral("cbAdressgruppe"));
    cbAdressgruppe->addItems(config.AdressGrp);
    cbAdressgruppe->setCurrentIndex(-1);
    cbAdressgruppe->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cbAdressgruppe, &QComboBox::activated, this,
            [this](int index) { GroupSearch(cbAdressgruppe->itemText(index)); });

    strip->addWidget(frameCaption(_("Suchtext"), edSearchText));
    strip->addWidget(edSearchText, 2);
    strip->addWidget(frameKeyHint(_("Umsch+F7")));
    strip->addWidget(btSearch);
    strip->addSpacing(12);
    strip->addWidget(frameCaption(_("Gehe zu Adresse"), edGoto));
    strip->addWidget(edGoto, 1);
    strip->addWidget(frameKeyHint(_("F7")));
    strip->addSpacing(12);
    strip->addWidget(frameCaption(_("Adressgruppe"), cbAdressgruppe));
    strip->addWidget(cbAdressgruppe);
    return pnStandard;
}

QTableView* TDBAdressViewFrame1::makeList(QWidget* parent, const QString& name) {
    auto* list = new AdressListView(parent, [this](const QString& typed) {
        edGoto->setFocus();
        edGoto->setText(typed);
    });
    list->setObjectName(name);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTabKeyNavigation(false);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setItemDelegate(new TAdressListDelegate(list));
    // Every row equally high: the view never asks a row for its size.
    QHeaderView* rows = list->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setStretchLastSection(false);
    connect(list, &QTableView::doubleClicked, this, &TDBAdressViewFrame1::ChooseCurrent);
    return list;
}

TAdressListRow TDBAdressViewFrame1::readRow(int row) {
    try {
        TStoreTable* table = m_db->AddressTable();
        if (!table || table->State() != TStoreState::Browse || row >= table->RecordCount())
            return {};
        // Painting must not move the cursor the record operations work from.
        const int previous = table->RecNo();
        table->SetRecNo(row + 1);
        const TStoreField* wv = table->FindField(QStringLiteral("WV"));
        TAdressListRow values{table->FieldByName(QStringLiteral("ID")).AsString(),
                              table->FieldByName(QStringLiteral("DISPLAYTXT")).AsString(),
                              table->FieldByName(QStringLiteral("ADDRGRP")).AsString(),
                              wv ? wv->AsDateTime() : 0};
        if (previous > 0 && previous != row + 1) table->SetRecNo(previous);
        return values;
    } catch (const std::exception& error) {
        // Reported once: painting would ask again for every row.
        if (!m_rowErrorReported) {
            m_rowErrorReported = true;
            m_db->ReportError(error, QStringLiteral("ReadListRow"));
        }
        return {};
    }
}

void TDBAdressViewFrame1::LoadLayout(const TIniFile& ini) {
    for (int column = 0; column < adresslist::ColumnCount; ++column) {
        const int width =
            ini.ReadInteger(objectName(), VDBGrid->objectName() + QString::number(column),
                            adresslist::DefaultWidth(column));
        VDBGrid->setColumnWidth(column, width > 0 ? width : adresslist::DefaultWidth(column));
    }
}

void TDBAdressViewFrame1::SaveLayout(TIniFile& ini) const {
    for (int column = 0; column < adresslist::ColumnCount; ++column)
        ini.WriteInteger(objectName(), VDBGrid->objectName() + QString::number(column),
                         VDBGrid->columnWidth(column));
}

QTableView* TDBAdressViewFrame1::activeList() const {
    QWidget* page = pcAdress->currentWidget();
    if (!page || pcAdress->currentIndex() == 0) return VDBGrid;
    return page->findChild<QTableView*>();
}

TAdressResultModel* TDBAdressViewFrame1::resultModel(int page) const {
    QWidget* widget = page > 0 ? pcAdress->widget(page) : nullptr;
    QTableView* list = widget ? widget->findChild<QTableView*>() : nullptr;
    return list ? qobject_cast<TAdressResultModel*>(list->model()) : nullptr;
}

void TDBAdressViewFrame1::restartSelectionDelay() {
    m_elapsed = 0;
    m_delay->start();
}

bool TDBAdressViewFrame1::SelectionDelayRunning() const {
    return m_delay->isActive();
}

void TDBAdressViewFrame1::TickSelectionDelay() {
    m_elapsed += selectionTickMs;
    if (m_elapsed != selectionDelayMs) return;
    m_delay->stop();
    loadSelected();
}

QString TDBAdressViewFrame1::selectedNumber() const {
    QTableView* list = activeList();
    const QModelIndexList rows = list ? list->selectionModel()->selectedRows() : QModelIndexList();
    if (rows.isEmpty()) return {};
    const int row = rows.first().row();
    if (list == VDBGrid) return m_model->Row(row).Id;
    const TAdressResultModel* results = resultModel(pcAdress->currentIndex());
    return results && row < results->Results().Count() ? results->Results().Items(row)->Id
                                                       : QString();
}

void TDBAdressViewFrame1::loadSelected() {
    SaveIfModified();
    if (!m_address->Id.isEmpty() && OnBeforeAddressChange) OnBeforeAddressChange();
    const QString number = selectedNumber();
    if (number.isEmpty()) return;
    // A row another workstation deleted meanwhile must not keep the previous address's data.
    m_address->Clear();
    m_address->Id = number;
    m_db->GetCustomer(number, *m_address);
    m_loaded->Assign(*m_address);
    m_modified = false;
    if (OnAddressChanged) OnAddressChanged();
    if (m_chosen) {
        m_chosen = false;
        if (OnAddressChosen) OnAddressChosen();
    }
}

void TDBAdressViewFrame1::ChooseCurrent() {
    m_chosen = true;
    restartSelectionDelay();
}

void TDBAdressViewFrame1::selectRow(QTableView* list, int row) {
    if (!list || row < 0 || row >= list->model()->rowCount()) return;
    const QModelIndex index = list->model()->index(row, 0);
    list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

void TDBAdressViewFrame1::showMainPage() {
    pcAdress->setCurrentIndex(0);
    pnStandard->show();
    pnResult->hide();
}

void TDBAdressViewFrame1::pageChanged(int page) {
    pnStandard->setVisible(page <= 0);
    pnResult->setVisible(page > 0);
    restartSelectionDelay();
}

void TDBAdressViewFrame1::SelectAddress(const QString& number) {
    showMainPage();
    int recNo = m_db->GetCustomerRecNo(number);
    if (recNo == 0 && !number.isEmpty()) {
        ShowMessageDlgFmt(_("Adresse \"%s\" nicht gefunden."), {number}, mtError, mbOKOnly);
        recNo = m_db->GetCustomerRecNo(QString());
    }
    if (recNo == 0) return;
    selectRow(VDBGrid, recNo - 1);
}

void TDBAdressViewFrame1::RefreshList() {
    m_model->Reset(0);
    try {
        m_db->RefreshTables();
    } catch (const std::exception& error) {
        m_db->ReportError(error, QStringLiteral("RefreshTables"));
    }
    m_rowErrorReported = false;
    m_model->Reset(m_db->GetRecordCount());
}

void TDBAdressViewFrame1::rereadRows() {
    const int count = m_db->GetRecordCount();
    if (count == m_model->rowCount()) {
        m_model->Reread();
        return;
    }
    // Other workstations added or removed rows: stay on the selected address.
    const QString selected = pcAdress->currentIndex() == 0 ? selectedNumber() : QString();
    m_model->Reset(count);
    const int recNo = selected.isEmpty() ? 0 : m_db->GetCustomerRecNo(selected);
    if (recNo > 0) selectRow(VDBGrid, recNo - 1);
}

void TDBAdressViewFrame1::SaveIfModified() {
    if (!m_modified) return;
    m_modified = false;
    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    if (!user || !user->HasRight(QStringLiteral("02"))) {
        ShowMessageDlg(_("Sie sind nicht berechtigt, Adressen zu bearbeiten!"), mtInformation,
                       mbOKOnly);
        return;
    }
    std::unique_ptr<TDatabaseLock> lock = m_db->LockAddressTable(user->Vollname);
    if (!lock) return;
    const auto unlock = qScopeGuard([&] { m_db->Unlock(lock); });
    try {
        m_db->RefreshTables();
    } catch (const std::exception& error) {
        m_db->ReportError(error, QStringLiteral("RefreshTables"));
    }
    const THourglass wait;
    m_address->DisplayTxt = m_address->GetShortText();
    if (OnBeforeSave) OnBeforeSave();
    // Another workstation saved this address since it was loaded here: its changes stay.
    TCustomerAddress stored;
    const bool merged = m_loaded->Id == m_address->Id && m_db->GetCustomer(m_address->Id, stored) &&
                        !stored.SameContent(*m_loaded);
    if (merged) {
        m_address->MergeStored(*m_loaded, stored);
        m_address->DisplayTxt = m_address->GetShortText();
    }
    if (m_db->SetCustomer(*m_address) != 0)
        ShowMessageDlg(_("Fehler beim Speichern der Daten."), mtError, mbOKOnly);
    else
        m_loaded->Assign(*m_address);
    if (pcAdress->currentIndex() == 0) rereadRows();
    // The other workstation's changes are shown too.
    if (merged && OnAddressChanged) OnAddressChanged();
}

void TDBAdressViewFrame1::ForEachListedAddress(
    const std::function<void(const QString& number)>& callback) {
    if (const TAdressResultModel* results = resultModel(pcAdress->currentIndex())) {
        for (const auto& hit : results->Results())
            if (m_db->ExistsCustomer(hit->Id)) callback(hit->Id);
        return;
    }
    // Collected first: the callback reads addresses and moves the table's cursor.
    QStringList numbers;
    try {
        TStoreTable* table = m_db->AddressTable();
        if (!table || table->State() != TStoreState::Browse) return;
        for (table->First(); !table->Eof(); table->Next())
            numbers.append(table->FieldByName(QStringLiteral("ID")).AsString());
    } catch (const std::exception& error) {
        m_db->ReportError(error, QStringLiteral("ForEachListedAddress"));
    }
    for (const QString& number : std::as_const(numbers)) callback(number);
}

bool TDBAdressViewFrame1::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!edSearchText->hasFocus()) return false;
            QCoreApplication::processEvents();
            TextSearch();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            QTableView* list = activeList();
            if (!list) return true;
            const int current = list->currentIndex().row();
            const int row = current < 0 ? 0 : current + (key == Qt::Key_Down ? 1 : -1);
            if (row != current) selectRow(list, row);
            return true;
        }
        case Qt::Key_Left:
        case Qt::Key_Right: {
            if (!ctrl) return false;
            const int page = pcAdress->currentIndex() + (key == Qt::Key_Right ? 1 : -1);
            if (page >= 0 && page < pcAdress->count()) pcAdress->setCurrentIndex(page);
            return true;
        }
        case Qt::Key_F7:
            (shift ? edSearchText : edGoto)->setFocus();
            return true;
        default:
            return false;
    }
}

void TDBAdressViewFrame1::jumpTo(const QString& text) {
    const THourglass wait;
    showMainPage();
    // Numbers are stored upper-cased.
    m_db->FindID(text.toUpper());
    const TStoreTable* table = m_db->AddressTable();
    const int recNo = table ? std::min(table->RecNo(), m_model->rowCount()) : 0;
    if (recNo > 0) selectRow(VDBGrid, recNo - 1);
}

void TDBAdressViewFrame1::TextSearch() {
    SaveIfModified();
    const QString text = edSearchText->text().trimmed();
    auto results = std::make_unique<TDBAdressSearchResultObjectList>();
    {
        const THourglass wait;
        m_db->FindAddress(text, *results);
    }
    showResults(text, std::move(results));
}

void TDBAdressViewFrame1::GroupSearch(const QString& group) {
    SaveIfModified();
    auto results = std::make_unique<TDBAdressSearchResultObjectList>();
    {
        const THourglass wait;
        m_db->FindAddressByAddrGrp(group, *results);
    }
    showResults(_("Adressgruppe") + QStringLiteral(": ") + group, std::move(results));
}

void TDBAdressViewFrame1::SpecialSearch() {
    SaveIfModified();
    edAK->setText(edAK->text().trimmed());
    QStringList flags;
    for (const QString& part : edAK->text().split(QLatin1Char(',')))
        if (!part.trimmed().isEmpty()) flags.append(part.trimmed());
    flags += frameCheckedTexts(cbAK);
    const QStringList contacts = frameCheckedTexts(cbKK);
    const QStringList remarks = frameCheckedTexts(cbSKK);
    auto results = std::make_unique<TDBAdressSearchResultObjectList>();
    if (!flags.isEmpty() || !contacts.isEmpty() || !remarks.isEmpty()) {
        const THourglass wait;
        try {
            TStoreTable& table = *m_db->AddressTable();
            const TStoreReadSnapshot reading(table);
            // Flags alone are in their column: no need to parse every record's XML.
            const bool flagsOnly = contacts.isEmpty() && remarks.isEmpty();
            TCustomerAddress address;
            for (table.First(); !table.Eof(); table.Next()) {
                if (flagsOnly) {
                    address.Kennzeichen.clear();
                    for (QString line :
                         table.FieldByName(QStringLiteral("CHARACT")).AsString().split(u'\n')) {
                        if (line.endsWith(u'\r')) line.chop(1);
                        address.Kennzeichen.append(line);
                    }
                } else if (!m_db->ReadCurrent(address)) {
                    continue;
                }
                if (!matchesSpecialSearch(address, flags, contacts, remarks)) continue;
                TDBAdressSearchResult* hit = results->Add();
                hit->RecNo = table.RecNo();
                hit->Id = table.FieldByName(QStringLiteral("ID")).AsString();
                hit->DisplayTxt = table.FieldByName(QStringLiteral("DISPLAYTXT")).AsString();
                hit->AddrGrp = table.FieldByName(QStringLiteral("ADDRGRP")).AsString();
                const TStoreField* wv = table.FindField(QStringLiteral("WV"));
                hit->Wv = wv ? wv->AsDateTime() : 0;
            }
        } catch (const std::exception& error) {
            m_db->ReportError(error, QStringLiteral("SpecialSearch"));
        }
    }
    showResults(_("Spezialsuche"), std::move(results));
}

void TDBAdressViewFrame1::showResults(const QString& caption,
                                      std::unique_ptr<TDBAdressSearchResultObjectList> results) {
    if (results->Count() == 0) {
        ShowDesktopNotice(QString(), _("Nichts gefunden."), 100, 1000);
        return;
    }
    const int count = results->Count();
    addResultPage(caption, std::move(results));
    ShowDesktopNotice(QString(), FormatStr(_("%d Treffer"), {count}), 100, 1000);
}

void TDBAdressViewFrame1::addResultPage(const QString& caption,
                                        std::unique_ptr<TDBAdressSearchResultObjectList> results) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsResult%1").arg(pcAdress->count()));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    QTableView* list = makeList(page, QStringLiteral("VDBResult"));
    list->setModel(new TAdressResultModel(std::move(results), list));
    for (int column = 0; column < adresslist::ColumnCount; ++column)
        list->setColumnWidth(column, VDBGrid->columnWidth(column));
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDBAdressViewFrame1::restartSelectionDelay);
    layout->addWidget(list);
    pcAdress->setCurrentIndex(pcAdress->addTab(page, caption));
    selectRow(list, 0);
    list->setFocus();
}

void TDBAdressViewFrame1::CloseResultPage() {
    const int page = pcAdress->currentIndex();
    const TAdressResultModel* results = resultModel(page);
    if (!results) return;
    int recNo = 0;
    const QModelIndexList rows = activeList()->selectionModel()->selectedRows();
    if (!rows.isEmpty() && rows.first().row() < results->Results().Count())
        recNo = results->Results().Items(rows.first().row())->RecNo;
    QWidget* widget = pcAdress->widget(page);
    showMainPage();
    if (recNo > 0) selectRow(VDBGrid, recNo - 1);
    VDBGrid->viewport()->update();
    pcAdress->removeTab(page);
    delete widget;
}
