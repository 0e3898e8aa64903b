#include "app/design/dsnpanel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

#include "app/design/dsncontrols.h"

namespace {

constexpr int ButtonSize = 28;

// Small drawings of the kinds, so the palette needs no image files.
QIcon KindIcon(const QString& kind) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    const QRectF field(2.5, 5.5, 15, 9);
    if (kind == QLatin1String("TLabel")) {
        QFont font = p.font();
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("A"));
    } else if (kind == QLatin1String("TEdit")) {
        p.fillRect(field, Qt::white);
        p.drawRect(field);
        p.drawLine(QPointF(5.5, 7.5), QPointF(5.5, 12.5));
    } else if (kind == QLatin1String("TMemo")) {
        p.fillRect(QRectF(2.5, 2.5, 15, 15), Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        for (double y : {6.5, 9.5, 12.5}) p.drawLine(QPointF(5, y), QPointF(15, y));
    } else if (kind == QLatin1String("TCheckBox")) {
        p.drawRect(QRectF(4.5, 4.5, 11, 11));
        p.drawPolyline(QPolygonF({QPointF(6.5, 10), QPointF(9, 13), QPointF(14, 6.5)}));
    } else if (kind == QLatin1String("TRadioButton")) {
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(10, 10), 2.5, 2.5);
    } else if (kind == QLatin1String("TComboBox")) {
        p.fillRect(field, Qt::white);
        p.drawRect(field);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF({QPointF(11, 8.5), QPointF(16, 8.5), QPointF(13.5, 11.5)}));
    } else if (kind == QLatin1String("TGroupBox") || kind == QLatin1String("TRadioGroup")) {
        QPainterPath frame;
        frame.moveTo(6, 4.5);
        frame.lineTo(2.5, 4.5);
        frame.lineTo(2.5, 17.5);
        frame.lineTo(17.5, 17.5);
        frame.lineTo(17.5, 4.5);
        frame.lineTo(12, 4.5);
        p.drawPath(frame);
        if (kind == QLatin1String("TRadioGroup")) {
            p.setBrush(Qt::black);
            p.drawEllipse(QPointF(7, 9.5), 1.8, 1.8);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(7, 14), 1.8, 1.8);
            p.drawLine(QPointF(10, 9.5), QPointF(15, 9.5));
            p.drawLine(QPointF(10, 14), QPointF(15, 14));
        }
    } else if (kind == QLatin1String("TPanel")) {
        p.fillRect(QRectF(2.5, 4.5, 15, 11), QColor(0xa8, 0xa8, 0xa8));
        p.setPen(Qt::white);
        p.drawPolyline(QPolygonF({QPointF(2.5, 15.5), QPointF(2.5, 4.5), QPointF(17.5, 4.5)}));
        p.setPen(Qt::black);
        p.drawPolyline(QPolygonF({QPointF(17.5, 4.5), QPointF(17.5, 15.5), QPointF(2.5, 15.5)}));
    } else if (kind == QLatin1String("TDateTimePicker")) {
        p.fillRect(QRectF(2.5, 3.5, 15, 14), Qt::white);
        p.drawRect(QRectF(2.5, 3.5, 15, 14));
        p.fillRect(QRectF(2.5, 3.5, 15, 3), Qt::darkRed);
        for (double x : {6.5, 10.5, 14.5})
            for (double y : {9.5, 13.5}) p.fillRect(QRectF(x - 1, y - 1, 2, 2), Qt::black);
    } else {
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(6, 16), QPointF(9, 13), QPointF(11.5, 18),
                                 QPointF(13.5, 17), QPointF(11, 12), QPointF(15, 12)}));
    }
    return QIcon(pixmap);
}

void PrepareButton(QToolButton* button) {
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFixedSize(ButtonSize, ButtonSize);
    button->setIconSize(QSize(20, 20));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

}  // namespace

TDsnButton::TDsnButton(const QString& kind, QWidget* parent) : QToolButton(parent), m_kind(kind) {
    PrepareButton(this);
    setObjectName(QStringLiteral("bt") + kind.mid(1));
    setIcon(KindIcon(kind));
    setToolTip(kind);
}

TArrowButton::TArrowButton(QWidget* parent) : QToolButton(parent) {
    PrepareButton(this);
    setObjectName(QStringLiteral("btArrow"));
    setIcon(KindIcon(QString()));
    setChecked(true);
}

TDsnPanel::TDsnPanel(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (const QString& kind : DsnKinds()) {
        m_buttons.append(new TDsnButton(kind, this));
        row->addWidget(m_buttons.last());
    }
    row->addStretch();
    setFixedHeight(ButtonSize);
}

TDsnButton* TDsnPanel::button(const QString& kind) const {
    for (TDsnButton* button : m_buttons)
        if (button->kind() == kind) return button;
    return nullptr;
}
