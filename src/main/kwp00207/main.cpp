#include <cstdio>
#include <cstdlib>

#include "app/systemeinstellungen.h"
#include "app/widgets/widgetservices.h"
#include "ui/widgets/kwp00207form1.h"

namespace {
// Qt would abort with a terse platform message; say plainly what is missing.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}
}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "kwp00207: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY "
                     "gesetzt). Die Adressverwaltung braucht eine grafische Oberflaeche.\n"
                     "kwp00207: No display found (neither DISPLAY nor WAYLAND_DISPLAY is set). "
                     "The address manager needs a graphical desktop.\n");
        return 2;
    }
    TKwpApplication app(argc, argv);
    TKwpApplication::setApplicationName(QStringLiteral("KWP00207"));
    InitApplication(TProgramDir::Bin, TTaskbarButton::Hide);

    const QStringList args = TKwpApplication::arguments();
    const QString tenant = args.value(1);
    if (!TSystemEinstellungen::Login(tenant, args.value(2), QString(), TPasswordCheck::Skip)) {
        FinalizeApplication();
        return 1;
    }
    int result = 0;
    {
        TKWP00207Form1 window(tenant);
        window.show();
        result = TKwpApplication::exec();
    }
    FinalizeApplication();
    return result;
}
