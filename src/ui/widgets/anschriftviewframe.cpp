#include "ui/widgets/anschriftviewframe.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "app/dialogs.h"
#include "app/shell.h"
#include "app/translation.h"
#include "ui/contactactions.h"
#include "ui/widgets/kwp00207form3.h"
#include "ui/widgets/panesupport.h"

namespace {
// Without a configured service the map item stays hidden; this one takes the query key.
const char* const kMapEndpoint = "https://www.openstreetmap.org/search";
}  // namespace

TAnschriftViewFrame::TAnschriftViewFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AnschriftViewFrame"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("vstAnschrift"));
    m_list->setHeaderLabel(_("Anschriften"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(false);
    m_list->setWordWrap(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setStretchLastSection(true);
    m_list->viewport()->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_list);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmAnschrift"));
    AddTaggedAction(m_menu, "miAnschriftCopy", _("In die Zwischenablage kopieren"), cmCopy);
    AddTaggedAction(m_menu, "miAnschriftMap", _("Auf der Landkarte anzeigen"), cmMap)
        ->setVisible(false);
    m_menu->addSeparator();
    AddTaggedAction(m_menu, "miAnschriftAdd", _("Hinzufuegen"), cmAdd);
    AddTaggedAction(m_menu, "miAnschriftEdit", _("Bearbeiten"), cmEdit);
    AddTaggedAction(m_menu, "miAnschriftDelete", _("Loeschen"), cmDelete);
    m_menu->addSeparator();
    AddTaggedAction(m_menu, "miAnschriftDefault", _("Als Standard"), cmDefault);
    m_menu->addSeparator();
    AddTaggedAction(m_menu, "miAnschriftUp", _("Nach oben"), cmUp);
    AddTaggedAction(m_menu, "miAnschriftDown", _("Nach unten"), cmDown);
    connect(m_menu, &QMenu::aboutToShow, this, &TAnschriftViewFrame::prepareMenu);
    AttachPaneMenu(
        m_list, m_menu, this, [this](int tag) { Command(tag); }, cmEdit);
}

void TAnschriftViewFrame::setRecord(TCustomerAddress* record) {
    m_record = record;
    ShowList();
}

void TAnschriftViewFrame::ShowList() {
    m_list->clear();
    if (!m_record) return;
    for (int i = 0; i < m_record->Anschriften.Count(); ++i) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setIcon(0, PaneImage(0));
    }
    InitNodes();
}

void TAnschriftViewFrame::InitNodes() {
    if (!m_record) return;
    const QFontMetrics plain(m_list->font());
    QFont boldFont = m_list->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    for (int i = 0; i < m_list->topLevelItemCount() && i < m_record->Anschriften.Count(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const bool isDefault = m_record->Anschriften.Items(i)->Std;
        const QString text = m_record->GetAnschriftText(i).replace(QStringLiteral("\r\n"), "\n");
        item->setText(0, text);
        item->setFont(0, isDefault ? boldFont : m_list->font());
        const QFontMetrics& metrics = isDefault ? bold : plain;
        const int lines = int(text.count(QLatin1Char('\n'))) + 1;
        item->setSizeHint(0, QSize(-1, lines * metrics.lineSpacing() + 5));
    }
}

TCustomerAnschrift* TAnschriftViewFrame::SelectedAnschrift() const {
    const int index = SelectedIndex();
    return index < 0 ? nullptr : m_record->Anschriften.Items(index);
}

int TAnschriftViewFrame::SelectedIndex() const {
    if (!m_record) return -1;
    const int index = m_list->indexOfTopLevelItem(m_list->currentItem());
    return index < m_record->Anschriften.Count() ? index : -1;
}

void TAnschriftViewFrame::select(int index) {
    m_list->setCurrentItem(m_list->topLevelItem(index));
}

void TAnschriftViewFrame::prepareMenu() {
    const bool editable = !m_readOnly;
    for (QAction* action : m_menu->actions()) {
        const int tag = action->data().toInt();
        if (tag != 0 && tag != cmCopy && tag != cmMap) action->setEnabled(editable);
    }
}

void TAnschriftViewFrame::changed() {
    Q_EMIT modified();
}

void TAnschriftViewFrame::Command(int tag) {
    if (!m_record || m_record->Id.isEmpty()) return;
    if (m_readOnly && tag != cmCopy && tag != cmMap) return;
    TCustomerAnschriftObjectList& list = m_record->Anschriften;
    const int index = SelectedIndex();
    const QString kinds = m_config ? m_config->AnschriftArten.join(QLatin1Char(',')) : QString();
    switch (tag) {
        case cmAdd: {
            auto anschrift = std::make_unique<TCustomerAnschrift>();
            if (m_config) anschrift->Land = m_config->Lkz;
            anschrift->Id = list.NewId();
            if (!TKWP00207Form3::Execute(*anschrift, kinds, m_config, this)) return;
            list.Add(std::move(anschrift));
            if (list.Count() == 1) list.Items(0)->Std = true;
            ShowList();
            select(list.Count() - 1);
            break;
        }
        case cmEdit:
            if (index < 0 || !TKWP00207Form3::Execute(*list.Items(index), kinds, m_config, this))
                return;
            InitNodes();
            break;
        case cmDelete: {
            if (index < 0) return;
            if (list.Count() == 1) {
                ShowMessageDlg(_("Es muss mindestens eine Anschrift vorhanden sein."), mtError,
                               mbOKOnly);
                return;
            }
            if (ShowMessageDlg(_("Moechten Sie die Anschrift wirklich loeschen?"), mtConfirmation,
                               mbYesNo) != mrYes)
                return;
            list.Delete(index);
            if (!list.DefaultAnschrift()) list.Items(0)->Std = true;
            ShowList();
            break;
        }
        case cmDefault:
            if (!MakeDefault(list, index)) return;
            InitNodes();
            break;
        case cmUp:
        case cmDown: {
            const int other = MoveItem(list, index, tag == cmUp);
            if (other < 0) return;
            ShowList();
            select(other);
            break;
        }
        case cmCopy: {
            const TCustomerAnschrift* anschrift = SelectedAnschrift();
            if (!anschrift || !m_config) return;
            CopyToClipboard(TCustomerAddress::FormatAnschriftBlock(
                list, *m_config, m_record->Id + QLatin1Char('_') + anschrift->Id, QString()));
            return;
        }
        case cmMap:
            if (index < 0 || !m_config) return;
            ShellOpen(MapUrl(TCustomerAddress::FormatAnschriftLine(
                list, *m_config, m_record->Id + QLatin1Char('_') + list.Items(index)->Id,
                QString())));
            return;
        default:
            return;
    }
    changed();
}

QString TAnschriftViewFrame::MapUrl(const QString& text) {
    static const QString kept = QStringLiteral("$-_@.&+!'*\"(),;/#?:");
    QString encoded;
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        if ((upper >= QLatin1Char('A') && upper <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || kept.contains(c))
            encoded += c;
        else if (c == QLatin1Char(' '))
            encoded += QLatin1Char('+');
        else {
            // Outside the 8-bit code page the character cannot be sent as such.
            const int code = c.unicode() > 0xFF ? int('?') : int(c.unicode());
            encoded += QStringLiteral("%%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    return QString::fromLatin1(kMapEndpoint) + QStringLiteral("?viewpoint=") + encoded;
}
