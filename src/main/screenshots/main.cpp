// Renders every window and dialog of the address manager with the data of an installation into
// PNG files, so that a change of layout or text can be looked at without a desktop.
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/desktopnotice.h"
#include "app/widgets/messagedialog.h"
#include "app/widgets/passworddlg.h"
#include "app/widgets/waitform.h"
#include "app/widgets/widgetservices.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/kwp00207form1.h"

namespace {
struct TShot {
    QString name;
    std::function<std::unique_ptr<QWidget>(const QString& tenant)> make;
};

std::unique_ptr<QWidget> messageDialog(const QString& text, TMsgDlgType type,
                                       TMsgDlgButtons buttons) {
    return std::make_unique<TMessageDialog>(text, type, buttons);
}

// One entry per window; a new window adds itself here.
std::vector<TShot> shots() {
    return {
        {QStringLiteral("kwp00207form1"),
         [](const QString& tenant) { return std::make_unique<TKWP00207Form1>(tenant); }},
        {QStringLiteral("dbadressviewframe1-suchergebnis"),
         [](const QString& tenant) {
             auto window = std::make_unique<TKWP00207Form1>(tenant);
             TDBAdressViewFrame1* frame = window->AdressViewFrame();
             frame->findChild<QLineEdit*>(QStringLiteral("edSearchText"))
                 ->setText(QStringLiteral("Berlin"));
             frame->TextSearch();
             return window;
         }},
        {QStringLiteral("passworddlg"),
         [](const QString&) { return std::make_unique<TPasswordDlg>(); }},
        {QStringLiteral("passworddlg-username"),
         [](const QString&) {
             auto dialog = std::make_unique<TPasswordDlg>(TPasswordDlg::UserNameRow::Shown);
             dialog->setUserName(BenutzerEinstellungen()->User);
             return dialog;
         }},
        {QStringLiteral("messagedlg-error"),
         [](const QString&) {
             return messageDialog(_("Keine Berechtigung zum Schreiben."), mtError, mbOKOnly);
         }},
        {QStringLiteral("messagedlg-warning"),
         [](const QString&) {
             return messageDialog(
                 FormatStr(
                     _("Die Datenbank \"%s\" ist von einem anderen Arbeitsplatz gesperrt. (%s)"),
                     {QStringLiteral("ADDRESS"), QStringLiteral("MEIER")}),
                 mtWarning, mbOKOnly);
         }},
        {QStringLiteral("messagedlg-confirmation"),
         [](const QString&) {
             return messageDialog(
                 FormatStr(_("Adresse \"%s\" wirklich loeschen?"), {QStringLiteral("K10023")}),
                 mtConfirmation, mbYesNo);
         }},
        {QStringLiteral("desktopnotice"),
         [](const QString&) {
             return std::make_unique<TDesktopNotice>(ProgramTitle(),
                                                     FormatStr(_("%d Treffer"), {24}), 0, 60000,
                                                     QGuiApplication::primaryScreen());
         }},
        {QStringLiteral("waitform"),
         [](const QString&) {
             return std::make_unique<TWaitForm>(
                 FormatStr(_("Bitte warten, die Datenbank ist momentan durch den Benutzer \"%s\" "
                             "gesperrt."),
                           {QStringLiteral("MEIER")}),
                 [] {});
         }},
    };
}

// The offscreen platform draws no window frame; a plain title bar shows the caption.
bool save(QWidget& window, const QString& file) {
    window.show();
    // Layouts settle and deferred painting happens in the event loop.
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const QPixmap content = window.grab();
    const QFontMetrics metrics(window.font());
    const int barHeight = window.windowTitle().isEmpty() ? 0 : metrics.height() + 8;
    QImage image(content.width(), content.height() + barHeight, QImage::Format_RGB32);
    image.fill(window.palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.fillRect(0, 0, image.width(), barHeight, window.palette().color(QPalette::Highlight));
    painter.setPen(window.palette().color(QPalette::HighlightedText));
    painter.setFont(window.font());
    painter.drawText(QRect(6, 0, image.width() - 12, barHeight), Qt::AlignVCenter,
                     metrics.elidedText(window.windowTitle(), Qt::ElideRight, image.width() - 12));
    painter.drawPixmap(0, barHeight, content);
    painter.end();
    return image.save(file, "PNG");
}
}  // namespace

int main(int argc, char** argv) {
    TKwpApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders every window into OUTDIR/NAME.png."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("root"), QStringLiteral("installation root"));
    parser.addPositionalArgument(QStringLiteral("tenant"), QStringLiteral("tenant"));
    parser.addPositionalArgument(QStringLiteral("user"), QStringLiteral("user"));
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("folder of the PNGs"));
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("de_DE, en_GB"),
                                      QStringLiteral("code"), QStringLiteral("de_DE"));
    parser.addOption(language);
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 4) parser.showHelp(2);

    const QString root = QDir(args.at(0)).absolutePath();
    if (!InitApplicationFor(TProgramDir::Bin, root + QStringLiteral("/BIN/kwp00207"))) return 1;
    UseLanguage(parser.value(language));
    const QString tenant = args.at(1);
    if (!TSystemEinstellungen::Login(tenant, args.at(2), QString(), TPasswordCheck::Skip)) return 1;

    const QDir out(args.at(3));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    int failed = 0;
    for (const TShot& shot : shots()) {
        const std::unique_ptr<QWidget> window = shot.make(tenant);
        const QString file = out.filePath(shot.name + QStringLiteral(".png"));
        if (save(*window, file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failed;
        }
    }
    FinalizeApplication();
    return failed ? 1 : 0;
}
