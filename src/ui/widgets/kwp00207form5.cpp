#include "ui/widgets/kwp00207form5.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "address/paymentterm.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"

namespace {
QLabel* label(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}
}  // namespace

TKWP00207Form5::TKWP00207Form5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KWP00207Form5"));
    setWindowTitle(QStringLiteral("[0207 - 05] - ") + _("Zahlungsbedingung bearbeiten"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        label(_("Es werden zwei Typen von Zahlungsbedingungen unterstuetzt."), "lbHeader1", this));
    layout->addWidget(label(_("Waehlen Sie den gewuenschten Typ aus!"), "lbHeader2", this));
    m_days = new QRadioButton(_("Bis x Tage"), this);
    m_days->setObjectName(QStringLiteral("rbDays"));
    m_halfMonths = new QRadioButton(_("Bis Monatsmitte/-ende plus x halbe Monate"), this);
    m_halfMonths->setObjectName(QStringLiteral("rbHalfMonths"));
    layout->addWidget(m_days);
    layout->addWidget(m_halfMonths);

    auto* grid = new QGridLayout;
    m_before = label(QString(), "lbBefore", this);
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("seDays"));
    m_count->setRange(0, 999);
    m_after = label(QString(), "lbAfter", this);
    m_before->setBuddy(m_count);
    grid->addWidget(m_before, 0, 0);
    grid->addWidget(m_count, 0, 1);
    grid->addWidget(m_after, 0, 2);
    auto* percLabel = label(_("Prozent"), "lbPerc", this);
    m_perc = new QDoubleSpinBox(this);
    m_perc->setObjectName(QStringLiteral("edPerc"));
    m_perc->setRange(0, 100);
    m_perc->setDecimals(2);
    m_perc->setButtonSymbols(QAbstractSpinBox::NoButtons);
    percLabel->setBuddy(m_perc);
    grid->addWidget(percLabel, 1, 0);
    grid->addWidget(m_perc, 1, 1);
    grid->addWidget(label(_("(0 Prozent = Netto)"), "lbNetto", this), 1, 2);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);

    m_week = new QWidget(this);
    m_week->setObjectName(QStringLiteral("pnWeek"));
    auto* week = new QHBoxLayout(m_week);
    week->setContentsMargins(0, 0, 0, 0);
    auto* weekLabel = label(_("Eine Woche zaehlt"), "lbWeek", m_week);
    m_dpw = new QSpinBox(m_week);
    m_dpw->setObjectName(QStringLiteral("seDpw"));
    m_dpw->setRange(5, 7);
    m_dpw->setValue(7);
    weekLabel->setBuddy(m_dpw);
    week->addWidget(weekLabel);
    week->addWidget(m_dpw);
    week->addWidget(label(_("Tage"), "lbWeekDays", m_week));
    week->addStretch();
    layout->addWidget(m_week);
    layout->addStretch();
    layout->addLayout(OkCancelRow(this));

    connect(m_days, &QRadioButton::toggled, this, &TKWP00207Form5::kindChanged);
    m_days->setChecked(true);
    kindChanged();
    adjustSize();
    LoadFormState(this, TFormRole::Other);
}

bool TKWP00207Form5::Execute(TPaymentTerm& term, QWidget* parent) {
    TKWP00207Form5 dialog(parent);
    dialog.load(term);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(term);
    return true;
}

void TKWP00207Form5::load(const TPaymentTerm& term) {
    (term.PtType == TPaymentTerm::ptHalfMonths ? m_halfMonths : m_days)->setChecked(true);
    m_count->setValue(term.Days);
    m_perc->setValue(term.Perc);
    m_dpw->setValue(term.Dpw);
    kindChanged();
}

void TKWP00207Form5::store(TPaymentTerm& term) const {
    term.PtType = m_halfMonths->isChecked() ? TPaymentTerm::ptHalfMonths : TPaymentTerm::ptDays;
    term.Days = m_count->value();
    term.Perc = m_perc->value();
    term.Dpw = m_dpw->value();
}

void TKWP00207Form5::kindChanged() {
    const bool days = m_days->isChecked();
    m_before->setText(days ? _("Bis") : _("Plus"));
    m_after->setText(days ? _("Tage") : _("halbe Monate"));
    m_week->setVisible(days);
}
