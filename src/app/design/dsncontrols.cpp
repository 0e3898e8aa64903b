#include "app/design/dsncontrols.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/format.h"

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this)), m_grid(new QGridLayout(this)) {
    m_buttons->setExclusive(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this](int id) {
        Q_EMIT itemIndexChanged(id);
        Q_EMIT itemClicked(id);
    });
}

void TRadioGroup::setItems(const QStringList& items) {
    if (items == m_items) return;
    m_items = items;
    rebuild();
}

int TRadioGroup::itemIndex() const {
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (index == itemIndex()) return;
    if (QAbstractButton* button = m_buttons->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = m_buttons->checkedButton()) {
        // An exclusive group keeps one button checked; none is wanted here.
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
    Q_EMIT itemIndexChanged(itemIndex());
}

void TRadioGroup::setColumns(int columns) {
    columns = qBound(1, columns, 16);
    if (columns == m_columns) return;
    m_columns = columns;
    rebuild();
}

void TRadioGroup::rebuild() {
    const int checked = itemIndex();
    for (QAbstractButton* button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* button = new QRadioButton(m_items.at(i), this);
        m_buttons->addButton(button, i);
        m_grid->addWidget(button, rows ? i % rows : 0, rows ? i / rows : 0);
        button->show();
    }
    if (QAbstractButton* button = m_buttons->button(checked)) button->setChecked(true);
}

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateTimeEdit(parent) {
    setKind(dtkDate);
}

void TDateTimePicker::setKind(Kind kind) {
    m_kind = kind;
    setCalendarPopup(kind == dtkDate);
    setDisplayFormat(kind == dtkDate ? ShortDateFormat() : QStringLiteral("HH:mm:ss"));
}

QString DsnClassName(const QWidget* widget) {
    if (!widget) return {};
    // Most specific first: a radio group is a group box, a label is a frame.
    if (qobject_cast<const TRadioGroup*>(widget)) return QStringLiteral("TRadioGroup");
    if (qobject_cast<const TDateTimePicker*>(widget)) return QStringLiteral("TDateTimePicker");
    if (qobject_cast<const QLabel*>(widget)) return QStringLiteral("TLabel");
    if (qobject_cast<const QLineEdit*>(widget)) return QStringLiteral("TEdit");
    if (qobject_cast<const QPlainTextEdit*>(widget)) return QStringLiteral("TMemo");
    if (qobject_cast<const QCheckBox*>(widget)) return QStringLiteral("TCheckBox");
    if (qobject_cast<const QRadioButton*>(widget)) return QStringLiteral("TRadioButton");
    if (qobject_cast<const QComboBox*>(widget)) return QStringLiteral("TComboBox");
    if (qobject_cast<const QGroupBox*>(widget)) return QStringLiteral("TGroupBox");
    const QByteArray className = widget->metaObject()->className();
    if (className == "QFrame") return QStringLiteral("TPanel");
    if (className == "TDsnStage") return QStringLiteral("TDsnStage");
    return {};
}

bool IsDsnContainer(const QWidget* widget) {
    const QString name = DsnClassName(widget);
    return name == QLatin1String("TDsnStage") || name == QLatin1String("TGroupBox") ||
           name == QLatin1String("TPanel");
}

QWidget* NewDsnControl(const QString& kind, QWidget* parent) {
    if (kind == QLatin1String("TLabel")) return new QLabel(parent);
    if (kind == QLatin1String("TEdit")) return new QLineEdit(parent);
    if (kind == QLatin1String("TMemo")) return new QPlainTextEdit(parent);
    if (kind == QLatin1String("TCheckBox")) return new QCheckBox(parent);
    if (kind == QLatin1String("TRadioButton")) return new QRadioButton(parent);
    if (kind == QLatin1String("TComboBox")) return new QComboBox(parent);
    if (kind == QLatin1String("TGroupBox")) return new QGroupBox(parent);
    if (kind == QLatin1String("TPanel")) return new QFrame(parent);
    if (kind == QLatin1String("TRadioGroup")) return new TRadioGroup(parent);
    if (kind == QLatin1String("TDateTimePicker")) return new TDateTimePicker(parent);
    return nullptr;
}

const QStringList& DsnKinds() {
    static const QStringList kinds{
        QStringLiteral("TLabel"),       QStringLiteral("TEdit"),
        QStringLiteral("TMemo"),        QStringLiteral("TCheckBox"),
        QStringLiteral("TRadioButton"), QStringLiteral("TComboBox"),
        QStringLiteral("TGroupBox"),    QStringLiteral("TPanel"),
        QStringLiteral("TRadioGroup"),  QStringLiteral("TDateTimePicker")};
    return kinds;
}

QList<QByteArray> DsnPropertyNames(const QWidget* control) {
    const QString kind = DsnClassName(control);
    QList<QByteArray> names{"geometry", "enabled", "toolTip"};
    if (kind == QLatin1String("TLabel")) names += {"text", "alignment", "wordWrap"};
    if (kind == QLatin1String("TEdit")) names += {"text", "maxLength", "readOnly", "alignment"};
    if (kind == QLatin1String("TMemo")) names += {"plainText", "readOnly"};
    if (kind == QLatin1String("TCheckBox") || kind == QLatin1String("TRadioButton"))
        names += {"text", "checked"};
    if (kind == QLatin1String("TComboBox")) names << "editable";
    if (kind == QLatin1String("TGroupBox")) names << "title";
    if (kind == QLatin1String("TPanel")) names += {"frameShape", "frameShadow", "lineWidth"};
    // The entries before the index: setting the index needs them.
    if (kind == QLatin1String("TRadioGroup")) names += {"title", "items", "columns", "itemIndex"};
    if (kind == QLatin1String("TDateTimePicker")) names << "kind";
    return names;
}

void CopyDsnProperties(const QWidget* from, QWidget* to) {
    for (const QByteArray& name : DsnPropertyNames(from))
        if (name != "geometry") to->setProperty(name.constData(), from->property(name.constData()));
    to->resize(from->size());
    const auto* source = qobject_cast<const QComboBox*>(from);
    if (auto* combo = qobject_cast<QComboBox*>(to); source && combo) {
        combo->clear();
        for (int i = 0; i < source->count(); ++i) combo->addItem(source->itemText(i));
    }
}
