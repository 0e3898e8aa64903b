#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "address/addressconfig.h"
#include "address/customeranschrift.h"
#include "addressdb/zipcodes.h"
#include "testsupport.h"
#include "ui/widgets/kwp00207form3.h"

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

private Q_SLOTS:
    void initTestCase() {
        WriteFileBytes(etc() + u"ZIPCODES_D.DAT"_s,
                       "10115;Berlin\r\n14467;Potsdam\r\n14469;Potsdam\r\n14471;Potsdam\r\n");
    }
    void init() { TDBZIPCodes::ClearCache(); }

    void postcodeLookup_data() {
        QTest::addColumn<QString>("land");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ort");
        QTest::addColumn<int>("hits");
        QTest::addColumn<bool>("hint");
        QTest::newRow("one town fills Ort") << "d"
                                            << "edPlz"
                                            << "10115"
                                            << "Berlin" << 0 << false;
        QTest::newRow("town with several codes") << "D"
                                                 << "edOrt"
                                                 << "potsdam"
                                                 << "potsdam" << 3 << false;
        QTest::newRow("no country, hint") << ""
                                          << "edPlz"
                                          << "10115"
                                          << "" << 0 << true;
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
        QCOMPARE(dialog.width(), hits > 1 ? 700 : 320);
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
        QTest::newRow("France") << "F"
                                << "75001"
                                << "Paris"
                                << "Dieses Laenderkuerzel wird nicht unterstuetzt!" << QByteArray();
        QTest::newRow("no town") << ""
                                 << ""
                                 << ""
                                 << "Sie muessen einen Ort eingeben!" << QByteArray();
        QTest::newRow("saved") << "ch"
                               << "8000"
                               << "Zürich"
                               << "Moechten Sie \"CH - 8000 Zürich\" fuer die Zukunft speichern?"
                               << "8000;Zürich\r\n"_ba;
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
};

KWP_REGISTER_TEST(TestLookupDialogs)
#include "tst_lookupdialogs.moc"
