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
QString sysdata(const QString& root, const QString& tenant) {
    return root + QStringLiteral("/DATA/") + tenant + QStringLiteral("/ETC/SYSDATA.INI");
}
QString sysdatb(const QString& root) {
    return root + QStringLiteral("/ETC/SYSDATB.INI");
}

// Reads a value the way the suite's programs read it, by its type.
QString readTyped(const QString& file, const QString& section, const QString& key,
                  const QString& type) {
    const TIniFileSec ini(file);
    if (type == QLatin1String("float")) return QString::number(ini.ReadFloat(section, key, -999.0));
    if (type == QLatin1String("int")) return QString::number(ini.ReadInteger(section, key, -999));
    if (type == QLatin1String("bool")) {
        // Both defaults: a value that does not verify shows up as "unverified".
        const bool a = ini.ReadBool(section, key, false);
        const bool b = ini.ReadBool(section, key, true);
        if (a != b) return QStringLiteral("unverified");
        return a ? QStringLiteral("true") : QStringLiteral("false");
    }
    return ini.ReadString(section, key, QStringLiteral("<default>"));
}

QString dataDirPath(const QString& root, const QString& value) {
    QString path = value;
    path.replace(QStringLiteral("[DATADIR]"), root + QStringLiteral("/DATA/"));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}
// A "dir" setting must also exist as a folder.
void checkSetting(const QString& root, const QString& section, const QString& key,
                  const QString& type, const QString& expected) {
    const QString file = sysdata(root, QStringLiteral("ACME"));
    if (type != QLatin1String("dir")) {
        QCOMPARE(readTyped(file, section, key, type), expected);
        return;
    }
    QCOMPARE(readTyped(file, section, key, QStringLiteral("string")), expected);
    QVERIFY2(QFileInfo(dataDirPath(root, expected)).isDir(), qPrintable(expected));
}
}  // namespace

class TestAdminSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initCreatesTree();
    void initKeepsExistingFiles();
    void initOnAFileFails();
    void tenantDefaults_data();
    void tenantDefaults();
    void tenantOverrides_data();
    void tenantOverrides();
    void tenantBadOverrides_data();
    void tenantBadOverrides();
    void tenantNeedsInstallation();
    void tenantExistingNeedsForce();
    void tenantListSortedWithoutDuplicates();
    void invalidNames_data();
    void invalidNames();
    void userAllOptions_data();
    void userAllOptions();
    void userDefaults_data();
    void userDefaults();
    void userExistingNeedsForce();
    void userBadOptions_data();
    void userBadOptions();
    void damagedListIsNotOverwritten();
};

void TestAdminSetup::initCreatesTree() {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Suite");
    const TAdminRun run = runAdmin({QStringLiteral("init"), root});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    // The root keeps its spelling; the folders below are upper case.
    for (const char* folder :
         {"BIN", "ETC", "TMP", "TMP/LOG", "DATA", "USR", "USR/ALLUSERS", "HLP", "RSC"}) {
        QVERIFY2(QFileInfo(root + QLatin1Char('/') + QLatin1String(folder)).isDir(), folder);
    }
    const TIniFile app(root + QStringLiteral("/ETC/APPLICATION.INI"));
    QCOMPARE(app.ReadString(QStringLiteral("Language"), QStringLiteral("Name"), QString()),
             QStringLiteral("de_DE"));
    // A protected empty user list, not a missing one.
    const TIniFileSec users(sysdatb(root));
    QCOMPARE(users.ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"),
                              QStringLiteral("<default>")),
             QString());

    QFile countries(root + QStringLiteral("/ETC/ISO_COUNTRYCODES.DAT"));
    QVERIFY(countries.open(QIODevice::ReadOnly));
    QFile golden(QStringLiteral(KWP_TEST_DATA_DIR "/ISO_COUNTRYCODES.DAT"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const QByteArray content = countries.readAll();
    QCOMPARE(content, golden.readAll());
    // Latin-1, not UTF-8: "Österreich" starts with the single byte 0xD6.
    QVERIFY(content.contains("\r\n\xD6sterreich\tA\tAT\r\n"));
}

void TestAdminSetup::initKeepsExistingFiles() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    {
        TIniFile app(root + QStringLiteral("/ETC/APPLICATION.INI"));
        app.WriteString(QStringLiteral("Language"), QStringLiteral("Name"),
                        QStringLiteral("en_GB"));
        app.UpdateFile();
    }
    WriteProtectedValue(sysdatb(root), QStringLiteral("Listen"), QStringLiteral("Benutzer"),
                        QStringLiteral("ANNA"));
    QFile countries(root + QStringLiteral("/ETC/ISO_COUNTRYCODES.DAT"));
    QVERIFY(countries.open(QIODevice::WriteOnly));
    countries.write("Testland\tTL\tTL\r\n");
    countries.close();
    const auto before = snapshotTree(root);

    const TAdminRun run = runAdmin({QStringLiteral("init"), root});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QStringLiteral("nichts zu tun")), qPrintable(run.out));
    QCOMPARE(snapshotTree(root), before);
}

