#include <unistd.h>

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/systemeinstellungen.h"
#include "app/widgets/widgetservices.h"
#include "ui/widgets/kwp00207form1.h"

namespace {
// Printed before the language is known, so in both languages.
constexpr char kUsage[] =
    "Aufruf: kwp00207 MANDANT BENUTZER [-SA NUMMER] [-GA | -GAN] [-TEMP DATEI] [-ONE]\n"
    "Die Adressverwaltung wird aus dem BIN-Ordner einer Installation gestartet, gewöhnlich\n"
    "vom Menü der Suite (kwpadmin legt Installationen, Mandanten und Benutzer an).\n"
    "  -SA NUMMER   mit dieser Adresse beginnen\n"
    "  -GA          Auswahlmodus: Adressen für ein aufrufendes Programm wählen\n"
    "  -GAN         Auswahlmodus mit der gewählten Anschrift und dem gewählten Kontakt\n"
    "  -TEMP DATEI  Datei, in die die gewählten Adressen geschrieben werden\n"
    "  -ONE         Auswahlmodus ohne Adressablage: \"Uebernehmen\" wählt die aktuelle Adresse\n"
    "\n"
    "Usage: kwp00207 TENANT USER [-SA NUMBER] [-GA | -GAN] [-TEMP FILE] [-ONE]\n"
    "The address manager is started from the BIN folder of an installation, usually from the\n"
    "suite's menu (kwpadmin creates installations, tenants and users).\n"
    "  -SA NUMBER   start on this address\n"
    "  -GA          pick mode: choose addresses for a calling program\n"
    "  -GAN         pick mode with the chosen postal address and contact\n"
    "  -TEMP FILE   file that receives the picked addresses\n"
    "  -ONE         pick mode without the address store: \"Uebernehmen\" takes the current one\n";

// Qt would abort with a terse platform message; say plainly what is missing.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

bool asksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (asksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 3) {
        std::fputs(kUsage, stdout);
        // Started from the desktop's menu nobody reads the terminal: show it too.
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        const bool onScreen = (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) &&
                              !(platform && !std::strcmp(platform, "offscreen"));
        if (!isatty(STDOUT_FILENO) && onScreen) {
            QApplication app(argc, argv);
            QMessageBox::information(nullptr, QStringLiteral("KWP00207"),
                                     QString::fromUtf8(kUsage));
        }
        return 2;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "kwp00207: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY "
                     "gesetzt). Die Adressverwaltung braucht eine grafische Oberfläche.\n"
                     "kwp00207: No display found (neither DISPLAY nor WAYLAND_DISPLAY is set). "
                     "The address manager needs a graphical desktop.\n");
        return 2;
    }
    TKwpApplication app(argc, argv);
    TKwpApplication::setApplicationName(QStringLiteral("KWP00207"));
    InitApplication(TProgramDir::Bin, TTaskbarButton::Hide);

    const TStartOptions options = TStartOptions::FromArguments(TKwpApplication::arguments());
    if (!TSystemEinstellungen::Login(options.tenant, options.user, QString(),
                                     TPasswordCheck::Skip)) {
        FinalizeApplication();
        return 1;
    }
    int result = 0;
    {
        TKWP00207Form1 window(options);
        window.show();
        result = TKwpApplication::exec();
    }
    FinalizeApplication();
    return result;
}
