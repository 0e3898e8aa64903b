#include "address/widgets/designhelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <memory>

#include "address/dsnelement.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/design/dsncontrols.h"
#include "app/design/dsnstage.h"

namespace {

const char* const kHandlerName = "kwpDsnChangeHandler";

// The value controls in walk order.
void walk(QWidget* container, const std::function<void(QWidget*)>& visit) {
    ForEachDsnControl(container, [&visit](QWidget* control) {
        if (TDesignHelper::IsValueControl(control)) visit(control);
    });
}

// A ticked radio button of a group cannot be unticked by itself.
void setTicked(QAbstractButton* button, bool ticked) {
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(ticked);
    button->setAutoExclusive(exclusive);
}

// The text of a memo: every line followed by CR LF.
QString memoText(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return {};
    QString result;
    for (const QString& line : text.split(QLatin1Char('\n'))) result += line + CrLf;
    return result;
}

void setMemoText(QPlainTextEdit* memo, QString text) {
    text.replace(CrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    memo->setPlainText(text);
}

}  // namespace

bool TDesignHelper::IsValueControl(const QWidget* widget) {
    static const QStringList kinds = {
        QStringLiteral("TMemo"),          QStringLiteral("TEdit"),
        QStringLiteral("TCheckBox"),      QStringLiteral("TComboBox"),
        QStringLiteral("TRadioGroup"),    QStringLiteral("TRadioButton"),
        QStringLiteral("TDateTimePicker")};
    return kinds.contains(DsnClassName(widget));
}

void TDesignHelper::GetValues(QWidget* stage, TDsnElementList& list) {
    list.Clear();
    walk(stage, [&list](QWidget* control) {
        TDsnElement* element = list.Add();
        element->Name = control->objectName();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            element->ElementType = TDsnElement::etText;
            element->TextValue = memoText(memo);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            element->ElementType = TDsnElement::etText;
            element->TextValue = edit->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            element->ElementType = TDsnElement::etText;
            element->TextValue = combo->currentText();
        } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
            element->ElementType = TDsnElement::etInteger;
            element->IntValue = group->itemIndex();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            element->ElementType = TDsnElement::etBoolean;
            element->BoolValue = button->isChecked();
        } else if (auto* picker = qobject_cast<TDateTimePicker*>(control)) {
            const double value = DateTimeToDayNumber(picker->dateTime());
            if (picker->kind() == TDateTimePicker::dtkDate) {
                element->ElementType = TDsnElement::etDate;
                element->FloatValue = std::trunc(value);
            } else {
                element->ElementType = TDsnElement::etTime;
                element->FloatValue = value;
            }
        }
    });
}

void TDesignHelper::SetValues(QWidget* stage, TDsnElementList& list) {
    bool empty = true;
    walk(stage, [&empty](QWidget*) { empty = false; });
    if (empty) return;
    ClearValues(stage);
    for (const auto& element : list) {
        QWidget* control = nullptr;
        if (!FindControl(element->Name, stage, control)) continue;
        auto* combo = qobject_cast<QComboBox*>(control);
        auto* picker = qobject_cast<TDateTimePicker*>(control);
        auto* button = qobject_cast<QAbstractButton*>(control);
        switch (element->ElementType) {
            case TDsnElement::etText:
                if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
                    setMemoText(memo, element->TextValue);
                } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                    edit->setText(element->TextValue);
                } else if (combo && !combo->isEditable()) {
                    combo->setCurrentIndex(combo->findText(element->TextValue));
                } else if (combo) {
                    combo->setEditText(element->TextValue);
                }
                break;
            case TDsnElement::etInteger:
                if (auto* group = qobject_cast<TRadioGroup*>(control))
                    group->setItemIndex(
                        element->IntValue < group->items().size() ? element->IntValue : -1);
                break;
            case TDsnElement::etBoolean:
                if (button &&
                    (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)))
                    setTicked(button, element->BoolValue);
                break;
            case TDsnElement::etDate:
                if (picker) {
                    // The picker cannot show the day before its first day.
                    if (element->FloatValue == 0) element->FloatValue = 1;
                    if (picker->kind() == TDateTimePicker::dtkDate)
                        picker->setDate(DayNumberToDateTime(element->FloatValue).date());
                }
                break;
            case TDsnElement::etTime:
                if (picker && picker->kind() == TDateTimePicker::dtkTime)
                    picker->setDateTime(DayNumberToDateTime(element->FloatValue));
                break;
            default:
                break;
        }
    }
}

void TDesignHelper::ClearValues(QWidget* stage) {
    walk(stage, [](QWidget* control) {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->clear();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->clear();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setCurrentIndex(-1);
            if (combo->isEditable()) combo->setEditText(QString());
        } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
            if (!group->items().isEmpty()) group->setItemIndex(0);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            setTicked(button, false);
        } else if (auto* picker = qobject_cast<TDateTimePicker*>(control)) {
            if (picker->kind() == TDateTimePicker::dtkDate)
                picker->setDate(Today());
            else
                picker->setDateTime(Now());
        }
    });
}

bool TDesignHelper::FindControl(const QString& name, QWidget* container, QWidget*& control) {
    control = nullptr;
    if (name.isEmpty() || !container) return false;
    for (QObject* child : container->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || DsnClassName(widget).isEmpty()) continue;
        if (widget->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            control = widget;
            return true;
        }
        if (IsDsnContainer(widget) && FindControl(name, widget, control)) return true;
    }
    return false;
}

void TDesignHelper::SetChangeHandler(QWidget* stage, ChangeHandler handler) {
    walk(stage, [&handler](QWidget* control) {
        // The connections hang on a helper object, so a new handler replaces the old one.
        delete control->findChild<QObject*>(QLatin1String(kHandlerName),
                                            Qt::FindDirectChildrenOnly);
        auto* context = new QObject(control);
        context->setObjectName(QLatin1String(kHandlerName));
        const auto notify = [handler, control] {
            if (handler) handler(control);
        };
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            QObject::connect(memo, &QPlainTextEdit::textChanged, context, notify);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            QObject::connect(edit, &QLineEdit::textChanged, context, notify);
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QObject::connect(combo, &QComboBox::currentTextChanged, context, notify);
        } else if (auto* picker = qobject_cast<TDateTimePicker*>(control)) {
            QObject::connect(picker, &QDateTimeEdit::dateTimeChanged, context, notify);
        } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
            QObject::connect(group, &TRadioGroup::itemClicked, context, notify);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            QObject::connect(button, &QAbstractButton::clicked, context, notify);
        }
    });
}

void TDesignHelper::GetFieldNames(const QString& layoutFile, QWidget* parent, QStringList& names) {
    if (!QFileInfo::exists(layoutFile)) return;
    // A stage of its own, hidden, so the caller's stage keeps its controls and values.
    auto stage = std::make_unique<TDsnStage>(parent);
    stage->hide();
    if (!stage->LoadFromFile(layoutFile)) return;
    walk(stage.get(), [&names](QWidget* control) { names << control->objectName(); });
}