void TestAdminSetup::initOnAFileFails() {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/datei");
    QFile file(root);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const TAdminRun run = runAdmin({QStringLiteral("init"), root});
    QCOMPARE(run.code, 3);
    QVERIFY2(run.err.contains(QStringLiteral("ist kein Verzeichnis")), qPrintable(run.err));
}

void TestAdminSetup::tenantDefaults_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");

    const char* const dirs[][2] = {{"A1", "ALLGEMEIN"},
                                   {"Journale", "JOURNALE"},
                                   {"Kleinrechnungen", "KLEINAUFTRAEGE"},
                                   {"Angebote", "ANGEBOTE"},
                                   {"Wartung", "WARTUNG"},
                                   {"Lager", "LAGER"},
                                   {"Bestellwesen", "BESTELLWESEN"},
                                   {"Leistungsdatei", "LEISTUNGEN"},
                                   {"Kataloge", "KATALOGE"},
                                   {"Auftraege", "AUFTRAEGE"},
                                   {"Briefe", "BRIEFE"},
                                   {"Kommission", "KOMMISSION"}};
    for (const auto& d : dirs) {
        QTest::addRow("%s", d[0]) << "System" << d[0] << "dir"
                                  << QStringLiteral("[DATADIR]ACME\\") + QLatin1String(d[1]);
    }
    const char* const values[][4] = {
        {"System", "Hauswaehrung", "string", "EURO"},
        {"System", "HKurz", "string", "EUR"},
        {"System", "Waehrung1", "string", "EURO"},
        {"System", "W1Kurz", "string", "EUR"},
        {"System", "WaehrFaktor1In", "float", "1"},
        {"System", "WaehrFaktor1Out", "float", "1"},
        {"System", "HausX1In", "int", "1"},
        {"System", "HausX1Out", "int", "1"},
        {"System", "Waehrung2", "string", ""},
        {"System", "W2Kurz", "string", ""},
        {"System", "WaehrFaktor2In", "float", "1"},
        {"System", "WaehrFaktor2Out", "float", "1"},
        {"System", "HausX2In", "int", "1"},
        {"System", "HausX2Out", "int", "1"},
        {"System", "Waehrung3", "string", ""},
        {"System", "W3Kurz", "string", ""},
        {"System", "WaehrFaktor3In", "float", "1"},
        {"System", "WaehrFaktor3Out", "float", "1"},
        {"System", "HausX3In", "int", "1"},
        {"System", "HausX3Out", "int", "1"},
        {"System", "StdSprache", "string", "de_DE"},
        {"System", "MwStRed", "float", "7"},
        {"System", "MwStNorm", "float", "19"},
        {"System", "MwStErh", "float", "0"},
        {"System", "MwStMultiDisabled", "bool", "false"},
        {"System", "MwStDefault", "int", "1"},
        {"System", "FullCurrency", "bool", "false"},
        {"System", "RoundCurrencyEnabled", "bool", "false"},
        {"System", "ArtikelVKPreisIsBrutto", "bool", "false"},
        {"StdTxt", "TextWidthMM", "int", "80"},
        {"StdTxt", "StdFont", "string", "Arial"},
        {"StdTxt", "StdFontSize", "int", "8"},
        {"EtTxt", "TextWidthMM", "int", "80"},
        {"EtTxt", "StdFont", "string", "Arial"},
        {"EtTxt", "StdFontSize", "int", "8"},
        {"VTNTTxt", "TextWidthMM", "int", "175"},
        {"VTNTTxt", "StdFont", "string", "Arial"},
        {"VTNTTxt", "StdFontSize", "int", "8"},
    };
    for (const auto& v : values) QTest::addRow("%s.%s", v[0], v[1]) << v[0] << v[1] << v[2] << v[3];
}

