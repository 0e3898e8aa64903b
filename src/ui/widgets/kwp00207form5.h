#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class TPaymentTerm;

// The payment term dialog: kind, number of days or half months, percentage, days per week.
class TKWP00207Form5 : public QDialog {
    Q_OBJECT
public:
    explicit TKWP00207Form5(QWidget* parent = nullptr);

    // On OK the term takes the entered values and the result is true.
    static bool Execute(TPaymentTerm& term, QWidget* parent = nullptr);

    void load(const TPaymentTerm& term);
    void store(TPaymentTerm& term) const;

private:
    // Labels and the week line follow the chosen kind.
    void kindChanged();

    QRadioButton* m_days = nullptr;
    QRadioButton* m_halfMonths = nullptr;
    QLabel* m_before = nullptr;
    QLabel* m_after = nullptr;
    QSpinBox* m_count = nullptr;
    QDoubleSpinBox* m_perc = nullptr;
    QWidget* m_week = nullptr;
    QSpinBox* m_dpw = nullptr;
};
