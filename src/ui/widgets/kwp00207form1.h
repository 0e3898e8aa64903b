#pragma once

#include <QMainWindow>
#include <memory>

#include "ui/startoptions.h"

class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class TAddressConfig;
class TAnschriftViewFrame;
class TContactViewFrame;
class TDebitorKreditorFrame;
class TDocumentsTab;
class TDsnStage;
class TGesetzlicheVorgabenFrame;
class TWiedervorlageFrame;
class TZusaetzlichFrame;
class TCustomerAddress;
class TCustomerAdressObjectList;
class TDBAdressViewFrame1;
class TIniFile;
class TKWP00207Form8;

// Main window of the address manager: the list and search frame above, the current address in
// the tabs below, the record commands in the button row, and in pick mode the address store.
class TKWP00207Form1 : public QMainWindow {
    Q_OBJECT
public:
    // Expects the login to be done.
    explicit TKWP00207Form1(const TStartOptions& options, QWidget* parent = nullptr);
    ~TKWP00207Form1() override;

    static QString CaptionFor(const QString& tenant);

    TDBAdressViewFrame1* AdressViewFrame() const { return m_frame; }
    TKWP00207Form8* AddressStore() const { return m_store; }

    // Shows the frame's current record in the controls.
    void ShowCurrentAddress();
    void ClearAddressView();
    // Stamps and flags the record after an edit (nothing while a record is being shown).
    void MarkModified();
    // A fresh copy of the current address for printing; null without one.
    std::unique_ptr<TCustomerAddress> GetPrintAddress();

    void NewAddress();
    void CopyAddress();
    void DeleteAddress();
    void AddToFavourites();
    // "Beenden", or in pick mode "Uebernehmen".
    void CloseOrTakeOver();
    // False when the address was not taken and picking should go on.
    bool AddCurrentToStore();
    void AddListedToStore();
    void FindDuplicates();
    // Exchange with phones, mail programs and spreadsheets.
    void ExportVCards(bool listed, int version);
    void ImportVCards();
    void ExportCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneralTab();
    QWidget* buildButtonRow();
    // The panes edit the record in place; null empties them.
    void setPaneRecord(TCustomerAddress* record);
    void tabChanged(int index);
    QWidget* buildExtraFieldsTab();
    // Loads "VIEW.DAT" into the stage and makes its controls report edits.
    void loadExtraFieldLayout();
    void editExtraFieldLayout();
    void buildFunctionMenu();
    void restoreLayout();
    void saveLayout();
    bool handleKey(QWidget* focus, int key, Qt::KeyboardModifiers modifiers);
    void appendInfoLine(bool withUser);
    void showStatus();
    void addressChosen();
    void addCurrentAndRefresh();
    // Pick mode 2: the copy keeps one postal address and one contact, those selected in the
    // panes or its defaults.
    void narrowToDefaults(TCustomerAddress& copy, bool useSelection) const;
    // A fresh copy of the address from the table, or null when it is gone.
    std::unique_ptr<TCustomerAddress> loadCopy(const QString& number);
    // Asks for a new address number until it is free of forbidden characters; empty = cancel.
    QString askNumber(const QString& caption, const QString& proposal, QString* group);
    QString proposeNumber();
    void selectAfterChange(const QString& number);
    // A desktop notice naming the addresses that look like the same partner.
    void warnDuplicates(const TCustomerAddress& record);
    // The current address, or every address of the active list page, read fresh.
    void collectAddresses(bool listed, TCustomerAdressObjectList& list);
    // Asks for the file to write; empty when cancelled or not to be overwritten.
    QString askExportFile(const QString& title, const QString& filter, const QString& suffix);

    TStartOptions m_options;
    std::unique_ptr<TAddressConfig> m_config;
    // "KWP00207.INI" of the user, written back on close.
    std::unique_ptr<TIniFile> m_layout;
    TDBAdressViewFrame1* m_frame = nullptr;
    TKWP00207Form8* m_store = nullptr;
    // False while the controls are being filled: their change events are not edits then.
    bool m_binding = true;
    bool m_closing = false;
    // Created in this window: its saves are checked for duplicates too.
    QString m_newAddress;

    QSplitter* m_split = nullptr;
    QWidget* Panel1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QSplitter* m_generalSplit = nullptr;
    QWidget* Panel8 = nullptr;
    QWidget* Panel3 = nullptr;
    QComboBox* cbAdrGrp = nullptr;
    QLabel* lStatus = nullptr;
    QPlainTextEdit* mInfo = nullptr;
    TAnschriftViewFrame* m_anschriften = nullptr;
    TContactViewFrame* m_contacts = nullptr;
    TWiedervorlageFrame* m_wiedervorlage = nullptr;
    TZusaetzlichFrame* m_zusaetzlich = nullptr;
    TDocumentsTab* m_documents = nullptr;
    TDsnStage* m_stage = nullptr;
    TDebitorKreditorFrame* m_debitor = nullptr;
    TGesetzlicheVorgabenFrame* m_gesetzlich = nullptr;
    QPushButton* btNew = nullptr;
    QPushButton* btCopy = nullptr;
    QPushButton* btDelete = nullptr;
    QPushButton* InfoButton1 = nullptr;
    QPushButton* btFunc = nullptr;
    QPushButton* btClose = nullptr;
    QPushButton* btAddAdr = nullptr;
    QPushButton* btAddAdrAll = nullptr;
    QMenu* pmFunc = nullptr;
};
