#pragma once

#include <QWidget>

class QCheckBox;
class TCustomerAddress;

// Tab "Gesetzliche Vorgaben": the three VAT rules of the German law as check boxes.
class TGesetzlicheVorgabenFrame : public QWidget {
    Q_OBJECT
public:
    explicit TGesetzlicheVorgabenFrame(QWidget* parent = nullptr);
    // Shows the record and edits it from now on; null unchecks the boxes.
    void setRecord(TCustomerAddress* record);
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void modified();

private:
    void write();

    QCheckBox* cbParagraf13b = nullptr;
    QCheckBox* cbParagraf14b = nullptr;
    QCheckBox* cbParagraf6a = nullptr;
    TCustomerAddress* m_record = nullptr;
};
