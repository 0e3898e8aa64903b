#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "address/addressconfig.h"
#include "address/customeranschrift.h"
#include "address/paymentway.h"
#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "app/shell.h"
#include "testsupport.h"
#include "ui/contactactions.h"
#include "ui/widgets/kwp00207form3.h"
#include "ui/widgets/kwp00207form4.h"

using namespace Qt::StringLiterals;

class TestLookupDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString etc() const { return m_dir.path() + u"/"_s; }

    // Types into a field and leaves it with Tab, as a user does.
    static void typeAndLeave(QWidget* dialog, const char* field, const QString& text) {
        auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(field));
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    // A line of the central bank's file, as the import reads it.
    static QByteArray bankLine(const char* blz, const QByteArray& name, const char* bic) {
        return blz + "1"_ba + name.leftJustified(58) + "10117" + "Berlin"_ba.leftJustified(35) +
               name.leftJustified(27) + "12345" + QByteArray(bic).leftJustified(11) +
               "09000001U000000000\n";
    }

private Q_SLOTS:
    void initTestCase() {
        WriteFileBytes(etc() + u"ZIPCODES_D.DAT"_s,
                       "10115;Berlin\r\n14467;Potsdam\r\n14469;Potsdam\r\n14471;Potsdam\r\n");
        TDBBLZCodes::ImportBundesbankData(
            bankLine("37040044", "Commerzbank Koeln", "COBADEFFXXX") +
                bankLine("10020030", "Spreebank", "SPRBDEB1XXX") +
                bankLine("10020030", "Spreebank Mitte", "SPRBDEB1MIT"),
            u"test"_s, etc() + u"BLZCODES.TDBD"_s);
    }
    void init() { TDBZIPCodes::ClearCache(); }

    void postcodeLookup_data() {
        QTest::addColumn<QString>("land");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ort");
        QTest::addColumn<int>("hits");
        QTest::addColumn<bool>("hint");
        const auto row = [](const char* name, const char* land, const char* field, const char* text,
                            const char* ort, int hits, bool hint) {
            QTest::newRow(name) << land << field << text << ort << hits << hint;
        };
        row("one town fills Ort", "d", "edPlz", "10115", "Berlin", 0, false);
        row("town with several codes", "D", "edOrt", "potsdam", "potsdam", 3, false);
        row("no country, hint", "", "edPlz", "10115", "", 0, true);
    }
    void postcodeLookup() {
        QFETCH(QString, land);
        QFETCH(QString, field);
        QFETCH(int, hits);
        TAddressConfig config;
        TKWP00207Form3 dialog(u"Rechnung,Lieferung"_s, &config, nullptr, etc());
        TCustomerAnschrift anschrift;
        anschrift.Land = land;
        dialog.LoadAnschrift(anschrift);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QFETCH(QString, text);
        typeAndLeave(&dialog, field.toLatin1().constData(), text);
        QTEST(dialog.findChild<QLineEdit*>("edOrt")->text(), "ort");
        QTEST(dialog.findChild<QLabel*>("pnHint")->isVisible(), "hint");
        auto* list = dialog.findChild<QTreeWidget*>("lvZip");
        QCOMPARE(list->topLevelItemCount(), hits);
        QCOMPARE(list->isVisible(), hits > 1);
        if (hits < 2) return;
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        dialog.StoreAnschrift(anschrift);
        QCOMPARE(anschrift.Plz + anschrift.Ort, u"14469Potsdam"_s);
    }

    // The checks run in the order of the fields; Yes writes the users' file.
    void saveForFuture_data() {
        QTest::addColumn<QString>("land");
        QTest::addColumn<QString>("plz");
        QTest::addColumn<QString>("ort");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("userFile");
        const auto row = [](const char* name, const char* land, const char* plz, const char* ort,
                            const char* message, const QByteArray& userFile) {
            QTest::newRow(name) << land << plz << ort << message << userFile;
        };
        row("France", "F", "75001", "Paris", "Dieses Laenderkuerzel wird nicht unterstuetzt!", {});
        row("no town", "", "", "", "Sie muessen einen Ort eingeben!", {});
        row("saved", "ch", "8000", "Zürich",
            "Moechten Sie \"CH - 8000 Zürich\" fuer die Zukunft speichern?", "8000;Zürich\r\n");
    }
    void saveForFuture() {
        QFETCH(QString, land);
        QFETCH(QString, plz);
        QFETCH(QString, ort);
        QFETCH(QByteArray, userFile);
        TAddressConfig config;
        TKWP00207Form3 dialog(QString(), &config, nullptr, etc());
        TCustomerAnschrift anschrift;
        anschrift.Land = land;
        anschrift.Plz = plz;
        anschrift.Ort = ort;
        dialog.LoadAnschrift(anschrift);
        ScriptedDialogs dialogs;
        dialogs.answer(userFile.isEmpty() ? mrOk : mrYes);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btSaveZip"), Qt::LeftButton);
        QTEST(dialogs.texts().value(0), "message");
        QCOMPARE(ReadFileBytes(etc() + u"ZIPCODES_CH_U.DAT"_s), userFile);
    }

    void bankLookup_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<int>("offered");
        const auto row = [](const char* name, const char* field, const char* text,
                            const char* account, const char* bank, int offered) {
            QTest::newRow(name) << field << text << account << bank << offered;
        };
        row("one bank", "edBLZ", "370 400 44", "370 400 44|", "COBADEFFXXX Commerzbank Koeln", 0);
        row("several banks", "edBLZ", "10020030", "10020030|", " ", 2);
        row("German IBAN", "edIban", "de89 3704 0044 0532 0130 00", "37040044|532013000",
            "COBADEFFXXX Commerzbank Koeln", 0);
    }
    void bankLookup() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, offered);
        TKWP00207Form4 dialog(nullptr, etc());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const ScriptedDialogs noDialogs;
        typeAndLeave(&dialog, field.toLatin1().constData(), text);
        TPaymentWay way;
        dialog.StorePaymentWay(way);
        QTEST(way.BCode + u'|' + way.Acc, "account");
        QTEST(way.Bic + u' ' + way.Inst, "bank");
        QCOMPARE(dialog.findChild<QTableWidget*>("sgBanks")->rowCount(), offered);
        QVERIFY(dialog.findChild<QLabel*>("lbIbanState")->text().isEmpty());
    }

    // The reason shows while typing; each "OK" asks once, and only Yes keeps the IBAN.
    void invalidIban() {
        TKWP00207Form4 dialog(nullptr, etc());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        typeAndLeave(&dialog, "edIban", u"DE89370400440532013001"_s);
        QCOMPARE(dialog.findChild<QLabel*>("lbIbanState")->text(),
                 u"Die Prüfziffern der IBAN stimmen nicht; bitte auf Tippfehler prüfen."_s);
        ScriptedDialogs dialogs;
        dialogs.answer(mrNo);
        dialogs.answer(mrYes);
        auto* ok = dialog.findChild<QPushButton*>("btOK");
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), u"edIban"_s);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialogs.texts().at(0).startsWith(u"Die IBAN \"DE89370400440532013001\" ist "_s));
    }
};

class TestContactActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Without a telephony program the user is told so.
    void dialWithoutTelephonyProgram() {
        RecordingShell shell;
        shell.result = TShellResult::NoApplication;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TDial::Dial(u"0"_s, u"Meier"_s, u"Buero"_s);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl(u"tel:0"_s)});
        QCOMPARE(dialogs.texts().size(), 1);
    }

    // What the desktop answers becomes the nearest of the shell's classic texts.
    void shellFailuresAreReported_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<TShellResult>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("document") << "fehlt.pdf" << TShellResult::NotFound
                                  << "Datei wurde nicht gefunden.";
        QTest::newRow("folder") << "/gibt/es/nicht/a.pdf" << TShellResult::NotFound
                                << "Verzeichnis wurde nicht gefunden.";
        QTest::newRow("no application")
            << "mailto:info@firma.de" << TShellResult::NoApplication
            << "Fuer \"mailto:info@firma.de\" ist kein Programm zum Oeffnen eingerichtet.";
        QTest::newRow("program") << "" << TShellResult::NotFound
                                 << "Kann die angegebene Datei nicht finden: /gibt/es/nicht";
    }
    void shellFailuresAreReported() {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QTemporaryDir dir;
        RecordingShell shell;
        QFETCH(TShellResult, result);
        shell.result = result;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        if (target.isEmpty())
            QVERIFY(!StartProgram(u"/gibt/es/nicht"_s, {}));
        else
            QCOMPARE(ShellOpen(target, {}, dir.path()), result);
        QVERIFY2(dialogs.texts().value(0).contains(message), qPrintable(dialogs.texts().join('|')));
    }

    // Tenant, user, then the recipient; without the program nothing starts and nothing shows.
    void sms() {
        QTemporaryDir bin;
        RecordingShell shell;
        ScriptedDialogs dialogs;
        QVERIFY(!SendSms(u"0171 23"_s, u"Meier"_s, u"FIRMA"_s, u"MEIER"_s, bin.path()));
        WriteFileBytes(bin.filePath(u"kwp00009"_s), "#!/bin/sh\n");
        QVERIFY(SendSms(u"0171 23"_s, u"Meier"_s, u"FIRMA"_s, u"MEIER"_s, bin.path()));
        QCOMPARE(shell.started.value(0).parameters, u"FIRMA MEIER -D \"017123=Meier\""_s);
    }
};

KWP_REGISTER_TEST(TestLookupDialogs)
KWP_REGISTER_TEST(TestContactActions)
#include "tst_lookupdialogs.moc"
