#pragma once

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;
class TDBBLZCodes;
class TPaymentWay;

// Edits the bank account of a payment way; proposes the bank for a bank code and reads bank
// code and account number out of a German IBAN.
class TKWP00207Form4 : public QDialog {
    Q_OBJECT
public:
    // etcDir: folder of the bank-code database, empty for the suite's ETC folder.
    explicit TKWP00207Form4(QWidget* parent = nullptr, const QString& etcDir = {});
    ~TKWP00207Form4() override;

    void LoadPaymentWay(const TPaymentWay& way);
    void StorePaymentWay(TPaymentWay& way) const;

    // Shows the dialog; the payment way changes only when the user confirms.
    static bool Execute(TPaymentWay& way, QWidget* parent = nullptr);

    // Looks the bank code up: one bank fills "BIC" and "Kreditinstitut", several are offered.
    void LookupBankCode();
    // Copies BIC and short name of the selected bank.
    void TakeBank();
    // An invalid IBAN is kept only when the user says so.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ibanEdited();
    void showIbanState();

    QLineEdit* m_comm = nullptr;
    QLineEdit* m_bankCode = nullptr;
    QLineEdit* m_inst = nullptr;
    QLineEdit* m_account = nullptr;
    QLineEdit* m_iban = nullptr;
    QLineEdit* m_bic = nullptr;
    QLabel* m_ibanState = nullptr;
    QWidget* m_bankPanel = nullptr;
    QTableWidget* m_banks = nullptr;
    std::unique_ptr<TDBBLZCodes> m_blzCodes;
};
