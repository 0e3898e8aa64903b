#include "ui/widgets/panesupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <iterator>

#include "app/systemeinstellungen.h"

QIcon PaneImage(int index) {
    struct Image {
        const char* glyph;
        QColor colour;
    };
    static const Image images[] = {
        {"\u263A", QColor(0x2e, 0x6d, 0xb4)},  // contact or address
        {"\u270E", QColor(0x7a, 0x5c, 0x2e)},  // salutation
        {"\u2609", QColor(0x1d, 0x8a, 0x99)},  // internet
        {"\u2605", QColor(0xc2, 0x7c, 0x0e)},  // date
        {"\u260E", QColor(0x2e, 0x8b, 0x57)},  // phone
        {"F", QColor(0x55, 0x55, 0x55)},       // fax
        {"@", QColor(0xb0, 0x3a, 0x2e)},       // e-mail
    };
    if (index < 0 || index >= int(std::size(images))) return {};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(images[index].colour);
    painter.drawEllipse(1, 1, 30, 30);
    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromUtf8(images[index].glyph));
    painter.end();
    return QIcon(pixmap);
}

bool MayEditAddresses() {
    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    return !user || user->HasRight(QStringLiteral("02"));
}

QAction* AddTaggedAction(QMenu* menu, const char* objectName, const QString& caption, int tag) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setData(tag);
    return action;
}

void DispatchTaggedActions(QMenu* menu, QObject* context,
                           const std::function<void(int)>& dispatch) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            DispatchTaggedActions(action->menu(), context, dispatch);
        } else if (action->data().isValid()) {
            const int tag = action->data().toInt();
            QObject::connect(action, &QAction::triggered, context,
                             [dispatch, tag] { dispatch(tag); });
        }
    }
}

void AttachPaneMenu(QAbstractItemView* view, QMenu* menu, QObject* context,
                    const std::function<void(int)>& dispatch, int editTag) {
    DispatchTaggedActions(menu, context, dispatch);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        view, &QWidget::customContextMenuRequested, context,
        [view, menu](const QPoint& pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
    QObject::connect(view, &QAbstractItemView::doubleClicked, context,
                     [dispatch, editTag] { dispatch(editTag); });
}
