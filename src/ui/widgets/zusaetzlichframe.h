#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TAddressConfig;
class TCustomerAddress;
class TPaymentWay;

// Tab "Zusaetzlich" of the current record: flags, payment ways with their bank accounts,
// payment terms, alarm, special payment information, forwarding, tax and dunning fields.
// Every change is written into the record at once and reported with modified().
class TZusaetzlichFrame : public QWidget {
    Q_OBJECT
public:
    // Tags of the payment way menu.
    enum PaymentWayCommand {
        pwcAddBar = 100,
        pwcAddScheck = 101,
        pwcAddUeberweisung = 102,
        pwcAddEuropa = 103,
        pwcAddLastschrift = 104,
        pwcToUeberweisung = 105,
        pwcToEuropa = 106,
        pwcToLastschrift = 107,
        pwcEdit = 108,
        pwcDelete = 109,
        pwcUp = 110,
        pwcDown = 111,
        pwcAddVorkasse = 112,
        pwcAddNachnahme = 113,
    };
    // Tags of the payment term menu.
    enum TermCommand { ptcAdd = 100, ptcEdit = 101, ptcDelete = 102 };

    explicit TZusaetzlichFrame(QWidget* parent = nullptr);

    // The configured flag texts are offered in "Kennzeichenauswahl".
    void setConfig(const TAddressConfig* config);
    // Shows the record and edits it from now on; null empties the controls.
    void setRecord(TCustomerAddress* record);
    void setReadOnly(bool readOnly);

    void PaymentWayCommand(int tag);
    void TermCommand(int tag);
    // Flag buttons; Enter in the flag combo adds too.
    void AddFlag();
    void DeleteFlag();
    void MoveFlag(int delta);

    // Node texts of a payment way and of its bank line.
    static QString PaymentWayText(const TPaymentWay& way);
    static QString BankText(const TPaymentWay& way);

Q_SIGNALS:
    void modified();

private:
    QWidget* buildFlags();
    QWidget* buildPaymentWays();
    QWidget* buildTerms();
    QWidget* buildFields();
    void showPaymentWays(int selected);
    void initPaymentWayNode(QTreeWidgetItem* item, const TPaymentWay& way);
    int selectedPaymentWay() const;
    void preparePaymentWayMenu();
    void showTerms(int selected);
    void showFlags(int selected);
    bool editable() const;
    void changed();
    void writeFields();

    QListWidget* lbCharact = nullptr;
    QComboBox* cbKennzeichen = nullptr;
    QPushButton* btKzAdd = nullptr;
    QPushButton* btKzDelete = nullptr;
    QPushButton* btKzUp = nullptr;
    QPushButton* btKzDown = nullptr;
    QTreeWidget* vstPaymentWays = nullptr;
    QMenu* pmPaymentWays = nullptr;
    QMenu* m_changeMenu = nullptr;
    QAction* m_editWay = nullptr;
    QListWidget* lbZahlbed = nullptr;
    QMenu* pmZahlbed = nullptr;
    QCheckBox* cbAlarm = nullptr;
    QPlainTextEdit* mAlarmInfo = nullptr;
    QPlainTextEdit* mmZahlInfo = nullptr;
    QLineEdit* edAdrWeiterl = nullptr;
    QLineEdit* edUStIDNr = nullptr;
    QComboBox* cbmwsta = nullptr;
    QComboBox* cbSprache = nullptr;
    QComboBox* cbMahn = nullptr;
    QLineEdit* edSteuerNr = nullptr;

    TCustomerAddress* m_record = nullptr;
    // While the controls are filled their change signals write nothing.
    bool m_loading = false;
    bool m_readOnly = false;
};
