#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "admintestsupport.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/sysdataschema.h"
#include "app/systemeinstellungen.h"
#include "persistence/storequery.h"
#include "setup/adminsupport.h"
#include "setup/lookupsetup.h"
#include "setup/protectedvalues.h"

namespace {
const auto sysdatb = [](const QString& root) { return root + "/ETC/SYSDATB.INI"; };
const auto acmeSysdata = [](const QString& root) { return root + "/DATA/ACME/ETC/SYSDATA.INI"; };
const auto listOf = [](const QString& root, const char* key) {
    return TIniFileSec(sysdatb(root)).ReadString("Listen", key, "<default>");
};

// Reads a value the way the suite's programs read it, by its type.
QString readTyped(const QString& file, const QString& section, const QString& key,
                  const QString& type) {
    const TIniFileSec ini(file);
    if (type == "float") return QString::number(ini.ReadFloat(section, key, -999.0));
    if (type == "bool") {
        // Both defaults: a value that does not verify shows up as "unverified".
        const bool a = ini.ReadBool(section, key, false);
        if (a != ini.ReadBool(section, key, true)) return "unverified";
        return a ? "true" : "false";
    }
    return ini.ReadString(section, key, "<default>");
}

// A "[DATADIR]..." setting as a path; it must exist as a folder.
bool isDataDir(const QString& root, QString value) {
    value.replace("[DATADIR]", root + "/DATA/").replace('\\', '/');
    return QFileInfo(value).isDir();
}
// The sample of the central bank's format of the bank-code tests.
const QString kBankSample =
    QStringLiteral(KWP_TEST_DATA_DIR "/../../addressdb/data/blz_sample.txt");

// An installation with its ETC folder, which is all the import needs.
struct LookupInstallation {
    QTemporaryDir dir;
    TInstallationPaths paths{dir.path()};
    LookupInstallation() { QDir().mkpath(paths.etc); }
};

// "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" of every bank of the code.
QStringList banksOf(const QString& etc, const QString& code) {
    TDBBLZCodes database({}, etc);
    std::unique_ptr<TStoreQuery> query = database.Lookup(code);
    if (!query) return {"<keine Abfrage>"};
    QStringList rows;
    for (; !query->Eof(); query->Next()) {
        QStringList values;
        for (const char* name : {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"})
            values.append(query->FieldByName(name).AsString());
        rows.append(values.join('|'));
    }
    return rows;
}

}  // namespace

class TestAdminSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initCreatesTree() {
        QTemporaryDir dir;
        const QString root = dir.path() + "/Suite";
        const TAdminRun run = runAdmin({"init", root});
        QVERIFY2(run.code == 0 && run.err.isEmpty(), qPrintable(run.err));
        // The root keeps its spelling; the folders below are upper case.
        for (const char* folder :
             {"BIN", "ETC", "TMP", "TMP/LOG", "DATA", "USR", "USR/ALLUSERS", "HLP", "RSC"})
            QVERIFY2(QFileInfo(root + '/' + folder).isDir(), folder);
        QCOMPARE(TIniFile(root + "/ETC/APPLICATION.INI").ReadString("Language", "Name", ""),
                 "de_DE");
        // A protected empty user list, not a missing one.
        QCOMPARE(listOf(root, "Benutzer"), "");
        QCOMPARE(ReadFileBytes(root + "/ETC/ISO_COUNTRYCODES.DAT"),
                 ReadFileBytes(KWP_TEST_DATA_DIR "/ISO_COUNTRYCODES.DAT"));

        // Another run keeps what was edited since.
        TIniFile app(root + "/ETC/APPLICATION.INI");
        app.WriteString("Language", "Name", "en_GB");
        app.UpdateFile();
        WriteProtectedValue(sysdatb(root), "Listen", "Benutzer", "ANNA");
        WriteFileBytes(root + "/ETC/ISO_COUNTRYCODES.DAT", "Testland\tTL\tTL\r\n");
        const auto before = snapshotTree(root);
        const TAdminRun again = runAdmin({"init", root});
        QVERIFY2(again.code == 0 && again.out.contains("nichts zu tun"), qPrintable(again.out));
        QCOMPARE(snapshotTree(root), before);
    }

    // The installation is in no state for the command; nothing changes.
    void refusedByTheInstallation() {
        QTemporaryDir dir;
        const QString root = dir.path();
        expectRefused({"tenant", "add", root, "acme"}, 3, "kwpadmin init", root);
        QCOMPARE(runAdmin({"init", root}).code, 0);
        // A hand-edited list no longer verifies; adding a user must not replace it.
        TIniFile ini(sysdatb(root));
        ini.WriteString("Listen", "Benutzer", "ANNA,BERND");
        ini.UpdateFile();
        expectRefused({"user", "add", root, "eva"}, 3, "beschädigt", root);
    }

    void tenantSettings() {
        QTemporaryDir dir;
        const QString root = dir.path();
        QCOMPARE(runAdmin({"init", root}).code, 0);
        const TAdminRun plain = runAdmin({"tenant", "add", root, "plain"});
        QVERIFY2(plain.code == 0 && plain.err.isEmpty(), qPrintable(plain.err));
        // Every key the suite reads is written protected; every directory exists.
        const QString plainFile = root + "/DATA/PLAIN/ETC/SYSDATA.INI";
        for (const TSysdataKey& key : SysdataSchema()) {
            const TProtectedValue value = ReadProtectedValue(plainFile, key.section, key.key);
            QVERIFY2(value.status == TProtectedValue::Verified, qPrintable(value.problem));
            if (key.type != TSysdataType::Directory) continue;
            QVERIFY2(value.value.startsWith("[DATADIR]PLAIN\\"), qPrintable(value.value));
            // The folder itself and those the suite expects below it.
            for (const QString& sub : (key.subFolders + QString("|")).split('|'))
                QVERIFY2(isDataDir(root, value.value + '/' + sub), qPrintable(value.value + sub));
        }
        QCOMPARE(readTyped(plainFile, "System", "MwStNorm", "float"), "19");

        const char* const rows[][5] = {
            {"--Hauswaehrung=Schweizer Franken", "System", "Hauswaehrung", "", "Schweizer Franken"},
            {"--StdTxt.StdFont=Tahoma", "StdTxt", "StdFont", "", "Tahoma"},
            {"--stdtxt.textwidthmm=100", "StdTxt", "TextWidthMM", "", "100"},
            {"--MwStNorm=19,5", "System", "MwStNorm", "float", "19.5"},
            {"--MwStMultiDisabled=ja", "System", "MwStMultiDisabled", "bool", "true"},
            {"--Waehrung2=Złoty", "System", "Waehrung2", "", "Złoty"},
            {"--A1=[DATADIR]acme/daten", "System", "A1", "dir", "[DATADIR]ACME\\DATEN"},
            {"--Briefe=[DATADIR]ACME\\Post\\Briefe", "System", "Briefe", "dir",
             "[DATADIR]ACME\\POST\\BRIEFE"},
            {"--Eigen.Farbe=blau", "Eigen", "Farbe", "", "blau"},
            {"--Sonderwunsch=[DATADIR]x", "System", "Sonderwunsch", "", "[DATADIR]x"}};
        QStringList args{"tenant", "add", root, "acme"};
        for (const auto& row : rows) args << QString::fromUtf8(row[0]);
        const TAdminRun run = runAdmin(args);
        QCOMPARE(run.code, 0);
        // Unknown keys are written with a warning.
        QCOMPARE(run.err.count("Unbekannter Schlüssel"), 2);
        for (const auto& [option, section, key, type, expected] : rows) {
            const bool isDir = type == QLatin1String("dir");
            QCOMPARE(readTyped(acmeSysdata(root), section, key, isDir ? "" : type),
                     QString::fromUtf8(expected));
            if (isDir) QVERIFY2(isDataDir(root, expected), expected);
        }
        // The other settings keep their defaults.
        QCOMPARE(readTyped(acmeSysdata(root), "System", "MwStRed", "float"), "7");

        // An existing tenant is rewritten only with --force, keeping keys the options omit.
        expectRefused({"tenant", "add", root, "ACME", "--MwStNorm=16"}, 3, "existiert bereits",
                      root);
        QCOMPARE(runAdmin({"tenant", "add", root, "Acme", "--MwStNorm=16", "--force"}).code, 0);
        QCOMPARE(readTyped(acmeSysdata(root), "System", "MwStNorm", "float"), "16");
        QCOMPARE(readTyped(acmeSysdata(root), "Eigen", "Farbe", ""), "blau");
        // Sorted, and the forced tenant is not listed twice.
        QCOMPARE(listOf(root, "Mandanten"), "ACME,PLAIN");
        QCOMPARE(runAdmin({"tenant", "list", root}).out, "ACME\nPLAIN\n");
    }

    // A refused add exits 2 with the message and leaves the installation as it was.
    void refusedAdd_data() {
        QTest::addColumn<QStringList>("args");  // kind, name, options
        QTest::addColumn<QString>("message");
        const auto row = [](const QStringList& args, const QString& message) {
            QTest::addRow("%s", qPrintable(args.join(' ').left(40))) << args << message;
        };
        const QString names[][2] = {
            {"../x", "Ungültige"},       {"a\\b", "Ungültige"},           {"", "fehlt"},
            {"Müller", "Ungültige"},     {QString(33, 'a'), "Ungültige"}, {"con", "reserviert"},
            {"-x", "Unbekannte Option"}, {"AllUsers", "reserviert"}};
        for (const char* kind : {"tenant", "user"})
            for (const auto& [name, message] : names) row({kind, name}, message);
        row({"tenant", "acme", "--MwStNorm=neunzehn"}, "Ungültige Zahl");
        row({"tenant", "acme", "--MwStDefault=256"}, "zwischen 0 und 255");
        row({"tenant", "acme", "--FullCurrency=vielleicht"}, "Ungültiger Wahrheitswert");
        row({"tenant", "acme", "--A1"}, "fehlt der Wert");
        row({"tenant", "acme", "--A1=[DATADIR]..\\..\\etc"}, "\"..\"");
        row({"tenant", "acme", "--A1=relative/dir"}, "muss mit [DATADIR] beginnen");
        row({"tenant", "acme", "--Std]Txt.StdFont=Arial"}, "Ungültiger Name");
        row({"user", "eva", "--deny", "02,0x"}, "Rechte-Code \"0x\"");
        row({"user", "eva", "--provision", "zehn"}, "Ungültige Zahl");
        row({"user", "eva", "--bar-tenants", "acme,../x"}, "Ungültiger Mandantenname \"../x\"");
        row({"user", "eva", "--password"}, "erwartet einen Wert");
    }

    void refusedAdd() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString root = dir.path();
        QCOMPARE(runAdmin({"init", root}).code, 0);
        expectRefused(QStringList{args[0], "add", root} + args.mid(1), 2, message, root);
    }

