#pragma once

#include <QDate>
#include <QWidget>

class QMenu;
bool MayEditAddresses();
class QTreeWidget;
class QTreeWidgetItem;
class TAddressConfig;
class TCustomerAddress;
class TCustomerContact;
class TCustomerContactData;

// The contact persons of the current record as a tree: a contact per top node (the default one
// bold and expanded), its channels below. The menu edits the contacts and starts the actions of
// a channel (mail, web, dial, SMS, copy). Works on the record in place; modified() after every
// change.
class TContactViewFrame : public QWidget {
    Q_OBJECT
public:
    enum Command {
        cmAdd = 100,
        cmEdit = 101,
        cmDelete = 103,
        cmDefault = 104,
        cmUp = 105,
        cmDown = 106,
        cmMail = 107,
        cmWeb = 108,
        cmDial = 109,
        cmSms = 110,
        cmCopy = 111,
    };

    explicit TContactViewFrame(QWidget* parent = nullptr);

    // The configuration offers the contact flag texts in the contact dialog.
    void setConfig(const TAddressConfig* config) { m_config = config; }
    // The record whose contacts are shown; null empties the tree.
    void setRecord(TCustomerAddress* record);
    // Without the right to edit only the channel actions stay.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Rebuilds all nodes.
    void ShowContacts();
    // Recomputes the texts, fonts and pictures of all nodes.
    void InitNodes();
    // The contact of the selected node (a channel node stands for its contact), or null.
    TCustomerContact* SelectedContact() const;
    // The channel of the selected node, or null for a contact node.
    TCustomerContactData* SelectedChannel() const;

    void Command(int tag);

    // A channel's node text and picture index (-1: none) on the given day.
    static QString ChannelText(const TCustomerContactData& data, const QDate& today);
    static int ChannelImage(int cdType);

Q_SIGNALS:
    void modified();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepareMenu();
    int selectedContactIndex() const;
    void initContactNode(QTreeWidgetItem* item, int contactIndex);

    QTreeWidget* m_tree = nullptr;
    QMenu* m_menu = nullptr;
    const TAddressConfig* m_config = nullptr;
    TCustomerAddress* m_record = nullptr;
    bool m_readOnly = !MayEditAddresses();
};
