#include <QtTest>

#include "app/favourites.h"
#include "app/formstate.h"
#include "app/inifile.h"
#include "testsupport.h"

class TestFormState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addFavourite_data() {
        QTest::addColumn<QString>("existing");  // section FavAdressen before
        QTest::addColumn<int>("number");        // of the new entry; -1: nothing written
        QTest::newRow("new file") << "" << 0;
        QTest::newRow("entry 1 removed") << "Item_0=a\r\nItem_2=c\r\n" << 1;
        QTest::newRow("same address") << "Item_0=a\r\nItem_1=4711 - Müller (Mandant: T1)" << -1;
    }
    void addFavourite() {
        QFETCH(QString, existing);
        QFETCH(int, number);
        QTemporaryDir dir;
        const QString file = dir.filePath("FAVORITE.INI");
        if (!existing.isEmpty()) WriteFileBytes(file, ("[FavAdressen]\r\n" + existing).toUtf8());
        const QByteArray before = ReadFileBytes(file);
        QCOMPARE(AddFavouriteTo(file, "T1", fkAdressen, "4711 - Müller", "KWP00207.EXE", "-SA 1"),
                 number < 0 ? TFavouriteResult::AlreadyListed : TFavouriteResult::Added);
        QCOMPARE(ReadFileBytes(file) == before, number < 0);
        if (number < 0) return;
        const TIniFile ini(file);
        const QString n = QString::number(number);
        QStringList values{ini.ReadString("FavAdressen", "Item_" + n, {}),
                           ini.ReadString("FavAdressen", "User_" + n, {})};
        for (const char* section : {"FavAdressenEntry", "FavAdressenParam", "FavAdressenMandant"})
            values.append(ini.ReadString(section, n, {}));
        QCOMPARE(values,
                 QStringList({"4711 - Müller (Mandant: T1)", n, "KWP00207.EXE", "-SA 1", "T1"}));
    }

    void favouriteThatCannotBeWrittenIsReported() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QCOMPARE(AddFavourite(fkAdressen, "4711", "KWP00207.EXE", ""), TFavouriteResult::Failed);
        QVERIFY(dialogs.texts().value(0).startsWith("Der Favorit konnte nicht gespeichert"));
    }

    // Color1..Color6 as the desktop shows them; the palette gives each role its own colour.
    void colorScheme() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("APPLICATION.INI"),
                       "[colors-t1]\r\nName=Blau\r\nColor1=255\r\nColor2=$FF00\r\n"
                       "Color3=0x80000005\r\nColor4=-2147483640\r\nColor5=blau\r\n"
                       "Color6=-16777152");
        const TColorScheme scheme =
            LoadColorScheme(TIniFile(dir.filePath("APPLICATION.INI")), "T1");
        QCOMPARE(scheme.Name, QStringLiteral("Blau"));
        QPalette palette;
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            palette.setColor(QPalette::ColorRole(r), QColor(9 * r, 200 - 9 * r, 5));
        // "#rrggbb" or the palette role the colour stands for.
        const QStringList expected{"#ff0000", "#00ff00", "Base", "WindowText", "#848284", "Button"};
        const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
        for (int i = 0; i < 6; ++i) {
            const int role = roles.keyToValue(expected[i].toLatin1());
            QCOMPARE(WinColorToQColor(scheme.Colors[i], palette),
                     role < 0 ? QColor(expected[i]) : palette.color(QPalette::ColorRole(role)));
        }
    }
};

KWP_REGISTER_TEST(TestFormState)
#include "tst_formstate.moc"
