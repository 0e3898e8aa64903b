#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "admintestsupport.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "setup/protectedvalues.h"
#include "testsupport.h"

namespace {
const QString kSystem = QStringLiteral("System");

void writeRaw(const QString& file, const QString& section, const QString& key,
              const QString& text) {
    TIniFile ini(file);
    ini.WriteString(section, key, text);
    ini.UpdateFile();
}
}  // namespace

class TestKwpAdmin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void iniGet_data();
    void iniGet();
    void iniMissingFile_data();
    void iniMissingFile();
    void iniSetWritesProtectedValue_data();
    void iniSetWritesProtectedValue();
    void usageErrors_data();
    void usageErrors();
    void help_data();
    void help();
    void demoInstallation();
    void demoUsersLogIn_data();
    void demoUsersLogIn();
    void demoRunsAgainWithoutChanges();
};

void TestKwpAdmin::iniGet_data() {
    QTest::addColumn<QString>("stored");  // how the test writes key "A1"
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    struct Row {
        const char *name, *stored, *section, *key;
        int code;
        const char *out, *err;
    };
    const Row rows[] = {
        {"verified value", "protected", "System", "A1", 0, "Müller & Söhne\\Ä\n", ""},
        {"protected empty value", "empty", "System", "A1", 0, "\n", ""},
        {"missing key", "protected", "System", "Journale", 1, "", "nicht gefunden"},
        {"missing section", "protected", "Andere", "A1", 1, "", "nicht gefunden"},
        {"value moved to another key", "moved", "System", "Journale", 1, "",
         "besteht die Prüfung nicht"},
        {"plain value", "plain", "System", "A1", 1, "", "besteht die Prüfung nicht"},
        {"garbage", "garbage", "System", "A1", 1, "", "besteht die Prüfung nicht"},
        {"stored text empty", "blank", "System", "A1", 1, "", "nicht geschützt"},
        {"other spelling", "protected", "system", "a1", 1, "", "Schreibweise \"System\" / \"A1\""}};
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.stored << r.section << r.key << r.code
                              << QString::fromUtf8(r.out) << QString::fromUtf8(r.err);
}

void TestKwpAdmin::iniGet() {
    QFETCH(QString, stored);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("SYSDATA.INI"));
    const QString a1 = QStringLiteral("A1");
    const QString value = QStringLiteral("Müller & Söhne\\Ä");
    if (stored == QLatin1String("protected")) {
        WriteProtectedValue(file, kSystem, a1, value);
    } else if (stored == QLatin1String("empty")) {
        WriteProtectedValue(file, kSystem, a1, QString());
    } else if (stored == QLatin1String("moved")) {
        writeRaw(file, kSystem, QStringLiteral("Journale"),
                 EncodeProtectedValue(kSystem, a1, value));
    } else if (stored == QLatin1String("plain")) {
        writeRaw(file, kSystem, a1, QStringLiteral("19"));
    } else if (stored == QLatin1String("garbage")) {
        writeRaw(file, kSystem, a1, QStringLiteral("%%%nicht Base64%%%"));
    } else if (stored == QLatin1String("blank")) {
        writeRaw(file, kSystem, a1, QString());
    }

    const TAdminRun run =
        runAdminProcess({QStringLiteral("ini"), QStringLiteral("get"), file, section, key});
    QCOMPARE(run.code, code);
    QCOMPARE(run.out, out);
    if (err.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
}

void TestKwpAdmin::iniMissingFile_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("created");  // must still not exist afterwards
    QTest::newRow("get") << QStringList{"get", "FEHLT.INI", "System", "A1"} << "FEHLT.INI";
    QTest::newRow("set into missing folder")
        << QStringList{"set", "FEHLT/NEU.INI", "System", "A1", "x"} << "FEHLT";
}

void TestKwpAdmin::iniMissingFile() {
    QFETCH(QStringList, args);
    QFETCH(QString, created);
    QTemporaryDir dir;
    args[1] = dir.filePath(args[1]);
    const TAdminRun run = runAdminProcess(QStringList{QStringLiteral("ini")} + args);
    QCOMPARE(run.code, 3);
    QVERIFY2(run.err.contains(QStringLiteral("nicht gefunden")), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(dir.filePath(created)));
}

void TestKwpAdmin::iniSetWritesProtectedValue_data() {
    QTest::addColumn<QStringList>("valueArgs");
    QTest::addColumn<QString>("expected");

    QTest::newRow("text") << QStringList{"Zürich"} << "Zürich";
    QTest::newRow("empty") << QStringList{""} << "";
    QTest::newRow("leading dash after --") << QStringList{"--", "-5"} << "-5";
    QTest::newRow("line break") << QStringList{"a\nb"} << "a\nb";
}

