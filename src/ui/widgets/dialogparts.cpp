#include "ui/widgets/dialogparts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "app/translation.h"

QHBoxLayout* OkCancelRow(QDialog* dialog) {
    auto* ok = new QPushButton(_("OK"), dialog);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(_("Abbrechen"), dialog);
    cancel->setObjectName(QStringLiteral("btCancel"));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