    void userSettings() {
        QTemporaryDir dir;
        const QString root = dir.path();
        QCOMPARE(runAdmin({"init", root}).code, 0);
        QCOMPARE(runAdmin({"tenant", "add", root, "acme"}).code, 0);
        const TAdminRun bernd = runAdmin({"user", "add", root, "Bernd"});
        QVERIFY2(bernd.code == 0 && bernd.err.isEmpty(), qPrintable(bernd.err));
        const TAdminRun anna = runAdmin(
            QStringList{"user", "add", root, "anna"} +
            QStringLiteral("--password|Gehéim 1|--fullname|Anna Müller-Lüdenscheidt|--text|"
                           "Büro, 2. Stock; \"Nord\"|--provision|2,5|--deny|03,01,02,03|"
                           "--bar-tenants|acme, zwei|--blocked")
                .split(u'|'));
        QCOMPARE(anna.code, 0);
        // Only the unknown barred tenant is worth a warning.
        QVERIFY2(anna.err.contains("\"ZWEI\" existiert nicht") && !anna.err.contains("\"ACME\""),
                 qPrintable(anna.err));

        // "not blocked" is written explicitly: a user without this key would be locked out.
        const QString rows[][4] = {
            {"Passwort", "string", HashPassword("Gehéim 1"), HashPassword("")},
            {"Vollname", "string", "Anna Müller-Lüdenscheidt", "BERND"},
            {"KontaktTxt", "string", "Büro, 2. Stock; \"Nord\"", ""},
            {"Provision", "float", "2.5", "0"},
            {"ZutrittsSperre", "bool", "true", "false"},
            {"Auswahl", "string", "ACME,ZWEI", ""},
            {"Berechtigungen", "string", "01,02,03", ""}};
        for (const auto& [key, type, annas, bernds] : rows) {
            QCOMPARE(readTyped(sysdatb(root), "ANNA", key, type), annas);
            QCOMPARE(readTyped(sysdatb(root), "BERND", key, type), bernds);
        }
        for (const char* folder : {"ETC", "TMP", "DOC", "MSG"})
            QVERIFY2(QFileInfo(root + "/USR/ANNA/" + folder).isDir(), folder);

        // An existing user is rewritten only with --force, then with exactly the new rights.
        expectRefused({"user", "add", root, "ANNA", "--password", "neu"}, 3, "existiert bereits",
                      root);
        QCOMPARE(runAdmin({"user", "add", root, "Anna", "--password", "neu", "--force"}).code, 0);
        QCOMPARE(readTyped(sysdatb(root), "ANNA", "Passwort", ""), HashPassword("neu"));
        QCOMPARE(readTyped(sysdatb(root), "ANNA", "Berechtigungen", ""), "");
        QCOMPARE(listOf(root, "Benutzer"), "BERND,ANNA");
        QCOMPARE(runAdmin({"user", "list", root}).out, "BERND\nANNA\n");
    }