void TestAdminSetup::tenantDefaults() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    const TAdminRun run =
        runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("acme")});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    checkSetting(root, section, key, type, expected);
}

void TestAdminSetup::tenantOverrides_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("warned");

    struct Row {
        const char *name, *option, *section, *key, *type, *expected;
        bool warned;
    };
    const Row rows[] = {
        {"system key", "--Hauswaehrung=Schweizer Franken", "System", "Hauswaehrung", "string",
         "Schweizer Franken", false},
        {"other section", "--StdTxt.StdFont=Tahoma", "StdTxt", "StdFont", "string", "Tahoma",
         false},
        {"names in any case", "--stdtxt.textwidthmm=100", "StdTxt", "TextWidthMM", "int", "100",
         false},
        {"decimal comma", "--MwStNorm=19,5", "System", "MwStNorm", "float", "19.5", false},
        {"decimal point", "--WaehrFaktor2In=1.95583", "System", "WaehrFaktor2In", "float",
         "1.95583", false},
        {"boolean ja", "--MwStMultiDisabled=ja", "System", "MwStMultiDisabled", "bool", "true",
         false},
        {"boolean true", "--ArtikelVKPreisIsBrutto=true", "System", "ArtikelVKPreisIsBrutto",
         "bool", "true", false},
        {"byte", "--MwStDefault=2", "System", "MwStDefault", "int", "2", false},
        {"umlaut text", "--Waehrung2=Złoty", "System", "Waehrung2", "string", "Złoty", false},
        {"directory below data", "--A1=[DATADIR]acme/daten", "System", "A1", "dir",
         "[DATADIR]ACME\\DATEN", false},
        {"directory with backslashes", "--Briefe=[DATADIR]ACME\\Post\\Briefe", "System", "Briefe",
         "dir", "[DATADIR]ACME\\POST\\BRIEFE", false},
        {"unknown key", "--Eigen.Farbe=blau", "Eigen", "Farbe", "string", "blau", true},
        {"unknown system key", "--Sonderwunsch=[DATADIR]x", "System", "Sonderwunsch", "string",
         "[DATADIR]x", true}};
    for (const Row& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.option) << r.section << r.key << r.type
                              << QString::fromUtf8(r.expected) << r.warned;
}

void TestAdminSetup::tenantOverrides() {
    QFETCH(QString, option);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QFETCH(bool, warned);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    const TAdminRun run = runAdmin(
        {QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("acme"), option});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.err.contains(QStringLiteral("Unbekannter Schlüssel")), warned);
    checkSetting(root, section, key, type, expected);
    // The other settings keep their defaults.
    if (key != QLatin1String("MwStNorm"))
        checkSetting(root, QStringLiteral("System"), QStringLiteral("MwStNorm"),
                     QStringLiteral("float"), QStringLiteral("19"));
}

// A usage error in "<command> add ROOT <name> <options>" exits 2 with the message and
// leaves the installation tree byte for byte as it was.
static void expectRefusedAdd(const QString& command, const QString& name) {
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    const auto before = snapshotTree(root);

    const TAdminRun run =
        runAdmin(QStringList{command, QStringLiteral("add"), root, name} + options);
    QCOMPARE(run.code, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(snapshotTree(root), before);
}

void TestAdminSetup::tenantBadOverrides_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");

    QTest::newRow("not a number") << QStringList{"--MwStNorm=neunzehn"} << "Ungültige Zahl";
    QTest::newRow("two separators") << QStringList{"--MwStNorm=1.000,5"} << "Ungültige Zahl";
    QTest::newRow("fraction for integer")
        << QStringList{"--HausX1In=1,5"} << "Ungültige ganze Zahl";
    QTest::newRow("byte too large") << QStringList{"--MwStDefault=256"} << "zwischen 0 und 255";
    QTest::newRow("not a boolean")
        << QStringList{"--FullCurrency=vielleicht"} << "Ungültiger Wahrheitswert";
    QTest::newRow("value missing") << QStringList{"--A1"} << "fehlt der Wert";
    QTest::newRow("directory leaves the data folder")
        << QStringList{"--A1=[DATADIR]..\\..\\etc"} << "\"..\"";
    QTest::newRow("empty directory") << QStringList{"--Briefe="} << "darf nicht leer sein";
    QTest::newRow("relative directory")
        << QStringList{"--A1=relative/dir"} << "muss mit [DATADIR] beginnen";
    QTest::newRow("empty section") << QStringList{"--.StdFont=Arial"} << "Ungültiger Name";
    QTest::newRow("bracket in section")
        << QStringList{"--Std]Txt.StdFont=Arial"} << "Ungültiger Name";
    QTest::newRow("good then bad")
        << QStringList{"--StdTxt.StdFont=Tahoma", "--MwStRed=x"} << "Ungültige Zahl";
}

