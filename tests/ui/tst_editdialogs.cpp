#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include "address/addresslistfile.h"
#include "address/contacttypes.h"
#include "address/customeranschrift.h"
#include "address/customercontact.h"
#include "address/paymentterm.h"
#include "address/paymentway.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "persistence/storedatabase.h"
#include "persistence/storetable.h"
#include "testsupport.h"
#include "ui/widgets/adresslistviewerframe.h"
#include "ui/widgets/editstringlist.h"
#include "ui/widgets/inputboxform.h"
#include "ui/widgets/kwp00207form2.h"
#include "ui/widgets/kwp00207form3.h"
#include "ui/widgets/kwp00207form4.h"
#include "ui/widgets/kwp00207form5.h"
#include "ui/widgets/kwp00207form9.h"
#include "ui/widgets/viewdbselectform1.h"

namespace {
TCustomerContactData* channel(TCustomerContact& contact, int type, const QString& value) {
    TCustomerContactData* data = contact.Data.Add();
    data->CdType = quint8(type);
    data->CdValue = value;
    return data;
}

// A tenant folder whose invoice journal holds the given numbers.
QString tenantWithInvoices(const QTemporaryDir& dir, const QStringList& numbers) {
    const QString etc = dir.filePath("ETC");
    QDir().mkpath(etc);
    {
        TIniFileSecWriter sysdata(etc + "/SYSDATA.INI");
        for (const char* key :
             {"A1", "Journale", "Kleinrechnungen", "Angebote", "Wartung", "Lager", "Bestellwesen",
              "Leistungsdatei", "Kataloge", "Auftraege", "Briefe"})
            sysdata.WriteString("System", key, dir.filePath(key));
        sysdata.UpdateFile();
    }
    TStoreDatabase database;
    database.SetLocation(dir.filePath("Journale/RECHNUNGEN/"));
    QDir().mkpath(database.Location());
    TStoreTable table(&database);
    table.SetTableName("RGJOURNAL");
    TViewDBSelectForm1::DefineTable(table);
    table.CreateTable();
    table.Open();
    for (const QString& number : numbers) {
        table.Append();
        table.FieldByName("RGNR").SetAsString(number);
        table.Post();
    }
    return etc;
}
}  // namespace

class TestEditDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Kinds 6 to 11 live in fields and come back in front of the grid as 11, 10, 9, 6, 7, 8.
    void contactFieldsRoundTrip() {
        TCustomerAnschriftObjectList anschriften;
        for (const char* id : {"01", "03"}) anschriften.Add()->Id = id;
        TCustomerContact contact;
        contact.Name = "Einkauf";
        channel(contact, cdtTelefon, "0911 4711")->CdName = "Zentrale";
        channel(contact, cdtFirma, "Muster GmbH");
        channel(contact, cdtPosition, "Leiter");
        channel(contact, cdtName, "Hans Meier");
        channel(contact, cdtEmail, "info@muster.de");
        TKWP00207Form2 dialog(anschriften, {"Einkauf", "Technik"});
        dialog.load(contact);
        QCOMPARE(dialog.findChild<QLineEdit*>("edFirma")->text(), "Muster GmbH");
        auto* grid = dialog.findChild<QTableWidget*>("sgData");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(1, 2)->text(), "info@muster.de");
        auto* anschrift = dialog.findChild<QComboBox*>("cbAnschrift");
        anschrift->setCurrentIndex(anschrift->findText("03", Qt::MatchStartsWith));
        dialog.store(contact);
        QList<int> types;
        QStringList values;
        for (const auto& data : contact.Data) {
            types.append(data->CdType);
            values.append(data->CdValue);
        }
        QCOMPARE(types, (QList<int>{11, 9, 7, 8, 2, 4}));
        QCOMPARE(values.first(), "03");
        QCOMPARE(contact.Data.Items(4)->CdName, "Zentrale");
    }

    // New entries are trimmed and unique; sorting follows the language, not the code points.
    void listEditorAddsSortsAndDeletes() {
        TEditStringList dialog({"Sehr geehrter Herr", "\u00c4rzte,", "hallo"});
        QVERIFY(dialog.addEntry("  Liebe Kollegen "));
        QVERIFY(!dialog.addEntry("hallo"));
        QVERIFY(!dialog.addEntry("  "));
        dialog.findChild<QAction*>("actSort")->trigger();
        QCOMPARE(dialog.list(),
                 (QStringList{"\u00c4rzte,", "hallo", "Liebe Kollegen", "Sehr geehrter Herr"}));
        auto* list = dialog.findChild<QListWidget*>("lbList");
        list->item(0)->setSelected(true);
        list->item(2)->setSelected(true);
        QTest::mouseClick(dialog.findChild<QWidget*>("btDelete"), Qt::LeftButton);
        QCOMPARE(dialog.list(), (QStringList{"hallo", "Sehr geehrter Herr"}));
    }

    // Half months hide the working week but keep it in the record.
    void termDialogInHalfMonths() {
        TPaymentTerm term;
        term.PtType = 1;
        term.Days = 14;
        term.Dpw = 5;
        TKWP00207Form5 dialog;
        dialog.load(term);
        QVERIFY(dialog.findChild<QWidget*>("pnWeek")->isHidden());
        QCOMPARE(dialog.findChild<QLabel*>("lbAfter")->text(), "halbe Monate");
        auto* perc = dialog.findChild<QDoubleSpinBox*>("edPerc");
        perc->selectAll();
        QTest::keyClicks(perc, "2,5");
        dialog.store(term);
        QCOMPARE(term.Perc, 2.5);
        QCOMPARE(term.PtType, 1);
        QCOMPARE(term.Dpw, 5);
    }

    // Enter takes the number upper-cased, in the preselected group.
    void newAddressKeepsTheGroup() {
        const ScriptedDialogs noDialogs;
        TKWP00207Form9 dialog("Neue Adresse", "Adressnummer", {"Kunden", "Lieferanten"},
                              "Lieferanten", "K", 20, true, true);
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>("edInput");
        edit->clear();
        QTest::keyClicks(edit, "k1001 ");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.text(), "K1001 ");
        QCOMPARE(dialog.group(), "Lieferanten");
    }

    // "Entfernen" drops the selected copies, and only those, from the result file.
    void storeListRemovesSelectedAndWritesTheRest() {
        TAdresslistViewerFrame frame;
        for (const char* id : {"K1", "K2", "K3", "K4"}) {
            TCustomerAddress record;
            record.Id = id;
            frame.AddAddress(record);
        }
        frame.Refresh();
        auto* view = frame.findChild<QTreeWidget*>("vstList");
        view->clearSelection();
        view->topLevelItem(0)->setSelected(true);
        view->topLevelItem(2)->setSelected(true);
        QTest::mouseClick(frame.findChild<QWidget*>("btEntfernen"), Qt::LeftButton);
        QCOMPARE(view->currentItem()->text(0), "K4");
        QTemporaryDir dir;
        frame.SaveToFile(dir.filePath("TEMP.XML"));
        TCustomerAdressObjectList saved;
        QVERIFY(LoadAddressListFromFile(dir.filePath("TEMP.XML"), saved));
        QCOMPARE(saved.Count(), 2);
        QCOMPARE(saved.Items(0)->Id + saved.Items(1)->Id, "K2K4");
    }

    // Each dialog changes its record only when the user leaves it with "OK"; Escape keeps it.
    void dialogsChangeOnlyOnOk_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("ok");
        for (const char* dialog : {"contact", "address", "bank", "term", "input", "list"}) {
            QTest::addRow("%s OK", dialog) << dialog << true;
            QTest::addRow("%s Escape", dialog) << dialog << false;
        }
    }
    void dialogsChangeOnlyOnOk() {
        QFETCH(QString, dialog);
        QFETCH(bool, ok);
        QTimer::singleShot(0, [ok] {
            QWidget* shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            // The field that the dialog shows first for its record, typed over.
            QWidget* field = nullptr;
            for (const char* name : {"edName", "edStrasse", "seDays", "edInput"})
                if ((field = shown->findChild<QWidget*>(QLatin1String(name)))) break;
            if (field) {
                field->setFocus();
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(field, "12");
            } else {
                shown->findChild<QListWidget*>("lbList")->setCurrentRow(0);
                QTest::mouseClick(shown->findChild<QWidget*>("btDelete"), Qt::LeftButton);
            }
            if (ok)
                QTest::mouseClick(shown->findChild<QWidget*>("btOK"), Qt::LeftButton);
            else
                QTest::keyClick(shown, Qt::Key_Escape);
        });
        const QString after = ok ? "12" : "alt";
        if (dialog == "contact") {
            TCustomerContact contact;
            channel(contact, cdtName, "alt");
            QCOMPARE(TKWP00207Form2::Execute(contact, TCustomerAnschriftObjectList(), {}), ok);
            QCOMPARE(contact.Data.Items(0)->CdValue, after);
        } else if (dialog == "address") {
            TCustomerAnschrift anschrift;
            anschrift.Strasse = "alt";
            QCOMPARE(TKWP00207Form3::Execute(anschrift, "Rechnung", nullptr), ok);
            QCOMPARE(anschrift.Strasse, after);
        } else if (dialog == "bank") {
            TPaymentWay way;
            way.Comm = "alt";
            QCOMPARE(TKWP00207Form4::Execute(way), ok);
            QCOMPARE(way.Comm, after);
        } else if (dialog == "term") {
            TPaymentTerm term;
            term.Days = 30;
            QCOMPARE(TKWP00207Form5::Execute(term), ok);
            QCOMPARE(term.Days, ok ? 12 : 30);
        } else if (dialog == "input") {
            QCOMPARE(TInputBoxForm::Execute("Titel", "Text", "alt", 10, false, false),
                     ok ? after : QString());
        } else {
            QStringList list{"alt", "bleibt"};
            QCOMPARE(TEditStringList::Execute(list), ok);
            QCOMPARE(list.size(), ok ? 1 : 2);
        }
    }

    void pickerAnswersTheChosenKey_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("key");
        QTest::newRow("cancelled") << false << "";
        QTest::newRow("OK on the last row") << true << "R2";
    }
    void pickerAnswersTheChosenKey() {
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString tenant = tenantWithInvoices(dir, {"R1", "R2  "});
        TIniFile ini(dir.filePath("KWP00207.INI"));
        QTimer::singleShot(0, [ok] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker);
            if (ok)
                QTest::mouseClick(picker->findChild<QWidget*>("btOK"), Qt::LeftButton);
            else
                QTest::keyClick(picker, Qt::Key_Escape);
        });
        QString key = "alt";
        QCOMPARE(TViewDBSelectForm1::SelectARechnung(tenant, key, &ini), ok);
        QTEST(key, "key");
    }

    void pickerReportsMissingTenantAndJournal() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        dialogs.answer(mrOk);
        QString key;
        QVERIFY(!TViewDBSelectForm1::SelectAngebot(dir.filePath("X"), key, nullptr));
        const QString tenant = tenantWithInvoices(dir, {});
        QVERIFY(!TViewDBSelectForm1::SelectAngebot(tenant, key, nullptr));
        QCOMPARE(dialogs.texts(),
                 (QStringList{
                     QString("Mandant \"%1\" kann nicht geladen werden.").arg(dir.filePath("X")),
                     QString("Datei \"%1/ANGJOURNAL.DAT\" nicht gefunden.")
                         .arg(dir.filePath("Angebote"))}));
    }
};

KWP_REGISTER_TEST(TestEditDialogs)
#include "tst_editdialogs.moc"
