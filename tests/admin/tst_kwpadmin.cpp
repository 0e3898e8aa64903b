#include <QFileInfo>
#include <QRect>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "admintestsupport.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "labels/printetikettmanager.h"
#include "setup/protectedvalues.h"

namespace {
template <typename T>
const T* elementWithVar(const TPrintEtikett& label, const QString& var) {
    for (const auto& element : label.elements)
        if (const auto* typed = dynamic_cast<const T*>(element.get()); typed && typed->var == var)
            return typed;
    return nullptr;
}
}  // namespace

class TestKwpAdmin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void iniGetAndMissingFiles_data() {
        QTest::addColumn<QString>("storedKey");  // in section "System" of SYSDATA.INI
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("args");  // after "ini", FILE in the folder of SYSDATA.INI
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");  // the output, or a part of the error
        const QString value = "Müller & Söhne\\Ä";
        const QString a1 = EncodeProtectedValue("System", "A1", value);
        const auto row = [](const char* name, const char* key, const QString& stored,
                            const char* args, int code, const QString& text) {
            QTest::newRow(name) << key << stored << args << code << text;
        };
        const char* get = "get FILE/SYSDATA.INI System A1";
        row("verified value", "A1", a1, get, 0, value + '\n');
        row("missing key", "A1", a1, "get FILE/SYSDATA.INI System Journale", 1, "nicht gefunden");
        row("moved to another key", "Journale", a1, "get FILE/SYSDATA.INI System Journale", 1,
            "besteht die Prüfung nicht");
        row("plain value", "A1", "19", get, 1, "besteht die Prüfung nicht");
        row("stored text empty", "A1", "", get, 1, "nicht geschützt");
        row("other spelling", "A1", a1, "get FILE/SYSDATA.INI system a1", 1,
            "Schreibweise \"System\" / \"A1\"");
        row("missing file", "A1", a1, "get FILE/FEHLT.INI System A1", 3, "nicht gefunden");
        row("set into missing folder", "A1", a1, "set FILE/FEHLT/NEU.INI System A1 x", 3,
            "nicht gefunden");
    }

    void iniGetAndMissingFiles() {
        QFETCH(QString, storedKey);
        QFETCH(QString, stored);
        QFETCH(QString, args);
        QFETCH(int, code);
        QFETCH(QString, text);
        QTemporaryDir dir;
        TIniFile ini(dir.filePath("SYSDATA.INI"));
        ini.WriteString("System", storedKey, stored);
        ini.UpdateFile();
        const auto before = snapshotTree(dir.path());
        const TAdminRun run = runAdmin(("ini " + args.replace("FILE", dir.path())).split(' '));
        QCOMPARE(run.code, code);
        QCOMPARE(run.out, code == 0 ? text : "");
        QVERIFY2(code == 0 ? run.err.isEmpty() : run.err.contains(text), qPrintable(run.err));
        QCOMPARE(snapshotTree(dir.path()), before);
    }

    // Through the real program: "ini set" writes a protected value; other keys stay.
    void iniSetWritesProtectedValue() {
        QTemporaryDir dir;
        const QString file = dir.filePath("NEU.INI");
        WriteProtectedValue(file, "Vorher", "Schluessel", "bleibt");
        const QStringList values[][2] = {
            {{"Zürich"}, {"Zürich"}}, {{""}, {""}}, {{"--", "-5"}, {"-5"}}, {{"a\nb"}, {"a\nb"}}};
        for (const auto& [args, expected] : values) {
            const TAdminRun run =
                runAdminProcess(QStringList{"ini", "set", file, "Listen", "Benutzer"} + args);
            QVERIFY2(run.code == 0 && run.err.isEmpty(), qPrintable(run.err));
            const TIniFileSec ini(file);
            QCOMPARE(ini.ReadString("Listen", "Benutzer", "<default>"), expected[0]);
            QCOMPARE(ini.ReadString("Vorher", "Schluessel", ""), "bleibt");
        }
    }

    // Help goes to the output; a usage error exits 2 with a hint and writes nothing, not even
    // with relative paths into the working folder.
    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");  // '|'-separated parts of the help or the error
        const auto row = [](const QStringList& args, int code, const char* expected) {
            QTest::addRow("\"%s\"", qPrintable(args.join(' '))) << args << code << expected;
        };
        const char* all =
            "init ROOT|tenant add ROOT NAME|user add ROOT NAME|ini get DATEI|"
            "ini set DATEI|demo ROOT|Rückgabewerte";
        row({"--help"}, 0, all);
        row({"help", "user", "add"}, 0, "--bar-tenants A,B|--deny 02,03|--blocked");
        row({}, 2, "Es fehlt ein Befehl");
        row({"install", "x"}, 2, "Unbekannter Befehl: install");
        row({"--verbose"}, 2, "Unbekannte Option: --verbose");
        row({"tenant"}, 2, "Unvollständiger Befehl");
        row({"init"}, 2, "Zu wenige Argumente");
        row({"init", "a", "b"}, 2, "Zu viele Argumente für \"init\": b");
        row({"init", ""}, 2, "ROOT");
        row({"ini", "set", "f", "a]b", "k", "v"}, 2, "Ungültiger Name");
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const TAdminRun run = runAdminProcess(args, dir.path());
        QCOMPARE(run.code, code);
        const QString& shown = code == 0 ? run.out : run.err;
        for (const QString& part : expected.split('|'))
            QVERIFY2(shown.contains(part), qPrintable(part + " in:\n" + shown));
        if (code != 0)
            QVERIFY2(shown.contains("Hilfe: kwpadmin") || shown.contains("Mögliche Befehle"),
                     qPrintable(shown));
        QVERIFY((code == 0 ? run.err : run.out).isEmpty());
        QVERIFY(snapshotTree(dir.path()).isEmpty());
    }

    void demo() {
        QTemporaryDir dir;
        const QString root = dir.path();
        const TAdminRun run = runAdminProcess({"demo", root});
        QVERIFY2(run.code == 0 && run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(TIniFileSec(root + "/ETC/SYSDATB.INI").ReadString("Listen", "Benutzer", ""),
                 "ADMIN,GAST");

        // Both users log in as in the address manager, from a program lying in ROOT/BIN.
        struct {
            const char *user, *password, *fullName;
            bool mayChange;
        } const logins[] = {{"admin", "admin", "Administrator", true},
                            {"Gast", "gast", "Gast", false}};
        ScriptedDialogs dialogs;
        QString labelsFile, configFile;
        for (const auto& login : logins) {
            struct TFinalize {
                ~TFinalize() { FinalizeApplication(); }
            } finalize;
            QVERIFY(InitApplicationFor(TProgramDir::Bin, root + "/BIN/kwp00207"));
            QVERIFY(TSystemEinstellungen::Login("demo", login.user, login.password,
                                                TPasswordCheck::Check));
            const TBenutzerEinstellungen& settings = *BenutzerEinstellungen();
            QCOMPARE(settings.Vollname, login.fullName);
            QCOMPARE(
                (QList{settings.HasRight("01"), settings.HasRight("02"), settings.HasRight("03")}),
                (QList{true, login.mayChange, login.mayChange}));
            QVERIFY2(QFileInfo(SystemEinstellungen()->A1).isDir(), login.user);
            labelsFile = SystemEinstellungen()->FormsDir() + "LABELS_ADDRESS.XML";
            configFile = SystemEinstellungen()->AdressenDir + "CONFIG.XML";
        }
        QCOMPARE(ReadFileBytes(configFile),
                 ReadFileBytes(KWP_TEST_DATA_DIR "/transfer_democonfig.xml"));

        // A4 3 x 8 of 70 x 36 mm, A4 2 x 7 of 105 x 42,3 mm, a roll of 89 x 36 mm.
        TPrintEtikettManager manager;
        manager.LoadFromFile(labelsFile);
        QVERIFY2(!manager.HasParseError, qPrintable(manager.ErrorText));
        QCOMPARE(manager.forms().Count(), 3);
        const struct {
            int type, positions, columns;
            QSize label, sheet;
        } forms[] = {{0, 24, 3, {700, 360}, {2100, 2970}},
                     {0, 14, 2, {1050, 423}, {2100, 2970}},
                     {1, 1, 1, {890, 360}, {890, 360}}};
        for (int f = 0; f < 3; ++f) {
            const auto& form = forms[f];
            TPrintEtikettForm* sheet = manager.forms().Items(f);
            QCOMPARE(int(sheet->type), form.type);
            if (form.type == TPrintEtikettForm::ftCustom)
                QCOMPARE(QSize(sheet->width, sheet->height), form.sheet);
            QCOMPARE(sheet->positions.Count(), form.positions);
            for (int i = 0; i < sheet->positions.Count(); ++i) {
                TPrintEtikettHolder* position = sheet->positions.Items(i);
                const TPrintEtikett* label = position->Resolve(manager);
                QVERIFY2(label, qPrintable(position->name));
                QCOMPARE(QSize(label->width, label->height), form.label);
                // Left to right, edge to edge across the sheet.
                QCOMPARE(position->left, (i % form.columns) * form.label.width());
                QVERIFY2(QRect(QPoint(), form.sheet)
                             .contains(QRect(QPoint(position->left, position->top), form.label)),
                         qPrintable(position->name));
            }
            // An "&" in a company name printed as it is (no word wrap); Code 128, code set B,
            // as address numbers have letters.
            const TPrintEtikett& label = *sheet->positions.Items(0)->LabelCopy;
            const auto* block = elementWithVar<TPrintEtikettElementVariable>(label, "1041112");
            QVERIFY(block && !block->wwrap);
            const auto* code = elementWithVar<TPrintEtikettElementBarcode>(label, "1041000");
            QVERIFY(code && code->barcode == 6);
        }

        // An administrator's later edits survive a second run.
        WriteProtectedValue(root + "/ETC/SYSDATB.INI", "ADMIN", "Vollname", "Chefin");
        WriteFileBytes(configFile, ReadFileBytes(configFile) + "x");
        manager.forms().Delete(0);
        manager.SaveToFile(labelsFile);
        const auto before = snapshotTree(root);
        const TAdminRun again = runAdmin({"demo", root});
        QVERIFY2(again.code == 0 && again.out.contains("übersprungen"), qPrintable(again.out));
        QCOMPARE(snapshotTree(root), before);
    }
};

KWP_REGISTER_TEST(TestKwpAdmin)
#include "tst_kwpadmin.moc"
