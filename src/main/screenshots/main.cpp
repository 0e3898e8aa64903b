// Renders every window and dialog of the address manager with the data of an installation into
// PNG files, so that a change of layout or text can be looked at without a desktop.
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTreeView>
#include <cstdio>
#include <functional>
#include <memory>

#include "address/addressconfig.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "address/customeranschrift.h"
#include "address/paymentterm.h"
#include "address/paymentway.h"
#include "address/widgets/designeditframe.h"
#include "address/widgets/designhelper.h"
#include "app/conversions.h"
#include "app/design/dsnstage.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/desktopnotice.h"
#include "app/widgets/messagedialog.h"
#include "app/widgets/passworddlg.h"
#include "app/widgets/waitform.h"
#include "app/widgets/widgetservices.h"
#include "demodata/addressgenerator.h"
#include "ui/widgets/adresslistviewerframe.h"
#include "ui/widgets/anschriftviewframe.h"
#include "ui/widgets/auswahlbox.h"
#include "ui/widgets/contactviewframe.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/debitorkreditorframe.h"
#include "ui/widgets/documentstab.h"
#include "ui/widgets/editstringlist.h"
#include "ui/widgets/gesetzlichevorgabenframe.h"
#include "ui/widgets/inputboxform.h"
#include "ui/widgets/kwp00207form1.h"
#include "ui/widgets/kwp00207form2.h"
#include "ui/widgets/kwp00207form3.h"
#include "ui/widgets/kwp00207form4.h"
#include "ui/widgets/kwp00207form5.h"
#include "ui/widgets/kwp00207form8.h"
#include "ui/widgets/kwp00207form9.h"
#include "ui/widgets/viewdbselectform1.h"
#include "ui/widgets/wiedervorlageframe.h"
#include "ui/widgets/zusaetzlichframe.h"

