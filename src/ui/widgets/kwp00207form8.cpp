#include "ui/widgets/kwp00207form8.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "app/inifile.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/adresslistviewerframe.h"

namespace {
const QString kForm8Section = QStringLiteral("KWP00207Form8");
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
    const int width = ini.ReadInteger(kForm8Section, QStringLiteral("Width"), 390);
    const int height = ini.ReadInteger(kForm8Section, QStringLiteral("Height"), 200);
    const int left = ini.ReadInteger(kForm8Section, QStringLiteral("Left"), area.width() - width - 50);
    const int top = ini.ReadInteger(kForm8Section, QStringLiteral("Top"), area.top() + 70);
    setGeometry(left, top, width, height);
}

void TKWP00207Form8::SaveGeometry(TIniFile& ini) const {
    const QRect bounds = geometry();
    ini.WriteInteger(kForm8Section, QStringLiteral("Width"), bounds.width());
    ini.WriteInteger(kForm8Section, QStringLiteral("Height"), bounds.height());
    ini.WriteInteger(kForm8Section, QStringLiteral("Left"), bounds.left());
    ini.WriteInteger(kForm8Section, QStringLiteral("Top"), bounds.top());
}
