#pragma once

#include <QFrame>

#include "address/customeraddress.h"

class QTreeWidget;

// The list of the address store: copies of the addresses picked so far, written as an
// "<adressen>" list when picking ends.
class TAdresslistViewerFrame : public QFrame {
    Q_OBJECT
public:
    explicit TAdresslistViewerFrame(QWidget* parent = nullptr);
    ~TAdresslistViewerFrame() override;

    TCustomerAdressObjectList& List() { return m_list; }
    // Appends a copy of the record; Refresh shows it.
    void AddAddress(const TCustomerAddress& record);
    // One row per stored address; the last row is selected and focused.
    void Refresh();
    // "Entfernen": deletes every selected entry, then selects the last row.
    void RemoveSelected();
    // Throws EKwpError.
    void SaveToFile(const QString& fileName) const;

private:
    TCustomerAdressObjectList m_list;
    QTreeWidget* m_view = nullptr;
};