void TestAdminSetup::tenantBadOverrides() {
    expectRefusedAdd(QStringLiteral("tenant"), QStringLiteral("acme"));
}

void TestAdminSetup::tenantNeedsInstallation() {
    QTemporaryDir dir;
    const TAdminRun run = runAdmin(
        {QStringLiteral("tenant"), QStringLiteral("add"), dir.path(), QStringLiteral("acme")});
    QCOMPARE(run.code, 3);
    QVERIFY2(run.err.contains(QStringLiteral("kwpadmin init")), qPrintable(run.err));
    QVERIFY(snapshotTree(dir.path()).isEmpty());
}

void TestAdminSetup::tenantExistingNeedsForce() {
    QTemporaryDir dir;
    const QString root = dir.path();
    const QString file = sysdata(root, QStringLiteral("ACME"));
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    QCOMPARE(
        runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("acme")})
            .code,
        0);
    WriteProtectedValue(file, QStringLiteral("System"), QStringLiteral("Eigen"),
                        QStringLiteral("bleibt"));
    const auto before = snapshotTree(root);

    const TAdminRun refused = runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root,
                                        QStringLiteral("ACME"), QStringLiteral("--MwStNorm=16")});
    QCOMPARE(refused.code, 3);
    QVERIFY2(refused.err.contains(QStringLiteral("existiert bereits")), qPrintable(refused.err));
    QCOMPARE(snapshotTree(root), before);

    const TAdminRun forced =
        runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("Acme"),
                  QStringLiteral("--MwStNorm=16"), QStringLiteral("--force")});
    QCOMPARE(forced.code, 0);
    QCOMPARE(readTyped(file, QStringLiteral("System"), QStringLiteral("MwStNorm"),
                       QStringLiteral("float")),
             QStringLiteral("16"));
    QCOMPARE(readTyped(file, QStringLiteral("System"), QStringLiteral("Eigen"),
                       QStringLiteral("string")),
             QStringLiteral("bleibt"));
    QCOMPARE(TIniFileSec(sysdatb(root))
                 .ReadString(QStringLiteral("Listen"), QStringLiteral("Mandanten"), QString()),
             QStringLiteral("ACME"));
}

void TestAdminSetup::tenantListSortedWithoutDuplicates() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    for (const char* name : {"zeta", "Alpha", "mitte_2"}) {
        QCOMPARE(
            runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QLatin1String(name)})
                .code,
            0);
    }
    QCOMPARE(runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root,
                       QStringLiteral("alpha"), QStringLiteral("--force")})
                 .code,
             0);
    QCOMPARE(TIniFileSec(sysdatb(root))
                 .ReadString(QStringLiteral("Listen"), QStringLiteral("Mandanten"), QString()),
             QStringLiteral("ALPHA,MITTE_2,ZETA"));
    const TAdminRun list = runAdmin({QStringLiteral("tenant"), QStringLiteral("list"), root});
    QCOMPARE(list.code, 0);
    QCOMPARE(list.out, QStringLiteral("ALPHA\nMITTE_2\nZETA\n"));
}

