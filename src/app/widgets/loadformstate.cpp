#include "app/widgets/loadformstate.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QWidget>

#include "app/formstate.h"
#include "app/inifile.h"
#include "app/systemeinstellungen.h"
#include "app/widgets/translatecomponent.h"

namespace {
QRect g_dialogBounds;

void applyColor(QWidget* control, const QColor& color) {
    // The colour the control shows is its background role: Window for panels and labels, Base
    // for edits and lists, Button for buttons.
    const QPalette::ColorRole role = control->backgroundRole();
    QPalette palette = control->palette();
    palette.setColor(role, color);
    control->setPalette(palette);
    // Only Window backgrounds are left unpainted unless asked for.
    if (role == QPalette::Window) control->setAutoFillBackground(true);
}

QScreen* screenOf(const QWidget* form) {
    if (QScreen* screen = form->screen()) return screen;
    return QGuiApplication::primaryScreen();
}
}  // namespace

void LoadFormState(QWidget* form, TFormRole role) {
    if (!form) return;
    const TIniFile* ini = UserApplicationIni();
    const TSystemEinstellungen* sys = SystemEinstellungen();
    // Without a login (tools, tests) the defaults apply, as for a missing section.
    const TColorScheme scheme =
        ini ? LoadColorScheme(*ini, sys ? sys->Tenant : QString()) : TColorScheme();
    const int screenResolution = ini ? LoadScreenResolution(*ini) : 1;

    const QPalette desktop = QApplication::palette();
    for (QWidget* control : form->findChildren<QWidget*>()) {
        bool ok = false;
        const int tag = control->property("tag").toInt(&ok);
        if (ok && tag >= 1 && tag <= 5)
            applyColor(control, WinColorToQColor(scheme.Colors[tag - 1], desktop));
    }

    TranslateComponent(form);
    form->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    const QScreen* screen = screenOf(form);
    if (!screen) return;
    const QRect workArea = screen->availableGeometry();
    if (role == TFormRole::MainWindow) {
        form->setGeometry(MainWindowBounds(screenResolution, workArea, form->geometry()));
    } else {
        QRect bounds = form->geometry();
        bounds.moveCenter(workArea.center());
        form->move(bounds.topLeft());
    }
    g_dialogBounds = DialogBounds(screenResolution, workArea);
}

QRect DefaultDialogBounds() {
    return g_dialogBounds;
}
