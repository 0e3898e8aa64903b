#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/dateedit.h"
#include "app/widgets/desktopnotice.h"
#include "app/widgets/loadformstate.h"
#include "app/widgets/messagedialog.h"
#include "app/widgets/passworddlg.h"
#include "app/widgets/translatecomponent.h"
#include "app/widgets/widgetservices.h"
#include "testsupport.h"

class TestAppWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        SetNoticeService(nullptr);  // also after a failed test
        UseLanguage("de_DE");
        FinalizeApplication();
    }

    void dateEditTakesGermanInput_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QString>("shown");
        for (const char* typed : {"1.3.2026", "01.03.26", "010326", "01032026"})
            QTest::newRow(typed) << typed << 46082.0 << "01.03.2026";
        for (const char* typed : {"1.3.", " 1.3"})  // this year
            QTest::newRow(typed) << typed << 47908.0 << "01.03.2031";
        QTest::newRow("29 is 2029") << "1.3.29" << 47178.0 << "01.03.2029";
        QTest::newRow("30 is 1930") << "1.3.30" << 11018.0 << "01.03.1930";
        QTest::newRow("leap day") << "29.2.28" << 46812.0 << "29.02.2028";
        QTest::newRow("empty") << "" << 0.0 << "";
        for (const char* typed : {"31.2.", "1.13.", "29.2.27", "1.3.202", "0103", "1..3", "heute"})
            QTest::newRow(typed) << typed << 0.0 << typed;
    }
    void dateEditTakesGermanInput() {
        QFETCH(QString, typed);
        PinnedClock clock(QDateTime(QDate(2031, 6, 15), QTime(12, 0)));  // "this year" is 2031
        TDateEdit edit;
        edit.setDate(45000.75);
        QCOMPARE(edit.text(), "15.03.2023");
        edit.clear();
        QTest::keyClicks(&edit, typed);
        QTest::keyClick(&edit, Qt::Key_Return);
        QTEST(edit.text(), "shown");
        QTEST(edit.date(), "dayNumber");
        QCOMPARE(edit.property("invalid").toBool(), edit.date() == 0 && !typed.isEmpty());
    }

    // Windows that build their texts with _() stay English when LoadFormState translates again.
    void windowsShowEnglish_data() {
        QTest::addColumn<QStringList>("texts");  // title, then labels and buttons
        QTest::newRow("password") << QStringList{"Login", "User name", "Password", "OK", "Cancel"};
        QTest::newRow("message") << QStringList{"Confirmation", "4711", "&Yes", "&No"};
    }
    void windowsShowEnglish() {
        QVERIFY(UseLanguage("en_GB"));
        const QByteArray tag = QTest::currentDataTag();
        std::unique_ptr<QWidget> w;
        if (tag == "password") w = std::make_unique<TPasswordDlg>();
        if (tag == "message") w = std::make_unique<TMessageDialog>("4711", mtConfirmation, mbYesNo);
        TranslateComponent(w.get());
        QStringList texts{w->windowTitle()};
        for (const QWidget* c : w->findChildren<QWidget*>()) {
            if (auto* l = qobject_cast<const QLabel*>(c); l && !l->text().isEmpty())
                texts.append(l->text().trimmed());
            if (auto* b = qobject_cast<const QAbstractButton*>(c)) texts.append(b->text());
        }
        QTEST(texts, "texts");
    }

    void formStateColoursAndPlacement_data() {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QRect>("bounds");  // on the offscreen screen of 800 x 800
        QTest::newRow("0: 1024 x 690 from the corner") << 0 << QRect(0, 0, 1024, 690);
        QTest::newRow("2: as designed") << 2 << QRect(10, 20, 500, 300);
    }
    void formStateColoursAndPlacement() {
        QTemporaryDir dir;
        QVERIFY(InitApplicationFor(TProgramDir::Bin, dir.filePath("BIN/kwp00207")));
        const QString etc = BenutzerEinstellungen()->UserEtcDir = SystemEinstellungen()->UsrDir;
        SystemEinstellungen()->Tenant = "T1";
        QFETCH(int, resolution);
        WriteFileBytes(etc + "APPLICATION.INI",
                       QString("[Colors-T1]\r\nColor4=$FF\r\n[Forms]\r\nScreenresolution=%1")
                           .arg(resolution)
                           .toUtf8());
        QWidget form;
        form.setGeometry(10, 20, 500, 300);
        auto* label = new QLabel(&form);
        label->setProperty("tag", 4);
        LoadFormState(&form, TFormRole::MainWindow);
        QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
        QTEST(form.geometry(), "bounds");
        QCOMPARE(DefaultDialogBounds(), QRect(0, 0, 1024, 690));  // the screen is too small
    }

    void noticesStackNeverTakeFocusAndAreRecorded() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        TWidgetNoticeService service;
        SetNoticeService(&service);
        ShowDesktopNotice({}, "3 Treffer", 10, 10000);
        ShowDesktopNotice("Kopf", "Nichts gefunden.", 10, 300);
        QTest::qWait(100);
        QCOMPARE(QApplication::focusWidget(), edit);
        const QList<TDesktopNotice*> notices = TDesktopNotice::Notices();
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[1]->geometry().bottom() < notices[0]->geometry().top());
        delete notices[0];
        QTRY_VERIFY(TDesktopNotice::Notices().isEmpty());  // the other goes by itself

        QTemporaryDir dir;  // processes run with KWP_DIALOG_RECORD
        TRecordingDialogService recording(dir.filePath("dialogs.txt"));
        SetNoticeService(&recording);
        ShowDesktopNotice({}, "3 Treffer", 100, 1000);
        QCOMPARE(ReadFileBytes(dir.filePath("dialogs.txt")),
                 "Hinweis: Adressverwaltung: 3 Treffer\n");
    }
};

KWP_REGISTER_TEST(TestAppWidgets)
#include "tst_appwidgets.moc"
