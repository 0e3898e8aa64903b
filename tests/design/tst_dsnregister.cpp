#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/design/dsncontrols.h"
#include "app/design/dsnpanel.h"
#include "app/design/dsnregister.h"
#include "app/design/dsnstage.h"
#include "testsupport.h"

namespace {
// A designer window as the frame builds it: palette, arrow and stage.
struct Designer {
    QWidget window;
    TDsnPanel* panel = new TDsnPanel(&window);
    TArrowButton* arrow = new TArrowButton(&window);
    TDsnStage* stage = new TDsnStage(&window);
    TDsnRegister reg;
    Designer() {
        stage->setGeometry(0, 40, 521, 353);
        window.resize(600, 400);
        reg.SetDsnStage(stage);
        reg.SetDsnPanel(panel);
        reg.SetArrowButton(arrow);
        reg.setDesigning(true);
        window.show();
    }
    QWidget* place(const QString& kind, QPoint at) {
        panel->button(kind)->click();
        QTest::mouseClick(stage, Qt::LeftButton, {}, at);
        return reg.selected();
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(stage, Qt::LeftButton, {}, from);
        QTest::mouseMove(stage, to);
        QTest::mouseRelease(stage, Qt::LeftButton, {}, to);
    }
};
}  // namespace

class TestDsnRegister : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each palette button places its kind on the grid under a Delphi name, then the arrow is
    // down again; a second one of the kind takes the next free number.
    void placeEachKind_data() {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : DsnKinds()) QTest::newRow(qPrintable(kind)) << kind;
    }
    void placeEachKind() {
        QFETCH(QString, kind);
        Designer d;
        QSignalSpy created(&d.reg, &TDsnRegister::controlCreated);
        QWidget* first = d.place(kind, {21, 19});
        QCOMPARE(DsnClassName(first), kind);
        QCOMPARE(first->objectName(), kind.mid(1) + "1");
        QCOMPARE(first->pos(), QPoint(24, 16));
        QVERIFY(d.arrow->isChecked());
        QCOMPARE(d.place(kind, {300, 200})->objectName(), kind.mid(1) + "2");
        QCOMPARE(created.size(), 2);
    }

    // Moving, sizing and nesting by mouse and keys, on the grid; the result survives a file.
    void designAndReload() {
        Designer d;
        QWidget* group = d.place("TGroupBox", {97, 97});
        QWidget* panel = d.place("TPanel", {114, 130});
        QWidget* edit = d.place("TEdit", {401, 241});
        QCOMPARE(panel->parentWidget(), group);
        QCOMPARE(panel->pos(), QPoint(16, 32));
        d.drag({405, 245}, {135, 165});
        QCOMPARE(edit->parentWidget(), panel);
        QCOMPARE(edit->pos(), QPoint(16, 32));
        QTest::keyClick(d.stage, Qt::Key_Right);
        QTest::keyClick(d.stage, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(edit->geometry(), QRect(24, 32, 120, 32));
        QTest::mouseClick(d.stage, Qt::LeftButton, {}, {100, 100});
        QCOMPARE(d.reg.selected(), group);
        d.drag({280, 200}, {299, 211});
        QCOMPARE(group->geometry(), QRect(96, 96, 200, 112));
        d.drag({100, 100}, {102, 103});
        QCOMPARE(group->parentWidget(), d.stage);
        QTest::mouseClick(d.stage, Qt::LeftButton, {}, {500, 20});
        QCOMPARE(d.reg.selected(), nullptr);

        QTemporaryDir dir;
        QVERIFY(d.stage->SaveToFile(dir.filePath("VIEW.DAT")));
        TDsnStage copy;
        QVERIFY(copy.LoadFromFile(dir.filePath("VIEW.DAT")));
        QCOMPARE(copy.findChild<QWidget*>("Edit1")->parentWidget()->objectName(), "Panel1");
        QCOMPARE(copy.LayoutBytes(), d.stage->LayoutBytes());
    }

    // Delete asks the stage's question; only a yes deletes. Off designing, controls work.
    void deleteAndUse_data() {
        QTest::addColumn<bool>("allowed");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deleteAndUse() {
        QFETCH(bool, allowed);
        Designer d;
        QList<QWidget*> asked;
        d.stage->deleteQuery = [&](QWidget* w) {
            asked << w;
            return allowed;
        };
        QSignalSpy deleted(d.stage, &TDsnStage::afterDelete);
        QPointer<QWidget> box = d.place("TCheckBox", {40, 40});
        QWidget* const placed = box;
        QTest::mouseClick(d.stage, Qt::LeftButton, {}, {44, 44});
        QVERIFY(!qobject_cast<QCheckBox*>(box)->isChecked());
        QTest::keyClick(d.stage, Qt::Key_Delete);
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first() == placed);
        QCOMPARE(box.isNull(), allowed);
        QCOMPARE(deleted.size(), allowed ? 1 : 0);
        if (allowed) return;
        d.reg.setDesigning(false);
        QTest::mouseClick(box, Qt::LeftButton, {}, {8, 12});
        QVERIFY(qobject_cast<QCheckBox*>(box)->isChecked());
        QVERIFY(!d.stage->findChild<QWidget*>("DsnHandle0")->isVisible());
    }
};

KWP_REGISTER_TEST(TestDsnRegister)
#include "tst_dsnregister.moc"
