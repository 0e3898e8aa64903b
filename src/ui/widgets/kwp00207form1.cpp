#include "ui/widgets/kwp00207form1.h"

#include "app/translation.h"
#include "app/widgets/loadformstate.h"

TKWP00207Form1::TKWP00207Form1(const QString& tenant, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("KWP00207Form1"));
    setWindowTitle(CaptionFor(tenant));
    resize(1024, 700);
    LoadFormState(this, TFormRole::MainWindow);
}

QString TKWP00207Form1::CaptionFor(const QString& tenant) {
    return QStringLiteral("[0207 - 01] - ") + tenant + QStringLiteral(" - ") +
           _("Adressverwaltung");
}
