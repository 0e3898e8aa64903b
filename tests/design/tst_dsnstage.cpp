#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUiLoader>
#include <QtTest>

#include "app/design/dsncontrols.h"
#include "app/design/dsnstage.h"
#include "testsupport.h"

namespace {
const char* const Golden = KWP_TEST_DATA_DIR "/layout.ui";
QStringList Names(QWidget* stage) {
    QStringList names;
    ForEachDsnControl(stage, [&](QWidget* w) { names << w->objectName() + ':' + DsnClassName(w); });
    return names;
}
}  // namespace

class TestDsnStage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The layout comes back with the same controls in walk order and is written byte for byte
    // as the golden file, so every kept property was read; Qt Designer's loader reads it too.
    void loadAndSave() {
        TDsnStage stage;
        QSignalSpy loaded(&stage, &TDsnStage::controlLoaded);
        QVERIFY(stage.LoadFromFile(Golden));
        QCOMPARE(Names(&stage),
                 QStringList({"Edit1:TEdit", "Panel1:TPanel", "GroupBox1:TGroupBox",
                              "Label1:TLabel", "RadioGroup1:TRadioGroup", "ComboBox1:TComboBox",
                              "DateTimePicker1:TDateTimePicker", "CheckBox1:TCheckBox"}));
        QCOMPARE(loaded.size(), 8);
        QCOMPARE(stage.findChild<QLabel*>("Label1")->text(), "Größe <cm>");
        QTemporaryDir dir;
        const QString file = dir.filePath("VIEW.DAT");
        QVERIFY(stage.SaveToFile(file));
        QCOMPARE(ReadFileBytes(file), ReadFileBytes(Golden));
        QFile ui(file);
        QVERIFY(ui.open(QIODevice::ReadOnly));
        std::unique_ptr<QWidget> form(QUiLoader().load(&ui));
        QCOMPARE(form->findChild<QComboBox*>("ComboBox1")->geometry(), QRect(216, 144, 144, 24));
    }

    // A damaged file is reported and leaves an empty stage; a missing one is an empty layout.
    void badFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = ReadFileBytes(Golden);
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign class") << QByteArray(good).replace("QCheckBox", "QPushButton");
    }
    void badFile() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        TDsnStage stage;
        QVERIFY(stage.LoadFromFile(Golden));
        WriteFileBytes(dir.filePath("VIEW.DAT"), bytes);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(!stage.LoadFromFile(dir.filePath("VIEW.DAT")));
        QVERIFY(dialogs.texts().value(0).contains("VIEW.DAT"));
        QCOMPARE(Names(&stage), QStringList());
        QVERIFY(stage.LoadFromFile(Golden));
        QVERIFY(stage.LoadFromFile(dir.filePath("missing.dat")));
        QCOMPARE(Names(&stage), QStringList());
    }

    // Every value control shows its empty state, nested or not; a failed write is reported.
    void clearValues() {
        PinnedClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 30, 15)));
        TDsnStage stage;
        QVERIFY(stage.LoadFromFile(Golden));
        auto* radio = new QRadioButton(&stage);
        radio->setChecked(true);
        stage.findChild<QLineEdit*>("Edit1")->setText("DE89");
        stage.ClearValues();
        QCOMPARE(stage.findChild<QLineEdit*>("Edit1")->text(), QString());
        QVERIFY(!radio->isChecked());
        QVERIFY(!stage.findChild<QCheckBox*>("CheckBox1")->isChecked());
        QCOMPARE(stage.findChild<QComboBox*>("ComboBox1")->currentIndex(), -1);
        QCOMPARE(stage.findChild<TRadioGroup*>("RadioGroup1")->itemIndex(), 0);
        QCOMPARE(stage.findChild<TDateTimePicker*>("DateTimePicker1")->time(), QTime(14, 30, 15));
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(!stage.SaveToFile(QDir::tempPath() + "/kwp-no-such-folder/VIEW.DAT"));
        QCOMPARE(dialogs.texts().size(), 1);
    }
};

KWP_REGISTER_TEST(TestDsnStage)
#include "tst_dsnstage.moc"
