#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/widgets/messagedialog.h"
#include "app/widgets/passworddlg.h"
#include "testsupport.h"

class TestWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Escape gives the safest answer of the set; a click gives its button's.
    void messageDialogAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("escape");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << int(mbOK) << int(mrOk) << "OK" << int(mrOk);
        QTest::newRow("yes no cancel") << int(mbYesNoCancel) << int(mrCancel) << "No" << int(mrNo);
    }
    void messageDialogAnswers() {
        QFETCH(int, buttons);
        QFETCH(QString, pressed);
        QFETCH(int, result);
        TMessageDialog dialog(QStringLiteral("Adresse speichern?"), mtConfirmation, buttons);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTEST(dialog.result(), "escape");
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(pressed), Qt::LeftButton);
        QCOMPARE(dialog.result(), result);
    }

    void passwordDialogInLoginUse() {
        TPasswordDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* password = dialog.findChild<QLineEdit*>("edPassword");
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        password->setFocus();
        QTest::keyClicks(password, QStringLiteral("geheim"));
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(dialog.isVisible());  // Enter only moves to OK
        QCOMPARE(QApplication::focusWidget(), dialog.findChild<QPushButton*>("btOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.password(), QStringLiteral("geheim"));
    }
};

KWP_REGISTER_TEST(TestWidgets)
#include "tst_widgets.moc"
