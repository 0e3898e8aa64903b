#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include "app/design/dsncontrols.h"
#include "testsupport.h"

class TestDsnControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A label is a frame and a radio group a group box: each must still be named as its kind.
    void classNames() {
        QWidget parent;
        QCOMPARE(DsnClassName(new QLabel(&parent)), "TLabel");
        QCOMPARE(DsnClassName(new QFrame(&parent)), "TPanel");
        QCOMPARE(DsnClassName(new TRadioGroup(&parent)), "TRadioGroup");
        QCOMPARE(DsnClassName(new QGroupBox(&parent)), "TGroupBox");
        QCOMPARE(DsnClassName(new TDateTimePicker(&parent)), "TDateTimePicker");
        QCOMPARE(DsnClassName(new QWidget(&parent)), QString());
        QVERIFY(!IsDsnContainer(new TRadioGroup(&parent)));
        QVERIFY(IsDsnContainer(new QFrame(&parent)));
    }

    // No entry checked is a state of its own; a click reports the entry.
    void radioGroupIndex() {
        TRadioGroup group;
        group.setItems({"bar", "Rechnung", "Lastschrift"});
        QCOMPARE(group.itemIndex(), -1);
        group.setItemIndex(2);
        QCOMPARE(group.itemIndex(), 2);
        group.setItemIndex(3);
        QCOMPARE(group.itemIndex(), -1);
        QSignalSpy clicks(&group, &TRadioGroup::itemClicked);
        group.show();
        QTest::mouseClick(group.findChildren<QRadioButton*>().at(1), Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(group.itemIndex(), 1);
        group.setItems({"ja", "nein"});
        QCOMPARE(group.itemIndex(), 1);
    }
};

KWP_REGISTER_TEST(TestDsnControls)
#include "tst_dsncontrols.moc"
