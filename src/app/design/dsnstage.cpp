#include "app/design/dsnstage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormBuilder>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRect>
#include <QXmlStreamWriter>
#include <map>
#include <memory>

#include "app/atomicfile.h"
#include "app/clock.h"
#include "app/design/dsncontrols.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/translation.h"

namespace {

// Reads layouts with Qt's form builder and writes them in its format. Writing is our own: the
// builder writes every property in hash order, a layout must come out byte for byte the same.
class TLayoutBuilder : public QFormBuilder {
public:
    static QByteArray Write(const QWidget* stage);

protected:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        if (className == QLatin1String("TRadioGroup") ||
            className == QLatin1String("TDateTimePicker")) {
            QWidget* widget = NewDsnControl(className, parent);
            widget->setObjectName(name);
            return widget;
        }
        return QFormBuilder::createWidget(className, parent, name);
    }
};

void WriteProperty(QXmlStreamWriter& xml, const QMetaProperty& property, const QVariant& value) {
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), QString::fromLatin1(property.name()));
    if (property.isEnumType()) {
        const QMetaEnum meta = property.enumerator();
        const QString scope = QString::fromLatin1(meta.scope()) + QStringLiteral("::");
        const int number = value.toInt();
        if (meta.isFlag()) {
            // One name per bit, the first declared (AlignRight, not its alias AlignTrailing).
            QStringList keys;
            int rest = number;
            for (int k = 0; k < meta.keyCount(); ++k) {
                const int bit = meta.value(k);
                if (qPopulationCount(quint32(bit)) != 1 || (rest & bit) != bit) continue;
                keys << QString::fromLatin1(meta.key(k));
                rest &= ~bit;
            }
            if (keys.isEmpty() || rest)
                keys = QString::fromLatin1(meta.valueToKeys(number)).split(QLatin1Char('|'));
            for (QString& key : keys) key.prepend(scope);
            xml.writeTextElement(QStringLiteral("set"), keys.join(QLatin1Char('|')));
        } else {
            xml.writeTextElement(QStringLiteral("enum"),
                                 scope + QString::fromLatin1(meta.valueToKey(number)));
        }
    } else if (value.typeId() == QMetaType::QRect) {
        const QRect rect = value.toRect();
        xml.writeStartElement(QStringLiteral("rect"));
        xml.writeTextElement(QStringLiteral("x"), QString::number(rect.x()));
        xml.writeTextElement(QStringLiteral("y"), QString::number(rect.y()));
        xml.writeTextElement(QStringLiteral("width"), QString::number(rect.width()));
        xml.writeTextElement(QStringLiteral("height"), QString::number(rect.height()));
        xml.writeEndElement();
    } else if (value.typeId() == QMetaType::Bool) {
        xml.writeTextElement(QStringLiteral("bool"),
                             value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
    } else if (value.typeId() == QMetaType::Int) {
        xml.writeTextElement(QStringLiteral("number"), QString::number(value.toInt()));
    } else if (value.typeId() == QMetaType::QStringList) {
        xml.writeStartElement(QStringLiteral("stringlist"));
        for (const QString& text : value.toStringList())
            xml.writeTextElement(QStringLiteral("string"), text);
        xml.writeEndElement();
    } else {
        xml.writeTextElement(QStringLiteral("string"), value.toString());
    }
    xml.writeEndElement();
}

// A control's properties that differ from those of a bare control of its kind, then its
// children, as Qt Designer writes them.
void WriteControl(QXmlStreamWriter& xml, const QWidget* control,
                  std::map<QString, std::unique_ptr<QWidget>>& bare) {
    const QString kind = DsnClassName(control);
    std::unique_ptr<QWidget>& plain = bare[kind];
    if (!plain) plain.reset(NewDsnControl(kind, nullptr));
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"),
                       QString::fromLatin1(control->metaObject()->className()));
    xml.writeAttribute(QStringLiteral("name"), control->objectName());
    const QMetaObject* meta = control->metaObject();
    for (const QByteArray& name : DsnPropertyNames(control)) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(name.constData()));
        const QVariant value = property.read(control);
        if (name == "geometry" || value != property.read(plain.get()))
            WriteProperty(xml, property, value);
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        for (int i = 0; i < combo->count(); ++i) {
            xml.writeStartElement(QStringLiteral("item"));
            xml.writeStartElement(QStringLiteral("property"));
            xml.writeAttribute(QStringLiteral("name"), QStringLiteral("text"));
            xml.writeTextElement(QStringLiteral("string"), combo->itemText(i));
            xml.writeEndElement();
            xml.writeEndElement();
        }
    }
    if (IsDsnContainer(control)) {
        for (QObject* child : control->children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            if (widget && !DsnClassName(widget).isEmpty()) WriteControl(xml, widget, bare);
        }
    }
    xml.writeEndElement();
}

