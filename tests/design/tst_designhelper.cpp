#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "address/customeraddress.h"
#include "address/dsnelement.h"
#include "address/widgets/designhelper.h"
#include "app/clock.h"
#include "app/design/dsncontrols.h"
#include "app/design/dsnstage.h"
#include "demodata/addressgenerator.h"
#include "demodata/demoaddresses.h"
#include "testsupport.h"

namespace {

// The golden layout: an edit on the stage, a panel inside a group box holding most controls,
// a label, and a second edit whose name differs from the first only in case.
struct Stage {
    TDsnStage root;
    Stage() { QVERIFY(root.LoadFromFile(KWP_TEST_DATA_DIR "/fields.ui")); }
    // The state of every control, in the order they were made.
    QString state() const {
        QStringList parts;
        for (QWidget* w : root.findChildren<QWidget*>()) {
            if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
                parts << memo->toPlainText().replace('\n', '|');
            else if (auto* edit = qobject_cast<QLineEdit*>(w);
                     edit && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                parts << edit->text();
            else if (auto* check = qobject_cast<QCheckBox*>(w))
                parts << QString::number(check->isChecked());
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                parts << QString::number(combo->currentIndex()) + ":" + combo->currentText();
            else if (auto* group = qobject_cast<TRadioGroup*>(w))
                parts << QString::number(group->itemIndex());
            else if (auto* picker = qobject_cast<TDateTimePicker*>(w))
                parts << picker->dateTime().toString(
                    picker->kind() == TDateTimePicker::dtkDate ? "dd.MM.yyyy" : "dd.MM.yyyy HH:mm");
        }
        return parts.join('/');
    }
};

}  // namespace

class TestDesignHelper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void setValues_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("state");
        const auto row = [](const char* tag, int type, const char* name, const char* value,
                            const char* state) {
            QTest::newRow(tag) << type << name << value << QString(state);
        };
        // Cleared: edits empty, radio group on its first entry, pickers at the pinned now.
        const char* const cleared = "//0/-1:/-1:/0/01.03.2026/01.03.2026 09:30/";
        row("date 0 is the day after", 4, "dtSeit", "0",
            "//0/-1:/-1:/0/31.12.1899/01.03.2026 09:30/");
        row("date into a time picker", 4, "tmZeit", "46000", cleared);
        row("last entry", 2, "rgZahlung", "2", "//0/-1:/-1:/2/01.03.2026/01.03.2026 09:30/");
        row("past the entries", 2, "rgZahlung", "3", "//0/-1:/-1:/-1/01.03.2026/01.03.2026 09:30/");
        row("list entry", 1, "cbBranche", "Handwerk",
            "//0/1:Handwerk/-1:/0/01.03.2026/01.03.2026 09:30/");
        row("not in the list", 1, "cbBranche", "Bau", cleared);
        row("free text", 1, "cbOrt", "Potsdam",
            "//0/-1:/-1:Potsdam/0/01.03.2026/01.03.2026 09:30/");
        row("memo lines", 1, "meNotiz", "a\r\nb\r\n",
            "/a|b/0/-1:/-1:/0/01.03.2026/01.03.2026 09:30/");
        row("nested, any case", 3, "CBNEWS", "-1", "//1/-1:/-1:/0/01.03.2026/01.03.2026 09:30/");
        row("first of two names", 1, "ednamE", "Meier",
            "Meier//0/-1:/-1:/0/01.03.2026/01.03.2026 09:30/");
    }
    // Every value lands in its control, in the right form, and nowhere else.
    void setValues() {
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, state);
        PinnedClock clock(QDateTime(QDate(2026, 3, 1), QTime(9, 30)));
        Stage stage;
        TDsnElementList list;
        list.Find("unknown", true)->ElementType = TDsnElement::etText;
        TDsnElement* element = list.Find(name, true);
        element->ElementType = quint8(type);
        element->SetValueText(value);
        TDesignHelper::SetValues(&stage.root, list);
        QCOMPARE(stage.state(), state);
        if (name == "dtSeit") QCOMPARE(element->FloatValue, 1.0);
    }

    // Collected in walk order (the nested controls where their group stands), typed by control.
    void getValues() {
        PinnedClock clock(QDateTime(QDate(2026, 3, 1), QTime(9, 30, 15)));
        Stage stage;
        TDesignHelper::ClearValues(&stage.root);
        stage.root.findChild<QPlainTextEdit*>("meNotiz")->setPlainText("Tor 2\nab 7 Uhr");
        TDsnElementList list;
        list.Find("old", true);
        TDesignHelper::GetValues(&stage.root, list);
        QStringList names;
        TDesignHelper::GetFieldNames(KWP_TEST_DATA_DIR "/fields.ui", &stage.root, names);
        QCOMPARE(names.size(), list.Count());
        QString xml;
        list.WriteXML("", xml);
        QCOMPARE(xml,
                 "<dsnobj name=\"edName\" type=\"1\" ></dsnobj>\r\n"
                 "<dsnobj name=\"meNotiz\" type=\"1\" >Tor 2&#13;&#10;ab 7 Uhr&#13;&#10;"
                 "</dsnobj>\r\n"
                 "<dsnobj name=\"cbNews\" type=\"3\" >0</dsnobj>\r\n"
                 "<dsnobj name=\"cbBranche\" type=\"1\" ></dsnobj>\r\n"
                 "<dsnobj name=\"cbOrt\" type=\"1\" ></dsnobj>\r\n"
                 "<dsnobj name=\"rgZahlung\" type=\"2\" >0</dsnobj>\r\n"
                 "<dsnobj name=\"dtSeit\" type=\"4\" >46082</dsnobj>\r\n"
                 "<dsnobj name=\"tmZeit\" type=\"5\" >46082,3960069444</dsnobj>\r\n"
                 "<dsnobj name=\"EDNAME\" type=\"1\" ></dsnobj>");
    }

    // The demo layout is what the designer writes, and every demo value shows in it as it is.
    void demoLayout() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("VIEW.DAT"), DemoViewLayout());
        TDsnStage stage;
        QVERIFY(stage.LoadFromFile(dir.filePath("VIEW.DAT")));
        QCOMPARE(stage.LayoutBytes(), DemoViewLayout());
        TCustomerAddress record;
        for (int i = 0; i < 42; ++i) {
            TAddressGenerator().Fill(i, record);
            TDsnElementList shown;
            TDesignHelper::SetValues(&stage, record.ExtraFields);
            TDesignHelper::GetValues(&stage, shown);
            QString expected, actual;
            record.ExtraFields.WriteXML("", expected);
            shown.WriteXML("", actual);
            QCOMPARE(actual, expected);
        }
    }

    // Set again after a reload, the handler must not fire twice.
    void changeHandler() {
        Stage stage;
        stage.root.show();
        QStringList senders;
        const auto handler = [&senders](QObject* sender) { senders << sender->objectName(); };
        TDesignHelper::SetChangeHandler(&stage.root, handler);
        TDesignHelper::SetChangeHandler(&stage.root, handler);
        auto* check = stage.root.findChild<QCheckBox*>("cbNews");
        check->setChecked(true);  // not a click
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::keyClicks(stage.root.findChild<QLineEdit*>("edName"), "A");
        QCOMPARE(senders, QStringList({"cbNews", "edName"}));
    }
};

KWP_REGISTER_TEST(TestDesignHelper)
#include "tst_designhelper.moc"
