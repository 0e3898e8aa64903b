#include "ui/widgets/contactviewframe.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "address/addressconfig.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "app/clock.h"
#include "app/dateinput.h"
#include "app/dialogs.h"
#include "app/format.h"
#include "app/translation.h"
#include "ui/contactactions.h"
#include "ui/widgets/kwp00207form2.h"
#include "ui/widgets/panesupport.h"

namespace {
// Node data: index of the contact, and of the channel (-1 on a contact node).
constexpr int kContactRole = Qt::UserRole;
constexpr int kChannelRole = Qt::UserRole + 1;

// Whole years from one date to another, as a birthday counts them.
int WholeYears(const QDate& from, const QDate& to) {
    int years = to.year() - from.year();
    if (to.month() < from.month() || (to.month() == from.month() && to.day() < from.day())) --years;
    return years;
}
}  // namespace

TContactViewFrame::TContactViewFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ContactViewFrame"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("vstContact"));
    m_tree->setHeaderLabel(_("Kontakte"));
    m_tree->header()->setStretchLastSection(false);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->viewport()->setCursor(Qt::PointingHandCursor);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->viewport()->installEventFilter(this);
    layout->addWidget(m_tree);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmContact"));
    AddTaggedAction(m_menu, "miContactSms", _("SMS senden"), cmSms);
    AddTaggedAction(m_menu, "miContactDial", _("Telefonnummer waehlen"), cmDial);
    AddTaggedAction(m_menu, "miContactWeb", _("Internetadresse oeffnen"), cmWeb);
    AddTaggedAction(m_menu, "miContactMail", _("Neue E-Mail erzeugen"), cmMail);
    AddTaggedAction(m_menu, "miContactCopy", _("In die Zwischenablage kopieren"), cmCopy);
    m_menu->addSeparator()->setObjectName(QStringLiteral("miContactActionSep"));
    AddTaggedAction(m_menu, "miContactAdd", _("Hinzufuegen"), cmAdd);
    AddTaggedAction(m_menu, "miContactEdit", _("Bearbeiten"), cmEdit);
    AddTaggedAction(m_menu, "miContactDelete", _("Loeschen"), cmDelete);
    m_menu->addSeparator();
    AddTaggedAction(m_menu, "miContactDefault", _("Als Standard"), cmDefault);
    m_menu->addSeparator();
    AddTaggedAction(m_menu, "miContactUp", _("Nach oben"), cmUp);
    AddTaggedAction(m_menu, "miContactDown", _("Nach unten"), cmDown);
    connect(m_menu, &QMenu::aboutToShow, this, &TContactViewFrame::prepareMenu);
    AttachPaneMenu(
        m_tree, m_menu, this, [this](int tag) { Command(tag); }, cmEdit);
}

bool TContactViewFrame::eventFilter(QObject* watched, QEvent* event) {
    // The column follows the tree's client width, also after a splitter moved.
    if (watched == m_tree->viewport() && event->type() == QEvent::Resize)
        m_tree->setColumnWidth(0, qMax(0, m_tree->viewport()->width() - 25));
    return QWidget::eventFilter(watched, event);
}

void TContactViewFrame::setRecord(TCustomerAddress* record) {
    m_record = record;
    ShowContacts();
}

void TContactViewFrame::ShowContacts() {
    m_tree->clear();
    if (!m_record) return;
    for (int c = 0; c < m_record->Kontakte.Count(); ++c) {
        auto* item = new QTreeWidgetItem(m_tree);
        item->setData(0, kContactRole, c);
        item->setData(0, kChannelRole, -1);
        initContactNode(item, c);
    }
}

void TContactViewFrame::initContactNode(QTreeWidgetItem* item, int contactIndex) {
    const TCustomerContact* contact = m_record->Kontakte.Items(contactIndex);
    item->setText(0, contact->Name);
    item->setIcon(0, PaneImage(0));
    QFont font = m_tree->font();
    font.setBold(contact->Std);
    item->setFont(0, font);
    const QDate today = Today();
    while (item->childCount() > contact->Data.Count()) delete item->child(item->childCount() - 1);
    for (int d = 0; d < contact->Data.Count(); ++d) {
        QTreeWidgetItem* child =
            d < item->childCount() ? item->child(d) : new QTreeWidgetItem(item);
        const TCustomerContactData& data = *contact->Data.Items(d);
        child->setData(0, kContactRole, contactIndex);
        child->setData(0, kChannelRole, d);
        child->setText(0, ChannelText(data, today));
        child->setIcon(0, PaneImage(ChannelImage(data.CdType)));
    }
    if (contact->Std) item->setExpanded(true);
}

void TContactViewFrame::InitNodes() {
    if (!m_record) return;
    if (m_tree->topLevelItemCount() != m_record->Kontakte.Count()) return ShowContacts();
    for (int c = 0; c < m_tree->topLevelItemCount(); ++c)
        initContactNode(m_tree->topLevelItem(c), c);
}

