#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QButtonGroup;
class QWidget;
class TArrowButton;
class TDsnPanel;
class TDsnStage;

// Palette and selection of the designer: while designing, the stage's controls take no input;
// a click selects a control (eight sizing handles around it), dragging moves it on the grid
// and drops it into a group box or panel, dragging a handle sizes it, the arrow keys move it
// (with Shift size it), Delete deletes it, and with a palette button down a click places a
// new control of that kind.
class TDsnRegister : public QObject {
    Q_OBJECT
public:
    static constexpr int GridStep = 8;

    explicit TDsnRegister(QObject* parent = nullptr);
    ~TDsnRegister() override;

    void SetDsnStage(TDsnStage* stage);
    void SetDsnPanel(TDsnPanel* panel);
    void SetArrowButton(TArrowButton* button);
    void setDesigning(bool designing);
    bool isDesigning() const { return m_designing; }
    void ClearSelect();
    // Selects a control without telling elementSelected; the stage or null clears the selection.
    void SelectByInspect(QWidget* control);
    QWidget* selected() const { return m_selected; }
    // New controls of a kind copy this control's class and kept properties; not owned.
    void setPrototype(const QString& kind, QWidget* prototype);

Q_SIGNALS:
    // The user selected a control, or the stage by a click on its empty part.
    void elementSelected(QWidget* element);
    void controlCreated(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Move, Size };

    void select(QWidget* control);
    void updateHandles();
    // The designed control (or the stage) a widget under the mouse belongs to.
    QWidget* controlAt(QWidget* widget) const;
    // The innermost group box or panel (or the stage) under a stage point, outside `moving`.
    QWidget* dropTarget(const QPoint& stagePos, const QWidget* moving) const;
    QString checkedKind() const;
    void create(const QString& kind, QWidget* target, const QPoint& stagePos);
    void mousePress(QWidget* widget, const QPoint& stagePos);
    void mouseMove(const QPoint& stagePos);
    void mouseRelease(const QPoint& stagePos);
    bool keyPress(int key, Qt::KeyboardModifiers modifiers);

    QPointer<TDsnStage> m_stage;
    QPointer<TArrowButton> m_arrow;
    QButtonGroup* m_buttons;
    QList<QPointer<QWidget>> m_handles;  // children of the stage
    QHash<QString, QPointer<QWidget>> m_prototypes;
    QPointer<QWidget> m_selected;
    bool m_designing = false;
    Drag m_drag = Drag::None;
    int m_handle = -1;
    QPoint m_pressPos;
    QRect m_startGeometry;
};
