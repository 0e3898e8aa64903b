#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dialogs.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "testsupport.h"

namespace {
const char* const kDirKeys[] = {"A1",       "Journale",  "Kleinrechnungen", "Angebote",
                                "Wartung",  "Lager",     "Bestellwesen",    "Leistungsdatei",
                                "Kataloge", "Auftraege", "Briefe",          "Kommission"};

// A small installation: ROOT/BIN, tenant T1 with its SYSDATA.INI, user MEIER.
class Installation {
public:
    Installation() : root(dir.path() + QStringLiteral("/suite")) {
        QDir().mkpath(root + "/BIN");
        QDir().mkpath(root + "/DATA/T1/ETC");
        QDir().mkpath(root + "/ETC");
        QDir().mkpath(root + "/USR/MEIER");
        TIniFileSecWriter sysdata(sysdataFile());
        for (const char* key : kDirKeys)
            sysdata.WriteString("System", key, QStringLiteral("[DATADIR]T1\\") + key);
        sysdata.UpdateFile();
        TIniFileSecWriter users(sysdatbFile());
        users.WriteString("MEIER", "Passwort", HashPassword("geheim"));
        users.WriteString("MEIER", "Vollname", "Hans Meier");
        users.WriteBool("MEIER", "ZutrittsSperre", false);
        users.WriteString("Listen", "Benutzer", "MEIER,GAST");
        users.UpdateFile();
    }
    QString program() const { return root + "/BIN/kwp00207"; }
    QString sysdataFile() const { return root + "/DATA/T1/ETC/SYSDATA.INI"; }
    QString sysdatbFile() const { return root + "/ETC/SYSDATB.INI"; }
    void setUser(const char* key, const QString& value) {
        TIniFileSecWriter users(sysdatbFile());
        users.WriteString("MEIER", key, value);
        users.UpdateFile();
    }
    void init() { QVERIFY(InitApplicationFor(TProgramDir::Bin, program())); }

