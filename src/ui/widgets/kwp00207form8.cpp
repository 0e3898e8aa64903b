#include "ui/widgets/kwp00207form8.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "app/inifile.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/adresslistviewerframe.h"

namespace {
const QString kSection = QStringLiteral("KWP00207Form8");
}

TKWP00207Form8::TKWP00207Form8(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint),
      m_list(new TAdresslistViewerFrame(this)) {
    setObjectName(QStringLiteral("KWP00207Form8"));
    setWindowTitle(QStringLiteral("[0207 - 08] - ") + _("Adress-Zwischenspeicher"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    LoadFormState(this, TFormRole::Other);
}

void TKWP00207Form8::LoadGeometry(const TIniFile& ini) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int width = ini.ReadInteger(kSection, QStringLiteral("Width"), 390);
    const int height = ini.ReadInteger(kSection, QStringLiteral("Height"), 200);
    const int left = ini.ReadInteger(kSection, QStringLiteral("Left"), area.width() - width - 50);
    const int top = ini.ReadInteger(kSection, QStringLiteral("Top"), area.top() + 70);
    setGeometry(left, top, width, height);
}

void TKWP00207Form8::SaveGeometry(TIniFile& ini) const {
    const QRect bounds = geometry();
    ini.WriteInteger(kSection, QStringLiteral("Width"), bounds.width());
    ini.WriteInteger(kSection, QStringLiteral("Height"), bounds.height());
    ini.WriteInteger(kSection, QStringLiteral("Left"), bounds.left());
    ini.WriteInteger(kSection, QStringLiteral("Top"), bounds.top());
}