void TestKwpAdmin::iniSetWritesProtectedValue() {
    QFETCH(QStringList, valueArgs);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("NEU.INI"));
    WriteProtectedValue(file, QStringLiteral("Vorher"), QStringLiteral("Schluessel"),
                        QStringLiteral("bleibt"));

    const TAdminRun run =
        runAdminProcess(QStringList{QStringLiteral("ini"), QStringLiteral("set"), file,
                                    QStringLiteral("Listen"), QStringLiteral("Benutzer")} +
                        valueArgs);
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const TIniFileSec ini(file);
    QCOMPARE(ini.ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"),
                            QStringLiteral("<default>")),
             expected);
    QCOMPARE(ini.ReadString(QStringLiteral("Vorher"), QStringLiteral("Schluessel"), QString()),
             QStringLiteral("bleibt"));
    // The same value reads back through the tool.
    const TAdminRun get = runAdminProcess({QStringLiteral("ini"), QStringLiteral("get"), file,
                                           QStringLiteral("Listen"), QStringLiteral("Benutzer")});
    QCOMPARE(get.code, 0);
    QCOMPARE(get.out, expected + QLatin1Char('\n'));
}

void TestKwpAdmin::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    QTest::newRow("no command") << QStringList{} << "Es fehlt ein Befehl";
    QTest::newRow("unknown command")
        << QStringList{"install", "x"} << "Unbekannter Befehl: install";
    QTest::newRow("unknown global option")
        << QStringList{"--verbose"} << "Unbekannte Option: --verbose";
    QTest::newRow("group without command") << QStringList{"tenant"} << "Unvollständiger Befehl";
    QTest::newRow("unknown sub-command")
        << QStringList{"user", "del", "r", "x"} << "Unbekannter Befehl: user del";
    QTest::newRow("init without root") << QStringList{"init"} << "Zu wenige Argumente";
    QTest::newRow("init with two roots")
        << QStringList{"init", "a", "b"} << "Zu viele Argumente für \"init\": b";
    QTest::newRow("init with empty root") << QStringList{"init", ""} << "ROOT";
    QTest::newRow("tenant add without name")
        << QStringList{"tenant", "add", "r"} << "Zu wenige Argumente";
    QTest::newRow("ini get without key")
        << QStringList{"ini", "get", "f", "s"} << "Zu wenige Argumente";
    QTest::newRow("ini set bad section")
        << QStringList{"ini", "set", "f", "a]b", "k", "v"} << "Ungültiger Name";
    QTest::newRow("user option without value")
        << QStringList{"user", "add", "r", "x", "--fullname"} << "erwartet einen Wert";
    QTest::newRow("option for another command")
        << QStringList{"init", "r", "--force"} << "Unbekannte Option: --force";
    QTest::newRow("help for unknown command")
        << QStringList{"help", "backup"} << "Unbekannter Befehl: backup";
}

void TestKwpAdmin::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    // Relative paths would land in the working folder: it must stay empty.
    QTemporaryDir dir;
    const TAdminRun run = runAdminProcess(args, dir.path());
    QCOMPARE(run.code, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("Hilfe: kwpadmin")) ||
                 run.err.contains(QStringLiteral("Mögliche Befehle")),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(snapshotTree(dir.path()).isEmpty());
}

void TestKwpAdmin::help_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("fragments");

    const QStringList all{"init ROOT",     "tenant add ROOT NAME", "user add ROOT NAME",
                          "ini get DATEI", "ini set DATEI",        "demo ROOT",
                          "Rückgabewerte"};
    QTest::newRow("--help") << QStringList{"--help"} << all;
    QTest::newRow("-h") << QStringList{"-h"} << all;
    QTest::newRow("help") << QStringList{"help"} << all;
    QTest::newRow("help user add") << QStringList{"help", "user", "add"}
                                   << QStringList{"--bar-tenants A,B", "--deny 02,03", "--blocked"};
    QTest::newRow("tenant add --help")
        << QStringList{"tenant", "add", "--help"}
        << QStringList{"--StdTxt.StdFont", "[DATADIR]<MANDANT>\\ALLGEMEIN", "--MwStNorm"};
    QTest::newRow("help ini") << QStringList{"help", "ini"}
                              << QStringList{"kwpadmin ini get", "kwpadmin ini set"};
    QTest::newRow("user --help") << QStringList{"user", "--help"}
                                 << QStringList{"kwpadmin user add", "kwpadmin user list"};
    QTest::newRow("--version") << QStringList{"--version"} << QStringList{"kwpadmin 0."};
}

void TestKwpAdmin::help() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, fragments);
    const TAdminRun run = runAdminProcess(args);
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    for (const QString& fragment : fragments)
        QVERIFY2(run.out.contains(fragment),
                 qPrintable(fragment + QLatin1String(" in:\n") + run.out));
}

