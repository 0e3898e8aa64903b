#include "app/design/objectinspector.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "app/design/dsncontrols.h"
#include "app/translation.h"

struct TMObjectInspector::TProp {
    QString name;
    QString type;
    int kind = pkString;
    std::function<QString()> get;
    // Answers an error message, empty when the value was taken.
    std::function<QString(const QString& text, const QStringList& lines)> set;
    QStringList choices;
    QString info;
};

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

QString notANumber(const QString& text) {
    return _("\"%1\" ist keine gueltige Zahl.").arg(text);
}

QString notAChoice(const QString& text, const QString& name) {
    return _("\"%1\" ist kein gueltiger Wert fuer %2.").arg(text, name);
}

bool parseInt(const QString& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// The stage a designed control sits on (or its top window): names are unique there.
QWidget* nameScope(QWidget* widget) {
    QWidget* scope = widget;
    while (scope->parentWidget() && DsnClassName(scope) != QLatin1String("TDsnStage"))
        scope = scope->parentWidget();
    return scope;
}

QString checkName(QWidget* widget, const QString& name) {
    if (name.isEmpty()) return _("Der Name darf nicht leer sein.");
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(name).hasMatch())
        return _("\"%1\" ist kein gueltiger Name: erlaubt sind Buchstaben, Ziffern und _, "
                 "zuerst keine Ziffer.")
            .arg(name);
    // Controls are found by name without regard to case, so case alone does not tell apart.
    QWidget* scope = nameScope(widget);
    QList<QWidget*> others = scope->findChildren<QWidget*>();
    others.append(scope);
    for (QWidget* other : others) {
        if (other != widget && !DsnClassName(other).isEmpty() &&
            other->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return _("Der Name \"%1\" ist bereits vergeben.").arg(name);
    }
    return {};
}

TMObjectInspector::TProp boolProp(const QString& name, std::function<bool()> get,
                                  std::function<void(bool)> set) {
    TMObjectInspector::TProp prop;
    prop.name = name;
    prop.type = QStringLiteral("Boolean");
    prop.kind = TMObjectInspector::pkBoolean;
    prop.choices = {kFalse, kTrue};
    prop.get = [get] { return get() ? kTrue : kFalse; };
    prop.set = [name, set](const QString& text, const QStringList&) {
        if (text.compare(kTrue, Qt::CaseInsensitive) == 0) {
            set(true);
        } else if (text.compare(kFalse, Qt::CaseInsensitive) == 0) {
            set(false);
        } else {
            return notAChoice(text, name);
        }
        return QString();
    };
    return prop;
}

TMObjectInspector::TProp intProp(const QString& name, int min, int max, std::function<int()> get,
                                 std::function<void(int)> set) {
    TMObjectInspector::TProp prop;
    prop.name = name;
    prop.type = QStringLiteral("Integer");
    prop.kind = TMObjectInspector::pkInteger;
    prop.get = [get] { return QString::number(get()); };
    prop.set = [min, max, set](const QString& text, const QStringList&) {
        int value = 0;
        if (!parseInt(text, value)) return notANumber(text);
        if (value < min || value > max)
            return _("Der Wert muss zwischen %1 und %2 liegen.").arg(min).arg(max);
        set(value);
        return QString();
    };
    return prop;
}

TMObjectInspector::TProp stringsProp(const QString& name, std::function<QStringList()> get,
                                     std::function<void(const QStringList&)> set) {
    TMObjectInspector::TProp prop;
    prop.name = name;
    prop.type = QStringLiteral("TStrings");
    prop.kind = TMObjectInspector::pkStrings;
    prop.get = [get] { return get().join(QLatin1Char('\n')); };
    prop.set = [set](const QString&, const QStringList& lines) {
        set(lines);
        return QString();
    };
    return prop;
}

// A property of the object's meta-object: strings, booleans, integers and enumerations.
bool metaProp(QObject* object, const char* property, TMObjectInspector::TProp& prop) {
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(property);
    if (index < 0) return false;
    const QMetaProperty mp = meta->property(index);
    const QString name = QString::fromLatin1(property);
    QPointer<QObject> guard(object);
    if (mp.isEnumType() && !mp.isFlagType()) {
        const QMetaEnum me = mp.enumerator();
        prop.name = name;
        prop.type = QString::fromLatin1(me.enumName());
        prop.kind = TMObjectInspector::pkEnum;
        for (int i = 0; i < me.keyCount(); ++i) prop.choices << QString::fromLatin1(me.key(i));
        prop.get = [guard, mp, me] {
            return QString::fromLatin1(me.valueToKey(mp.read(guard).toInt()));
        };
        prop.set = [guard, mp, me, name](const QString& text, const QStringList&) {
            bool ok = false;
            const int value = me.keyToValue(text.trimmed().toLatin1().constData(), &ok);
            if (!ok) return notAChoice(text, name);
            mp.write(guard, value);
            return QString();
        };
        return true;
    }
    switch (mp.metaType().id()) {
        case QMetaType::Bool:
            prop = boolProp(
                name, [guard, mp] { return mp.read(guard).toBool(); },
                [guard, mp](bool value) { mp.write(guard, value); });
            return true;
        case QMetaType::Int:
            prop = intProp(
                name, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                [guard, mp] { return mp.read(guard).toInt(); },
                [guard, mp](int value) { mp.write(guard, value); });
            return true;
        case QMetaType::QStringList:
            prop = stringsProp(
                name, [guard, mp] { return mp.read(guard).toStringList(); },
                [guard, mp](const QStringList& value) { mp.write(guard, value); });
            return true;
        case QMetaType::QString:
            prop.name = name;
            prop.type = QStringLiteral("String");
            prop.get = [guard, mp] { return mp.read(guard).toString(); };
            prop.set = [guard, mp](const QString& text, const QStringList&) {
                mp.write(guard, text);
                return QString();
            };
            return true;
        default:
            return false;
    }
}

QString colorText(const QColor& color) {
    return color.name(QColor::HexRgb).toUpper();
}

TMObjectInspector::TProp colorProp(QWidget* widget, const QString& name, bool text) {
    TMObjectInspector::TProp prop;
    prop.name = name;
    prop.type = QStringLiteral("TColor");
    prop.kind = TMObjectInspector::pkColor;
    prop.info = QStringLiteral("#RRGGBB");
    QPointer<QWidget> guard(widget);
    const auto role = [guard, text] {
        return text ? guard->foregroundRole() : guard->backgroundRole();
    };
    prop.get = [guard, role] { return colorText(guard->palette().color(role())); };
    prop.set = [guard, role, text](const QString& value, const QStringList&) {
        const QColor color = QColor::fromString(value.trimmed());
        if (!color.isValid()) return _("\"%1\" ist keine gueltige Farbe.").arg(value);
        QPalette palette = guard->palette();
        palette.setColor(role(), color);
        // Fields and buttons draw their text and face in roles of their own.
        if (text) {
            palette.setColor(QPalette::Text, color);
            palette.setColor(QPalette::ButtonText, color);
        } else {
            palette.setColor(QPalette::Base, color);
            guard->setAutoFillBackground(true);
        }
        guard->setPalette(palette);
        return QString();
    };
    return prop;
}

TMObjectInspector::TProp fontProp(QWidget* widget) {
    TMObjectInspector::TProp prop;
    prop.name = QStringLiteral("font");
    prop.type = QStringLiteral("TFont");
    prop.kind = TMObjectInspector::pkFont;
    prop.info = _("Schriftart, Groesse");
    QPointer<QWidget> guard(widget);
    prop.get = [guard] {
        return guard->font().family() + QStringLiteral(", ") +
               QString::number(guard->font().pointSize());
    };
    prop.set = [guard](const QString& value, const QStringList&) {
        const qsizetype comma = value.lastIndexOf(QLatin1Char(','));
        int size = 0;
        const QString family = value.left(comma).trimmed();
        if (comma < 1 || family.isEmpty() || !parseInt(value.mid(comma + 1), size) || size < 1 ||
            size > 200)
            return _("\"%1\" ist keine gueltige Schriftart: erwartet wird Schriftart, Groesse "
                     "(1 bis 200).")
                .arg(value);
        QFont font = guard->font();
        font.setFamily(family);
        font.setPointSize(size);
        guard->setFont(font);
        return QString();
    };
    return prop;
}

TMObjectInspector::TProp cursorProp(QWidget* widget) {
    TMObjectInspector::TProp prop;
    prop.name = QStringLiteral("cursor");
    prop.type = QStringLiteral("TCursor");
    prop.kind = TMObjectInspector::pkCursor;
    prop.choices = TMObjectInspector::CursorNames();
    QPointer<QWidget> guard(widget);
    prop.get = [guard] {
        return TMObjectInspector::CursorNames().value(int(guard->cursor().shape()));
    };
    prop.set = [guard](const QString& value, const QStringList&) {
        int shape = 0;
        if (!parseInt(value, shape)) return notANumber(value);
        if (shape < 0 || shape >= TMObjectInspector::CursorNames().size())
            return notAChoice(value, QStringLiteral("cursor"));
        guard->setCursor(Qt::CursorShape(shape));
        return QString();
    };
    return prop;
}

// Horizontal alignment only; the vertical part stays centred as the controls draw it.
TMObjectInspector::TProp alignmentProp(QWidget* widget) {
    static const QStringList names = {QStringLiteral("AlignLeft"), QStringLiteral("AlignRight"),
                                      QStringLiteral("AlignHCenter")};
    static const Qt::Alignment flags[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    TMObjectInspector::TProp prop;
    prop.name = QStringLiteral("alignment");
    prop.type = QStringLiteral("Alignment");
    prop.kind = TMObjectInspector::pkEnum;
    prop.choices = names;
    QPointer<QWidget> guard(widget);
    prop.get = [guard] {
        const auto align = Qt::Alignment(guard->property("alignment").toInt());
        for (int i = 0; i < 3; ++i)
            if (align & flags[i]) return names.at(i);
        return names.at(0);
    };
    prop.set = [guard](const QString& value, const QStringList&) {
        const qsizetype i = names.indexOf(value.trimmed());
        if (i < 0) return notAChoice(value, QStringLiteral("alignment"));
        const auto align = Qt::Alignment(guard->property("alignment").toInt());
        guard->setProperty("alignment",
                           QVariant::fromValue((align & ~Qt::AlignHorizontal_Mask) | flags[i]));
        return QString();
    };
    return prop;
}

void addComboProps(QComboBox* combo, std::vector<TMObjectInspector::TProp>& props) {
    QPointer<QComboBox> guard(combo);
    props.push_back(stringsProp(
        QStringLiteral("items"),
        [guard] {
            QStringList items;
            for (int i = 0; i < guard->count(); ++i) items << guard->itemText(i);
            return items;
        },
        [guard](const QStringList& items) {
            const QString text = guard->currentText();
            guard->clear();
            guard->addItems(items);
            guard->setCurrentIndex(int(items.indexOf(text)));
            if (guard->isEditable()) guard->setEditText(text);
        }));
    props.push_back(intProp(
        QStringLiteral("itemIndex"), -1, std::numeric_limits<int>::max(),
        [guard] { return guard->currentIndex(); },
        [guard](int index) { guard->setCurrentIndex(index < guard->count() ? index : -1); }));
    TMObjectInspector::TProp text;
    text.name = QStringLiteral("text");
    text.type = QStringLiteral("String");
    text.get = [guard] { return guard->currentText(); };
    text.set = [guard](const QString& value, const QStringList&) {
        if (guard->isEditable()) {
            guard->setEditText(value);
        } else {
            const int index = guard->findText(value);
            if (index < 0 && !value.isEmpty())
                return _("\"%1\" ist kein Eintrag der Liste.").arg(value);
            guard->setCurrentIndex(index);
        }
        return QString();
    };
    props.push_back(text);
}

}  // namespace

TMObjectInspector::TMObjectInspector(QObject* parent) : QObject(parent) {}

TMObjectInspector::~TMObjectInspector() = default;

void TMObjectInspector::SetFilter(int kinds) {
    m_filter = kinds;
    rebuild();
}

void TMObjectInspector::SetObject(QObject* object) {
    m_object = object;
    rebuild();
}

QStringList TMObjectInspector::CursorNames() {
    // Qt numbers its shapes from 0 without gaps up to the drag cursors.
    const QMetaEnum me = QMetaEnum::fromType<Qt::CursorShape>();
    QStringList names;
    for (int shape = 0; shape <= int(Qt::DragLinkCursor); ++shape)
        names << QString::fromLatin1(me.valueToKey(shape));
    return names;
}

int TMObjectInspector::CursorNumber(const QString& name) {
    return std::max(0, int(CursorNames().indexOf(name)));
}

void TMObjectInspector::rebuild() {
    m_props.clear();
    auto* widget = qobject_cast<QWidget*>(m_object.data());
    if (widget) {
        const QString kind = DsnClassName(widget);
        const bool stage = kind == QLatin1String("TDsnStage");
        QPointer<QWidget> guard(widget);
        TProp name;
        name.name = QStringLiteral("objectName");
        name.type = QStringLiteral("TComponentName");
        name.get = [guard] { return guard->objectName(); };
        name.set = [guard, stage](const QString& value, const QStringList&) {
            if (stage) return _("Der Name der Flaeche kann nicht geaendert werden.");
            const QString error = checkName(guard, value.trimmed());
            if (error.isEmpty()) guard->setObjectName(value.trimmed());
            return error;
        };
        m_props.push_back(name);
        const int most = 10000;
        if (!stage) {
            m_props.push_back(intProp(
                QStringLiteral("x"), -most, most, [guard] { return guard->x(); },
                [guard](int x) { guard->move(x, guard->y()); }));
            m_props.push_back(intProp(
                QStringLiteral("y"), -most, most, [guard] { return guard->y(); },
                [guard](int y) { guard->move(guard->x(), y); }));
        }
        m_props.push_back(intProp(
            QStringLiteral("width"), 1, most, [guard] { return guard->width(); },
            [guard](int width) { guard->resize(width, guard->height()); }));
        m_props.push_back(intProp(
            QStringLiteral("height"), 1, most, [guard] { return guard->height(); },
            [guard](int height) { guard->resize(guard->width(), height); }));
        m_props.push_back(fontProp(widget));
        m_props.push_back(colorProp(widget, QStringLiteral("color"), false));
        m_props.push_back(colorProp(widget, QStringLiteral("fontColor"), true));
        // Per kind, the properties a user of the layout cares about, in a useful order.
        QList<const char*> meta;
        if (!stage) meta = {"enabled", "visible", "toolTip"};
        if (kind == QLatin1String("TLabel"))
            meta << "text"
                 << "wordWrap";
        if (kind == QLatin1String("TEdit"))
            meta << "text"
                 << "maxLength"
                 << "readOnly";
        if (kind == QLatin1String("TMemo")) meta << "readOnly";
        if (kind == QLatin1String("TCheckBox") || kind == QLatin1String("TRadioButton"))
            meta << "text"
                 << "checked";
        if (kind == QLatin1String("TComboBox")) meta << "editable";
        if (kind == QLatin1String("TGroupBox")) meta << "title";
        if (kind == QLatin1String("TRadioGroup"))
            meta << "title"
                 << "items"
                 << "itemIndex"
                 << "columns";
        if (kind == QLatin1String("TDateTimePicker")) meta << "kind";
        for (const char* property : meta) {
            // Shown or not as designed, also while the window around it is still hidden.
            if (qstrcmp(property, "visible") == 0) {
                m_props.push_back(boolProp(
                    QStringLiteral("visible"), [guard] { return !guard->isHidden(); },
                    [guard](bool visible) { guard->setVisible(visible); }));
                continue;
            }
            TProp prop;
            if (metaProp(widget, property, prop)) m_props.push_back(prop);
        }
        if (kind == QLatin1String("TLabel") || kind == QLatin1String("TEdit"))
            m_props.push_back(alignmentProp(widget));
        if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
            QPointer<QPlainTextEdit> memoGuard(memo);
            m_props.push_back(stringsProp(
                QStringLiteral("lines"),
                [memoGuard] {
                    const QString text = memoGuard->toPlainText();
                    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
                },
                [memoGuard](const QStringList& lines) {
                    memoGuard->setPlainText(lines.join(QLatin1Char('\n')));
                }));
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) addComboProps(combo, m_props);
        if (!stage) m_props.push_back(cursorProp(widget));
    }
    std::erase_if(m_props, [this](const TProp& prop) { return !(prop.kind & m_filter); });
    Names.clear();
    Types.clear();
    Infos.clear();
    for (const TProp& prop : m_props) {
        Names << prop.name;
        Types << prop.type;
        Infos << prop.info;
    }
    refreshValues();
}

void TMObjectInspector::refreshValues() {
    Values.clear();
    for (const TProp& prop : m_props) Values << (m_object ? prop.get() : QString());
}

const TMObjectInspector::TProp* TMObjectInspector::find(const QString& name) const {
    const int index = GetProperty(name);
    return index < 0 ? nullptr : &m_props.at(size_t(index));
}

int TMObjectInspector::GetProperty(const QString& name) const {
    return m_object ? int(Names.indexOf(name)) : -1;
}

QString TMObjectInspector::GetPropertyValue(const QString& name, QStringList& choices) const {
    const TProp* prop = find(name);
    choices = prop ? prop->choices : QStringList();
    return prop ? prop->get() : QString();
}

bool TMObjectInspector::SetPropertyValue(const QString& name, const QStringList& value) {
    const TProp* prop = find(name);
    if (!prop) {
        fail(_("Die Eigenschaft \"%1\" gibt es hier nicht.").arg(name));
        return false;
    }
    const QString error = prop->set(value.join(QLatin1Char('\n')), value);
    if (!error.isEmpty()) {
        fail(error);
        return false;
    }
    refreshValues();
    return true;
}

void TMObjectInspector::fail(const QString& message) const {
    if (m_onExc) m_onExc(message);
}