void TestAdminSetup::invalidNames_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    struct Row {
        const char* name;
        QString value;
        const char* message;
    };
    const Row rows[] = {{"parent folder", "../x", "Ungültige"},
                        {"slash", "a/b", "Ungültige"},
                        {"backslash", "a\\b", "Ungültige"},
                        {"empty", "", "fehlt"},
                        {"blank", "a b", "Ungültige"},
                        {"dots", "..", "Ungültige"},
                        {"umlaut", "Müller", "Ungültige"},
                        {"too long", QString(33, QLatin1Char('a')), "Ungültige"},
                        {"device name", "con", "reserviert"},
                        {"leading dash", "-x", "Unbekannte Option"},
                        {"list section", "listen", "reserviert"},
                        {"shared folder", "AllUsers", "reserviert"},
                        {"composed folder", "Adressen", "reserviert"}};
    for (const char* kind : {"tenant", "user"})
        for (const Row& row : rows)
            QTest::addRow("%s %s", kind, row.name) << kind << row.value << row.message;
}

void TestAdminSetup::invalidNames() {
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    const auto before = snapshotTree(root);

    const TAdminRun run = runAdmin({kind, QStringLiteral("add"), root, name});
    QCOMPARE(run.code, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(snapshotTree(root), before);
    // Nothing appeared beside the installation either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"BIN", "DATA", "ETC", "HLP", "RSC", "TMP", "USR"}));
}

void TestAdminSetup::userAllOptions_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");

    const char* rows[][4] = {{"full name", "Vollname", "string", "Anna Müller-Lüdenscheidt"},
                             {"telephone", "KontaktTel", "string", "+49 30 123456"},
                             {"fax", "KontaktFax", "string", "+49 30 123457"},
                             {"e-mail", "KontaktEmail", "string", "anna@example.com"},
                             {"text", "KontaktTxt", "string", "Büro, 2. Stock; \"Nord\""},
                             {"provision", "Provision", "float", "2.5"},
                             {"blocked", "ZutrittsSperre", "bool", "true"},
                             {"barred tenants", "Auswahl", "string", "ACME,ZWEI"},
                             {"denied rights", "Berechtigungen", "string", "01,02,03"}};
    QTest::newRow("password") << "Passwort"
                              << "string" << HashPassword(QStringLiteral("Gehéim 1"));
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[1] << row[2] << QString::fromUtf8(row[3]);
}

void TestAdminSetup::userAllOptions() {
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    QCOMPARE(
        runAdmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("acme")})
            .code,
        0);
    const QStringList options =
        QStringLiteral(
            "--password|Gehéim 1|--fullname|Anna Müller-Lüdenscheidt|--tel|+49 30 123456|"
            "--fax=+49 30 123457|--email|anna@example.com|--text|Büro, 2. Stock; \"Nord\"|"
            "--provision|2,5|--deny|03,01,02,03|--bar-tenants|acme, zwei|--blocked")
            .split(u'|');
    const TAdminRun run = runAdmin(
        QStringList{QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("anna")} +
        options);
    QCOMPARE(run.code, 0);
    // Only the unknown barred tenant is worth a warning.
    QVERIFY2(run.err.contains(QStringLiteral("\"ZWEI\" existiert nicht")), qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("\"ACME\"")), qPrintable(run.err));

    QCOMPARE(readTyped(sysdatb(root), QStringLiteral("ANNA"), key, type), expected);
    for (const char* folder : {"ETC", "TMP", "DOC", "MSG"}) {
        QVERIFY2(QFileInfo(root + QStringLiteral("/USR/ANNA/") + QLatin1String(folder)).isDir(),
                 folder);
    }
    QCOMPARE(TIniFileSec(sysdatb(root))
                 .ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"), QString()),
             QStringLiteral("ANNA"));
}

void TestAdminSetup::userDefaults_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");

    QTest::newRow("password") << "Passwort"
                              << "string" << HashPassword(QString());
    // "not blocked" is written explicitly: a user without this key would be locked out.
    const char* rows[][4] = {{"full name", "Vollname", "string", "BERND"},
                             {"telephone", "KontaktTel", "string", ""},
                             {"fax", "KontaktFax", "string", ""},
                             {"e-mail", "KontaktEmail", "string", ""},
                             {"text", "KontaktTxt", "string", ""},
                             {"provision", "Provision", "float", "0"},
                             {"not blocked", "ZutrittsSperre", "bool", "false"},
                             {"barred tenants", "Auswahl", "string", ""},
                             {"denied rights", "Berechtigungen", "string", ""}};
    for (const auto& row : rows) QTest::newRow(row[0]) << row[1] << row[2] << row[3];
}

