#pragma once

#include <QToolButton>
#include <QWidget>

// A palette button: while it is down, a click on the stage places a control of its kind.
class TDsnButton : public QToolButton {
    Q_OBJECT
public:
    TDsnButton(const QString& kind, QWidget* parent = nullptr);
    // "TLabel" … "TDateTimePicker".
    const QString& kind() const { return m_kind; }

private:
    QString m_kind;
};

// The selection arrow: down while no control kind is chosen.
class TArrowButton : public QToolButton {
    Q_OBJECT
public:
    explicit TArrowButton(QWidget* parent = nullptr);
};

// The palette: one button per control kind, in a row.
class TDsnPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDsnPanel(QWidget* parent = nullptr);
    const QList<TDsnButton*>& buttons() const { return m_buttons; }
    TDsnButton* button(const QString& kind) const;

private:
    QList<TDsnButton*> m_buttons;
};
