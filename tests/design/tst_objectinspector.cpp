#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "app/design/dsncontrols.h"
#include "app/design/objectinspector.h"
#include "testsupport.h"

class TestObjectInspector : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void assign_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QStringList>("value");
        QTest::addColumn<QString>("shown");  // value afterwards
        QTest::addColumn<bool>("refused");
        QTest::newRow("rename") << "objectName" << QStringList{"edKunde"} << "edKunde" << false;
        QTest::newRow("name differs in case only")
            << "objectName" << QStringList{"CBBRANCHE"} << "Edit1" << true;
        QTest::newRow("empty name") << "objectName" << QStringList{""} << "Edit1" << true;
        QTest::newRow("width") << "width" << QStringList{" 200"} << "200" << false;
        QTest::newRow("width not a number") << "width" << QStringList{"12a"} << "121" << true;
        QTest::newRow("boolean") << "readOnly" << QStringList{"true"} << "True" << false;
        QTest::newRow("colour") << "color" << QStringList{"#ff8000"} << "#FF8000" << false;
        QTest::newRow("colour unknown") << "color" << QStringList{"orangeish"} << "" << true;
        QTest::newRow("font") << "font" << QStringList{"Serif, 14"} << "Serif, 14" << false;
        QTest::newRow("font without size") << "font" << QStringList{"Serif"} << "" << true;
    }
    // A refused value keeps the old one and tells why; a taken one shows at once.
    void assign() {
        QFETCH(QString, property);
        QFETCH(QStringList, value);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        QWidget stage;
        auto* edit = new QLineEdit(&stage);
        edit->setObjectName("Edit1");
        edit->setGeometry(8, 8, 121, 21);
        (new QComboBox(&stage))->setObjectName("cbBranche");
        TMObjectInspector inspector;
        QStringList errors;
        inspector.SetOnExc([&errors](const QString& text) { errors << text; });
        inspector.SetObject(edit);
        const QString before = inspector.Values.value(inspector.GetProperty(property));
        QCOMPARE(inspector.SetPropertyValue(property, value), !refused);
        QCOMPARE(errors.size(), refused ? 1 : 0);
        const QString after = inspector.Values.value(inspector.GetProperty(property));
        QCOMPARE(after, shown.isEmpty() ? before : shown);
    }

    // Enumerations and string lists reach the control itself, not only the inspector's text.
    void kindsAndLists() {
        TDateTimePicker picker;
        TMObjectInspector inspector;
        inspector.SetObject(&picker);
        QStringList choices;
        QCOMPARE(inspector.GetPropertyValue("kind", choices), "dtkDate");
        QCOMPARE(choices, QStringList({"dtkDate", "dtkTime"}));
        QVERIFY(inspector.SetPropertyValue("kind", {"dtkTime"}));
        QCOMPARE(picker.kind(), TDateTimePicker::dtkTime);

        QComboBox combo;
        combo.addItem("Handel");
        inspector.SetObject(&combo);
        QCOMPARE(inspector.Types.at(inspector.GetProperty("items")), "TStrings");
        QVERIFY(inspector.SetPropertyValue("items", {"Bau", "Handel", "Handwerk"}));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.currentText(), "Handel");
        QVERIFY(!inspector.SetPropertyValue("text", {"Gastronomie"}));
    }
};

KWP_REGISTER_TEST(TestObjectInspector)
#include "tst_objectinspector.moc"
