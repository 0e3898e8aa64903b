#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <functional>

#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "addressdb/addressnumbers.h"
#include "addressdb/dbadress.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/kwp00207form1.h"

namespace {
// A tenant with K01, K02 and K03 and the main window over it.
struct WindowSetup {
    QTemporaryDir dir;
    std::unique_ptr<TKWP00207Form1> window;

    explicit WindowSetup(const QStringList& arguments = {}) {
        InitApplicationFor(TProgramDir::Bin, dir.filePath("BIN/kwp00207"));
        SystemEinstellungen()->AdressenDir = dir.filePath("ADRESSEN/");
        BenutzerEinstellungen()->Vollname = "Tester";
        BenutzerEinstellungen()->UserTenantEtcDir = dir.filePath("USR/");
        {
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

    // A number with a forbidden character is asked again; the accepted one is upper-cased.
    void newAddress() {
        WindowSetup setup;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        ModalScript script({{"KWP00207Form9", [](QWidget* d) { typeInto(d, "edInput", "k/1"); }},
                            {"KWP00207Form9", [](QWidget* d) { typeInto(d, "edInput", "k100"); }},
                            {"KWP00207Form3", escape},
                            {"KWP00207Form2", escape}});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QVERIFY(script.done());
        QCOMPARE(dialogs.texts(), QStringList{"Unerlaubte Zeichen in der Eingabe."});
        TCustomerAddress record;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K100", record));
        QCOMPARE(record.CreatedBy, "Tester");
        QCOMPARE(record.Anschriften.Count(), 1);
        QVERIFY(record.Anschriften.Items(0)->Std);
        QCOMPARE(record.Kontakte.Count(), 0);
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

    // Another workstation saved the shown address meanwhile: saving here keeps its change.
    void saveKeepsAnotherWorkstationsChange() {
        WindowSetup setup;
        {
            TDBAdress other;
            other.OpenDirectory(SystemEinstellungen()->AdressenDir);
            TCustomerAddress record;
            QVERIFY(other.GetCustomer("K01", record));
            record.DebitorNr = "D-77";
            record.Changed += 1;
            QCOMPARE(other.SetCustomer(record), 0);
        }
        auto* info = setup.window->findChild<QPlainTextEdit*>("mInfo");
        info->setFocus();
        QTest::keyClicks(info, "Rueckruf");
        QTest::keyClick(info, Qt::Key_S, Qt::ControlModifier);
        TCustomerAddress saved;
        QVERIFY(setup.frame()->DBAdress().GetCustomer("K01", saved));
        QCOMPARE(saved.Info + saved.DebitorNr, "RueckrufD-77");
        QCOMPARE(setup.window->findChild<QLineEdit*>("edDNr")->text(), "D-77");
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
};

KWP_REGISTER_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
