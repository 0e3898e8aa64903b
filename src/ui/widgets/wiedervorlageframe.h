#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QToolButton;
class TCustomerAddress;
class TDateEdit;

// The resubmission row of the current record: date, time, text and the user to remind.
class TWiedervorlageFrame : public QWidget {
    Q_OBJECT
public:
    explicit TWiedervorlageFrame(QWidget* parent = nullptr);
    // Shows the record and edits it from now on; null empties the row.
    void setRecord(TCustomerAddress* record);
    void setReadOnly(bool readOnly);
    // Empties date, time, text and user; the record follows.
    void Clear();
    // Date of the date field plus the time typed in the time field (none when it does not parse).
    double Value() const;

Q_SIGNALS:
    void modified();

private:
    void write();

    TDateEdit* deWV = nullptr;
    QLineEdit* edWVTime = nullptr;
    QLineEdit* edWVText = nullptr;
    QComboBox* cbWVUser = nullptr;
    QToolButton* sbWVDel = nullptr;
    TCustomerAddress* m_record = nullptr;
    bool m_loading = false;
};
