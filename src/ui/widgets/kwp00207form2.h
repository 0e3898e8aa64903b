#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TCustomerAnschriftObjectList;
class TCustomerContact;

// The contact dialog: a contact person's name, salutation, company, position, address
// extension and postal address, and the grid of the other channels (telephone, e-mail, ...).
class TKWP00207Form2 : public QDialog {
    Q_OBJECT
public:
    // contactFlags: the configured contact flag texts offered for "Kontakt".
    TKWP00207Form2(const TCustomerAnschriftObjectList& anschriften, const QStringList& contactFlags,
                   QWidget* parent = nullptr);

    // On OK the contact takes name and channels and the result is true.
    static bool Execute(TCustomerContact& contact, const TCustomerAnschriftObjectList& anschriften,
                        const QStringList& contactFlags, QWidget* parent = nullptr);

    void load(const TCustomerContact& contact);
    // Channels 11, 10, 9, 6, 7, 8 (those not empty) in front of the grid's channels.
    void store(TCustomerContact& contact) const;

    // "LETTERADDRESS.TEMPLATE" in the suite's ETC folder: one salutation per line.
    static QString SalutationsFile();
    static QStringList LoadSalutations(const QString& fileName);
    // Writes the whole file or nothing; throws EKwpError.
    static void SaveSalutations(const QString& fileName, const QStringList& salutations);

protected:
    // Enter walks through the fields and from "Position" to "OK".
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addChannel();
    void deleteChannel();
    void moveChannel(int delta);
    void editSalutations();

    QComboBox* m_contact = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_salutation = nullptr;
    QLineEdit* m_extension = nullptr;
    QComboBox* m_anschrift = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_position = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
    QList<QWidget*> m_enterOrder;
};
