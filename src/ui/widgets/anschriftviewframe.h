#pragma once

#include <QWidget>

class QMenu;
bool MayEditAddresses();
class QTreeWidget;
class QTreeWidgetItem;
class TAddressConfig;
class TCustomerAddress;
class TCustomerAnschrift;
class TCustomerAnschriftObjectList;

// The postal addresses of the current record, one multi-line node each (the default one bold),
// with the menu that adds, edits, deletes, orders them and copies one as letter address.
// Works on the record in place and reports every change with modified().
class TAnschriftViewFrame : public QWidget {
    Q_OBJECT
public:
    enum Command {
        cmAdd = 100,
        cmEdit = 101,
        cmDelete = 102,
        cmDefault = 103,
        cmUp = 104,
        cmDown = 105,
        cmCopy = 106,
        cmMap = 107,
    };

    explicit TAnschriftViewFrame(QWidget* parent = nullptr);

    // The configuration supplies the address kinds, the default country and the home country.
    void setConfig(const TAddressConfig* config) { m_config = config; }
    // The record whose addresses are shown and edited; null empties the frame.
    void setRecord(TCustomerAddress* record);
    // Without the right to edit, only copying stays.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Shows the list again (all nodes new).
    void ShowList();
    TCustomerAnschrift* SelectedAnschrift() const;
    // -1 for none.
    int SelectedIndex() const;
    // Recomputes texts and fonts of every node, keeping the selection.
    void InitNodes();

    // Runs a menu command by its tag; nothing happens without a current record.
    void Command(int tag);

    // The map service's address for a text: blank as "+", unsafe characters as %XX.
    static QString MapUrl(const QString& text);

Q_SIGNALS:
    void modified();

private:
    void prepareMenu();
    void select(int index);
    void changed();

    QTreeWidget* m_list = nullptr;
    QMenu* m_menu = nullptr;
    const TAddressConfig* m_config = nullptr;
    TCustomerAddress* m_record = nullptr;
    bool m_readOnly = !MayEditAddresses();
};
