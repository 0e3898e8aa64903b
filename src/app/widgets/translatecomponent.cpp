#include "app/widgets/translatecomponent.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

#include "app/translation.h"

namespace {
bool excluded(const QObject* object, const char* property = nullptr) {
    const QString prop = property ? QString::fromLatin1(property) : QString();
    for (const QMetaObject* meta = object->metaObject(); meta; meta = meta->superClass()) {
        if (IsExcludedFromTranslation(QString::fromLatin1(meta->className()), prop)) return true;
    }
    return false;
}

template <typename Get, typename Set>
void translateText(QObject* object, const char* property, Get get, Set set) {
    if (excluded(object, property)) return;
    const QString text = get();
    if (!text.isEmpty()) set(_(text));
}

void translateWidget(QWidget* w) {
    if (excluded(w)) return;
    translateText(
        w, "windowTitle", [w] { return w->windowTitle(); },
        [w](const QString& t) { w->setWindowTitle(t); });
    translateText(
        w, "toolTip", [w] { return w->toolTip(); }, [w](const QString& t) { w->setToolTip(t); });
    translateText(
        w, "statusTip", [w] { return w->statusTip(); },
        [w](const QString& t) { w->setStatusTip(t); });
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        translateText(
            b, "text", [b] { return b->text(); }, [b](const QString& t) { b->setText(t); });
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        translateText(
            l, "text", [l] { return l->text(); }, [l](const QString& t) { l->setText(t); });
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        translateText(
            g, "title", [g] { return g->title(); }, [g](const QString& t) { g->setTitle(t); });
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        translateText(
            e, "placeholderText", [e] { return e->placeholderText(); },
            [e](const QString& t) { e->setPlaceholderText(t); });
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (!c->isEditable() && !excluded(c, "items")) {
            for (int i = 0; i < c->count(); ++i) c->setItemText(i, _(c->itemText(i)));
        }
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, _(tabs->tabText(i)));
    } else if (auto* m = qobject_cast<QMenu*>(w)) {
        translateText(
            m, "title", [m] { return m->title(); }, [m](const QString& t) { m->setTitle(t); });
    }
    for (QAction* a : w->actions()) {
        if (excluded(a)) continue;
        translateText(
            a, "text", [a] { return a->text(); }, [a](const QString& t) { a->setText(t); });
        translateText(
            a, "toolTip", [a] { return a->toolTip(); },
            [a](const QString& t) { a->setToolTip(t); });
    }
}
}  // namespace

void TranslateComponent(QWidget* window) {
    if (!window) return;
    translateWidget(window);
    for (QWidget* child : window->findChildren<QWidget*>()) translateWidget(child);
}