    void init() { TDBZIPCodes::ClearCache(); }

    void commandImportsTheFile() {
        LookupInstallation installation;
        const QString root = installation.dir.path();
        const TAdminRun run = runAdminProcess({"blz", "import", root, kBankSample});
        QVERIFY2(run.code == 0 && run.err.isEmpty(), qPrintable(run.err));
        QVERIFY2(run.out.endsWith("6 Bankleitzahlen übernommen.\n") &&
                     run.out.contains("Auf 20 Zeichen gekürzte Kurzbezeichnungen: 2"),
                 qPrintable(run.out));

        // Neither a bad file nor the demo replaces the imported codes.
        WriteFileBytes(root + "/blz_bad.txt", "10020030\r\n");
        expectRefused({"blz", "import", root, root + "/blz_bad.txt"}, 3, "Zeile 1: zu kurz", root);
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog()));
        QCOMPARE(banksOf(installation.paths.etc, "70020270"), QStringList{});
        QCOMPARE(banksOf(installation.paths.etc, "86055592").size(), 1);
    }

    void demoInstallsTheLookups() {
        LookupInstallation installation;
        const QString etc = installation.paths.etc;
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog()));
        QStringList result;
        TDBZIPCodes(etc).FindByZip("80 331", "d", result);
        QCOMPARE(result, QStringList{"80331;München"});
        TDBZIPCodes(etc).FindByZip("6370", "A", result);
        QCOMPARE(result, (QStringList{"6370;Kitzbühel", "6370;Reith bei Kitzbühel"}));
        QCOMPARE(banksOf(etc, "70020270"),
                 QStringList{"Isartaler Bank|München|80331|ISTBDEMMXXX|Isartaler Bank AG"});
    }
};

KWP_REGISTER_TEST(TestAdminSetup)
#include "tst_adminsetup.moc"
