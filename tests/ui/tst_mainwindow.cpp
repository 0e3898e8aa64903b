#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeView>
#include <QXmlStreamReader>
#include <QtTest>
#include <functional>

#include "address/addressconfig.h"
#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "addressdb/addressnumbers.h"
#include "addressdb/dbadress.h"
#include "app/inifile.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/kwp00207form1.h"

namespace {
// A tenant with K01, K02 and K03 (changed by tweak) and the main window over it; with a root,
// the window opens on that tenant as it is.
struct WindowSetup {
    QTemporaryDir dir;
    std::unique_ptr<TKWP00207Form1> window;

    explicit WindowSetup(const QStringList& arguments = {},
                         const std::function<void(TCustomerAddress&)>& tweak = {},
                         const QString& root = {}) {
        const QString base = root.isEmpty() ? dir.path() : root;
        InitApplicationFor(TProgramDir::Bin, base + "/BIN/kwp00207");
        SystemEinstellungen()->AdressenDir = base + "/ADRESSEN/";
        BenutzerEinstellungen()->Vollname = root.isEmpty() ? "Tester" : "Peer";
        BenutzerEinstellungen()->UserTenantEtcDir = base + "/USR/";
        if (root.isEmpty()) {
            TDBAdress db;
            db.OpenDirectory(SystemEinstellungen()->AdressenDir);
            for (const char* id : {"K01", "K02", "K03"}) {
                TCustomerAddress record;
                record.Id = id;
                record.DisplayTxt = QString("Firma ") + id;
                TCustomerAnschrift* anschrift = record.Anschriften.Add();
                anschrift->Id = "01";
                anschrift->Std = true;
                anschrift->Name1 = record.DisplayTxt;
                if (tweak) tweak(record);
                db.SetCustomer(record);
            }
        }
        window = std::make_unique<TKWP00207Form1>(
            TStartOptions::FromArguments(QStringList{"kwp00207", "FIRMA", "MEIER"} + arguments));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        settle();
    }
    ~WindowSetup() {
        window.reset();
        FinalizeApplication();
    }
    TDBAdressViewFrame1* frame() const { return window->AdressViewFrame(); }
    // Lets the selection delay run out, so the selected row is the current record.
    void settle() const {
        for (int i = 0; i < 4; ++i) frame()->TickSelectionDelay();
    }
    bool exists(const QString& id) const { return frame()->DBAdress().ExistsCustomer(id); }
};

// Acts on modal dialogs in the order they appear, each found by its object name.
class ModalScript : public QObject {
public:
    using Step = std::pair<QString, std::function<void(QWidget*)>>;
    explicit ModalScript(QList<Step> steps) : m_steps(std::move(steps)) { startTimer(20); }
    bool done() const { return m_steps.isEmpty(); }

protected:
    void timerEvent(QTimerEvent*) override {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_steps.isEmpty() || modal->objectName() != m_steps.first().first) return;
        const Step step = m_steps.takeFirst();
        step.second(modal);
    }

private:
    QList<Step> m_steps;
};

void typeInto(QWidget* dialog, const char* field, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::mouseClick(dialog->findChild<QPushButton*>("btOK"), Qt::LeftButton);
}

void escape(QWidget* dialog) {
    QTest::keyClick(dialog, Qt::Key_Escape);
}

void click(const TKWP00207Form1& window, const char* button) {
    QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
}

void clickRow(QAbstractItemView* view, int row) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
}

