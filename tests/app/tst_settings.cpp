#include <QtTest>

#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "testsupport.h"

namespace {
const char* const kDirKeys[] = {"A1",       "Journale",  "Kleinrechnungen", "Angebote",
                                "Wartung",  "Lager",     "Bestellwesen",    "Leistungsdatei",
                                "Kataloge", "Auftraege", "Briefe",          "Kommission"};

template <typename Edit>
void editSec(const QString& path, Edit edit) {
    TIniFileSecWriter writer(path);
    edit(writer);
    writer.UpdateFile();
}

// A small installation: ROOT/BIN, tenant T1 with its SYSDATA.INI, user MEIER.
class Installation {
public:
    Installation() : root(dir.path() + QStringLiteral("/suite")) {
        for (const char* sub : {"/BIN", "/DATA/T1/ETC", "/ETC", "/USR/MEIER"})
            QDir().mkpath(root + sub);
        editSec(sysdataFile(), [](TIniFileSecWriter& w) {
            for (const char* key : kDirKeys)
                w.WriteString("System", key, QStringLiteral("[DATADIR]T1\\") + key);
        });
        editSec(sysdatbFile(), [](TIniFileSecWriter& w) {
            w.WriteString("MEIER", "Passwort", HashPassword("geheim"));
            w.WriteString("MEIER", "Vollname", "Hans Meier");
            w.WriteBool("MEIER", "ZutrittsSperre", false);
            w.WriteString("Listen", "Benutzer", "MEIER,GAST");
        });
    }
    QString program() const { return root + "/BIN/kwp00207"; }
    QString sysdataFile() const { return root + "/DATA/T1/ETC/SYSDATA.INI"; }
    QString sysdatbFile() const { return root + "/ETC/SYSDATB.INI"; }
    QString canonical() const { return QDir(root).canonicalPath(); }
    void setUser(const char* key, const QString& value) {
        editSec(sysdatbFile(), [&](TIniFileSecWriter& w) { w.WriteString("MEIER", key, value); });
    }
    void init() { QVERIFY(InitApplicationFor(TProgramDir::Bin, program())); }