void TestKwpAdmin::demoInstallation() {
    QTemporaryDir dir;
    const QString root = dir.path();
    const TAdminRun run = runAdminProcess({QStringLiteral("demo"), root});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    const QString sysdata = root + QStringLiteral("/DATA/DEMO/ETC/SYSDATA.INI");
    const TIniFileSec tenant(sysdata);
    for (const char* key :
         {"A1", "Journale", "Kleinrechnungen", "Angebote", "Wartung", "Lager", "Bestellwesen",
          "Leistungsdatei", "Kataloge", "Auftraege", "Briefe", "Kommission"}) {
        const QString value = tenant.ReadString(kSystem, QLatin1String(key), QString());
        QVERIFY2(value.startsWith(QStringLiteral("[DATADIR]DEMO\\")), key);
    }

    const QString sysdatb = root + QStringLiteral("/ETC/SYSDATB.INI");
    const TIniFileSec users(sysdatb);
    QCOMPARE(users.ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"), QString()),
             QStringLiteral("ADMIN,GAST"));
    QCOMPARE(users.ReadString(QStringLiteral("Listen"), QStringLiteral("Mandanten"), QString()),
             QStringLiteral("DEMO"));
    QCOMPARE(users.ReadString(QStringLiteral("ADMIN"), QStringLiteral("Passwort"), QString()),
             HashPassword(QStringLiteral("admin")));
    QCOMPARE(users.ReadString(QStringLiteral("GAST"), QStringLiteral("Passwort"), QString()),
             HashPassword(QStringLiteral("gast")));
    QCOMPARE(users.ReadString(QStringLiteral("ADMIN"), QStringLiteral("Berechtigungen"),
                              QStringLiteral("<default>")),
             QString());
    QCOMPARE(users.ReadString(QStringLiteral("GAST"), QStringLiteral("Berechtigungen"),
                              QStringLiteral("<default>")),
             QStringLiteral("02,03"));
    QVERIFY(!users.ReadString(QStringLiteral("ADMIN"), QStringLiteral("KontaktEmail"), QString())
                 .isEmpty());

    // The settings load in the address manager without complaint and name existing folders.
    TSystemEinstellungen settings;
    settings.DataDir = root + QStringLiteral("/DATA/");
    settings.LoadFromIni(tenant);
    QVERIFY2(QFileInfo(settings.AdressenDir).isDir(), qPrintable(settings.AdressenDir));
    QVERIFY2(QFileInfo(settings.RechnungenDataDir).isDir(), qPrintable(settings.RechnungenDataDir));
    QVERIFY2(QFileInfo(settings.ImagesDir).isDir(), qPrintable(settings.ImagesDir));
    QVERIFY2(QFileInfo(settings.Kommission).isDir(), qPrintable(settings.Kommission));
    QCOMPARE(settings.MwStNorm, 19.0);
    QCOMPARE(settings.MwStRed, 7.0);
    QCOMPARE(int(settings.MwStDefault), 1);
}

void TestKwpAdmin::demoUsersLogIn_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("maySave");
    QTest::addColumn<bool>("mayDelete");
    QTest::addColumn<QString>("fullName");

    QTest::newRow("ADMIN") << "admin"
                           << "admin" << true << true << "Administrator";
    QTest::newRow("GAST") << "Gast"
                          << "gast" << false << false << "Gast";
}

void TestKwpAdmin::demoUsersLogIn() {
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, maySave);
    QFETCH(bool, mayDelete);
    QFETCH(QString, fullName);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("demo"), root}).code, 0);

    // Log in as the address manager does, from a program lying in ROOT/BIN.
    ScriptedDialogs dialogs;
    struct TFinalize {
        ~TFinalize() { FinalizeApplication(); }
    } finalize;
    QVERIFY(InitApplicationFor(TProgramDir::Bin, root + QStringLiteral("/BIN/kwp00207")));
    QVERIFY(
        TSystemEinstellungen::Login(QStringLiteral("demo"), user, password, TPasswordCheck::Check));
    const TBenutzerEinstellungen& settings = *BenutzerEinstellungen();
    const QString a1 = SystemEinstellungen()->A1;
    QCOMPARE(settings.Vollname, fullName);
    QVERIFY(settings.HasRight(QStringLiteral("01")));
    QCOMPARE(settings.HasRight(QStringLiteral("02")), maySave);
    QCOMPARE(settings.HasRight(QStringLiteral("03")), mayDelete);
    QVERIFY2(QFileInfo(a1).isDir(), qPrintable(a1));
}

void TestKwpAdmin::demoRunsAgainWithoutChanges() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("demo"), root}).code, 0);
    // An administrator's later edit survives a second demo run.
    WriteProtectedValue(root + QStringLiteral("/ETC/SYSDATB.INI"), QStringLiteral("ADMIN"),
                        QStringLiteral("Vollname"), QStringLiteral("Chefin"));
    const auto before = snapshotTree(root);

    const TAdminRun run = runAdminProcess({QStringLiteral("demo"), root});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("übersprungen")), qPrintable(run.out));
    QCOMPARE(snapshotTree(root), before);
}

KWP_REGISTER_TEST(TestKwpAdmin)
#include "tst_kwpadmin.moc"