namespace {
struct TShot {
    QString name;
    std::function<std::unique_ptr<QWidget>(const QString& tenant)> make;
};

std::unique_ptr<TKWP00207Form3> postalAddressDialog(const QString& plz) {
    TAddressConfig config;
    auto dialog = std::make_unique<TKWP00207Form3>(
        QStringLiteral("Rechnungsanschrift,Lieferanschrift,Postfach"), &config);
    TCustomerAnschrift anschrift;
    anschrift.Name1 = QStringLiteral("Schreinerei Holzmann GmbH");
    anschrift.Name2 = QStringLiteral("z. Hd. Frau Petra Holzmann");
    anschrift.Strasse = QStringLiteral("Lindenallee 12");
    anschrift.Land = QStringLiteral("D");
    anschrift.Plz = plz;
    anschrift.Ort = QStringLiteral("Potsdam");
    anschrift.AArt = QStringLiteral("Rechnungsanschrift");
    dialog->LoadAnschrift(anschrift);
    return dialog;
}

std::unique_ptr<TKWP00207Form4> bankAccountDialog(const QString& iban) {
    auto dialog = std::make_unique<TKWP00207Form4>();
    TPaymentWay way;
    way.Comm = QStringLiteral("Hausbank");
    way.BCode = QStringLiteral("70020270");
    way.Inst = QStringLiteral("Isartaler Bank");
    way.Acc = QStringLiteral("1234567");
    way.Iban = iban;
    way.Bic = QStringLiteral("ISTBDEMMXXX");
    dialog->LoadPaymentWay(way);
    return dialog;
}

std::unique_ptr<QWidget> messageDialog(const QString& text, TMsgDlgType type,
                                       TMsgDlgButtons buttons) {
    return std::make_unique<TMessageDialog>(text, type, buttons);
}

// The tenant's address configuration as the main window loads it.
std::unique_ptr<TAddressConfig> addressConfig() {
    auto config = std::make_unique<TAddressConfig>();
    config->LoadFromFile(SystemEinstellungen()->AdressenDir + QStringLiteral("CONFIG.XML"));
    return config;
}

std::unique_ptr<TCustomerAddress> demoAddress(const QString& id, const QString& name,
                                              const QString& street, const QString& town) {
    auto record = std::make_unique<TCustomerAddress>();
    record->Id = id;
    TCustomerAnschrift* a = record->Anschriften.Add();
    a->Id = QStringLiteral("01");
    a->Std = true;
    a->Name1 = name;
    a->Strasse = street;
    a->Land = QStringLiteral("D");
    a->Plz = town.section(QLatin1Char(' '), 0, 0);
    a->Ort = town.section(QLatin1Char(' '), 1);
    record->DisplayTxt = record->GetShortText();
    return record;
}

std::unique_ptr<TKWP00207Form1> mainWindow(const QString& tenant, quint8 pickMode = 0) {
    TStartOptions options;
    options.tenant = tenant;
    options.pickMode = pickMode;
    auto window = std::make_unique<TKWP00207Form1>(options);
    // The first address shows once the selection delay has run out.
    for (int tick = 0; tick < 4; ++tick) window->AdressViewFrame()->TickSelectionDelay();
    return window;
}

// The main window with another tab of the current address in front.
std::unique_ptr<TKWP00207Form1> mainWindowOnTab(const QString& tenant, int tab) {
    auto window = mainWindow(tenant);
    window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(tab);
    return window;
}

// The record the panes of the main window show; it lives as long as the program.
TCustomerAddress& paneRecord() {
    static const std::unique_ptr<TCustomerAddress> record = [] {
        auto r = demoAddress(QStringLiteral("K10023"), QStringLiteral("Schreinerei Holzmann GmbH"),
                             QStringLiteral("Lindenallee 12"), QStringLiteral("14469 Potsdam"));
        r->Anschriften.Items(0)->Name2 = QStringLiteral("z. Hd. Frau Petra Holzmann");
        r->Anschriften.Items(0)->AArt = QStringLiteral("Rechnungsanschrift");
        TCustomerAnschrift* lager = r->Anschriften.Add();
        lager->Id = QStringLiteral("02");
        lager->AArt = QStringLiteral("Lieferanschrift");
        lager->Name1 = QStringLiteral("Schreinerei Holzmann GmbH - Lager");
        lager->Strasse = QStringLiteral("Am Hafen 3");
        lager->Land = QStringLiteral("D");
        lager->Plz = QStringLiteral("14473");
        lager->Ort = QStringLiteral("Potsdam");
        const auto channel = [](TCustomerContact* c, int type, const char* name, const char* value,
                                const char* remark) {
            TCustomerContactData* d = c->Data.Add();
            d->CdType = quint8(type);
            d->CdName = QString::fromUtf8(name);
            d->CdValue = QString::fromUtf8(value);
            d->CdCaract = QString::fromUtf8(remark);
        };
        TCustomerContact* petra = r->Kontakte.Add();
        petra->Name = QStringLiteral("Petra Holzmann");
        petra->Std = true;
        channel(petra, cdtBriefanrede, "", "Sehr geehrte Frau Holzmann", "");
        channel(petra, cdtPosition, "", "Geschäftsführerin", "");
        channel(petra, cdtTelefon, "Büro", "0331 270 45 10", "Mo-Fr 8-16 Uhr");
        channel(petra, cdtTelefon, "Mobil", "0171 234 56 78", "");
        channel(petra, cdtFax, "", "0331 270 45 19", "");
        channel(petra, cdtEmail, "", "p.holzmann@holzmann-potsdam.de", "");
        channel(petra, cdtInternet, "", "www.holzmann-potsdam.de", "");
        channel(petra, cdtDatum, "Geburtstag", "14.03.1968", "");
        TCustomerContact* einkauf = r->Kontakte.Add();
        einkauf->Name = QStringLiteral("Einkauf");
        channel(einkauf, cdtTelefon, "", "0331 270 45 20", "");
        r->Kennzeichen = QStringList{QStringLiteral("Stammkunde"), QStringLiteral("Handwerk")};
        TPaymentWay* bank = r->PaymentWays.Add();
        bank->PayWay = TPaymentWay::pwLastschrift;
        bank->Comm = QStringLiteral("Hausbank");
        bank->BCode = QStringLiteral("16050000");
        bank->Inst = QStringLiteral("Mittelbrandenburgische Sparkasse");
        bank->Acc = QStringLiteral("3501234567");
        bank->Iban = GermanIban(bank->BCode, bank->Acc);
        bank->Bic = QStringLiteral("WELADED1PMB");
        r->PaymentWays.Add()->PayWay = TPaymentWay::pwBar;
        auto skonto = std::make_unique<TPaymentTerm>();
        skonto->Perc = 2;
        skonto->Days = 10;
        r->PaymentTerms.AddSorted(std::move(skonto));
        auto netto = std::make_unique<TPaymentTerm>();
        netto->Days = 30;
        r->PaymentTerms.AddSorted(std::move(netto));
        r->Alarm = true;
        r->AlarmText = QStringLiteral("Lieferungen nur nach Rücksprache mit Frau Holzmann.");
        r->ZInfo = QStringLiteral("Rechnungen bitte zweifach.");
        r->UstIdNr = QStringLiteral("DE812345678");
        r->StNr = QStringLiteral("046/123/45678");
        r->Sprache = QStringLiteral("de");
        r->Paragr13b = true;
        r->DebitorNr = QStringLiteral("10023");
        r->DebitorKreditlimit = QStringLiteral("15.000,00");
        r->DebitorBonitaet = QStringLiteral("sehr gut");
        r->OwnId = QStringLiteral("K-4711");
        r->Wv = DateTimeToDayNumber(QDateTime(QDate(2026, 12, 14), QTime(9, 30)));
        r->WvTxt = QStringLiteral("Angebot Einbauküche nachfassen");
        r->WvUser = BenutzerEinstellungen()->User;
        return r;
    }();
    return *record;
}

// A pane of the main window on the demo record, at a size it gets there.
template <typename TPane>
std::unique_ptr<QWidget> pane(const QSize& size) {
    static const std::unique_ptr<TAddressConfig> config = addressConfig();
    auto widget = std::make_unique<TPane>();
    if constexpr (requires { widget->setConfig(config.get()); }) widget->setConfig(config.get());
    widget->setRecord(&paneRecord());
    widget->resize(size);
    return widget;
}

// The documents tab on the customer folder of a demo address with a few documents in it.
std::unique_ptr<QWidget> documentsTab() {
    static const auto record =
        demoAddress(QStringLiteral("K10023"), QStringLiteral("Schreinerei Holzmann GmbH"),
                    QStringLiteral("Lindenstrasse 12"), QStringLiteral("90402 Nuernberg"));
    record->KndVerz = record->Id;
    const QString folder = TDocumentsTab::CustomerDir(record->KndVerz) + QLatin1Char('/');
    QDir().mkpath(folder + QStringLiteral("Fotos Baustelle"));
    const std::pair<const char*, int> documents[] = {{"Angebot 2026-014.pdf", 48000},
                                                     {"Aufmaß Küche.pdf", 312000},
                                                     {"Lageplan.png", 95000},
                                                     {"Wartungsvertrag.mssf", 6000}};
    for (const auto& [name, size] : documents) {
        QFile file(folder + QString::fromUtf8(name));
        if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(size, ' '));
    }
    // A document kept elsewhere, linked by a German user.
    QFile prices(TDocumentsTab::CustomerRootDir() + QStringLiteral("Preisliste 2026.pdf"));
    if (prices.open(QIODevice::WriteOnly)) prices.write(QByteArray(150000, ' '));
    QFile::link(prices.fileName(), folder + QStringLiteral("Verknuepfung mit Preisliste 2026.pdf"));

