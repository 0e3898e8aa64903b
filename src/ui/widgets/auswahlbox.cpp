#include "ui/widgets/auswahlbox.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/format.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"

namespace {
QChar keyOf(const QString& label) {
    return label.size() >= 2 && label.front() == QLatin1Char('&') ? label.at(1) : QLatin1Char(' ');
}
}  // namespace

TAuswahlbox::TAuswahlbox(const QString& caption, const QString& entries, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Auswahlbox"));
    setWindowTitle(FormatStr(_("Auswahl: %s"), {caption}));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("rgAuswahl"));
    QFont font = box->font();
    font.setPointSize(8);
    box->setFont(font);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setSpacing(0);
    m_buttons = new QButtonGroup(this);
    const QStringList items = entries.split(QLatin1Char(','));
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(EntryLabel(i, items.at(i).trimmed()), box);
        button->setObjectName(QStringLiteral("rbEntry%1").arg(i));
        button->setMinimumHeight(21);
        m_buttons->addButton(button, i);
        boxLayout->addWidget(button);
    }
    if (QAbstractButton* first = m_buttons->button(0)) first->setChecked(true);
    layout->addWidget(box);
    layout->addLayout(OkCancelRow(this));
    adjustSize();
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 80);
    LoadFormState(this, TFormRole::Other);
    // The entries are data: undo what window translation made of one that happens to be a
    // program text.
    for (QAbstractButton* button : m_buttons->buttons()) {
        const int i = m_buttons->id(button);
        button->setText(EntryLabel(i, items.at(i).trimmed()));
    }
    if (QAbstractButton* checked = m_buttons->checkedButton()) checked->setFocus();
}

QChar TAuswahlbox::Execute(const QString& caption, const QString& entries, QWidget* parent) {
    TAuswahlbox dialog(caption, entries, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenKey() : QLatin1Char(' ');
}

QString TAuswahlbox::EntryLabel(int index, const QString& entry) {
    if (entry.isEmpty() || entry.startsWith(QLatin1Char('&'))) return entry;
    const QChar key = index < 10 ? QChar(u'0' + index) : QChar(u'a' + (index - 10));
    return QLatin1Char('&') + key + QLatin1Char(' ') + entry;
}

int TAuswahlbox::IndexOfKey(QChar key) {
    const char16_t c = key.toLower().unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return 10 + (c - u'a');
    return -1;
}

QChar TAuswahlbox::chosenKey() const {
    const QAbstractButton* checked = m_buttons->checkedButton();
    return checked ? keyOf(checked->text()) : QLatin1Char(' ');
}

void TAuswahlbox::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0) != QLatin1Char(' ')) {
        for (QAbstractButton* button : m_buttons->buttons()) {
            if (keyOf(button->text()).toLower() == typed.at(0).toLower()) {
                button->setChecked(true);
                button->setFocus();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}
