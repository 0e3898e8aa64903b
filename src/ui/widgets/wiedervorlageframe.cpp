#include "ui/widgets/wiedervorlageframe.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTime>
#include <QToolButton>

#include "address/customeraddress.h"
#include "app/conversions.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/dateedit.h"
#include "ui/widgets/panesupport.h"

TWiedervorlageFrame::TWiedervorlageFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WiedervorlageFrame"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(_("Wiedervorlage"), this);
    layout->addWidget(label);
    deWV = new TDateEdit(this);
    deWV->setObjectName(QStringLiteral("deWV"));
    label->setBuddy(deWV);
    layout->addWidget(deWV);
    edWVTime = new QLineEdit(this);
    edWVTime->setObjectName(QStringLiteral("edWVTime"));
    edWVTime->setInputMask(QStringLiteral("90:00;_"));
    edWVTime->setMaximumWidth(edWVTime->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) +
                              16);
    layout->addWidget(edWVTime);
    edWVText = new QLineEdit(this);
    edWVText->setObjectName(QStringLiteral("edWVText"));
    edWVText->setMaxLength(40);
    layout->addWidget(edWVText, 2);
    cbWVUser = new QComboBox(this);
    cbWVUser->setObjectName(QStringLiteral("cbWVUser"));
    cbWVUser->setEditable(true);
    cbWVUser->setInsertPolicy(QComboBox::NoInsert);
    QStringList users;
    LoadUserList(users);
    cbWVUser->addItems(users);
    cbWVUser->setEditText(QString());
    layout->addWidget(cbWVUser, 1);
    sbWVDel = new QToolButton(this);
    sbWVDel->setObjectName(QStringLiteral("sbWVDel"));
    sbWVDel->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    sbWVDel->setToolTip(_("Wiedervorlage loeschen"));
    layout->addWidget(sbWVDel);

    connect(deWV, &TDateEdit::dateChanged, this, &TWiedervorlageFrame::write);
    connect(deWV, &QLineEdit::textChanged, this, &TWiedervorlageFrame::write);
    connect(edWVTime, &QLineEdit::textChanged, this, &TWiedervorlageFrame::write);
    connect(edWVText, &QLineEdit::textChanged, this, &TWiedervorlageFrame::write);
    connect(cbWVUser, &QComboBox::editTextChanged, this, &TWiedervorlageFrame::write);
    connect(sbWVDel, &QToolButton::clicked, this, &TWiedervorlageFrame::Clear);
    setReadOnly(!MayEditAddresses());
}

void TWiedervorlageFrame::setRecord(TCustomerAddress* record) {
    m_loading = true;
    m_record = record;
    const double wv = record ? record->Wv : 0;
    deWV->setDate(wv);
    // Without a resubmission the time stays empty rather than showing midnight.
    edWVTime->setText(wv == 0 ? QString()
                              : DayNumberToDateTime(wv).time().toString(QStringLiteral("hh:mm")));
    edWVText->setText(record ? record->WvTxt : QString());
    cbWVUser->setEditText(record ? record->WvUser : QString());
    m_loading = false;
}

void TWiedervorlageFrame::setReadOnly(bool readOnly) {
    for (QLineEdit* field : {static_cast<QLineEdit*>(deWV), edWVTime, edWVText})
        field->setReadOnly(readOnly);
    cbWVUser->setEnabled(!readOnly);
    sbWVDel->setEnabled(!readOnly);
}

void TWiedervorlageFrame::Clear() {
    deWV->setDate(0);
    deWV->clear();
    edWVTime->clear();
    edWVText->clear();
    cbWVUser->setEditText(QString());
}

double TWiedervorlageFrame::Value() const {
    const QTime time = QTime::fromString(edWVTime->text(), QStringLiteral("H:mm"));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return deWV->date() + fraction;
}

void TWiedervorlageFrame::write() {
    if (m_loading || !m_record) return;
    m_record->Wv = Value();
    m_record->WvTxt = edWVText->text();
    m_record->WvUser = cbWVUser->currentText();
    Q_EMIT modified();
}
