#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class TAddressConfig;
class TAdressListModel;
class TAdressResultModel;
class TCustomerAddress;
class TDBAdress;
class TDBAdressSearchResultObjectList;
class TIniFile;
struct TAdressListRow;

// The address list and search frame: lists every address of the tenant, jumps to numbers,
// searches (text, address group, flags) with a page per result, and owns the current record,
// which it loads 300 ms after the selection stopped changing and writes back when modified.
class TDBAdressViewFrame1 : public QWidget {
    Q_OBJECT
public:
    // The configuration fills the search assistant and the group combo (it is not kept). The
    // address table of AdressenDir is opened here.
    explicit TDBAdressViewFrame1(const TAddressConfig& config, QWidget* parent = nullptr);
    ~TDBAdressViewFrame1() override;

    // Events for the owner; each may be empty.
    // After a newly selected address was loaded.
    std::function<void()> OnAddressChanged;
    // Just before the current record is written.
    std::function<void()> OnBeforeSave;
    // After a double click on a list row led to a load.
    std::function<void()> OnAddressChosen;
    // Before another address is loaded, while the current record has a number.
    std::function<void()> OnBeforeAddressChange;

    TCustomerAddress& CustomerAddress() { return *m_address; }
    TDBAdress& DBAdress() { return *m_db; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    void LoadLayout(const TIniFile& ini);
    void SaveLayout(TIniFile& ini) const;

    // Selects the address in the main list (the first one when it does not exist); the
    // selection then loads it.
    void SelectAddress(const QString& number);
    void RefreshList();
    // Writes the current record when it was modified and the user may save.
    void SaveIfModified();
    // The numbers of the active page: its results still in the table, or every address.
    void ForEachListedAddress(const std::function<void(const QString& number)>& callback);
    // The frame's keys (Enter, Up/Down, Ctrl+Left/Right, F7, Shift+F7); true when handled.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);

    // As a double click on the selected row: it is loaded (again) and then reported chosen.
    void ChooseCurrent();

    void TextSearch();
    void GroupSearch(const QString& group);
    void SpecialSearch();
    void CloseResultPage();

    // One 100 ms tick of the selection delay; the timer calls it, tests may too.
    void TickSelectionDelay();
    bool SelectionDelayRunning() const;

private:
    void buildControls(const TAddressConfig& config);
    QWidget* buildStandardStrip(const TAddressConfig& config);
    TAdressListRow readRow(int row);
    QTableView* makeList(QWidget* parent, const QString& name);
    QTableView* activeList() const;
    TAdressResultModel* resultModel(int page) const;
    void restartSelectionDelay();
    void loadSelected();
    QString selectedNumber() const;
    void selectRow(QTableView* list, int row);
    void showMainPage();
    void pageChanged(int page);
    void jumpTo(const QString& text);
    void addResultPage(const QString& caption,
                       std::unique_ptr<TDBAdressSearchResultObjectList> results);
    void showResults(const QString& caption,
                     std::unique_ptr<TDBAdressSearchResultObjectList> results);
    void rereadRows();

    std::unique_ptr<TDBAdress> m_db;
    std::unique_ptr<TCustomerAddress> m_address;
    // The current record as it was loaded or last saved here: what another workstation's save
    // is merged against.
    std::unique_ptr<TCustomerAddress> m_loaded;
    bool m_modified = false;
    bool m_chosen = false;
    bool m_rowErrorReported = false;
    int m_elapsed = 0;
    QTimer* m_delay = nullptr;

    TAdressListModel* m_model = nullptr;
    QTabWidget* pcAdress = nullptr;
    QTableView* VDBGrid = nullptr;
    QListWidget* cbAK = nullptr;
    QLineEdit* edAK = nullptr;
    QListWidget* cbKK = nullptr;
    QListWidget* cbSKK = nullptr;
    QPushButton* btSpecialSearch = nullptr;
    QWidget* pnStandard = nullptr;
    QWidget* pnResult = nullptr;
    QLineEdit* edSearchText = nullptr;
    QPushButton* btSearch = nullptr;
    QLineEdit* edGoto = nullptr;
    QComboBox* cbAdressgruppe = nullptr;
    QPushButton* btCloseResult = nullptr;
};