    QTemporaryDir dir;
    QString root;
};

bool login(const QString& tenant = "T1", const QString& user = "MEIER") {
    return TSystemEinstellungen::Login(tenant, user, QString(), TPasswordCheck::Skip);
}
}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        FinalizeApplication();
        UseLanguage(QStringLiteral("de_DE"));
    }

    // The program must stand in BIN (kind 1) or RSC/UPDATE (kind 2), in any letter case.
    void programLocation_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("BIN") << 1 << "BIN" << true;
        QTest::newRow("updater") << 2 << "RSC/UPDATE" << true;
        QTest::newRow("kind 2 in BIN") << 2 << "BIN" << false;
    }
    void programLocation() {
        QFETCH(int, kind);
        QFETCH(QString, programDir);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath() + "/Suite Root/";
        QDir().mkpath(root + programDir);
        ScriptedDialogs dialogs;
        if (!accepted) dialogs.answer(mrOk);
        QCOMPARE(InitApplicationFor(TProgramDir(kind), root + programDir + "/kwp00207"), accepted);
        const TSystemEinstellungen* sys = SystemEinstellungen();
        if (!accepted) {
            QVERIFY(!sys);
            const QString text = dialogs.texts().value(0);
            QVERIFY2(text.startsWith("Initst-" + root + programDir + "/"), qPrintable(text));
            QVERIFY(!QFileInfo(root + "ETC").exists());
            return;
        }
        QCOMPARE(sys->RootDir, root);
        QCOMPARE(sys->BinDir, root + (kind == 1 ? programDir + "/" : "BIN/"));
        // Every folder of the tree exists afterwards.
        const QStringList tree{sys->EtcDir, sys->TmpDir,      sys->LogDir, sys->DataDir,
                               sys->UsrDir, sys->AllUsersDir, sys->HlpDir, sys->RscDir};
        QStringList expected;
        for (const char* sub :
             {"ETC/", "TMP/", "TMP/LOG/", "DATA/", "USR/", "USR/ALLUSERS/", "HLP/", "RSC/"}) {
            expected << root + sub;
            QVERIFY2(QFileInfo(root + sub).isDir(), sub);
        }
        QCOMPARE(tree, expected);
        QVERIFY(BenutzerEinstellungen());
    }

    void languageComesFromApplicationIni() {
        Installation inst;
        TIniFile ini(inst.root + "/ETC/APPLICATION.INI");
        ini.WriteString("Language", "Name", "en_GB");
        ini.UpdateFile();
        inst.init();
        QCOMPARE(GetCurrentLanguage(), QStringLiteral("en_GB"));
        ScriptedDialogs dialogs;
        QVERIFY(login());
        QCOMPARE(SystemEinstellungen()->FormsDir(), inst.canonical() + "/DATA/T1/ETC/FORMS/en_GB/");
    }

    void loginFillsBothSettings() {
        Installation inst;
        // Relative to the installation, whatever the current folder of the program.
        editSec(inst.sysdataFile(), [](TIniFileSecWriter& w) {
            w.WriteString("System", "Kommission", "DATA\\T1\\Kommission");
        });
        WriteFileBytes(inst.root + "/ETC/ISO_COUNTRYCODES.DAT",
                       QByteArray("Deutschland\tD\tDE\r\n") + "\xd6sterreich\tA\tAT\r\n" +
                           "Alt\tCH\r\nSchweiz\tCH\tCH\r\nkaputt\n");
        inst.init();
        QStringList users{"old"};
        LoadUserList(users);
        QCOMPARE(users, (QStringList{"MEIER", "GAST"}));
        ScriptedDialogs dialogs;
        QVERIFY(login(" T1 ", "meier "));
        TSystemEinstellungen* sys = SystemEinstellungen();
        const TBenutzerEinstellungen* usr = BenutzerEinstellungen();
        const QStringList paths{sys->TenantEtcDir, sys->AdressenDir,     sys->RechnungenDir,
                                sys->Kommission,   sys->VtntDirOf(102),  usr->UserDir,
                                usr->UserEtcDir,   usr->UserTenantEtcDir};
        QStringList expected;
        for (const char* relative :
             {"DATA/T1/ETC/", "DATA/T1/A1/ADRESSEN/", "DATA/T1/Journale/RECHNUNGEN/",
              "DATA/T1/Kommission", "DATA/T1/ETC/TEMPLATES/VTNT/102/", "USR/MEIER/",
              "USR/MEIER/ETC/", "USR/MEIER/ETC/T1/"})
            expected << inst.canonical() + "/" + relative;
        QCOMPARE(paths, expected);
        QCOMPARE(sys->Tenant, QStringLiteral(" T1 "));
        QCOMPARE(usr->User, QStringLiteral("MEIER"));
        QCOMPARE(usr->Vollname, QStringLiteral("Hans Meier"));
        QCOMPARE(usr->Passwort, HashPassword("geheim"));
        // A tenant entry may carry a text after '='.
        QCOMPARE(TMandanten().GetTenantEtcDir("Firma=Meier GmbH"),
                 inst.canonical() + "/DATA/FIRMA/ETC/");
        QCOMPARE(sys->LookupCountry("a"), QStringLiteral("Österreich"));
        QCOMPARE(sys->LookupCountry("CH"), QStringLiteral("Schweiz"));
    }

    void loginRefusals_data() {
        QTest::addColumn<QString>("tenant");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        const char* denied = "Ihnen wurde der Zugriff zur Anwendung verweigert.";
        const char* const rows[][5] = {
            {"unknown tenant", "T9", "MEIER", "",
             "Verzeichnis \"ROOT/DATA/T9/ETC/\" nicht gefunden."},
            {"no SYSDATA.INI", "T1", "MEIER", "remove sysdata",
             "Datei \"ROOT/DATA/T1/ETC/SYSDATA.INI\" nicht gefunden."},
            {"unknown user", "T1", "Schulz", "",
             "Der Benutzer \"SCHULZ\" wurde nicht in der Konfigurationsdatei "
             "\"ROOT/ETC/SYSDATB.INI\" gefunden."},
            {"without ZutrittsSperre key", "T1", "MEIER", "drop access key", denied},
            {"blocked", "T1", "MEIER", "block", denied},
            {"barred tenant", "T1", "MEIER", "bar A,T1", denied},
            {"no user folder", "T1", "MEIER", "remove user dir",
             "Das Benutzerverzeichnis \"ROOT/USR/MEIER/\" wurde nicht gefunden."},
            // An empty user name is refused without a message.
            {"empty user", "T1", "  ", "", ""}};
        for (const auto& r : rows) QTest::newRow(r[0]) << r[1] << r[2] << r[3] << r[4];
    }
    void loginRefusals() {
        QFETCH(QString, change);
        QFETCH(QString, message);
        Installation inst;
        if (change == "remove sysdata") QFile::remove(inst.sysdataFile());
        if (change == "block") inst.setUser("ZutrittsSperre", "-1");
        if (change == "bar A,T1") inst.setUser("Auswahl", "A,T1");
        if (change == "remove user dir") QDir(inst.root + "/USR/MEIER").removeRecursively();
        if (change == "drop access key")
            editSec(inst.sysdatbFile(),
                    [](TIniFileSecWriter& w) { w.DeleteKey("MEIER", "ZutrittsSperre"); });
        inst.init();
        ScriptedDialogs dialogs;
        if (!message.isEmpty()) dialogs.answer(mrOk);
        QFETCH(QString, tenant);
        QFETCH(QString, user);
        QVERIFY(!login(tenant, user));
        message.replace("ROOT", inst.canonical());
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(int(dialogs.shown().first().type), int(mtError));
    }

    void missingDirectoryKeyFailsTheLogin() {
        Installation inst;
        editSec(inst.sysdataFile(), [](TIniFileSecWriter& w) { w.DeleteKey("System", "Briefe"); });
        inst.init();
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(!login());
        const QString text = dialogs.texts().value(0);
        const QString file = inst.canonical() + "/DATA/T1/ETC/SYSDATA.INI";
        QVERIFY2(text.startsWith("Mandant " + file + "\n"), qPrintable(text));
        QVERIFY2(text.contains("Fehlerhafte Datei \"" + file + "\""), qPrintable(text));
    }

    // A wrong password is refused without asking; an empty one is asked for once.
    void passwordCheck() {
        Installation inst;
        inst.init();
        const std::tuple<const char*, std::optional<QString>, bool> rows[] = {
            {"falsch", std::nullopt, false},
            {"", QStringLiteral("GEHEIM"), false},
            {"", QStringLiteral("geheim"), true}};
        for (const auto& [given, entered, admitted] : rows) {
            ScriptedDialogs dialogs;
            const int prompts = *given ? 0 : 1;
            if (prompts) dialogs.answerPassword(entered);
            QCOMPARE(TSystemEinstellungen::Login("T1", "MEIER", given, TPasswordCheck::Check),
                     admitted);
            QCOMPARE(dialogs.passwordPrompts(), prompts);
            QVERIFY(dialogs.shown().isEmpty());
        }
    }

    void hashesPasswords() {
        QCOMPARE(HashPassword("admin"), QStringLiteral("19A2854144B63A8F7617A6F225019B12"));
        QCOMPARE(HashPassword("Müller€"), QStringLiteral("AA71B1638533D7176962F3E71DDB4E60"));
    }
};

KWP_REGISTER_TEST(TestSettings)
#include "tst_settings.moc"
