#pragma once

#include <QDateTimeEdit>
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

// The designed controls are ordinary Qt widgets; these two kinds have no Qt counterpart.

// A group box of radio buttons, one per entry of `items`; `itemIndex` is the checked entry or
// -1. The buttons belong to the group, not to the layout: they carry no name and no value.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    int itemIndex() const;
    void setItemIndex(int index);
    int columns() const { return m_columns; }
    void setColumns(int columns);

Q_SIGNALS:
    void itemIndexChanged(int index);
    // The user clicked an entry.
    void itemClicked(int index);

private:
    void rebuild();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup* m_buttons;
    QGridLayout* m_grid;
};

// A date or time field: in date mode the short date format with a calendar, in time mode
// hours, minutes and seconds.
class TDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
    Q_PROPERTY(Kind kind READ kind WRITE setKind)
public:
    enum Kind { dtkDate, dtkTime };
    Q_ENUM(Kind)

    explicit TDateTimePicker(QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    void setKind(Kind kind);

private:
    Kind m_kind = dtkDate;
};

// The class name a designer shows for a designed control ("TEdit" for a line edit, "TDsnStage"
// for the stage); empty for any other widget.
QString DsnClassName(const QWidget* widget);
// Controls whose children the walks visit: the stage, group boxes (not radio groups) and
// panels.
bool IsDsnContainer(const QWidget* widget);

// A bare control of a kind ("TLabel" … "TDateTimePicker"), as a layout file creates it; null
// for an unknown kind.
QWidget* NewDsnControl(const QString& kind, QWidget* parent);
// The kinds of the palette, in its order.
const QStringList& DsnKinds();
// The properties a layout keeps of a control, in the order they are written; a combo box's
// entries are kept apart from them.
QList<QByteArray> DsnPropertyNames(const QWidget* control);
// Copies the kept properties (and a combo box's entries) of one control to another of its kind.
void CopyDsnProperties(const QWidget* from, QWidget* to);
