#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "address/addressconfig.h"
#include "address/contacttypes.h"
#include "address/customeraddress.h"
#include "app/dateinput.h"
#include "testsupport.h"
#include "ui/widgets/anschriftviewframe.h"
#include "ui/widgets/contactviewframe.h"
#include "ui/widgets/debitorkreditorframe.h"
#include "ui/widgets/gesetzlichevorgabenframe.h"
#include "ui/widgets/wiedervorlageframe.h"
#include "ui/widgets/zusaetzlichframe.h"

namespace {
TCustomerAnschrift* addAnschrift(TCustomerAddress& record, const char* id, const char* name) {
    TCustomerAnschrift* a = record.Anschriften.Add();
    a->Id = id;
    a->Name1 = name;
    a->Strasse = "Lindenallee 12";
    a->Plz = "14469";
    a->Ort = "Potsdam";
    a->Land = "D";
    return a;
}

TCustomerContactData* addChannel(TCustomerContact& contact, int type, const char* value) {
    TCustomerContactData* data = contact.Data.Add();
    data->CdType = quint8(type);
    data->CdValue = value;
    return data;
}

// Fills the next modal dialog and confirms or cancels it.
void onNextDialog(std::function<void(QWidget*)> fill, bool confirm = true) {
    QTimer::singleShot(0, [fill, confirm] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (fill) fill(dialog);
        confirm ? dialog->accept() : dialog->reject();
    });
}

void trigger(QWidget* pane, const char* name) {
    auto* action = pane->findChild<QAction*>(name);
    QVERIFY2(action, name);
    action->trigger();
}

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

// Visible items of a menu after it prepared itself for opening.
QStringList visibleItems(QWidget* pane, const char* menuName) {
    auto* menu = pane->findChild<QMenu*>(menuName);
    Q_EMIT menu->aboutToShow();
    QStringList names;
    for (QAction* action : menu->actions())
        if (action->isVisible() && !action->isSeparator()) names << action->objectName();
    return names;
}

QByteArray xmlOf(TCustomerAddress& record) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    record.SaveToStream(&buffer);
    return buffer.data();
}
}  // namespace

