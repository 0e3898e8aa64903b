#include "ui/widgets/adresslistdelegate.h"

#include <QWidget>

#include "app/clock.h"
#include "app/conversions.h"
#include "ui/widgets/adresslistmodel.h"

void TAdressListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->backgroundBrush = index.row() % 2 == 0 ? option->palette.brush(QPalette::Base)
                                                   : QBrush(QColor(0xF5, 0xF5, 0xF5));
    const bool selected = option->state & QStyle::State_Selected;
    if (selected && !(option->widget && option->widget->hasFocus())) {
        option->palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
        option->palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    }
    if (selected || index.column() != adresslist::ColWv) return;
    const double wv = index.data(adresslist::WvRole).toDouble();
    if (wv == 0) return;
    const QDate due = DayNumberToDateTime(wv).date();
    const QDate today = Today();
    if (due > today) return;
    option->palette.setColor(QPalette::Text,
                             due < today ? QColor(Qt::red) : QColor(0x00, 0x80, 0x00));
    option->font.setBold(true);
}
