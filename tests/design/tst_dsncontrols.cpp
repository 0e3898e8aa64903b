#include <QRadioButton>
#include <QtTest>

#include "app/design/dsncontrols.h"
#include "testsupport.h"

class TestDsnControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // No entry checked is a state of its own; a click reports the entry.
    void radioGroupIndex() {
        TRadioGroup group;
        group.setItems({"bar", "Rechnung", "Lastschrift"});
        QCOMPARE(group.itemIndex(), -1);
        group.setItemIndex(2);
        QCOMPARE(group.itemIndex(), 2);
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
