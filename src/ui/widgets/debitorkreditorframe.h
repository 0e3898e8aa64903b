#pragma once

#include <QWidget>

class QLineEdit;
class TCustomerAddress;

// Tab "Debitor / Kreditor": the seven free-text debtor and creditor fields of the record,
// written into it as typed.
class TDebitorKreditorFrame : public QWidget {
    Q_OBJECT
public:
    explicit TDebitorKreditorFrame(QWidget* parent = nullptr);
    // Shows the record and edits it from now on; null empties the fields.
    void setRecord(TCustomerAddress* record);
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void modified();

private:
    void write();

    QLineEdit* m_fields[7] = {};
    TCustomerAddress* m_record = nullptr;
    bool m_loading = false;
};
