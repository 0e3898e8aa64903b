#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class TCustomIniFileSec;
class TIniFile;

// Directory values end with '/'. A backslash read from a settings file is a separator.
QString NormalizeDir(const QString& path);
// base + folder names, normalised; folder names the program composes are upper case.
QString ComposeDir(const QString& base, const QStringList& folders);

// The suite starts its programs with tenant and user only; the password is checked where the
// user typed one.
enum class TPasswordCheck { Skip, Check };

// Process-wide system settings of the logged-in tenant.
class TSystemEinstellungen {
public:
    TSystemEinstellungen();
    ~TSystemEinstellungen();

    // Installation tree
    QString RootDir, BinDir, EtcDir, TmpDir, LogDir, DataDir, UsrDir, AllUsersDir, HlpDir, RscDir;
    QString TenantEtcDir, WinTempDir, Tenant;

    // "SYSDATA.INI" (keys, types and defaults in SysdataSchema()): data directories
    QString A1, Journale, Kleinrechnungen, Angebote, Wartung, Lager, Bestellwesen, Leistungsdatei,
        Kataloge, Auftraege, Briefe, Kommission;
    // currencies
    QString Hauswaehrung, HKurz, Waehrung1, W1Kurz;
    double WaehrFaktor1In, WaehrFaktor1Out;
    int HausX1In, HausX1Out;
    QString Waehrung2, W2Kurz;
    double WaehrFaktor2In, WaehrFaktor2Out;
    int HausX2In, HausX2Out;
    QString Waehrung3, W3Kurz;
    double WaehrFaktor3In, WaehrFaktor3Out;
    int HausX3In, HausX3Out;
    QString StdSprache;
    double MwStRed, MwStNorm, MwStErh;
    bool MwStMultiDisabled;
    quint8 MwStDefault;
    // text defaults
    int StdTxtWidthMM;
    QString StdTxtFont;
    int StdTxtFontSize;
    int EtTxtWidthMM;
    QString EtTxtFont;
    int EtTxtFontSize;
    int VTNTTxtWidthMM;
    QString VTNTTxtFont;
    int VTNTTxtFontSize;
    bool FullCurrency, RoundCurrencyEnabled, ArtikelVKPreisIsBrutto;

    // derived paths
    QString AdressenDir, RechnungenDir, RechnungenDataDir, ImagesDir;
    QString VtntDir[8];  // VtntDir102 .. VtntDir109
    QString VtntDirOf(int number) const { return VtntDir[number - 102]; }

    // Logs the user into the tenant and fills both singletons; every refusal shows its
    // message (but an empty user) and returns false.
    static bool Login(const QString& tenant, const QString& user, const QString& password,
                      TPasswordCheck passwordCheck);
    // Reads "SYSDATA.INI"; throws EKwpError with the collected "Fehlerhafte Datei" lines.
    void LoadFromIni(const TCustomIniFileSec& ini);

    QString FormatMoney(double value, const QString& currency) const;
    QString LookupCountry(const QString& code);
    QString FormsDir() const;
    void OpenPdfDocument(const QString& fileName) const;

private:
    QStringList m_countries;
    bool m_countriesLoaded = false;
};

// Process-wide settings of the logged-in user.
class TBenutzerEinstellungen {
public:
    QString User, Passwort, Vollname, KontaktTel, KontaktFax, KontaktEmail;
    double Provision = 0;
    QString KontaktTxt;
    QDateTime LoginTime;
    QString UserDir, UserEtcDir, UserTenantEtcDir, UserTmpDir, UserDocDir, UserMsgDir;
    bool ZutrittsSperre = true;
    QString Auswahl;
    QStringList Berechtigungen;

    void LoadFromIni(const TCustomIniFileSec& ini, const QString& user);
    // Rights: "01" create or copy, "02" save, "03" delete.
    bool HasRight(const QString& code) const;
    bool IsTenantExcluded(const QString& tenant) const;
};

// The tenants; an entry is a name, optionally followed by "=" and further text.
class TMandanten {
public:
    QStringList Items;
    QString GetTenantEtcDir(const QString& entry) const;
};

TSystemEinstellungen* SystemEinstellungen();
TBenutzerEinstellungen* BenutzerEinstellungen();

// Where a program of the suite lies below the installation root.
enum class TProgramDir { Bin = 1, RscUpdate = 2 };
enum class TTaskbarButton { Show, Hide };

// A program outside its folder is reported ("Initst-" + folder) and ends the process. A second
// call does nothing.
void InitApplication(TProgramDir programDir, TTaskbarButton taskbarButton);
// The same for a given program file; returns false instead of ending the process.
bool InitApplicationFor(TProgramDir programDir, const QString& programFile);
// Frees the singletons (tests and process end).
void FinalizeApplication();
// The suite "APPLICATION.INI", open for the life of the process.
TIniFile* ApplicationIni();
// The user's own "APPLICATION.INI" (colours, window placement): opened on first use after the
// login and kept open for the life of the process; null before a login.
TIniFile* UserApplicationIni();
// The program file name the settings layer checks for the suite launcher.
QString RunningProgramFile();

QString HashPassword(const QString& text);
void LoadUserList(QStringList& list);
void FillLanguageList(QStringList& list);
