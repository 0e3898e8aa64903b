#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAbstractItemView;
class QAction;
class QMenu;
class QObject;

// Pictures of the contact and postal address trees: 0 contact or address, 1 salutation,
// 2 internet, 3 date, 4 phone, 5 fax, 6 e-mail; any other index gives no picture.
QIcon PaneImage(int index);

// Whether the logged-in user may change addresses (right "02"); true without a login.
bool MayEditAddresses();

// A menu item dispatched by its tag (the action's data).
QAction* AddTaggedAction(QMenu* menu, const char* objectName, const QString& caption, int tag);

// Every tagged item of the menu and its sub-menus runs dispatch with its tag. Each item is
// connected itself: a sub-menu item triggered from code never reaches the top menu's signal.
void DispatchTaggedActions(QMenu* menu, QObject* context, const std::function<void(int)>& dispatch);

// A pane's list with its popup menu: the menu opens at the pointer, its tagged items run
// dispatch, and a double click on an item runs the edit tag.
void AttachPaneMenu(QAbstractItemView* view, QMenu* menu, QObject* context,
                    const std::function<void(int)>& dispatch, int editTag);

// Exchanges two items of an owning list.
template <typename TList>
void ExchangeItems(TList& list, int i, int j) {
    if (i == j || i < 0 || j < 0 || i >= list.Count() || j >= list.Count()) return;
    std::vector<decltype(list.Extract(0))> items;
    while (list.Count() > 0) items.push_back(list.Extract(0));
    std::swap(items[size_t(i)], items[size_t(j)]);
    for (auto& item : items) list.Add(std::move(item));
}

// Makes the item the list's only default ("Std"); false when it is none or already was.
template <typename TList>
bool MakeDefault(TList& list, int index) {
    if (index < 0 || index >= list.Count() || list.Items(index)->Std) return false;
    for (const auto& item : list) item->Std = false;
    list.Items(index)->Std = true;
    return true;
}

// Moves the item one place up or down; its new index, or -1 when it cannot move.
template <typename TList>
int MoveItem(TList& list, int index, bool up) {
    const int other = index + (up ? -1 : 1);
    if (index < 0 || other < 0 || other >= list.Count()) return -1;
    ExchangeItems(list, index, other);
    return other;
}
