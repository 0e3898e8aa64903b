#pragma once

#include <QStyledItemDelegate>

// Paints the rows of the address lists: alternating backgrounds, the resubmission dates that
// are due in colour, and white text on the selected row while the list has no focus.
class TAdressListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Public so that what a row looks like can be asked without painting it.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
