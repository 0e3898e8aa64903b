#include "ui/widgets/adresslistviewerframe.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "address/addresslistfile.h"
#include "app/translation.h"

TAdresslistViewerFrame::TAdresslistViewerFrame(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("AdresslistViewerFrame"));
    m_view = new QTreeWidget(this);
    m_view->setObjectName(QStringLiteral("vstList"));
    m_view->setRootIsDecorated(false);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHeaderLabels({_("Adressnummer"), _("Beschreibung")});
    // Wider when the header text needs it (other languages, fonts).
    m_view->setColumnWidth(0, qMax(100, m_view->header()->sectionSizeHint(0)));
    m_view->setColumnWidth(1, 250);
    auto* remove = new QPushButton(_("Entfernen"), this);
    remove->setObjectName(QStringLiteral("btEntfernen"));
    connect(remove, &QPushButton::clicked, this, &TAdresslistViewerFrame::RemoveSelected);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
}

TAdresslistViewerFrame::~TAdresslistViewerFrame() = default;

void TAdresslistViewerFrame::AddAddress(const TCustomerAddress& record) {
    m_list.Add()->Assign(record);
}

void TAdresslistViewerFrame::Refresh() {
    m_view->clear();
    for (const auto& record : m_list) {
        auto* item = new QTreeWidgetItem(m_view, {record->Id, record->DisplayTxt});
        const QString hint = record->GetAnschriftText(-1);
        item->setToolTip(0, hint);
        item->setToolTip(1, hint);
    }
    if (m_view->topLevelItemCount() == 0) return;
    QTreeWidgetItem* last = m_view->topLevelItem(m_view->topLevelItemCount() - 1);
    m_view->setCurrentItem(last);
    m_view->scrollToItem(last);
    m_view->setFocus();
}

void TAdresslistViewerFrame::RemoveSelected() {
    QList<int> rows;
    for (QTreeWidgetItem* item : m_view->selectedItems())
        rows.append(m_view->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : rows)
        if (row >= 0 && row < m_list.Count()) m_list.Delete(row);
    Refresh();
}

void TAdresslistViewerFrame::SaveToFile(const QString& fileName) const {
    SaveAddressListToFile(m_list, fileName);
}