// The address numbers and the elements below them of an "<adressen>" file, read without the
// program's own parser: "K01", "K01/adr 02", "K01/kontakt Bernd", "K01/at ...".
QStringList resultFileOutline(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {"unreadable"};
    QXmlStreamReader xml(&file);
    QStringList outline;
    QString id;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == u"adressen") {
            outline << "adressen";
        } else if (name == u"kundenadr") {
            id = attributes.value("id").toString();
            outline << id;
        } else if (name == u"adr") {
            outline << id + "/adr " + attributes.value("id").toString();
        } else if (name == u"kontakt") {
            outline << id + "/kontakt " + attributes.value("name").toString();
        } else if (name == u"at") {
            outline << id + "/at " + xml.readElementText();
        }
    }
    if (xml.hasError()) return {xml.errorString()};
    return outline;
}
}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberProposal_data() {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("ranges");
        QTest::addColumn<QString>("proposal");
        QTest::newRow("empty table") << ""
                                     << "" << false << "";
        QTest::newRow("last ends in digits") << "A-17"
                                             << "" << false << "A-18";
        QTest::newRow("last ends in a letter") << "K12B"
                                               << "" << false << "";
        QTest::newRow("unused range") << ""
                                      << "L" << true << "L0001";
        QTest::newRow("carry keeps the width") << "K0099"
                                               << "K" << true << "K0100";
        QTest::newRow("carry widens") << "K9999"
                                      << "K" << true << "K10000";
        QTest::newRow("range number ends in a letter") << "KX"
                                                       << "K" << true << "K";
    }
    void numberProposal() {
        QFETCH(QString, last);
        QFETCH(QString, prefix);
        QFETCH(bool, ranges);
        QTEST(ProposeNumber(last, prefix, ranges), "proposal");
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("pickMode");
        QTest::addColumn<QString>("resultFile");
        QTest::addColumn<QString>("start");
        QTest::newRow("plain") << QStringList{} << 0 << ""
                               << "";
        QTest::newRow("-GA wins over -GAN")
            << QStringList{"-gan", "-TEMP", "/tmp/a.xml", "-GA"} << 1 << "/tmp/a.xml"
            << "";
        QTest::newRow("-GAN") << QStringList{"-GAN"} << 2 << ""
                              << "";
        QTest::newRow("start trimmed") << QStringList{"-sa", " K7 "} << 0 << ""
                                       << "K7";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        const TStartOptions options =
            TStartOptions::FromArguments(QStringList{"kwp00207", "FIRMA", "MEIER"} + arguments);
        QCOMPARE(options.tenant + options.user, "FIRMAMEIER");
        QTEST(int(options.pickMode), "pickMode");
        QTEST(options.resultFile, "resultFile");
        QTEST(options.startAddress, "start");
    }

    // -SA starts on its address; an unknown one is reported and the first address shown.
    void startAddress_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("known") << " k02 "
                               << "K02"
                               << "";
        QTest::newRow("unknown") << "X9"
                                 << "K01"
                                 << "Adresse \"X9\" nicht gefunden.";
    }
    void startAddress() {
        QFETCH(QString, number);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        if (!message.isEmpty()) dialogs.answer(mrOk);
        WindowSetup setup({"-SA", number});
        QTEST(setup.frame()->CustomerAddress().Id, "shown");
        QCOMPARE(dialogs.texts().join('|'), message);
    }

    // An existing number ends the command; one with a forbidden character is asked again; the
    // accepted one is upper-cased. A name that sounds like another gives a notice.
    void newAddress() {
        WindowSetup setup({}, [](TCustomerAddress& record) {
            if (record.Id == "K02")
                record.DisplayTxt = record.Anschriften.Items(0)->Name1 = "Pfeiffer";
        });
        ScriptedDialogs dialogs;
        RecordingNotices notices;
        dialogs.answer(mrOk);
        dialogs.answer(mrOk);
        ModalScript script(
            {{"KWP00207Form9", [](QWidget* d) { typeInto(d, "edInput", "k02"); }},
             {"KWP00207Form9", [](QWidget* d) { typeInto(d, "edInput", "k/1"); }},
             {"KWP00207Form9", [](QWidget* d) { typeInto(d, "edInput", "k100"); }},
             {"KWP00207Form3", [](QWidget* d) { typeInto(d, "edName1", "Pfeifer"); }},
             {"KWP00207Form2", escape}});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        click(*setup.window, "btNew");
        QVERIFY(script.done());
        QCOMPARE(dialogs.texts(), QStringList({"Adresse \"K02\" existiert bereits.",
                                               "Unerlaubte Zeichen in der Eingabe."}));
        TCustomerAddress record;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K100", record));
        QCOMPARE(record.CreatedBy, "Tester");
        QCOMPARE(record.Anschriften.Count(), 1);
        QVERIFY(record.Anschriften.Items(0)->Std);
        QCOMPARE(record.Kontakte.Count(), 0);
        QCOMPARE(notices.shown,
                 QStringList{"Moegliche Dubletten: Möglicherweise gibt es diese "
                             "Adresse schon (1):\nK02 Pfeiffer (Name klingt gleich)"});
    }

    // No keeps the address; Yes removes it with its files and moves to a neighbour.
    void deleteAddress() {
        WindowSetup setup;
        const QString files = SystemEinstellungen()->AdressenDir;
        QDir().mkpath(files + "002");
        WriteFileBytes(files + "002/K01.MR", "x");
        ScriptedDialogs dialogs;
        dialogs.answer(mrNo);
        dialogs.answer(mrYes);
        auto* button = setup.window->findChild<QPushButton*>("btDelete");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(setup.exists("K01"));
        QTest::mouseClick(button, Qt::LeftButton);
        setup.settle();
        QVERIFY(!setup.exists("K01"));
        QVERIFY(!QFile::exists(files + "002/K01.MR"));
        QCOMPARE(dialogs.texts().first(), "Adresse \"K01\" wirklich loeschen?");
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K02");
    }

    // Edits, also those of the panes, are written on close without a question; F5 stamps the
    // information text.
    void closingWritesEdits() {
        WindowSetup setup;
        auto* info = setup.window->findChild<QPlainTextEdit*>("mInfo");
        info->setFocus();
        QTest::keyClick(info, Qt::Key_F5);
        QTest::keyClick(info, Qt::Key_F5);
        QTest::keyClicks(info, "Anruf");
        QCOMPARE(info->toPlainText().count('\n'), 1);
        QVERIFY(info->toPlainText().endsWith(" Anruf"));
        QVERIFY(setup.frame()->Modified());
        // A pane's edit is the window's edit.
        QTest::keyClicks(setup.window->findChild<QLineEdit*>("edDNr"), "10001");
        setup.window->close();
        TCustomerAddress record;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K01", record));
        QCOMPARE(record.Info, info->toPlainText());
        QCOMPARE(record.ChangedBy, "Tester");
        QCOMPARE(record.DebitorNr, "10001");
    }

    // The pane sizes and the store's geometry are kept for the next start.
    void layoutIsKept() {
        WindowSetup setup({"-GA"});
        setup.window->findChild<QSplitter*>("Splitter2")->setSizes({250, 300, 400});
        setup.window->close();
        const TIniFile ini(BenutzerEinstellungen()->UserTenantEtcDir + "KWP00207.INI");
        QCOMPARE(ini.ReadInteger("KWP00207Form1", "Panel8", 0), 250);
        QCOMPARE(ini.ReadInteger("KWP00207Form1", "Panel3", 0), 300);
        QCOMPARE(ini.ReadInteger("KWP00207Form8", "Width", 0), 390);
        TKWP00207Form1 again(TStartOptions::FromArguments({"kwp00207", "FIRMA", "MEIER"}));
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.findChild<QWidget*>("Panel8")->width(), 250);
    }

    // The customer prices program gets tenant, user and number; the duplicate search lists the
    // current display text and those that sound alike.
    void functionsMenu() {
        WindowSetup setup;
        QVERIFY(QDir().mkpath(setup.dir.filePath("BIN")));
        WriteFileBytes(setup.dir.filePath("BIN/kwp00210"), "#!/bin/sh\n");
        RecordingShell shell;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        setup.window->findChild<QAction*>("miPrices")->trigger();
        setup.window->findChild<QAction*>("miDuplicates")->trigger();
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started[0].program, setup.dir.filePath("BIN/kwp00210"));
        QCOMPARE(shell.started[0].parameters, "FIRMA MEIER -SA \"K01\"");
        QCOMPARE(dialogs.texts(), QStringList{"Firma K01\nFirma K02\nFirma K03\n"});
    }

    // The listed addresses go out as vCards and come back as new addresses with new numbers.
    void vCardsRoundTrip() {
        WindowSetup setup;
        QTemporaryDir out;
        const QString file = out.filePath("alle.vcf");
        ScriptedFileDialogs files({{file}, {file}});
        RecordingNotices notices;
        setup.window->findChild<QAction*>("miVCardListed3")->trigger();
        setup.window->findChild<QAction*>("miVCardImport")->trigger();
        setup.settle();
        QVERIFY(notices.shown.last().endsWith(": 3 Adressen importiert."));
        TCustomerAddress record;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K05", record));
        QCOMPARE(record.Anschriften.Items(0)->Name1, "Firma K02");
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K04");
    }

    // With -GA and -ONE, Enter on a row takes that address, writes the file and closes.
    void pickOneWithEnter() {
        QTemporaryDir out;
        const QString result = out.filePath("PICK.XML");
        WindowSetup setup({"-GA", "-ONE", "-TEMP", result});
        QTableView* list = setup.frame()->findChild<QTableView*>("VDBGrid");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        setup.settle();
        QVERIFY(!setup.window->isVisible());
        TCustomerAdressObjectList picked;
        QVERIFY(LoadAddressListFromFile(result, picked));
        QCOMPARE(picked.Count(), 1);
        QCOMPARE(picked.Items(0)->Id, "K02");
    }

    // Several number ranges are offered for choice; cancelling the choice takes the first one.
    void numberRanges() {
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath("ADRESSEN")));
        TAddressConfig config;
        config.Nk = QStringList{"K", "L"};
        config.SaveToFile(root.filePath("ADRESSEN/CONFIG.XML"));
        WindowSetup setup({}, {}, root.path());
        QStringList proposals;
        const auto propose = [&proposals](QWidget* d) {
            proposals << d->findChild<QLineEdit*>("edInput")->text();
            escape(d);
        };
        // An entry is chosen by its key, "1" for the second one.
        ModalScript script({{"Auswahlbox",
                             [](QWidget* d) {
                                 QTest::keyClick(d, Qt::Key_1);
                                 QTest::keyClick(d, Qt::Key_Return);
                             }},
                            {"KWP00207Form9", propose},
                            {"Auswahlbox", escape},
                            {"KWP00207Form9", propose}});
        click(*setup.window, "btNew");
        click(*setup.window, "btNew");
        QCOMPARE(proposals, QStringList({"L0001", "K0001"}));
    }

    // Without a right the command is refused with its message; an edit is saved before it runs.
    void missingRightRefuses_data() {
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("savedInfo");
        const QString create = "Sie sind nicht berechtigt, Adressen anzulegen!";
        QTest::newRow("new") << "01"
                             << "btNew" << create << "x";
        QTest::newRow("copy") << "01"
                              << "btCopy" << create << "x";
        QTest::newRow("delete") << "03"
                                << "btDelete"
                                << "Sie sind nicht berechtigt, Adressen zu loeschen!"
                                << "x";
        QTest::newRow("save on close") << "02"
                                       << "btClose"
                                       << "Sie sind nicht berechtigt, Adressen zu bearbeiten!"
                                       << "";
    }
    void missingRightRefuses() {
        QFETCH(QString, right);
        QFETCH(QString, button);
        WindowSetup setup;
        BenutzerEinstellungen()->Berechtigungen = QStringList{right};
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        auto* info = setup.window->findChild<QPlainTextEdit*>("mInfo");
        info->setFocus();
        QTest::keyClicks(info, "x");
        click(*setup.window, button.toLatin1());
        QTEST(dialogs.texts().join('|'), "message");
        TDBAdress& db = setup.frame()->DBAdress();
        QCOMPARE(db.GetRecordCount(), 3);
        TCustomerAddress record;
        QVERIFY(db.GetCustomer("K01", record));
        QTEST(record.Info, "savedInfo");
    }

    // An existing number is overwritten on Yes only; the copy is stamped anew without the folder.
    void copyAddress() {
        WindowSetup setup({}, [](TCustomerAddress& record) {
            record.KndVerz = "Kunde";
            record.CreatedBy = "Alt";
        });
        ScriptedDialogs dialogs;
        dialogs.answer(mrNo);
        ModalScript script({{"InputBoxForm", [](QWidget* d) { typeInto(d, "edInput", "k02"); }},
                            {"InputBoxForm", [](QWidget* d) { typeInto(d, "edInput", "k7"); }}});
        click(*setup.window, "btCopy");
        click(*setup.window, "btCopy");
        setup.settle();
        QVERIFY(script.done());
        QCOMPARE(dialogs.texts(),
                 QStringList{"Adresse \"K02\" existiert bereits.\nUeberschreiben?"});
        TCustomerAddress kept, copy;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K02", kept));
        QCOMPARE(kept.DisplayTxt, "Firma K02");
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K7", copy));
        QCOMPARE(QStringList({copy.DisplayTxt, copy.CreatedBy, copy.KndVerz}),
                 QStringList({"Firma K01", "Tester", ""}));
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K7");
    }

    // "Uebernehmen" with an empty store follows a forwarding instead of closing; the store takes
    // an address once and asks on its alarm; the result file lists the stored ones in order.
    void addressStore() {
        QTemporaryDir out;
        const QString result = out.filePath("PICK.XML");
        WindowSetup setup({"-GA", "-TEMP", result}, [](TCustomerAddress& record) {
            if (record.Id == "K01") record.IdWeiterl = "K03";
            if (record.Id != "K02") return;
            record.Alarm = true;
            record.AlarmText = "Nur gegen Vorkasse";
        });
        ScriptedDialogs dialogs;
        RecordingNotices notices;
        for (int answer : {mrOk, mrCancel, mrYes}) dialogs.answer(answer);
        click(*setup.window, "btClose");
        setup.settle();
        QVERIFY(setup.window->isVisible());
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K03");
        click(*setup.window, "btAddAdr");
        click(*setup.window, "btAddAdr");
        setup.frame()->SelectAddress("K02");
        setup.settle();
        click(*setup.window, "btAddAdr");
        click(*setup.window, "btAddAdr");
        click(*setup.window, "btClose");
        QVERIFY(!setup.window->isVisible());
        const QString alarm = "Alarm\nNur gegen Vorkasse\n\nAdresse trotzdem uebernehmen?";
        QCOMPARE(dialogs.texts(),
                 QStringList({"Die Adresse \"K01\" wird auf Adresse \"K03\" weitergeleitet.", alarm,
                              alarm}));
        QCOMPARE(notices.shown,
                 QStringList{"Adressverwaltung: Die Adresse \"K03\" ist bereits in der Liste."});
        QCOMPARE(resultFileOutline(result).filter(QRegularExpression("^(K\\d+|adressen)$")),
                 QStringList({"adressen", "K03", "K02"}));
    }

    // Pick mode 2 takes the postal address and the contact selected in the panes as the only ones.
    void pickModeTwoTakesTheSelection() {
        QTemporaryDir out;
        const QString result = out.filePath("PICK.XML");
        WindowSetup setup({"-GAN", "-ONE", "-TEMP", result}, [](TCustomerAddress& record) {
            if (record.Id != "K01") return;
            TCustomerAnschrift* branch = record.Anschriften.Add();
            branch->Id = "02";
            branch->Name1 = "Firma K01";
            branch->Strasse = "Nordring 5";
            branch->Plz = "50667";
            branch->Ort = "Koeln";
            for (const QString name : {"Anna", "Bernd"}) {
                TCustomerContact* contact = record.Kontakte.Add();
                contact->Name = name;
                contact->Std = name == "Anna";
            }
        });
        clickRow(setup.window->findChild<QAbstractItemView*>("vstAnschrift"), 1);
        clickRow(setup.window->findChild<QAbstractItemView*>("vstContact"), 1);
        click(*setup.window, "btClose");
        QCOMPARE(
            resultFileOutline(result),
            QStringList({"adressen", "K01", "K01/adr 02",
                         "K01/at Firma K01 Bernd Nordring 5 50667 Koeln", "K01/kontakt Bernd"}));
    }

    void resultFolderMissing() {
        WindowSetup setup({"-GA", "-ONE", "-TEMP", "/nicht/da/PICK.XML"});
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        click(*setup.window, "btClose");
        QCOMPARE(dialogs.texts(), QStringList{"Verzeichnis \"/nicht/da\" nicht gefunden."});
        QVERIFY(!setup.window->isVisible());
    }

    // F7 and Shift+F7 jump to the frame's fields; Up/Down move through the list except in the
    // memos, saving an edit first; F12 closes.
    void keyMap() {
        WindowSetup setup;
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        QTest::keyClicks(setup.window->findChild<QLineEdit*>("edDNr"), "D1");
        press(Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), "edSearchText");
        press(Qt::Key_F7);
        QCOMPARE(QApplication::focusWidget()->objectName(), "edGoto");
        press(Qt::Key_Down);
        setup.settle();
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K02");
        TCustomerAddress left;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K01", left));
        QCOMPARE(left.DebitorNr, "D1");
        setup.window->findChild<QPlainTextEdit*>("mInfo")->setFocus();
        press(Qt::Key_Down);
        setup.settle();
        QCOMPARE(setup.frame()->CustomerAddress().Id, "K02");
        press(Qt::Key_F12);
        QVERIFY(!setup.window->isVisible());
    }

    // Two workstations edit the same address, each saving in turn: neither loses the other's
    // saved fields.
    void twoProcessesKeepEachOthersChanges() {
        WindowSetup setup;
        QProcess peer;
        peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        peer.start(QCoreApplication::applicationFilePath(), {"--peer", setup.dir.path()});
        const auto tell = [&peer](const QByteArray& command) {
            if (!command.isEmpty()) peer.write(command + '\n');
            while (!peer.canReadLine())
                if (!peer.waitForReadyRead(60000)) return false;
            return peer.readLine().trimmed() == "ok";
        };
        QVERIFY(tell({}));
        auto* info = setup.window->findChild<QPlainTextEdit*>("mInfo");
        info->setFocus();
        QTest::keyClicks(info, "Info-A");
        QVERIFY(tell("type edDNr D-B") && tell("save"));
        QTest::keyClick(info, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(setup.window->findChild<QLineEdit*>("edDNr")->text(), "D-B");
        QVERIFY(tell("type edKNr K-B") && tell("save") && tell("quit"));
        QVERIFY(peer.waitForFinished(60000));
        QCOMPARE(peer.exitCode(), 0);
        setup.window->close();
        TCustomerAddress record;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K01", record));
        QCOMPARE(QStringList({record.Info, record.DebitorNr, record.KreditorNr}),
                 QStringList({"Info-A", "D-B", "K-B"}));
    }
};

// The other workstation of the two-process test: a window on the tenant in root, driven by
// lines on standard input ("type NAME TEXT", "save", "quit"), each answered by "ok".
int RunWindowPeer(const QString& root) {
    WindowSetup setup({}, {}, root);
    QTextStream in(stdin), out(stdout);
    out << "ok" << Qt::endl;
    for (QString line; in.readLineInto(&line);) {
        const QString command = line.section(' ', 0, 0);
        if (command == "type") {
            QWidget* target = setup.window->findChild<QWidget*>(line.section(' ', 1, 1));
            if (!target) return 1;
            target->setFocus();
            QTest::keyClicks(target, line.section(' ', 2));
        } else if (command == "save") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        } else if (command == "quit") {
            setup.window->close();
        }
        out << "ok" << Qt::endl;
        if (command == "quit") break;
    }
    return 0;
}

KWP_REGISTER_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
