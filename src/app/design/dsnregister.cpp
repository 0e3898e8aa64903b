#include "app/design/dsnregister.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>

#include "app/design/dsncontrols.h"
#include "app/design/dsnpanel.h"
#include "app/design/dsnstage.h"

namespace {

constexpr int HandleSize = 6;

int Snap(int value) {
    const int step = TDsnRegister::GridStep;
    return int(std::lround(double(value) / step)) * step;
}

QPoint Snap(const QPoint& point) {
    return {Snap(point.x()), Snap(point.y())};
}

// Handles clockwise from the top left corner; which edges each one drags.
bool DragsLeft(int handle) {
    return handle == 0 || handle == 6 || handle == 7;
}
bool DragsRight(int handle) {
    return handle >= 2 && handle <= 4;
}
bool DragsTop(int handle) {
    return handle <= 2;
}
bool DragsBottom(int handle) {
    return handle >= 4 && handle <= 6;
}

// The size a new control gets without a prototype, on the grid.
QSize DefaultSize(const QString& kind) {
    static const QHash<QString, QSize> sizes{{QStringLiteral("TLabel"), {64, 16}},
                                             {QStringLiteral("TEdit"), {120, 24}},
                                             {QStringLiteral("TMemo"), {184, 88}},
                                             {QStringLiteral("TCheckBox"), {96, 24}},
                                             {QStringLiteral("TRadioButton"), {112, 24}},
                                             {QStringLiteral("TComboBox"), {144, 24}},
                                             {QStringLiteral("TGroupBox"), {184, 104}},
                                             {QStringLiteral("TPanel"), {184, 40}},
                                             {QStringLiteral("TRadioGroup"), {184, 104}},
                                             {QStringLiteral("TDateTimePicker"), {184, 24}}};
    return sizes.value(kind, QSize(64, 24));
}

}  // namespace

TDsnRegister::TDsnRegister(QObject* parent) : QObject(parent), m_buttons(new QButtonGroup(this)) {
    m_buttons->setExclusive(true);
}

TDsnRegister::~TDsnRegister() {
    setDesigning(false);
}

