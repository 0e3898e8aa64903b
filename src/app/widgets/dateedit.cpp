#include "app/widgets/dateedit.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QStyle>

#include "app/clock.h"
#include "app/dateinput.h"
#include "app/format.h"
#include "app/translation.h"

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent) {
    QAction* popup = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    popup->setObjectName(QStringLiteral("actCalendar"));
    popup->setToolTip(_("Kalender"));
    connect(popup, &QAction::triggered, this, &TDateEdit::showCalendar);
    connect(this, &QLineEdit::editingFinished, this, &TDateEdit::finishInput);
    // Typing clears the mark; it comes back when the finished text is still no date.
    connect(this, &QLineEdit::textChanged, this, [this] { markInvalid(false); });
}

void TDateEdit::markInvalid(bool invalid) {
    if (property("invalid").toBool() == invalid) return;
    setProperty("invalid", invalid);
    QPalette colours = palette();
    colours.setColor(QPalette::Text,
                     invalid ? QColor(Qt::red) : QApplication::palette().color(QPalette::Text));
    setPalette(colours);
    setToolTip(invalid ? _("Kein gültiges Datum") : QString());
}

QDate TDateEdit::dateValue() const {
    return ParseDateInput(text(), Today()).value_or(QDate());
}

double TDateEdit::date() const {
    return DateToDayNumber(dateValue());
}

bool TDateEdit::isValidInput() const {
    return ParseDateInput(text(), Today()).has_value();
}

void TDateEdit::setDateValue(const QDate& date) {
    setText(date.isValid() ? DateToStr(date) : QString());
    m_lastDate = DateToDayNumber(date);
}

void TDateEdit::setDate(double dayNumber) {
    setDateValue(DayNumberToDate(dayNumber));
}

void TDateEdit::finishInput() {
    const std::optional<QDate> parsed = ParseDateInput(text(), Today());
    // Text that is no date is left for the user to correct.
    if (!parsed) return markInvalid(true);
    if (parsed->isValid()) setText(DateToStr(*parsed));
    const double value = DateToDayNumber(*parsed);
    if (value != m_lastDate) {
        m_lastDate = value;
        Q_EMIT dateChanged(value);
    }
}

void TDateEdit::showCalendar() {
    if (isReadOnly()) return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setObjectName(QStringLiteral("Calendar"));
        m_calendar->setWindowFlags(Qt::Popup);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate picked) {
            m_calendar->hide();
            setText(DateToStr(picked));
            finishInput();
            setFocus();
        });
    }
    const QDate current = dateValue();
    m_calendar->setSelectedDate(current.isValid() ? current : Today());
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(QPoint(width() - m_calendar->width(), height())));
    m_calendar->show();
}
