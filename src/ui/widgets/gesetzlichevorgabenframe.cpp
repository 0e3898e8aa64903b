#include "ui/widgets/gesetzlichevorgabenframe.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "address/customeraddress.h"
#include "app/translation.h"
#include "ui/widgets/panesupport.h"

TGesetzlicheVorgabenFrame::TGesetzlicheVorgabenFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GesetzlicheVorgabenFrame"));
    auto* layout = new QVBoxLayout(this);
    const auto box = [&](const char* name, const QString& caption) {
        auto* check = new QCheckBox(caption, this);
        check->setObjectName(QString::fromLatin1(name));
        layout->addWidget(check);
        // Only clicks count: loading sets the boxes without writing.
        connect(check, &QCheckBox::clicked, this, &TGesetzlicheVorgabenFrame::write);
        return check;
    };
    cbParagraf13b =
        box("cbParagraf13b", _("Leistungsempfaenger nach Paragr.13b Abs.1 Satz 1 Nr.4 Satz 1 UStG "
                               "(Deutschland)"));
    cbParagraf14b = box("cbParagraf14b",
                        _("Leistungsempfaenger nach Paragr.14b Abs.1 Satz 6 UStG (Deutschland)"));
    cbParagraf6a =
        box("cbParagraf6a", _("Leistungsempfaenger nach Paragr. 6a UStG Umsatzsteuerfrei aufgrund "
                              "innergemeinschaftlicher Lieferung (Deutschland)"));
    layout->addStretch();
    setReadOnly(!MayEditAddresses());
}

void TGesetzlicheVorgabenFrame::setRecord(TCustomerAddress* record) {
    m_record = record;
    cbParagraf13b->setChecked(record && record->Paragr13b);
    cbParagraf14b->setChecked(record && record->Paragr14b);
    cbParagraf6a->setChecked(record && record->Paragr6a);
}

void TGesetzlicheVorgabenFrame::setReadOnly(bool readOnly) {
    for (QCheckBox* check : {cbParagraf13b, cbParagraf14b, cbParagraf6a})
        check->setEnabled(!readOnly);
}

void TGesetzlicheVorgabenFrame::write() {
    if (!m_record) return;
    m_record->Paragr13b = cbParagraf13b->isChecked();
    m_record->Paragr14b = cbParagraf14b->isChecked();
    m_record->Paragr6a = cbParagraf6a->isChecked();
    Q_EMIT modified();
}