void TestAdminSetup::userDefaults() {
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    const TAdminRun run =
        runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("Bernd")});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(readTyped(sysdatb(root), QStringLiteral("BERND"), key, type), expected);
}

void TestAdminSetup::userExistingNeedsForce() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    QCOMPARE(runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("carl"),
                       QStringLiteral("--password"), QStringLiteral("alt"),
                       QStringLiteral("--deny"), QStringLiteral("03")})
                 .code,
             0);
    QCOMPARE(runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("dora")})
                 .code,
             0);
    const auto before = snapshotTree(root);

    const TAdminRun refused =
        runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("CARL"),
                  QStringLiteral("--password"), QStringLiteral("neu")});
    QCOMPARE(refused.code, 3);
    QVERIFY2(refused.err.contains(QStringLiteral("existiert bereits")), qPrintable(refused.err));
    QCOMPARE(snapshotTree(root), before);

    QCOMPARE(
        runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("Carl"),
                  QStringLiteral("--password"), QStringLiteral("neu"), QStringLiteral("--force")})
            .code,
        0);
    const TIniFileSec ini(sysdatb(root));
    QCOMPARE(ini.ReadString(QStringLiteral("CARL"), QStringLiteral("Passwort"), QString()),
             HashPassword(QStringLiteral("neu")));
    // The rewritten user has exactly the new rights, not the old ones.
    QCOMPARE(ini.ReadString(QStringLiteral("CARL"), QStringLiteral("Berechtigungen"),
                            QStringLiteral("<default>")),
             QString());
    QCOMPARE(ini.ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"), QString()),
             QStringLiteral("CARL,DORA"));
    const TAdminRun list = runAdmin({QStringLiteral("user"), QStringLiteral("list"), root});
    QCOMPARE(list.code, 0);
    QCOMPARE(list.out, QStringLiteral("CARL\nDORA\n"));
}

void TestAdminSetup::userBadOptions_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");

    QTest::newRow("one-digit right") << QStringList{"--deny", "2"} << "Rechte-Code \"2\"";
    QTest::newRow("letter in right") << QStringList{"--deny", "02,0x"} << "Rechte-Code \"0x\"";
    QTest::newRow("three-digit right") << QStringList{"--deny=002"} << "Rechte-Code \"002\"";
    QTest::newRow("provision in words") << QStringList{"--provision", "zehn"} << "Ungültige Zahl";
    QTest::newRow("barred tenant path")
        << QStringList{"--bar-tenants", "acme,../x"} << "Ungültiger Mandantenname \"../x\"";
    QTest::newRow("value missing") << QStringList{"--password"} << "erwartet einen Wert";
    QTest::newRow("flag with value") << QStringList{"--blocked=ja"} << "erwartet keinen Wert";
    QTest::newRow("unknown option") << QStringList{"--passwort", "x"} << "Unbekannte Option";
}

void TestAdminSetup::userBadOptions() {
    expectRefusedAdd(QStringLiteral("user"), QStringLiteral("eva"));
}

void TestAdminSetup::damagedListIsNotOverwritten() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QCOMPARE(runAdmin({QStringLiteral("init"), root}).code, 0);
    {
        // A hand-edited list no longer verifies; adding a user must not replace it.
        TIniFile ini(sysdatb(root));
        ini.WriteString(QStringLiteral("Listen"), QStringLiteral("Benutzer"),
                        QStringLiteral("ANNA,BERND"));
        ini.UpdateFile();
    }
    const auto before = snapshotTree(root);
    const TAdminRun run =
        runAdmin({QStringLiteral("user"), QStringLiteral("add"), root, QStringLiteral("eva")});
    QCOMPARE(run.code, 3);
    QVERIFY2(run.err.contains(QStringLiteral("beschädigt")), qPrintable(run.err));
    QCOMPARE(snapshotTree(root), before);
}

KWP_REGISTER_TEST(TestAdminSetup)
#include "tst_adminsetup.moc"
