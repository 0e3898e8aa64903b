#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "address/widgets/designeditframe.h"
#include "app/design/dsnstage.h"
#include "testsupport.h"

class TestDesignEditFrame : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file;  // VIEW.DAT, named in lower case to the dialog
    QByteArray m_bytes;
    std::unique_ptr<QDialog> m_form;
    TDesignEditFrame* m_frame = nullptr;

    // Types a new value for a property of the control shown in the inspector.
    void typeValue(const QString& property, const QString& value) {
        auto* tree = m_frame->findChild<QTreeWidget*>("vstOI");
        const auto rows = tree->findItems(property, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        tree->setCurrentItem(rows.first(), 2);
        QTest::keyClick(tree, Qt::Key_F2);
        // Closed editors linger until the event loop deletes them.
        const auto editors = tree->findChildren<QLineEdit*>("edValue");
        QVERIFY(!editors.isEmpty());
        QLineEdit* editor = editors.last();
        editor->selectAll();
        QTest::keyClicks(editor, value);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor commits later
    }

private Q_SLOTS:
    void init() {
        m_file = m_dir.filePath("VIEW.DAT");
        QFile::remove(m_file);
        QVERIFY(QFile::copy(KWP_TEST_DATA_DIR "/fields.ui", m_file));
        m_bytes = ReadFileBytes(m_file);
        m_form.reset(TDesignEditFrame::CreateEditForm(m_dir.filePath("view.dat"), "Zusatzdaten"));
        m_frame = m_form->findChild<TDesignEditFrame*>();
        m_form->show();
        QCOMPARE(m_form->windowTitle(), "[DEF - 01] - Zusatzdaten");
    }

    // A taken name is refused with a message; a new one renames the control and its entry.
    void renameAndSave() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        m_frame->SetDesigning(true);
        QTest::mouseClick(m_frame->Stage()->findChild<QLineEdit*>("edName"), Qt::LeftButton);
        typeValue("objectName", "CBORT");
        QCOMPARE(dialogs.shown().size(), 1);
        typeValue("objectName", "edKunde");
        QVERIFY(m_frame->Stage()->findChild<QLineEdit*>("edKunde"));
        QCOMPARE(m_frame->findChild<QComboBox*>("cbObjects")->currentText(), "edKunde :TEdit");
        QTest::mouseClick(m_form->findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QCOMPARE(m_form->result(), QDialog::Accepted);
        QVERIFY(ReadFileBytes(m_file).contains("name=\"edKunde\""));
    }

    void cancelKeepsTheFile() {
        QTest::keyClicks(m_frame->findChild<QComboBox*>("cbObjects"), "cbN");
        typeValue("text", "Post");
        QCOMPARE(m_frame->Stage()->findChild<QAbstractButton*>("cbNews")->text(), "Post");
        QTest::mouseClick(m_form->findChild<QPushButton*>("btCancel"), Qt::LeftButton);
        QCOMPARE(m_form->result(), QDialog::Rejected);
        QCOMPARE(ReadFileBytes(m_file), m_bytes);
    }

    // Only Yes deletes; the stage is never offered for deletion.
    void deleteAsks() {
        ScriptedDialogs dialogs;
        TDsnStage* stage = m_frame->Stage();
        QVERIFY(!stage->DeleteControl(stage));
        dialogs.answer(mrNo);
        dialogs.answer(mrYes);
        QVERIFY(!stage->DeleteControl(stage->findChild<QWidget*>("cbOrt")));
        QVERIFY(stage->DeleteControl(stage->findChild<QWidget*>("cbOrt")));
        QCOMPARE(dialogs.texts(), QStringList(2,
                                              "Soll das Element \"cbOrt\" wirklich geloescht "
                                              "werden?"));
        QCOMPARE(m_frame->findChild<QComboBox*>("cbObjects")->findText("cbOrt :TComboBox"), -1);
    }
};

KWP_REGISTER_TEST(TestDesignEditFrame)
#include "tst_designeditframe.moc"
