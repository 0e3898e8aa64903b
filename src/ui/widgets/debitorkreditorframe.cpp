#include "ui/widgets/debitorkreditorframe.h"

#include <QFormLayout>
#include <QLineEdit>

#include "address/customeraddress.h"
#include "app/translation.h"
#include "ui/widgets/panesupport.h"

namespace {
struct TField {
    const char* name;
    const char* caption;
    QString TCustomerAddress::*value;
};
const TField kFields[7] = {
    {"edDNr", N_("Debitor-Nr."), &TCustomerAddress::DebitorNr},
    {"edDKreditlimit", N_("Kreditlimit"), &TCustomerAddress::DebitorKreditlimit},
    {"edDVersicherung", N_("Versicherung"), &TCustomerAddress::DebitorVersicherung},
    {"edDBonitaet", N_("Bonitaet"), &TCustomerAddress::DebitorBonitaet},
    {"edKNr", N_("Kreditor-Nr."), &TCustomerAddress::KreditorNr},
    {"edKBearbeiter", N_("Bearbeiter"), &TCustomerAddress::KreditorBearbeiter},
    {"edOwnID", N_("Kunden-Nr."), &TCustomerAddress::OwnId},
};
}  // namespace

TDebitorKreditorFrame::TDebitorKreditorFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DebitorKreditorFrame"));
    auto* form = new QFormLayout(this);
    for (int i = 0; i < 7; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFields[i].name));
        form->addRow(_(kFields[i].caption), m_fields[i]);
        connect(m_fields[i], &QLineEdit::textChanged, this, &TDebitorKreditorFrame::write);
    }
    setReadOnly(!MayEditAddresses());
}

void TDebitorKreditorFrame::setRecord(TCustomerAddress* record) {
    m_loading = true;
    m_record = record;
    for (int i = 0; i < 7; ++i)
        m_fields[i]->setText(record ? record->*kFields[i].value : QString());
    m_loading = false;
}

void TDebitorKreditorFrame::setReadOnly(bool readOnly) {
    for (QLineEdit* field : m_fields) field->setReadOnly(readOnly);
}

void TDebitorKreditorFrame::write() {
    if (m_loading || !m_record) return;
    for (int i = 0; i < 7; ++i) m_record->*kFields[i].value = m_fields[i]->text();
    Q_EMIT modified();
}