    QTemporaryDir dir;
    QString root;
};
}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        FinalizeApplication();
        UseLanguage(QStringLiteral("de_DE"));
    }

    void normalizesDirectories_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const char* const rows[][3] = {{"adds slash", "/srv/kwp", "/srv/kwp/"},
                                       {"keeps slash", "/srv/kwp/", "/srv/kwp/"},
                                       {"backslashes", "\\srv\\kwp\\DATA", "/srv/kwp/DATA/"},
                                       {"doubled", "/srv//kwp///ETC", "/srv/kwp/ETC/"},
                                       {"dot dot", "/srv/kwp/BIN/../ETC", "/srv/kwp/ETC/"},
                                       {"case kept", "/Srv/Kwp", "/Srv/Kwp/"},
                                       {"empty", "", ""}};
        for (const auto& row : rows) QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void normalizesDirectories() {
        QFETCH(QString, input);
        QTEST(NormalizeDir(input), "expected");
    }

    void derivesInstallationTreeFromProgram_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("programDir");
        QTest::newRow("BIN") << 1 << "BIN";
        QTest::newRow("bin lower case") << 1 << "bin";
        QTest::newRow("updater") << 2 << "RSC/UPDATE";
        QTest::newRow("updater lower case") << 2 << "rsc/update";
    }
    void derivesInstallationTreeFromProgram() {
        QFETCH(int, kind);
        QFETCH(QString, programDir);
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath() + "/Suite Root";
        QDir().mkpath(root + "/" + programDir);
        QVERIFY(InitApplicationFor(TProgramDir(kind), root + "/" + programDir + "/kwp00207"));
        const TSystemEinstellungen* sys = SystemEinstellungen();
        QCOMPARE(sys->RootDir, root + "/");
        QCOMPARE(sys->BinDir, kind == 1 ? root + "/" + programDir + "/" : root + "/BIN/");
        QVERIFY(sys->WinTempDir.endsWith('/'));
        // Every folder of the tree exists afterwards.
        const QList<QPair<QString, const char*>> tree{
            {sys->EtcDir, "ETC/"},   {sys->TmpDir, "TMP/"}, {sys->LogDir, "TMP/LOG/"},
            {sys->DataDir, "DATA/"}, {sys->UsrDir, "USR/"}, {sys->AllUsersDir, "USR/ALLUSERS/"},
            {sys->HlpDir, "HLP/"},   {sys->RscDir, "RSC/"}};
        for (const auto& [actual, relative] : tree) {
            QCOMPARE(actual, root + "/" + relative);
            QVERIFY2(QFileInfo(actual).isDir(), qPrintable(actual));
        }
        QVERIFY(BenutzerEinstellungen());
    }

    void refusesWrongProgramLocation_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("programDir");
        QTest::newRow("kind 1 outside BIN") << 1 << "TOOLS";
        QTest::newRow("kind 1 in UPDATE") << 1 << "RSC/UPDATE";
        QTest::newRow("kind 2 in BIN") << 2 << "BIN";
        QTest::newRow("unknown kind") << 3 << "BIN";
    }
    void refusesWrongProgramLocation() {
        QFETCH(int, kind);
        QFETCH(QString, programDir);
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/" + programDir);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(
            !InitApplicationFor(TProgramDir(kind), dir.path() + "/" + programDir + "/kwp00207"));
        QVERIFY(!SystemEinstellungen());
        QVERIFY2(dialogs.texts().value(0).startsWith("Initst-" + QDir(dir.path()).canonicalPath() +
                                                     "/" + programDir + "/"),
                 qPrintable(dialogs.texts().value(0)));
        QVERIFY(!QFileInfo(dir.path() + "/ETC").exists());
    }

    void secondInitIsIgnored() {
        Installation first;
        first.init();
        Installation second;
        QVERIFY(InitApplicationFor(TProgramDir::Bin, second.program()));
        QCOMPARE(SystemEinstellungen()->RootDir, NormalizeDir(QDir(first.root).canonicalPath()));
    }

    void languageComesFromApplicationIni() {
        Installation inst;
        {
            TIniFile ini(inst.root + "/ETC/APPLICATION.INI");
            ini.WriteString("Language", "Name", "en_GB");
            ini.UpdateFile();
        }
        inst.init();
        QCOMPARE(GetCurrentLanguage(), QStringLiteral("en_GB"));
        QCOMPARE(_("Adressverwaltung"), QStringLiteral("Address management"));
    }

    void loginFillsBothSettings() {
        Installation inst;
        {
            // Relative to the installation, whatever the current folder of the program.
            TIniFileSecWriter sysdata(inst.sysdataFile());
            sysdata.WriteString("System", "Kommission", "DATA\\T1\\Kommission");
            sysdata.UpdateFile();
        }
        inst.init();
        ScriptedDialogs dialogs;
        QVERIFY(TSystemEinstellungen::Login(" T1 ", "meier ", QString(), TPasswordCheck::Skip));
        const TSystemEinstellungen* sys = SystemEinstellungen();
        const TBenutzerEinstellungen* usr = BenutzerEinstellungen();
        const QString root = QDir(inst.root).canonicalPath();
        QCOMPARE(sys->Tenant, QStringLiteral(" T1 "));
        QCOMPARE(sys->TenantEtcDir, root + "/DATA/T1/ETC/");
        QCOMPARE(sys->A1, root + "/DATA/T1/A1");
        QCOMPARE(sys->AdressenDir, root + "/DATA/T1/A1/ADRESSEN/");
        QCOMPARE(sys->RechnungenDir, root + "/DATA/T1/Journale/RECHNUNGEN/");
        QCOMPARE(sys->RechnungenDataDir, root + "/DATA/T1/Journale/RECHNUNGEN/DATA/");
        QCOMPARE(sys->ImagesDir, root + "/DATA/T1/Lager/IMAGES/");
        QCOMPARE(sys->Kommission, root + "/DATA/T1/Kommission");
        QCOMPARE(sys->VtntDirOf(102), root + "/DATA/T1/ETC/TEMPLATES/VTNT/102/");
        QCOMPARE(sys->VtntDirOf(109), root + "/DATA/T1/ETC/TEMPLATES/VTNT/109/");
        QCOMPARE(sys->HKurz, QStringLiteral("EUR"));
        QCOMPARE(int(sys->MwStDefault), 1);
        QCOMPARE(usr->User, QStringLiteral("MEIER"));
        QCOMPARE(usr->Vollname, QStringLiteral("Hans Meier"));
        QCOMPARE(usr->Passwort, HashPassword("geheim"));
        QCOMPARE(usr->UserDir, root + "/USR/MEIER/");
        QCOMPARE(usr->UserEtcDir, root + "/USR/MEIER/ETC/");
        QCOMPARE(usr->UserTenantEtcDir, root + "/USR/MEIER/ETC/T1/");
        QCOMPARE(usr->UserTmpDir, root + "/USR/MEIER/TMP/");
        QCOMPARE(usr->UserDocDir, root + "/USR/MEIER/DOC/");
        QCOMPARE(usr->UserMsgDir, root + "/USR/MEIER/MSG/");
        // Only the suite launcher creates missing folders.
        QVERIFY(!QFileInfo(sys->VtntDirOf(102)).exists());
        QVERIFY(!QFileInfo(usr->UserEtcDir).exists());
    }

    void loginRefusals_data() {
        QTest::addColumn<QString>("tenant");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        const QString denied = "Ihnen wurde der Zugriff zur Anwendung verweigert.";
        auto row = [](const char* name, const QString& tenant, const QString& user,
                      const QString& change, const QString& message) {
            QTest::newRow(name) << tenant << user << change << message;
        };
        row("unknown tenant", "T9", "MEIER", "",
            "Verzeichnis \"ROOT/DATA/T9/ETC/\" nicht gefunden.");
        row("no SYSDATA.INI", "T1", "MEIER", "remove sysdata",
            "Datei \"ROOT/DATA/T1/ETC/SYSDATA.INI\" nicht gefunden.");
        row("no SYSDATB.INI", "T1", "MEIER", "remove sysdatb",
            "Datei \"ROOT/ETC/SYSDATB.INI\" nicht gefunden.");
        row("unknown user", "T1", "Schulz", "",
            "Der Benutzer \"SCHULZ\" wurde nicht in der Konfigurationsdatei "
            "\"ROOT/ETC/SYSDATB.INI\" gefunden.");
        row("without ZutrittsSperre key", "T1", "MEIER", "drop access key", denied);
        row("blocked", "T1", "MEIER", "block", denied);
        row("barred tenant", "T1", "MEIER", "bar A,T1", denied);
        row("no user folder", "T1", "MEIER", "remove user dir",
            "Das Benutzerverzeichnis \"ROOT/USR/MEIER/\" wurde nicht gefunden.");
        // An empty user name is refused without a message.
        row("empty user", "T1", "  ", "", "");
    }
    void loginRefusals() {
        QFETCH(QString, tenant);
        QFETCH(QString, user);
        QFETCH(QString, change);
        QFETCH(QString, message);
        Installation inst;
        if (change == "remove sysdata") QFile::remove(inst.sysdataFile());
        if (change == "remove sysdatb") QFile::remove(inst.sysdatbFile());
        if (change == "block") inst.setUser("ZutrittsSperre", "-1");
        if (change == "bar A,T1") inst.setUser("Auswahl", "A,T1");
        if (change == "remove user dir") QDir(inst.root + "/USR/MEIER").removeRecursively();
        if (change == "drop access key") {
            TIniFileSecWriter users(inst.sysdatbFile());
            users.DeleteKey("MEIER", "ZutrittsSperre");
            users.UpdateFile();
        }
        inst.init();
        ScriptedDialogs dialogs;
        if (!message.isEmpty()) dialogs.answer(mrOk);
        QVERIFY(!TSystemEinstellungen::Login(tenant, user, QString(), TPasswordCheck::Skip));
        message.replace("ROOT", QDir(inst.root).canonicalPath());
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(int(dialogs.shown().first().type), int(mtError));
    }

    void barredTenantsListAdmitsOthers_data() {
        QTest::addColumn<QString>("auswahl");
        QTest::addColumn<QString>("tenant");
        QTest::addColumn<bool>("excluded");
        auto row = [](const char* name, const QString& auswahl, const QString& tenant,
                      bool excluded) { QTest::newRow(name) << auswahl << tenant << excluded; };
        row("B of A,B", "A,B", "B", true);
        row("C of A,B", "A,B", "C", false);
        row("blanks and case", " a , b ", "B", true);
        row("prefix only", "AB", "A", false);
        row("empty tenant", "A,B", "", false);
        row("empty list", "", "A", false);
    }
    void barredTenantsListAdmitsOthers() {
        QFETCH(QString, auswahl);
        QFETCH(QString, tenant);
        TBenutzerEinstellungen user;
        user.Auswahl = auswahl;
        QTEST(user.IsTenantExcluded(tenant), "excluded");
    }

    void rightsAreDeniedByCode() {
        Installation inst;
        inst.setUser("Berechtigungen", "02, 03");
        inst.init();
        ScriptedDialogs dialogs;
        QVERIFY(TSystemEinstellungen::Login("T1", "MEIER", QString(), TPasswordCheck::Skip));
        const TBenutzerEinstellungen* usr = BenutzerEinstellungen();
        QVERIFY(usr->HasRight("01"));
        QVERIFY(!usr->HasRight("02"));
        QVERIFY(!usr->HasRight("03"));
    }

    void missingDirectoryKeysFailTheLogin_data() {
        QTest::addColumn<QString>("removedKey");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("Briefe") << "Briefe" << false;
        QTest::newRow("A1") << "A1" << false;
        QTest::newRow("only Kommission") << "Kommission" << true;
    }
    void missingDirectoryKeysFailTheLogin() {
        QFETCH(QString, removedKey);
        QFETCH(bool, admitted);
        Installation inst;
        {
            TIniFileSecWriter sysdata(inst.sysdataFile());
            sysdata.DeleteKey("System", removedKey);
            sysdata.UpdateFile();
        }
        inst.init();
        ScriptedDialogs dialogs;
        if (!admitted) dialogs.answer(mrOk);
        QCOMPARE(TSystemEinstellungen::Login("T1", "MEIER", QString(), TPasswordCheck::Skip),
                 admitted);
        if (!admitted) {
            const QString text = dialogs.texts().value(0);
            const QString file = QDir(inst.root).canonicalPath() + "/DATA/T1/ETC/SYSDATA.INI";
            QVERIFY2(text.startsWith("Mandant " + file + "\n"), qPrintable(text));
            QVERIFY2(text.contains("Fehlerhafte Datei \"" + file + "\""), qPrintable(text));
        }
    }

    void launcherReportsAndCreatesFolders() {
        Installation inst;
        QVERIFY(InitApplicationFor(TProgramDir::Bin, inst.root + "/BIN/KWPSTRT.EXE"));
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(!TSystemEinstellungen::Login("T1", "MEIER", QString(), TPasswordCheck::Skip));
        const QString text = dialogs.texts().value(0);
        const QString data = QDir(inst.root).canonicalPath() + "/DATA/T1/";
        QVERIFY2(text.contains("Verzeichnis \"" + data + "Briefe\" nicht gefunden. (Briefe)"),
                 qPrintable(text));
        QVERIFY(text.contains("Verzeichnis \"" + data +
                              "Leistungsdatei\" nicht gefunden. (Leistungskataloge)"));
        QVERIFY(QFileInfo(data + "ETC/TEMPLATES/VTNT/105").isDir());
    }

    void passwordCheck_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("right password") << "geheim" << 0 << "" << true;
        QTest::newRow("wrong password, no prompt") << "falsch" << 0 << "" << false;
        QTest::newRow("empty, right entry") << "" << 1 << "geheim" << true;
        QTest::newRow("empty, wrong entry") << "" << 1 << "GEHEIM" << false;
        QTest::newRow("empty, cancelled") << "" << 1 << "<cancel>" << false;
    }
    void passwordCheck() {
        QFETCH(QString, given);
        QFETCH(int, prompts);
        QFETCH(QString, entered);
        Installation inst;
        inst.init();
        ScriptedDialogs dialogs;
        if (prompts) {
            dialogs.answerPassword(entered == "<cancel>" ? std::nullopt
                                                         : std::optional<QString>(entered));
        }
        QTEST(TSystemEinstellungen::Login("T1", "MEIER", given, TPasswordCheck::Check),
              "admitted");
        QCOMPARE(dialogs.passwordPrompts(), prompts);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void loadFromIni() {
        QTemporaryDir dir;
        TIniFileSecWriter writer(dir.path() + "/SYSDATA.INI");
        for (const char* key : kDirKeys) writer.WriteString("System", key, QString());
        writer.WriteString("System", "HKurz", "CHF");
        writer.WriteFloat("System", "MwStNorm", 19);
        writer.WriteFloat("System", "WaehrFaktor1In", 1.95583);
        writer.WriteBool("System", "FullCurrency", true);
        writer.WriteInteger("EtTxt", "StdFontSize", 11);
        writer.UpdateFile();
        TSystemEinstellungen sys;
        sys.LoadFromIni(TIniFileSec(dir.path() + "/SYSDATA.INI"));
        QCOMPARE(sys.HKurz, QStringLiteral("CHF"));
        QCOMPARE(sys.MwStNorm, 19.0);
        QCOMPARE(sys.WaehrFaktor1In, 1.95583);
        QVERIFY(sys.FullCurrency);
        QCOMPARE(sys.EtTxtFontSize, 11);
        QCOMPARE(sys.FormatMoney(1234.5, QString()), QStringLiteral("1.234,50 CHF"));
        QCOMPARE(sys.FormatMoney(-0.005, "EUR"), QStringLiteral("-0,01 EUR"));
    }

    void looksUpCountries() {
        Installation inst;
        QFile file(inst.root + "/ETC/ISO_COUNTRYCODES.DAT");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Deutschland\tD\tDE\r\n") + "\xd6sterreich\tA\tAT\r\n" +
                   "Alt\tCH\r\nSchweiz\tCH\tCH\r\nkaputt\n");
        file.close();
        inst.init();
        TSystemEinstellungen* sys = SystemEinstellungen();
        QCOMPARE(sys->LookupCountry("a"), QStringLiteral("Österreich"));
        QCOMPARE(sys->LookupCountry("CH"), QStringLiteral("Schweiz"));
        QCOMPARE(sys->LookupCountry("XX"), QString());
        QCOMPARE(sys->LookupCountry(""), QString());
    }

    void opensPdfDocumentsInTheViewer_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("adds extension") << QString(" Rechnung 1 ") << QString("\"Rechnung 1.PDF\"");
        QTest::newRow("keeps lower case pdf") << QString("a.pdf") << QString("\"a.pdf\"");
        QTest::newRow("other extension") << QString("a.txt") << QString("\"a.txt.PDF\"");
    }
    void opensPdfDocumentsInTheViewer() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        Installation inst;
        inst.init();
        RecordingShell shell;
        SystemEinstellungen()->OpenPdfDocument(name);
        QCOMPARE(shell.started.size(), 1);
        QVERIFY(shell.started.first().parameters.endsWith(" -FD " + expected));
        QVERIFY(shell.started.first().program.startsWith(SystemEinstellungen()->BinDir));
        SystemEinstellungen()->OpenPdfDocument("   ");
        QCOMPARE(shell.started.size(), 1);
    }

    void formsDirFollowsLanguage() {
        Installation inst;
        inst.init();
        ScriptedDialogs dialogs;
        QVERIFY(TSystemEinstellungen::Login("T1", "MEIER", QString(), TPasswordCheck::Skip));
        UseLanguage("en_GB");
        QCOMPARE(SystemEinstellungen()->FormsDir(),
                 QDir(inst.root).canonicalPath() + "/DATA/T1/ETC/FORMS/en_GB/");
    }

    void tenantEntries_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QString("demo") << QString("DEMO");
        QTest::newRow("with text") << QString("Firma=Meier GmbH") << QString("FIRMA");
    }
    void tenantEntries() {
        QFETCH(QString, entry);
        QFETCH(QString, folder);
        Installation inst;
        inst.init();
        QCOMPARE(TMandanten().GetTenantEtcDir(entry),
                 QDir(inst.root).canonicalPath() + "/DATA/" + folder + "/ETC/");
    }

    void hashesPasswords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << QString() << QString("D41D8CD98F00B204E9800998ECF8427E");
        QTest::newRow("admin") << QString("admin") << QString("19A2854144B63A8F7617A6F225019B12");
        QTest::newRow("beyond Latin-1")
            << QString("Müller€") << QString("AA71B1638533D7176962F3E71DDB4E60");
        QTest::newRow("umlaut") << QString("Müller") << QString("582A5E54B2A8543DA58F33F43170AB0E");
    }
    void hashesPasswords() {
        QFETCH(QString, text);
        QTEST(HashPassword(text), "digest");
    }

    void listsUsers() {
        Installation inst;
        inst.init();
        QStringList users{"old"};
        LoadUserList(users);
        QCOMPARE(users, (QStringList{"MEIER", "GAST"}));
    }
};

KWP_REGISTER_TEST(TestSettings)
#include "tst_settings.moc"
