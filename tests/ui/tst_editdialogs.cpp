#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "address/paymentterm.h"
#include "testsupport.h"
#include "ui/widgets/auswahlbox.h"
#include "ui/widgets/kwp00207form5.h"
#include "ui/widgets/kwp00207form9.h"

class TestEditDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void auswahlboxKeysAfterNineAreLetters() {
        QStringList entries;
        for (int i = 0; i < 11; ++i) entries.append(QString("Eintrag %1").arg(i));
        entries.insert(3, "&Sonderfall");
        TAuswahlbox box("Nummernkreis", entries.join(','));
        QCOMPARE(box.findChild<QRadioButton*>("rbEntry3")->text(), "&Sonderfall");
        QCOMPARE(box.findChild<QRadioButton*>("rbEntry10")->text(), "&a Eintrag 9");
        QCOMPARE(box.findChild<QRadioButton*>("rbEntry11")->text(), "&b Eintrag 10");
        QTest::keyClick(&box, Qt::Key_B);
        QCOMPARE(box.chosenKey(), QChar('b'));
        QTest::keyClick(&box, Qt::Key_S);
        QCOMPARE(box.chosenKey(), QChar('S'));
    }

    void termDialogFollowsKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("weekShown");
        QTest::addColumn<QString>("unit");
        QTest::newRow("days") << 0 << true << "Tage";
        QTest::newRow("half months") << 1 << false << "halbe Monate";
    }
    void termDialogFollowsKind() {
        QFETCH(int, kind);
        TPaymentTerm term;
        term.PtType = kind;
        term.Days = 14;
        term.Dpw = 5;
        TKWP00207Form5 dialog;
        dialog.load(term);
        QTEST(!dialog.findChild<QWidget*>("pnWeek")->isHidden(), "weekShown");
        QTEST(dialog.findChild<QLabel*>("lbAfter")->text(), "unit");
        auto* perc = dialog.findChild<QDoubleSpinBox*>("edPerc");
        perc->selectAll();
        QTest::keyClicks(perc, "2,5");
        dialog.store(term);
        QCOMPARE(term.Perc, 2.5);
        QCOMPARE(term.PtType, kind);
        QCOMPARE(term.Dpw, 5);
    }

    void newAddressRefusesForbiddenCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "k1001 " << true;
        for (const char* bad : {"K/1", "K\"1", "K|1", "A*", "K\\1"})
            QTest::newRow(bad) << bad << false;
    }
    void newAddressRefusesForbiddenCharacters() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        ScriptedDialogs dialogs;
        if (!accepted) dialogs.answer(mrOk);
        TKWP00207Form9 dialog("Neue Adresse", "Adressnummer", {"Kunden", "Lieferanten"},
                              "Lieferanten", "K", 20, true, true);
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>("edInput");
        edit->clear();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(dialogs.texts(),
                 accepted ? QStringList() : QStringList{"Unerlaubte Zeichen in der Eingabe."});
        QCOMPARE(dialog.text(), typed.toUpper());
        QCOMPARE(dialog.group(), "Lieferanten");
    }
};

KWP_REGISTER_TEST(TestEditDialogs)
#include "tst_editdialogs.moc"