QByteArray TLayoutBuilder::Write(const QWidget* stage) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeTextElement(QStringLiteral("class"), QStringLiteral("DsnStage"));
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), QStringLiteral("QWidget"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("DsnStage"));
    const QMetaObject& meta = QWidget::staticMetaObject;
    WriteProperty(xml, meta.property(meta.indexOfProperty("geometry")),
                  QRect(QPoint(0, 0), stage->size()));
    std::map<QString, std::unique_ptr<QWidget>> bare;
    for (QObject* child : stage->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget && !DsnClassName(widget).isEmpty()) WriteControl(xml, widget, bare);
    }
    xml.writeEndElement();
    // Qt Designer shows these two as their base classes.
    xml.writeStartElement(QStringLiteral("customwidgets"));
    for (const auto& [name, base] :
         {std::pair{"TDateTimePicker", "QDateTimeEdit"}, std::pair{"TRadioGroup", "QGroupBox"}}) {
        xml.writeStartElement(QStringLiteral("customwidget"));
        xml.writeTextElement(QStringLiteral("class"), QString::fromLatin1(name));
        xml.writeTextElement(QStringLiteral("extends"), QString::fromLatin1(base));
        xml.writeTextElement(QStringLiteral("header"), QStringLiteral("dsncontrols.h"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// The class of the first widget below a container that a layout may not hold.
QString ForeignClass(const QWidget* container) {
    for (QObject* child : container->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget) continue;
        if (DsnClassName(widget).isEmpty() || DsnClassName(widget) == QLatin1String("TDsnStage"))
            return QString::fromLatin1(widget->metaObject()->className());
        if (IsDsnContainer(widget)) {
            const QString foreign = ForeignClass(widget);
            if (!foreign.isEmpty()) return foreign;
        }
    }
    return {};
}

}  // namespace

void ForEachDsnControl(QWidget* container, const std::function<void(QWidget*)>& visit) {
    // A copy: a visitor may delete or reparent what it visits.
    const QObjectList children = container->children();
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || DsnClassName(widget).isEmpty()) continue;
        if (IsDsnContainer(widget)) ForEachDsnControl(widget, visit);
        visit(widget);
    }
}

TDsnStage::TDsnStage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DsnStage1"));
}

bool TDsnStage::LoadFromFile(const QString& fileName) {
    Clear();
    QFile file(fileName);
    if (!file.exists()) return true;
    QString failure;
    if (!file.open(QIODevice::ReadOnly)) {
        failure = file.errorString();
    } else {
        TLayoutBuilder builder;
        std::unique_ptr<QWidget> form(builder.load(&file, this));
        if (!form) {
            failure = builder.errorString();
        } else if (const QString foreign = ForeignClass(form.get()); !foreign.isEmpty()) {
            failure = _("Unbekanntes Element \"%1\".").arg(foreign);
        } else {
            resize(form->size());
            const QObjectList children = form->children();
            for (QObject* child : children) {
                if (auto* widget = qobject_cast<QWidget*>(child)) {
                    widget->setParent(this);
                    widget->show();
                }
            }
        }
    }
    if (!failure.isEmpty()) {
        ShowMessageDlgFmt(_("Die Layoutdatei \"%s\" kann nicht gelesen werden: %s"),
                          {fileName, failure}, mtError, mbOK);
        return false;
    }
    ForEachDsnControl(this, [this](QWidget* control) { Q_EMIT controlLoaded(control); });
    return true;
}

QByteArray TDsnStage::LayoutBytes() const {
    return TLayoutBuilder::Write(this);
}

bool TDsnStage::SaveToFile(const QString& fileName) {
    try {
        WriteFileAtomically(fileName, LayoutBytes());
        return true;
    } catch (const EKwpError& error) {
        ShowMessageDlg(error.message(), mtError, mbOK);
        return false;
    }
}

void TDsnStage::ClearValues() {
    ForEachDsnControl(this, [](QWidget* control) {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->clear();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->clear();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control);
                   qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
            // The checked one of several radio buttons refuses to be unchecked otherwise.
            const bool exclusive = button->autoExclusive();
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(exclusive);
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            if (combo->isEditable())
                combo->setEditText(QString());
            else
                combo->setCurrentIndex(-1);
        } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
            if (!group->items().isEmpty()) group->setItemIndex(0);
        } else if (auto* picker = qobject_cast<TDateTimePicker*>(control)) {
            if (picker->kind() == TDateTimePicker::dtkDate)
                picker->setDate(Today());
            else
                picker->setTime(Now().time());
        }
    });
}

void TDsnStage::Clear() {
    ForEachDsnControl(this, [this](QWidget* control) {
        if (control->parentWidget() == this) delete control;
    });
}

bool TDsnStage::DeleteControl(QWidget* control) {
    if (!control || control == this || !isAncestorOf(control)) return false;
    if (deleteQuery && !deleteQuery(control)) return false;
    delete control;
    Q_EMIT afterDelete();
    return true;
}

void TDsnStage::setGridVisible(bool visible) {
    if (visible == m_gridVisible) return;
    m_gridVisible = visible;
    update();
}

void TDsnStage::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_gridVisible) return;
    // One dot per grid point, as a tile.
    static constexpr int Step = 8;
    QPixmap tile(Step, Step);
    tile.fill(Qt::transparent);
    {
        QPainter dot(&tile);
        dot.setPen(palette().color(QPalette::Dark));
        dot.drawPoint(0, 0);
    }
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(tile));
}
