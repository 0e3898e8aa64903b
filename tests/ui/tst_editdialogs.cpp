#include <QLineEdit>
#include <QtTest>

#include "testsupport.h"
#include "ui/widgets/kwp00207form9.h"

class TestEditDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