void TDsnRegister::SetDsnStage(TDsnStage* stage) {
    ClearSelect();
    for (const QPointer<QWidget>& handle : std::as_const(m_handles)) delete handle.data();
    m_handles.clear();
    m_stage = stage;
    if (!stage) return;
    stage->setGridVisible(m_designing);
    static const Qt::CursorShape cursors[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                              Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    for (int i = 0; i < 8; ++i) {
        auto* handle = new QWidget(stage);
        handle->setObjectName(QStringLiteral("DsnHandle%1").arg(i));
        handle->setFixedSize(HandleSize, HandleSize);
        handle->setAutoFillBackground(true);
        QPalette palette = handle->palette();
        palette.setColor(QPalette::Window, Qt::black);
        handle->setPalette(palette);
        handle->setCursor(cursors[i % 4]);
        handle->hide();
        m_handles.append(handle);
    }
    connect(stage, &TDsnStage::afterDelete, this, &TDsnRegister::ClearSelect);
}

void TDsnRegister::SetDsnPanel(TDsnPanel* panel) {
    for (QAbstractButton* button : m_buttons->buttons())
        if (button != m_arrow) m_buttons->removeButton(button);
    if (!panel) return;
    for (TDsnButton* button : panel->buttons()) m_buttons->addButton(button);
}

void TDsnRegister::SetArrowButton(TArrowButton* button) {
    if (m_arrow) m_buttons->removeButton(m_arrow);
    m_arrow = button;
    if (!button) return;
    m_buttons->addButton(button);
    button->setChecked(true);
}

void TDsnRegister::setDesigning(bool designing) {
    if (designing == m_designing) return;
    m_designing = designing;
    m_drag = Drag::None;
    if (m_stage) m_stage->setGridVisible(designing);
    if (designing) {
        qApp->installEventFilter(this);
        updateHandles();
    } else {
        qApp->removeEventFilter(this);
        ClearSelect();
        if (m_arrow) m_arrow->setChecked(true);
    }
}

void TDsnRegister::ClearSelect() {
    m_drag = Drag::None;
    select(nullptr);
}

void TDsnRegister::SelectByInspect(QWidget* control) {
    if (!control || control == m_stage || !m_stage || !m_stage->isAncestorOf(control))
        ClearSelect();
    else
        select(control);
}

void TDsnRegister::setPrototype(const QString& kind, QWidget* prototype) {
    m_prototypes.insert(kind, prototype);
}

void TDsnRegister::select(QWidget* control) {
    if (m_selected) disconnect(m_selected, &QObject::destroyed, this, nullptr);
    m_selected = control;
    if (control) {
        connect(control, &QObject::destroyed, this, [this] {
            m_selected = nullptr;
            updateHandles();
        });
    }
    updateHandles();
}

void TDsnRegister::updateHandles() {
    const bool shown = m_selected && m_stage && m_designing;
    QRect r;
    if (shown) r = QRect(m_selected->mapTo(m_stage, QPoint(0, 0)), m_selected->size());
    const int xs[] = {r.left(), r.center().x(), r.right() + 1};
    const int ys[] = {r.top(), r.center().y(), r.bottom() + 1};
    // Clockwise from the top left: column and row of each handle.
    static const int columns[] = {0, 1, 2, 2, 2, 1, 0, 0};
    static const int rows[] = {0, 0, 0, 1, 2, 2, 2, 1};
    for (int i = 0; i < m_handles.size(); ++i) {
        QWidget* handle = m_handles.at(i);
        if (!handle) continue;
        handle->setVisible(shown);
        if (!shown) continue;
        handle->move(xs[columns[i]] - HandleSize / 2, ys[rows[i]] - HandleSize / 2);
        handle->raise();
    }
}

QWidget* TDsnRegister::controlAt(QWidget* widget) const {
    // The path from the stage down to the widget; the target is the deepest designed control
    // reached through group boxes and panels only (a radio group's buttons belong to it).
    QList<QWidget*> path;
    for (QWidget* w = widget; w && w != m_stage; w = w->parentWidget()) path.prepend(w);
    QWidget* target = m_stage;
    for (QWidget* w : std::as_const(path)) {
        if (!IsDsnContainer(target) || DsnClassName(w).isEmpty()) break;
        target = w;
    }
    return target;
}

QWidget* TDsnRegister::dropTarget(const QPoint& stagePos, const QWidget* moving) const {
    QWidget* target = m_stage;
    for (bool deeper = true; deeper;) {
        deeper = false;
        const QObjectList children = target->children();
        // The topmost child first.
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            auto* child = qobject_cast<QWidget*>(*it);
            if (!child || child == moving || !child->isVisible() || !IsDsnContainer(child))
                continue;
            if (child->geometry().contains(target->mapFrom(m_stage, stagePos))) {
                target = child;
                deeper = true;
                break;
            }
        }
    }
    return target;
}

QString TDsnRegister::checkedKind() const {
    const auto* button = qobject_cast<const TDsnButton*>(m_buttons->checkedButton());
    return button ? button->kind() : QString();
}

void TDsnRegister::create(const QString& kind, QWidget* target, const QPoint& stagePos) {
    QWidget* container = IsDsnContainer(target) ? target : target->parentWidget();
    // Delphi's names: the kind without its T and the first free number on the stage.
    QStringList taken;
    ForEachDsnControl(m_stage, [&](QWidget* control) { taken << control->objectName().toLower(); });
    QString name;
    for (int n = 1; name.isEmpty() || taken.contains(name.toLower()); ++n)
        name = kind.mid(1) + QString::number(n);

    QWidget* control = NewDsnControl(kind, container);
    control->setObjectName(name);
    if (QWidget* prototype = m_prototypes.value(kind)) {
        CopyDsnProperties(prototype, control);
    } else {
        control->resize(DefaultSize(kind));
        if (auto* frame = qobject_cast<QFrame*>(control);
            frame && DsnClassName(control) == QLatin1String("TPanel"))
            frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control))
            control->setProperty("text", name);
        if (qobject_cast<QGroupBox*>(control)) control->setProperty("title", name);
    }
    control->move(Snap(container->mapFrom(m_stage, stagePos)));
    control->show();
    if (m_arrow) m_arrow->setChecked(true);
    Q_EMIT controlCreated(control);
    select(control);
    Q_EMIT elementSelected(control);
}