class TestPanes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void channelText_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("text");
        struct Row {
            int type;
            const char *name, *value, *remark, *text;
        };
        // clang-format off
        const Row rows[] = {
            {0, "Hobby", "Segeln", "x", "Hobby: Segeln"},
            {1, "Geburtstag", "24.12.1970", "", "Geburtstag: 24.12.1970 (55)"},
            {1, "", "6.12.1970", "Chef", "6.12.1970 (56 - Chef)"},
            {2, "Zentrale", "0911 4711", "Mo-Fr", "Zentrale: 0911 4711 (Mo-Fr)"},
            {4, "", "a@b.de", "privat", "a@b.de (privat)"},
            {6, "egal", "Sehr geehrte Frau Holz", "x", "Briefanrede: Sehr geehrte Frau Holz"},
            {7, "", "Holz GmbH", "", "Firma: Holz GmbH"},
            {11, "", "02", "", "Zugehoerige Anschrift: 02"},
        };
        // clang-format on
        for (const Row& r : rows)
            QTest::addRow("%s", r.text) << r.type << r.name << r.value << r.remark << r.text;
    }
    void channelText() {
        QFETCH(int, type);
        TCustomerContactData data;
        data.CdType = quint8(type);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, remark);
        data.CdName = name;
        data.CdValue = value;
        data.CdCaract = remark;
        QTEST(TContactViewFrame::ChannelText(data, QDate(2026, 12, 6)), "text");
    }

    // The action items follow the selected channel's kind; each acts only on its kind.
    void contactMenu_data() {
        QTest::addColumn<int>("channel");  // -1: the contact node
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("copied");
        // clang-format off
        QTest::newRow("contact") << -1 << QStringList{} << "" << "-";
        QTest::newRow("phone") << 0 << QStringList{"miContactSms", "miContactDial", "miContactCopy"} << "tel:49301" << "+49 (30) 1";
        QTest::newRow("fax") << 1 << QStringList{"miContactCopy"} << "" << "030 2";
        QTest::newRow("mail") << 2 << QStringList{"miContactMail", "miContactCopy"} << "mailto:m@x.de" << "m@x.de";
        QTest::newRow("web") << 3 << QStringList{"miContactWeb", "miContactCopy"} << "http://www.x.de" << "www.x.de";
        // clang-format on
    }
    void contactMenu() {
        QFETCH(int, channel);
        RecordingShell shell;
        TCustomerAddress record;
        record.Id = "K1";
        TCustomerContact* contact = record.Kontakte.Add();
        contact->Std = true;
        addChannel(*contact, cdtTelefon, "+49 (30) 1");
        addChannel(*contact, cdtFax, "030 2");
        addChannel(*contact, cdtEmail, "m@x.de");
        addChannel(*contact, cdtInternet, "www.x.de");
        TContactViewFrame pane;
        pane.setRecord(&record);
        pane.show();
        auto* tree = pane.findChild<QTreeWidget*>("vstContact");
        QTreeWidgetItem* node = tree->topLevelItem(0);
        clickItem(tree, channel < 0 ? node : node->child(channel));
        const QStringList editing{"miContactAdd",     "miContactEdit", "miContactDelete",
                                  "miContactDefault", "miContactUp",   "miContactDown"};
        QFETCH(QStringList, actions);
        QCOMPARE(visibleItems(&pane, "pmContact"), actions + editing);
        QApplication::clipboard()->setText("-");
        for (const char* name :
             {"miContactSms", "miContactDial", "miContactWeb", "miContactMail", "miContactCopy"})
            trigger(&pane, name);
        QTEST(shell.opened.value(0).toString(), "opened");
        QTEST(QApplication::clipboard()->text(), "copied");
    }

    void contactCommands() {
        ScriptedDialogs dialogs;
        TCustomerAddress record;
        record.Id = "K1";
        TContactViewFrame pane;
        pane.setRecord(&record);
        pane.show();
        QSignalSpy modified(&pane, &TContactViewFrame::modified);
        auto* tree = pane.findChild<QTreeWidget*>("vstContact");
        onNextDialog({}, false);
        trigger(&pane, "miContactAdd");
        QCOMPARE(record.Kontakte.Count(), 0);
        onNextDialog({});
        trigger(&pane, "miContactAdd");
        QCOMPARE(record.Kontakte.Items(0)->Name, "Allgemeiner Kontakt");
        QVERIFY(record.Kontakte.Items(0)->Std);
        QVERIFY(tree->topLevelItem(0)->font(0).bold());
        // The general contact exists: the next one gets no name proposed.
        onNextDialog([](QWidget* dialog) {
            auto* name = dialog->findChild<QComboBox*>("cbKontakt");
            QCOMPARE(name->currentText(), QString());
            name->setEditText("Einkauf");
        });
        trigger(&pane, "miContactAdd");
        QCOMPARE(record.Kontakte.Count(), 2);
        QVERIFY(!record.Kontakte.Items(1)->Std);
        clickItem(tree, tree->topLevelItem(1));
        trigger(&pane, "miContactDefault");
        QVERIFY(!record.Kontakte.Items(0)->Std && record.Kontakte.Items(1)->Std);
        QVERIFY(tree->topLevelItem(1)->font(0).bold() && !tree->topLevelItem(0)->font(0).bold());
        clickItem(tree, tree->topLevelItem(1));
        trigger(&pane, "miContactUp");
        QCOMPARE(record.Kontakte.Items(0)->Name, "Einkauf");
        clickItem(tree, tree->topLevelItem(0));
        dialogs.answer(mrNo);
        trigger(&pane, "miContactDelete");
        dialogs.answer(mrYes);
        trigger(&pane, "miContactDelete");
        QCOMPARE(dialogs.texts(),
                 QStringList(2, "Moechten Sie den Kontakt Einkauf wirklich loeschen?"));
        QCOMPARE(record.Kontakte.Count(), 1);
        QCOMPARE(modified.count(), 5);
    }

    void anschriftCommands() {
        ScriptedDialogs dialogs;
        TAddressConfig config;
        config.Lkz = "D";
        TCustomerAddress record;
        record.Id = "K1";
        addAnschrift(record, "01", "Holzmann GmbH")->Std = true;
        addAnschrift(record, "02", "Holzmann Lager");
        TAnschriftViewFrame pane;
        pane.setConfig(&config);
        pane.setRecord(&record);
        pane.show();
        QSignalSpy modified(&pane, &TAnschriftViewFrame::modified);
        auto* list = pane.findChild<QTreeWidget*>("vstAnschrift");
        QVERIFY(list->topLevelItem(0)->font(0).bold());
        clickItem(list, list->topLevelItem(1));
        trigger(&pane, "miAnschriftCopy");
        QCOMPARE(QApplication::clipboard()->text(),
                 "Holzmann Lager\r\nLindenallee 12\r\n14469 Potsdam");
        trigger(&pane, "miAnschriftUp");
        QCOMPARE(record.Anschriften.Items(0)->Id, "02");
        QCOMPARE(pane.SelectedIndex(), 0);
        clickItem(list, list->topLevelItem(1));
        dialogs.answer(mrYes);
        trigger(&pane, "miAnschriftDelete");  // the default one
        QCOMPARE(record.Anschriften.Count(), 1);
        QVERIFY(record.Anschriften.Items(0)->Std);
        clickItem(list, list->topLevelItem(0));
        dialogs.answer(mrOk);
        trigger(&pane, "miAnschriftDelete");
        QCOMPARE(dialogs.texts(),
                 QStringList({"Moechten Sie die Anschrift wirklich loeschen?",
                              "Es muss mindestens eine Anschrift vorhanden sein."}));
        onNextDialog(
            [](QWidget* dialog) { dialog->findChild<QLineEdit*>("edName1")->setText("Filiale"); });
        trigger(&pane, "miAnschriftAdd");
        const TCustomerAnschrift* added = record.Anschriften.Items(1);
        QCOMPARE(added->Id, "03");  // "02" is taken
        QCOMPARE(added->Land, "D");
        QVERIFY(!added->Std);
        QCOMPARE(list->topLevelItem(1)->text(0), "Filiale\nD");
        trigger(&pane, "miAnschriftDefault");
        QVERIFY(added->Std && !record.Anschriften.Items(0)->Std);
        onNextDialog(
            [](QWidget* dialog) { dialog->findChild<QLineEdit*>("edName1")->setText("Lager"); });
        const QPoint itemCentre = list->visualItemRect(list->topLevelItem(1)).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, itemCentre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, itemCentre);
        QCOMPARE(added->Name1, "Lager");  // a double click edits
        QCOMPARE(modified.count(), 5);
        QCOMPARE(TAnschriftViewFrame::MapUrl("Am Markt 1, 50667 Köln"),
                 "https://www.openstreetmap.org/search?viewpoint=Am+Markt+1,+50667+K%F6ln");
    }

    void paymentWays() {
        TCustomerAddress record;
        record.Id = "K1";
        record.PaymentWays.Add()->PayWay = TPaymentWay::pwBar;
        TZusaetzlichFrame pane;
        pane.setRecord(&record);
        pane.show();
        auto* tree = pane.findChild<QTreeWidget*>("vstPaymentWays");
        clickItem(tree, tree->topLevelItem(0));
        visibleItems(&pane, "pmPaymentWays");
        QVERIFY(!pane.findChild<QMenu*>("miPwChange")->menuAction()->isEnabled());
        QVERIFY(!pane.findChild<QAction*>("miPwEdit")->isEnabled());
        onNextDialog([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("edName")->setText("Hausbank");
            dialog->findChild<QLineEdit*>("edBLZ")->setText("70020270");
        });
        trigger(&pane, "miPwAddUeberweisung");
        QCOMPARE(tree->topLevelItem(1)->text(0), "Ueberweisung - Hausbank");
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(0), "BLZ: 70020270 Konto: ");
        visibleItems(&pane, "pmPaymentWays");
        QVERIFY(pane.findChild<QAction*>("miPwEdit")->isEnabled());
        trigger(&pane, "miPwToLastschrift");
        QCOMPARE(int(record.PaymentWays.Items(1)->PayWay), int(TPaymentWay::pwLastschrift));
        QCOMPARE(record.PaymentWays.Items(1)->BCode, "70020270");
        trigger(&pane, "miPwAddNachnahme");
        clickItem(tree, tree->topLevelItem(0));
        trigger(&pane, "miPwToUeberweisung");  // cash keeps its kind
        trigger(&pane, "miPwDelete");
        QCOMPARE(record.PaymentWays.Count(), 2);
        QCOMPARE(int(record.PaymentWays.Items(1)->PayWay), int(TPaymentWay::pwNachnahme));
    }

    void paymentTerms() {
        ScriptedDialogs dialogs;
        TCustomerAddress record;
        record.Id = "K1";
        TZusaetzlichFrame pane;
        pane.setRecord(&record);
        const auto addTerm = [&pane](int days, double perc) {
            onNextDialog([days, perc](QWidget* dialog) {
                dialog->findChild<QSpinBox*>("seDays")->setValue(days);
                dialog->findChild<QDoubleSpinBox*>("edPerc")->setValue(perc);
            });
            trigger(&pane, "miZbAdd");
        };
        addTerm(10, 3);
        addTerm(30, 0);
        addTerm(14, 2);
        for (int i = 0; i < 3; ++i) dialogs.answer(mrOk);
        addTerm(20, 2);  // same percentage
        addTerm(14, 1);  // same days
        QCOMPARE(dialogs.texts(), QStringList(2, "Die Zahlungsbedingung existiert bereits."));
        auto* list = pane.findChild<QListWidget*>("lbZahlbed");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), "Bis 30 Tage netto. (7 Tage die Woche)");
        QCOMPARE(list->item(1)->text(), "Bis 14 Tage 2 %. (7 Tage die Woche)");
        list->setCurrentRow(2);
        onNextDialog([](QWidget* dialog) { dialog->findChild<QSpinBox*>("seDays")->setValue(30); });
        trigger(&pane, "miZbEdit");
        QCOMPARE(record.PaymentTerms.Items(2)->Days, 10);
        QCOMPARE(dialogs.texts().size(), 3);
    }

    void flags() {
        TCustomerAddress record;
        record.Id = "K1";
        record.Kennzeichen = QStringList{"Lieferant"};
        TZusaetzlichFrame pane;
        pane.setRecord(&record);
        pane.show();
        auto* combo = pane.findChild<QComboBox*>("cbKennzeichen");
        auto* list = pane.findChild<QListWidget*>("lbCharact");
        QTest::keyClicks(combo->lineEdit(), "  Stammkunde ");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(record.Kennzeichen, QStringList({"Lieferant", "Stammkunde"}));
        combo->setEditText("Lieferant");
        QTest::mouseClick(pane.findChild<QPushButton*>("btKzAdd"), Qt::LeftButton);
        QCOMPARE(list->currentRow(), 0);
        QTest::mouseClick(pane.findChild<QPushButton*>("btKzDelete"), Qt::LeftButton);
        QCOMPARE(record.Kennzeichen, QStringList{"Stammkunde"});
    }

    // Every field written back unchanged leaves the stored record as it was.
    void reloadKeepsRecord() {
        TCustomerAddress record;
        record.Id = "K1";
        record.Alarm = record.Paragr14b = true;
        record.AlarmText = "Nur gegen Vorkasse";
        record.ZInfo = "Skonto nur bei Abholung";
        record.IdWeiterl = "K2";
        record.UstIdNr = "DE123456789";
        record.StNr = "123/456/7890";
        record.MwStAusw = 2;
        record.MahnTyp = 1;
        record.Sprache = "en";
        record.Wv = DateToDayNumber(QDate(2026, 12, 24)) + 0.375;
        record.WvTxt = "Angebot nachfassen";
        record.WvUser = "MEIER";
        record.DebitorNr = "D-1";
        record.DebitorKreditlimit = "5000";
        record.DebitorVersicherung = "Hermes";
        record.DebitorBonitaet = "gut";
        record.KreditorNr = "L-9";
        record.KreditorBearbeiter = "Frau Roth";
        record.OwnId = "4711";
        const QByteArray before = xmlOf(record);
        TZusaetzlichFrame extra;
        TDebitorKreditorFrame debtor;
        TGesetzlicheVorgabenFrame legal;
        TWiedervorlageFrame resubmission;
        QWidget* panes[] = {&extra, &debtor, &legal, &resubmission};
        const auto load = [&record](auto&... each) { (each.setRecord(&record), ...); };
        load(extra, debtor, legal, resubmission);
        QCOMPARE(xmlOf(record), before);
        for (QWidget* pane : panes) {
            for (auto* edit : pane->findChildren<QLineEdit*>()) {
                const QString text = edit->text();
                edit->setText(text + "9");
                edit->setText(text);
            }
            for (auto* memo : pane->findChildren<QPlainTextEdit*>())
                memo->setPlainText(memo->toPlainText());
            for (auto* check : pane->findChildren<QCheckBox*>()) {
                check->click();
                check->click();
            }
        }
        QCOMPARE(xmlOf(record), before);
        QTest::mouseClick(resubmission.findChild<QAbstractButton*>("sbWVDel"), Qt::LeftButton);
        QCOMPARE(record.Wv, 0.0);
        QVERIFY(record.WvTxt.isEmpty() && record.WvUser.isEmpty());
    }
};

KWP_REGISTER_TEST(TestPanes)
#include "tst_panes.moc"