    auto tab = std::make_unique<TDocumentsTab>();
    tab->SetAddress(record.get());
    tab->ShowDocuments();
    // The list reads the folder in the background.
    const auto* list = tab->findChild<QTreeView*>(QStringLiteral("lvDocuments"));
    QElapsedTimer waited;
    waited.start();
    while (list->model()->rowCount(list->rootIndex()) < 6 && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    tab->resize(760, 260);
    return tab;
}

// One entry per window; a new window adds itself here.
std::vector<TShot> shots() {
    return {
        {QStringLiteral("kwp00207form1"), [](const QString& tenant) { return mainWindow(tenant); }},
        {QStringLiteral("kwp00207form1-zusaetzlich"),
         [](const QString& tenant) { return mainWindowOnTab(tenant, 1); }},
        {QStringLiteral("kwp00207form1-zusatzdaten"),
         [](const QString& tenant) { return mainWindowOnTab(tenant, 2); }},
        {QStringLiteral("kwp00207form1-dokumente"),
         [](const QString& tenant) { return mainWindowOnTab(tenant, 3); }},
        {QStringLiteral("kwp00207form1-debitor-kreditor"),
         [](const QString& tenant) { return mainWindowOnTab(tenant, 4); }},
        {QStringLiteral("kwp00207form1-gesetzliche-vorgaben"),
         [](const QString& tenant) { return mainWindowOnTab(tenant, 5); }},
        {QStringLiteral("dbadressviewframe1-suchergebnis"),
         [](const QString& tenant) {
             auto window = mainWindow(tenant);
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
        {QStringLiteral("inputboxform"),
         [](const QString&) {
             return std::make_unique<TInputBoxForm>(_("Neue Adresse"), _("Adressnummer"),
                                                    QStringLiteral("K10023"), 20, true, true);
         }},
        {QStringLiteral("kwp00207form9"),
         [](const QString&) {
             const auto config = addressConfig();
             return std::make_unique<TKWP00207Form9>(_("Neue Adresse"), _("Adressnummer"),
                                                     config->AdressGrp, config->AdressGrp.value(0),
                                                     QStringLiteral("K10024"), 20, true, true);
         }},
        {QStringLiteral("auswahlbox"),
         [](const QString&) {
             return std::make_unique<TAuswahlbox>(
                 _("Nummernkreis"), QStringLiteral("K - Kunden,L - Lieferanten,I - Interessenten,"
                                                   "S - Subunternehmer,&Keine Vorgabe"));
         }},
        {QStringLiteral("editstringlist"),
         [](const QString&) {
             return std::make_unique<TEditStringList>(
                 QStringList{QStringLiteral("Sehr geehrte Damen und Herren,"),
                             QStringLiteral("Sehr geehrte Frau"),
                             QStringLiteral("Sehr geehrter Herr"), QStringLiteral("Hallo")});
         }},
        {QStringLiteral("kwp00207form5"),
         [](const QString&) {
             auto dialog = std::make_unique<TKWP00207Form5>();
             TPaymentTerm term;
             term.Days = 14;
             term.Perc = 2;
             term.Dpw = 5;
             dialog->load(term);
             return dialog;
         }},
        {QStringLiteral("kwp00207form2"),
         [](const QString&) {
             const auto record =
                 demoAddress(QStringLiteral("K10023"), QStringLiteral("Schreinerei Holzmann GmbH"),
                             QStringLiteral("Lindenstrasse 12"), QStringLiteral("90402 Nuernberg"));
             auto dialog =
                 std::make_unique<TKWP00207Form2>(record->Anschriften, addressConfig()->KontaktKz);
             TCustomerContact contact;
             contact.Name = QStringLiteral("Einkauf");
             const std::pair<int, const char*> channels[] = {
                 {cdtZugehoerigeAnschrift, "01"},
                 {cdtName, "Petra Holzmann"},
                 {cdtBriefanrede, "Sehr geehrte Frau Holzmann,"},
                 {cdtPosition, "Einkauf"},
                 {cdtTelefon, "0911 2345-10"},
                 {cdtFax, "0911 2345-99"},
                 {cdtEmail, "p.holzmann@holzmann-schreinerei.de"}};
             for (const auto& [kind, value] : channels) {
                 TCustomerContactData* data = contact.Data.Add();
                 data->CdType = quint8(kind);
                 data->CdValue = QString::fromUtf8(value);
                 if (kind == cdtTelefon) data->CdName = QStringLiteral("Durchwahl");
             }
             dialog->load(contact);
             return dialog;
         }},
        {QStringLiteral("kwp00207form1-uebernehmen"),
         [](const QString& tenant) { return mainWindow(tenant, 1); }},
        {QStringLiteral("kwp00207form8"),
         [](const QString&) {
             auto window = std::make_unique<TKWP00207Form8>();
             TAdresslistViewerFrame* frame = window->List();
             frame->AddAddress(*demoAddress(
                 QStringLiteral("K10023"), QStringLiteral("Schreinerei Holzmann GmbH"),
                 QStringLiteral("Lindenstrasse 12"), QStringLiteral("90402 Nuernberg")));
             frame->AddAddress(*demoAddress(
                 QStringLiteral("K10031"), QStringLiteral("Elektro Maier e.K."),
                 QStringLiteral("Bahnhofstrasse 3"), QStringLiteral("91054 Erlangen")));
             frame->AddAddress(*demoAddress(
                 QStringLiteral("L20007"), QStringLiteral("Baustoffe Krause KG"),
                 QStringLiteral("Industriestrasse 40"), QStringLiteral("90763 Fuerth")));
             frame->Refresh();
             window->resize(480, 260);
             return window;
         }},
        {QStringLiteral("viewdbselectform1"),
         [](const QString&) -> std::unique_ptr<QWidget> {
             return TViewDBSelectForm1::Create(QStringLiteral("ViewDBSelectFormAdr"),
                                               SystemEinstellungen()->TenantEtcDir, nullptr);
         }},
        {QStringLiteral("waitform"),
         [](const QString&) {
             return std::make_unique<TWaitForm>(
                 FormatStr(_("Bitte warten, die Datenbank ist momentan durch den Benutzer \"%s\" "
                             "gesperrt."),
                           {QStringLiteral("MEIER")}),
                 [] {});
         }},
        {QStringLiteral("kwp00207form3"),
         [](const QString&) { return postalAddressDialog(QStringLiteral("14469")); }},
        {QStringLiteral("kwp00207form3-lookup"),
         [](const QString&) {
             auto dialog = postalAddressDialog(QString());
             dialog->OrtExit();
             return dialog;
         }},
        {QStringLiteral("kwp00207form4"),
         [](const QString&) {
             return bankAccountDialog(
                 GermanIban(QStringLiteral("70020270"), QStringLiteral("1234567")));
         }},
        {QStringLiteral("kwp00207form4-lookup"),
         [](const QString&) {
             auto dialog = bankAccountDialog(QString());
             dialog->findChild<QLineEdit*>(QStringLiteral("edBLZ"))
                 ->setText(QStringLiteral("10020030"));
             dialog->LookupBankCode();
             return dialog;
         }},
        {QStringLiteral("kwp00207form4-invalid-iban"),
         [](const QString&) {
             return bankAccountDialog(QStringLiteral("DE12 7002 0270 0000 1234 57"));
         }},
        {QStringLiteral("anschriftviewframe"),
         [](const QString&) { return pane<TAnschriftViewFrame>(QSize(300, 260)); }},
        {QStringLiteral("contactviewframe"),
         [](const QString&) { return pane<TContactViewFrame>(QSize(420, 300)); }},
        {QStringLiteral("zusaetzlichframe"),
         [](const QString&) { return pane<TZusaetzlichFrame>(QSize(1000, 340)); }},
        {QStringLiteral("debitorkreditorframe"),
         [](const QString&) { return pane<TDebitorKreditorFrame>(QSize(420, 240)); }},
        {QStringLiteral("gesetzlichevorgabenframe"),
         [](const QString&) { return pane<TGesetzlicheVorgabenFrame>(QSize(700, 120)); }},
        {QStringLiteral("wiedervorlageframe"),
         [](const QString&) { return pane<TWiedervorlageFrame>(QSize(800, 30)); }},
        {QStringLiteral("documentstab"), [](const QString&) { return documentsTab(); }},
        {QStringLiteral("designeditform"),
         [](const QString&) {
             std::unique_ptr<QWidget> form(TDesignEditFrame::CreateEditForm(
                 SystemEinstellungen()->AdressenDir + QStringLiteral("VIEW.DAT"),
                 _("Zusatzdaten")));
             auto* frame = form->findChild<TDesignEditFrame*>();
             frame->SetDesigning(true);
             // The inspector showing the industry box, as after a click on it.
             auto* objects = frame->findChild<QComboBox*>(QStringLiteral("cbObjects"));
             const int index = objects->findText(QStringLiteral("cbBranche :TComboBox"));
             objects->setCurrentIndex(index);
             Q_EMIT objects->activated(index);
             return form;
         }},
        {QStringLiteral("dsnstage-demo"),
         [](const QString&) {
             auto stage = std::make_unique<TDsnStage>();
             stage->resize(521, 353);
             stage->LoadFromFile(SystemEinstellungen()->AdressenDir + QStringLiteral("VIEW.DAT"));
             TCustomerAddress record;
             TAddressGenerator().Fill(2, record);
             TDesignHelper::SetValues(stage.get(), record.ExtraFields);
             stage->setWindowTitle(_("Zusatzdaten"));
             return stage;
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
        if (!window) {  // its data is missing in this installation
            std::fprintf(stderr, "cannot create %s\n", qPrintable(shot.name));
            ++failed;
            continue;
        }
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
