#include "ui/widgets/editstringlist.h"

#include <QAction>
#include <QCollator>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/inputboxform.h"

TEditStringList::TEditStringList(const QStringList& list, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditStringList"));
    setWindowTitle(QStringLiteral("[EDLST] - ") + _("Liste bearbeiten"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lbList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* sort = new QAction(_("Liste sortieren"), m_list);
    sort->setObjectName(QStringLiteral("actSort"));
    m_list->addAction(sort);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(sort, &QAction::triggered, this, &TEditStringList::sortList);

    auto* add = new QPushButton(_("Neu"), this);
    add->setObjectName(QStringLiteral("btNew"));
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &TEditStringList::askNewEntry);
    auto* remove = new QPushButton(_("Loeschen"), this);
    remove->setObjectName(QStringLiteral("btDelete"));
    remove->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &TEditStringList::deleteSelected);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(OkCancelRow(this));
    resize(380, 320);
    LoadFormState(this, TFormRole::Other);
    // The entries are the caller's data, set after window translation.
    m_list->addItems(list);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
}

bool TEditStringList::Execute(QStringList& list, QWidget* parent) {
    TEditStringList dialog(list, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    list = dialog.list();
    return true;
}

QStringList TEditStringList::list() const {
    QStringList result;
    for (int i = 0; i < m_list->count(); ++i) result.append(m_list->item(i)->text());
    return result;
}

bool TEditStringList::addEntry(const QString& text) {
    const QString entry = text.trimmed();
    if (entry.isEmpty() || !m_list->findItems(entry, Qt::MatchExactly).isEmpty()) return false;
    m_list->addItem(entry);
    m_list->setCurrentRow(m_list->count() - 1);
    return true;
}

void TEditStringList::deleteSelected() {
    qDeleteAll(m_list->selectedItems());
    if (m_list->count() > 0) m_list->setCurrentRow(0);
}

void TEditStringList::sortList() {
    // In the order of the user's language: umlauts beside their letters, case ignored.
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QStringList entries = list();
    std::sort(entries.begin(), entries.end(), collator);
    m_list->clear();
    m_list->addItems(entries);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
}

void TEditStringList::askNewEntry() {
    addEntry(TInputBoxForm::Execute(_("Neuer Eintrag"), _("Bezeichnung"), QString(), 255, false,
                                    false, this));
}