QString TContactViewFrame::ChannelText(const TCustomerContactData& data, const QDate& today) {
    const int type = data.CdType;
    if (type >= cdtBriefanrede && type <= cdtZugehoerigeAnschrift)
        return ContactTypeName(type) + QStringLiteral(": ") + data.CdValue;
    QString text =
        data.CdName.isEmpty() ? data.CdValue : data.CdName + QStringLiteral(": ") + data.CdValue;
    if (type == cdtDatum) {
        // A value that is no date counts from the zero date.
        const std::optional<QDate> date = ParseDateInput(data.CdValue, today);
        const QDate from = date && date->isValid() ? *date : QDate(1899, 12, 30);
        text += QStringLiteral(" (") + QString::number(WholeYears(from, today));
        if (!data.CdCaract.isEmpty()) text += QStringLiteral(" - ") + data.CdCaract;
        text += QLatin1Char(')');
    } else if (type >= cdtTelefon && type <= cdtInternet && !data.CdCaract.isEmpty()) {
        text += QStringLiteral(" (") + data.CdCaract + QLatin1Char(')');
    }
    return text;
}

int TContactViewFrame::ChannelImage(int cdType) {
    switch (cdType) {
        case cdtDatum:
            return 3;
        case cdtTelefon:
            return 4;
        case cdtFax:
            return 5;
        case cdtEmail:
            return 6;
        case cdtInternet:
            return 2;
        case cdtBriefanrede:
            return 1;
        default:
            return -1;
    }
}

int TContactViewFrame::selectedContactIndex() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!m_record || !item) return -1;
    const int index = item->data(0, kContactRole).toInt();
    return index < m_record->Kontakte.Count() ? index : -1;
}

TCustomerContact* TContactViewFrame::SelectedContact() const {
    const int index = selectedContactIndex();
    return index < 0 ? nullptr : m_record->Kontakte.Items(index);
}

TCustomerContactData* TContactViewFrame::SelectedChannel() const {
    TCustomerContact* contact = SelectedContact();
    if (!contact) return nullptr;
    const int channel = m_tree->currentItem()->data(0, kChannelRole).toInt();
    return channel >= 0 && channel < contact->Data.Count() ? contact->Data.Items(channel) : nullptr;
}

void TContactViewFrame::prepareMenu() {
    const TCustomerContactData* channel = SelectedChannel();
    const int type = channel ? channel->CdType : -1;
    for (QAction* action : m_menu->actions()) {
        const int tag = action->data().toInt();
        if (action->objectName() == QLatin1String("miContactActionSep"))
            action->setVisible(channel != nullptr);
        else if (tag == cmCopy)
            action->setVisible(channel != nullptr);
        else if (tag == cmMail)
            action->setVisible(type == cdtEmail);
        else if (tag == cmWeb)
            action->setVisible(type == cdtInternet);
        else if (tag == cmDial || tag == cmSms)
            action->setVisible(type == cdtTelefon);
        else if (tag != 0)
            action->setEnabled(!m_readOnly);
    }
}

void TContactViewFrame::Command(int tag) {
    if (!m_record || m_record->Id.isEmpty()) return;
    TCustomerContactObjectList& list = m_record->Kontakte;
    const int index = selectedContactIndex();
    const TCustomerContactData* channel = SelectedChannel();
    const QStringList flags = m_config ? m_config->KontaktKz : QStringList();
    switch (tag) {
        case cmMail:
            if (channel && channel->CdType == cdtEmail) WriteEmail(channel->CdValue);
            return;
        case cmWeb:
            if (channel && channel->CdType == cdtInternet) OpenWebAddress(channel->CdValue);
            return;
        case cmDial:
            if (channel && channel->CdType == cdtTelefon)
                TDial::Dial(channel->CdValue, list.Items(index)->Name, channel->CdName);
            return;
        case cmSms:
            if (channel && channel->CdType == cdtTelefon)
                SendSms(channel->CdValue, list.Items(index)->Name);
            return;
        case cmCopy:
            if (channel) CopyToClipboard(channel->CdValue);
            return;
        default:
            break;
    }
    if (m_readOnly) return;
    switch (tag) {
        case cmAdd: {
            auto contact = std::make_unique<TCustomerContact>();
            const QString general = _("Allgemeiner Kontakt");
            if (!list.FindContact(general)) contact->Name = general;
            if (!TKWP00207Form2::Execute(*contact, m_record->Anschriften, flags, this)) return;
            list.Add(std::move(contact));
            if (list.Count() == 1) list.Items(0)->Std = true;
            ShowContacts();
            break;
        }
        case cmEdit:
            if (index < 0 ||
                !TKWP00207Form2::Execute(*list.Items(index), m_record->Anschriften, flags, this))
                return;
            InitNodes();
            break;
        case cmDelete:
            if (index < 0 ||
                ShowMessageDlg(FormatStr(_("Moechten Sie den Kontakt %s wirklich loeschen?"),
                                         {list.Items(index)->Name}),
                               mtConfirmation, mbYesNo) != mrYes)
                return;
            list.Delete(index);
            ShowContacts();
            break;
        case cmDefault:
            if (!MakeDefault(list, index)) return;
            InitNodes();
            break;
        case cmUp:
        case cmDown: {
            if (MoveItem(list, index, tag == cmUp) < 0) return;
            ShowContacts();
            break;
        }
        default:
            return;
    }
    Q_EMIT modified();
}
