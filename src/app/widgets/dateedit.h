#pragma once

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

// Date field that may stay empty. Takes German short input ("1.3.", "010326", see
// ParseDateInput) and shows the short date format once the input is finished; text that is no
// date stays as typed and reads as 0.
class TDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The suite's day number; 0 when the field is empty or holds no date.
    double date() const;
    void setDate(double dayNumber);
    QDate dateValue() const;  // null when empty or invalid
    void setDateValue(const QDate& date);
    // True for a date and for an empty field. Text that is no date is shown in red once the
    // input is finished; the dynamic property "invalid" says so too.
    bool isValidInput() const;

Q_SIGNALS:
    void dateChanged(double dayNumber);

private:
    void finishInput();
    void markInvalid(bool invalid);
    void showCalendar();

    double m_lastDate = 0;
    QCalendarWidget* m_calendar = nullptr;
};