void TDsnRegister::mousePress(QWidget* widget, const QPoint& stagePos) {
    m_stage->setFocus(Qt::MouseFocusReason);
    m_pressPos = stagePos;
    if (const int handle = m_handles.indexOf(widget); handle >= 0 && m_selected) {
        m_drag = Drag::Size;
        m_handle = handle;
        m_startGeometry = m_selected->geometry();
        return;
    }
    QWidget* target = controlAt(widget);
    if (const QString kind = checkedKind(); !kind.isEmpty()) {
        create(kind, target, stagePos);
        return;
    }
    if (target == m_stage) {
        ClearSelect();
        Q_EMIT elementSelected(m_stage);
        return;
    }
    select(target);
    Q_EMIT elementSelected(target);
    m_drag = Drag::Move;
    m_startGeometry = target->geometry();
}

void TDsnRegister::mouseMove(const QPoint& stagePos) {
    if (!m_selected || m_drag == Drag::None) return;
    const QPoint delta = stagePos - m_pressPos;
    QRect r = m_startGeometry;
    if (m_drag == Drag::Move) {
        r.moveTopLeft(Snap(r.topLeft() + delta));
    } else {
        const int step = GridStep;
        if (DragsLeft(m_handle)) r.setLeft(qMin(Snap(r.left() + delta.x()), r.right() + 1 - step));
        if (DragsRight(m_handle))
            r.setRight(qMax(Snap(r.right() + 1 + delta.x()), r.left() + step) - 1);
        if (DragsTop(m_handle)) r.setTop(qMin(Snap(r.top() + delta.y()), r.bottom() + 1 - step));
        if (DragsBottom(m_handle))
            r.setBottom(qMax(Snap(r.bottom() + 1 + delta.y()), r.top() + step) - 1);
    }
    m_selected->setGeometry(r);
    updateHandles();
}

void TDsnRegister::mouseRelease(const QPoint& stagePos) {
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag != Drag::Move || !m_selected || stagePos == m_pressPos) return;
    // Dropped into another group box or panel (never into itself or its own children).
    QWidget* target = dropTarget(stagePos, m_selected);
    if (target == m_selected->parentWidget()) return;
    const QPoint topLeft = m_selected->mapTo(m_stage, QPoint(0, 0));
    m_selected->setParent(target);
    m_selected->move(Snap(target->mapFrom(m_stage, topLeft)));
    m_selected->show();
    updateHandles();
    Q_EMIT elementSelected(m_selected);
}

bool TDsnRegister::keyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (!m_selected) return false;
    if (key == Qt::Key_Delete) {
        m_stage->DeleteControl(m_selected);
        return true;
    }
    QPoint step;
    if (key == Qt::Key_Left) step = {-GridStep, 0};
    if (key == Qt::Key_Right) step = {GridStep, 0};
    if (key == Qt::Key_Up) step = {0, -GridStep};
    if (key == Qt::Key_Down) step = {0, GridStep};
    if (step.isNull()) return false;
    QRect r = m_selected->geometry();
    if (modifiers & Qt::ShiftModifier) {
        r.setWidth(qMax(GridStep, r.width() + step.x()));
        r.setHeight(qMax(GridStep, r.height() + step.y()));
    } else {
        r.translate(step);
    }
    m_selected->setGeometry(r);
    updateHandles();
    return true;
}

bool TDsnRegister::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            // The handles follow a control that the inspector moves or sizes.
            if (watched == m_selected) updateHandles();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            break;
        default:
            return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_stage || !widget || (widget != m_stage && !m_stage->isAncestorOf(widget))) return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Keys the designer does not use go on from the stage to its window (Escape, Enter).
        return keyPress(key->key(), key->modifiers()) || widget != m_stage;
    }
    // Off the controls, these go on to the stage's window (a scroll area scrolls by the wheel).
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ShortcutOverride ||
        event->type() == QEvent::Wheel || event->type() == QEvent::ContextMenu)
        return widget != m_stage;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
        event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint stagePos = m_stage->mapFromGlobal(mouse->globalPosition().toPoint());
        // The widget under the mouse, whichever one the event was sent to.
        QWidget* hit = m_stage->childAt(stagePos);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            mousePress(hit ? hit : m_stage.data(), stagePos);
        else if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton))
            mouseMove(stagePos);
        else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            mouseRelease(stagePos);
    }
    // The controls on the stage take none of these while they are designed.
    return true;
}
