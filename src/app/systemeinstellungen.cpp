#include "app/systemeinstellungen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <type_traits>
#include <variant>

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/shell.h"
#include "app/sysdataschema.h"
#include "app/translation.h"

namespace {
std::unique_ptr<TSystemEinstellungen> g_system;
std::unique_ptr<TBenutzerEinstellungen> g_user;
std::unique_ptr<TIniFile> g_applicationIni;
std::unique_ptr<TIniFile> g_userApplicationIni;
QString g_programFile;

using S = TSystemEinstellungen;

// The suite launcher creates missing folders; every other program only reports them.
bool isLauncher() {
    const QString name = QFileInfo(RunningProgramFile()).fileName();
    return name.compare(QLatin1String("KWPSTRT.EXE"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("kwpstrt"), Qt::CaseInsensitive) == 0;
}

void showError(const QString& format, const QVariantList& args) {
    ShowMessageDlgFmt(format, args, mtError, mbOK);
}

// A relative folder is taken from the installation root, the same on every workstation,
// never from the current directory of whichever program reads it.
QString replaceDataDir(QString value, const QString& dataDir, const QString& rootDir) {
    value.replace(QLatin1String("[DATADIR]"), dataDir, Qt::CaseInsensitive);
    value.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (value.isEmpty()) return value;
    if (QDir::isRelativePath(value)) value = rootDir + QLatin1Char('/') + value;
    return QDir::cleanPath(value);
}

// Comma text as the suite writes it: entries separated by commas, optionally quoted.
QStringList splitCommaText(const QString& text) {
    QStringList result;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            if (quoted && i + 1 < text.size() && text.at(i + 1) == u'"') {
                current += c;
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == u',' && !quoted) {
            result.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    result.append(current.trimmed());
    result.removeAll(QString());
    return result;
}
}  // namespace

QString NormalizeDir(const QString& path) {
    if (path.trimmed().isEmpty()) return {};
    QString p = path.trimmed();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    p = QDir::cleanPath(p);
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}

QString ComposeDir(const QString& base, const QStringList& folders) {
    QString path = base;
    for (const QString& folder : folders) path += QLatin1Char('/') + folder;
    return NormalizeDir(path);
}

// ---------------------------------------------------------------- TSystemEinstellungen

namespace {
// Sets a field from the C-locale text of the schema.
void setDefault(TSystemEinstellungen& settings, const TSysdataKey& key) {
    const QString text = QString::fromLatin1(key.defaultValue);
    std::visit(
        [&](auto field) {
            using Value = std::remove_reference_t<decltype(settings.*field)>;
            if constexpr (std::is_same_v<Value, QString>)
                settings.*field = text;
            else if constexpr (std::is_same_v<Value, double>)
                settings.*field = QLocale::c().toDouble(text);
            else if constexpr (std::is_same_v<Value, bool>)
                settings.*field = text == QLatin1String("true");
            else
                settings.*field = static_cast<Value>(text.toInt());
        },
        key.field);
}
}  // namespace

TSystemEinstellungen::TSystemEinstellungen() {
    for (const TSysdataKey& key : SysdataSchema()) setDefault(*this, key);
    // Not loaded yet: no rate is chosen.
    MwStDefault = 0;
}

TSystemEinstellungen::~TSystemEinstellungen() = default;

void TSystemEinstellungen::LoadFromIni(const TCustomIniFileSec& ini) {
    QStringList lines;
    for (const TSysdataKey& key : SysdataSchema()) {
        if (key.required &&
            !ini.ValueExists(QString::fromLatin1(key.section), QString::fromLatin1(key.key)))
            lines.append(FormatStr(_("Fehlerhafte Datei \"%s\""), {ini.FileName()}));
    }

    for (const TSysdataKey& key : SysdataSchema()) {
        const QString section = QString::fromLatin1(key.section);
        const QString name = QString::fromLatin1(key.key);
        const QString fallback = QString::fromLatin1(key.defaultValue);
        switch (key.type) {
            case TSysdataType::Directory:
                this->*std::get<QString S::*>(key.field) =
                    replaceDataDir(ini.ReadString(section, name, fallback), DataDir, RootDir);
                break;
            case TSysdataType::Text:
                this->*std::get<QString S::*>(key.field) = ini.ReadString(section, name, fallback);
                break;
            case TSysdataType::Decimal:
                this->*std::get<double S::*>(key.field) =
                    ini.ReadFloat(section, name, QLocale::c().toDouble(fallback));
                break;
            case TSysdataType::Integer:
                this->*std::get<int S::*>(key.field) =
                    ini.ReadInteger(section, name, fallback.toInt());
                break;
            case TSysdataType::Byte:
                this->*std::get<quint8 S::*>(key.field) =
                    static_cast<quint8>(ini.ReadInteger(section, name, fallback.toInt()));
                break;
            case TSysdataType::Boolean:
                this->*std::get<bool S::*>(key.field) =
                    ini.ReadBool(section, name, fallback == QLatin1String("true"));
                break;
        }
    }
    const bool launcher = isLauncher();
    if (launcher) {
        for (const TSysdataKey& key : SysdataSchema()) {
            if (key.type != TSysdataType::Directory) continue;
            const QString& dir = this->*std::get<QString S::*>(key.field);
            if (!QFileInfo(dir).isDir()) {
                lines.append(
                    FormatStr(_("Verzeichnis \"%s\" nicht gefunden.") + QStringLiteral(" (%s)"),
                              {dir, _(key.area)}));
            }
        }
    }

    AdressenDir = ComposeDir(A1, {QStringLiteral("ADRESSEN")});
    RechnungenDir = ComposeDir(Journale, {QStringLiteral("RECHNUNGEN")});
    RechnungenDataDir =
        ComposeDir(Journale, {QStringLiteral("RECHNUNGEN"), QStringLiteral("DATA")});
    ImagesDir = ComposeDir(Lager, {QStringLiteral("IMAGES")});

    for (int n = 102; n <= 109; ++n) {
        QString& dir = VtntDir[n - 102];
        dir = ComposeDir(TenantEtcDir,
                         {QStringLiteral("TEMPLATES"), QStringLiteral("VTNT"), QString::number(n)});
        if (launcher && !QDir().mkpath(dir))
            lines.append(FormatStr(_("Kann Verzeichnis nicht anlegen: %s"), {dir}));
    }

    if (!lines.isEmpty()) throw EKwpError(lines.join(QLatin1Char('\n')));
}

bool TSystemEinstellungen::Login(const QString& tenant, const QString& user,
                                 const QString& password, TPasswordCheck passwordCheck) {
    TSystemEinstellungen* sys = SystemEinstellungen();
    TBenutzerEinstellungen* usr = BenutzerEinstellungen();
    if (!sys || !usr) return false;
    try {
        const QString tenantEtcDir =
            ComposeDir(sys->DataDir, {tenant.trimmed().toUpper(), QStringLiteral("ETC")});
        const QString userName = user.trimmed().toUpper();
        if (userName.isEmpty()) return false;

        if (!QFileInfo(tenantEtcDir).isDir()) {
            showError(_("Verzeichnis \"%s\" nicht gefunden."), {tenantEtcDir});
            return false;
        }
        const QString sysdata = tenantEtcDir + QStringLiteral("SYSDATA.INI");
        const QString sysdatb = sys->EtcDir + QStringLiteral("SYSDATB.INI");
        for (const QString& file : {sysdata, sysdatb}) {
            if (!QFileInfo(file).isFile()) {
                showError(_("Datei \"%s\" nicht gefunden."), {file});
                return false;
            }
        }
        sys->TenantEtcDir = tenantEtcDir;
        sys->Tenant = tenant;

        try {
            const TIniFileSec ini(sysdata);
            sys->LoadFromIni(ini);
        } catch (const std::exception& e) {
            ReportError(sevError, _("Mandant") + QLatin1Char(' ') + sysdata, nullptr, &e);
            return false;
        }

        const TIniFileSec users(sysdatb);
        if (!users.SectionExists(userName)) {
            showError(_("Der Benutzer \"%s\" wurde nicht in der Konfigurationsdatei \"%s\" "
                        "gefunden."),
                      {userName, sysdatb});
            return false;
        }
        usr->LoadFromIni(users, userName);
        if (usr->ZutrittsSperre || usr->IsTenantExcluded(tenant)) {
            showError(_("Ihnen wurde der Zugriff zur Anwendung verweigert."), {});
            return false;
        }
        if (!QFileInfo(usr->UserDir).isDir()) {
            showError(_("Das Benutzerverzeichnis \"%s\" wurde nicht gefunden."), {usr->UserDir});
            return false;
        }
        if (passwordCheck == TPasswordCheck::Skip) return true;
        if (HashPassword(password) == usr->Passwort) return true;
        if (!password.isEmpty()) return false;
        const std::optional<QString> entered = DialogService().askPassword(userName);
        return entered && HashPassword(*entered) == usr->Passwort;
    } catch (const std::exception& e) {
        ReportError(sevError, QStringLiteral("STLU500"), nullptr, &e);
        return false;
    }
}

QString TSystemEinstellungen::FormatMoney(double value, const QString& currency) const {
    return FormatStr(QStringLiteral("%n %s"), {value, currency.isEmpty() ? HKurz : currency});
}

QString TSystemEinstellungen::LookupCountry(const QString& code) {
    if (!m_countriesLoaded) {
        m_countriesLoaded = true;
        QFile file(EtcDir + QStringLiteral("ISO_COUNTRYCODES.DAT"));
        if (file.open(QIODevice::ReadOnly)) {
            // 8-bit text in the system code page
            const QString text = QString::fromLatin1(file.read(4 * 1024 * 1024));
            for (QString line : text.split(QLatin1Char('\n'))) {
                if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
                if (!line.isEmpty()) m_countries.append(line);
            }
        }
    }
    QString result;
    for (const QString& line : std::as_const(m_countries)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() >= 2 && fields.at(1).compare(code, Qt::CaseInsensitive) == 0)
            result = fields.at(0);
    }
    return result;
}

QString TSystemEinstellungen::FormsDir() const {
    return TenantEtcDir + QStringLiteral("FORMS/") + GetCurrentLanguage() + QLatin1Char('/');
}

void TSystemEinstellungen::OpenPdfDocument(const QString& fileName) const {
    QString name = fileName.trimmed();
    if (name.isEmpty()) return;
    if (!name.endsWith(QLatin1String(".PDF"), Qt::CaseInsensitive)) name += QStringLiteral(".PDF");
    QString program = ResolveProgramFile(BinDir, QStringLiteral("KWP00110.EXE"));
    if (program.isEmpty()) program = BinDir + QStringLiteral("kwp00110");
    const QStringList args = QCoreApplication::arguments();
    const QString parameters = args.value(1) + QLatin1Char(' ') + args.value(2) +
                               QStringLiteral(" -FD ") + QLatin1Char('"') + name + QLatin1Char('"');
    if (ShellService().startProgram(program, parameters, BinDir) != TShellResult::Ok)
        showError(_("Das Programm \"%s\" konnte nicht gestartet werden."), {program});
}

// ---------------------------------------------------------------- TBenutzerEinstellungen

void TBenutzerEinstellungen::LoadFromIni(const TCustomIniFileSec& ini, const QString& user) {
    const TSystemEinstellungen* sys = SystemEinstellungen();
    User = user;
    Passwort = ini.ReadString(user, QStringLiteral("Passwort"), HashPassword(QString()));
    Vollname = ini.ReadString(user, QStringLiteral("Vollname"), user);
    if (Vollname.trimmed().isEmpty()) Vollname = user;
    KontaktTel = ini.ReadString(user, QStringLiteral("KontaktTel"), QString());
    KontaktFax = ini.ReadString(user, QStringLiteral("KontaktFax"), QString());
    KontaktEmail = ini.ReadString(user, QStringLiteral("KontaktEmail"), QString());
    KontaktTxt = ini.ReadString(user, QStringLiteral("KontaktTxt"), QString());
    Provision = ini.ReadFloat(user, QStringLiteral("Provision"), 0);
    LoginTime = Now();
    const QString usrDir = sys ? sys->UsrDir : QString();
    const QString tenant = sys ? sys->Tenant.trimmed().toUpper() : QString();
    UserDir = ComposeDir(usrDir, {user.toUpper()});
    UserEtcDir = ComposeDir(UserDir, {QStringLiteral("ETC")});
    UserTenantEtcDir = ComposeDir(UserDir, {QStringLiteral("ETC"), tenant});
    UserTmpDir = ComposeDir(UserDir, {QStringLiteral("TMP")});
    UserDocDir = ComposeDir(UserDir, {QStringLiteral("DOC")});
    UserMsgDir = ComposeDir(UserDir, {QStringLiteral("MSG")});
    if (isLauncher()) {
        for (const QString& dir :
             {UserDir, UserEtcDir, UserTenantEtcDir, UserTmpDir, UserDocDir, UserMsgDir})
            QDir().mkpath(dir);
    }
    ZutrittsSperre = ini.ReadBool(user, QStringLiteral("ZutrittsSperre"), true);
    Auswahl = ini.ReadString(user, QStringLiteral("Auswahl"), QString());
    Berechtigungen =
        splitCommaText(ini.ReadString(user, QStringLiteral("Berechtigungen"), QString()));
}

bool TBenutzerEinstellungen::HasRight(const QString& code) const {
    return !Berechtigungen.contains(code.trimmed());
}

bool TBenutzerEinstellungen::IsTenantExcluded(const QString& tenant) const {
    if (tenant.trimmed().isEmpty()) return false;
    return splitCommaText(Auswahl).contains(tenant.trimmed(), Qt::CaseInsensitive);
}

// ---------------------------------------------------------------- TMandanten

QString TMandanten::GetTenantEtcDir(const QString& entry) const {
    const QString name = entry.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
    const TSystemEinstellungen* sys = SystemEinstellungen();
    return ComposeDir(sys ? sys->DataDir : QString(), {name, QStringLiteral("ETC")});
}

// ---------------------------------------------------------------- start-up

TSystemEinstellungen* SystemEinstellungen() {
    return g_system.get();
}
TBenutzerEinstellungen* BenutzerEinstellungen() {
    return g_user.get();
}
TIniFile* ApplicationIni() {
    return g_applicationIni.get();
}
TIniFile* UserApplicationIni() {
    if (!g_user || g_user->UserEtcDir.isEmpty()) return nullptr;
    const QString fileName = g_user->UserEtcDir + QStringLiteral("APPLICATION.INI");
    // A new login may name another user.
    if (!g_userApplicationIni || g_userApplicationIni->fileName() != fileName)
        g_userApplicationIni = std::make_unique<TIniFile>(fileName);
    return g_userApplicationIni.get();
}

QString RunningProgramFile() {
    if (!g_programFile.isEmpty()) return g_programFile;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

bool InitApplicationFor(TProgramDir programDir, const QString& programFile) {
    if (g_system) return true;
    RegisterTranslation();
    g_programFile = programFile;
    g_system = std::make_unique<TSystemEinstellungen>();
    TSystemEinstellungen& sys = *g_system;

    const QFileInfo info(programFile);
    const QString canonical = info.absoluteDir().canonicalPath();
    const QString folder = NormalizeDir(canonical.isEmpty() ? info.absolutePath() : canonical);
    QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool located = false;
    if (programDir == TProgramDir::Bin) {
        located = !parts.isEmpty() &&
                  parts.last().compare(QLatin1String("BIN"), Qt::CaseInsensitive) == 0;
        if (located) parts.removeLast();
    } else if (programDir == TProgramDir::RscUpdate) {
        located =
            parts.size() >= 2 &&
            parts.last().compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) == 0 &&
            parts.at(parts.size() - 2).compare(QLatin1String("RSC"), Qt::CaseInsensitive) == 0;
        if (located) parts.resize(parts.size() - 2);
    }
    if (!located) {
        ReportError(sevFatal, QStringLiteral("Initst-") + folder);
        g_system.reset();
        g_programFile.clear();
        return false;
    }
    sys.RootDir = NormalizeDir(QLatin1Char('/') + parts.join(QLatin1Char('/')));
    // The program's own folder is the BIN folder, whatever case it has on disk.
    sys.BinDir =
        programDir == TProgramDir::Bin ? folder : ComposeDir(sys.RootDir, {QStringLiteral("BIN")});

    g_user = std::make_unique<TBenutzerEinstellungen>();
    sys.EtcDir = ComposeDir(sys.RootDir, {QStringLiteral("ETC")});
    sys.TmpDir = ComposeDir(sys.RootDir, {QStringLiteral("TMP")});
    sys.LogDir = ComposeDir(sys.TmpDir, {QStringLiteral("LOG")});
    sys.DataDir = ComposeDir(sys.RootDir, {QStringLiteral("DATA")});
    sys.UsrDir = ComposeDir(sys.RootDir, {QStringLiteral("USR")});
    sys.AllUsersDir = ComposeDir(sys.UsrDir, {QStringLiteral("ALLUSERS")});
    sys.HlpDir = ComposeDir(sys.RootDir, {QStringLiteral("HLP")});
    sys.RscDir = ComposeDir(sys.RootDir, {QStringLiteral("RSC")});
    const QString temp = QDir::tempPath();
    sys.WinTempDir = temp.isEmpty() ? sys.TmpDir : NormalizeDir(temp);

    auto ensureDir = [](const QString& dir) {
        if (!QDir().mkpath(dir)) showError(_("Kann Verzeichnis nicht anlegen: %s"), {dir});
    };
    ensureDir(sys.EtcDir);
    g_applicationIni = std::make_unique<TIniFile>(sys.EtcDir + QStringLiteral("APPLICATION.INI"));
    UseLanguage(g_applicationIni->ReadString(QStringLiteral("Language"), QStringLiteral("Name"),
                                             QStringLiteral("de_DE")));
    for (const QString& dir :
         {sys.TmpDir, sys.LogDir, sys.DataDir, sys.UsrDir, sys.AllUsersDir, sys.HlpDir, sys.RscDir})
        ensureDir(dir);
    return true;
}

void InitApplication(TProgramDir programDir, TTaskbarButton) {
    // Tool windows are the desktop's business here; a taskbar entry is harmless.
    if (g_system) return;
    if (!InitApplicationFor(programDir, QCoreApplication::applicationFilePath())) std::exit(0);
}

void FinalizeApplication() {
    g_userApplicationIni.reset();
    g_applicationIni.reset();
    g_user.reset();
    g_system.reset();
    g_programFile.clear();
}

QString HashPassword(const QString& text) {
    return Md5HexUtf16(text);
}

void LoadUserList(QStringList& list) {
    const TSystemEinstellungen* sys = SystemEinstellungen();
    if (!sys) return;
    const TIniFileSec ini(sys->EtcDir + QStringLiteral("SYSDATB.INI"));
    list = splitCommaText(
        ini.ReadString(QStringLiteral("Listen"), QStringLiteral("Benutzer"), QString()));
}
