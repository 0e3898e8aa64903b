#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TAddressConfig;
class TCustomerAnschrift;
class TDBZIPCodes;

// Edits one postal address; proposes towns for a postcode and postcodes for a town.
class TKWP00207Form3 : public QDialog {
    Q_OBJECT
public:
    // kinds: the address kinds as a comma list. Without a configuration, or with its automatic
    // lookup off, nothing is looked up. etcDir: folder of the postcode files, empty for the
    // suite's ETC folder.
    TKWP00207Form3(const QString& kinds, const TAddressConfig* config, QWidget* parent = nullptr,
                   const QString& etcDir = {});
    ~TKWP00207Form3() override;

    void LoadAnschrift(const TCustomerAnschrift& anschrift);
    void StoreAnschrift(TCustomerAnschrift& anschrift) const;

    // Shows the dialog; the address changes only when the user confirms.
    static bool Execute(TCustomerAnschrift& anschrift, const QString& kinds,
                        const TAddressConfig* config, QWidget* parent = nullptr);

    // What leaving the three lookup fields does.
    void LandExit();
    void PlzExit();
    void OrtExit();
    // Copies the selected hit into "PLZ" and "Ort".
    void TakeHit();
    // Adds postcode and town to the users' postcode file after the checks and a question.
    void SaveForFuture();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHint(bool shown);
    void showHits(const QStringList& hits);
    void hideHits();
    void fitHeight();
    bool refuse(const QString& text, QLineEdit* field);

    QLineEdit* m_name[4] = {};
    QLineEdit* m_strasse = nullptr;
    QLineEdit* m_land = nullptr;
    QLineEdit* m_plz = nullptr;
    QLineEdit* m_ort = nullptr;
    QComboBox* m_kind = nullptr;
    QLabel* m_hint = nullptr;
    QWidget* m_hitPanel = nullptr;
    QTreeWidget* m_hits = nullptr;
    QPushButton* m_take = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_lookup = false;
    std::unique_ptr<TDBZIPCodes> m_zipCodes;
};
