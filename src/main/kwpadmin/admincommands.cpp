#include "main/kwpadmin/admincommands.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <algorithm>
#include <functional>

#include "app/format.h"
#include "app/translation.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"
#include "setup/demosetup.h"
#include "setup/installation.h"
#include "setup/lookupsetup.h"
#include "setup/protectedvalues.h"
#include "setup/tenantsetup.h"
#include "setup/usersetup.h"

#ifndef KWP_VERSION
#define KWP_VERSION "0.0"
#endif

namespace {
const QString kProgram = QStringLiteral("kwpadmin");

struct TOptionDef {
    QString name;
    bool takesValue = false;
};

// The arguments of one command after the command words.
struct TCommandLine {
    QStringList positional;
    QList<QPair<QString, QString>> options;   // known options; flags carry an empty value
    QList<QPair<QString, QString>> settings;  // free --Key=Value pairs (tenant add)
    bool help = false;

    bool has(const QString& name) const {
        for (const auto& option : options) {
            if (option.first == name) return true;
        }
        return false;
    }
    std::optional<QString> value(const QString& name) const {
        std::optional<QString> result;
        for (const auto& option : options) {
            if (option.first == name) result = option.second;
        }
        return result;
    }
};

struct TContext {
    QTextStream& out;
    QTextStream& err;
    TAdminLog log;
};

struct TCommand {
    QString name;  // one or two words: "init", "tenant add"
    QString usage;
    QString summary;
    std::function<QString()> details;
    qsizetype minArgs = 0;
    qsizetype maxArgs = 0;
    QList<TOptionDef> options;
    bool freeSettings = false;
    std::function<int(const TCommandLine&, TContext&)> run;
};

int runInit(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const TAdminLog log(&context.out, &context.err);
    InitInstallation(paths, log);
    const QString text = log.infoCount() == 0
                             ? _("Installation \"%s\" ist vollständig, nichts zu tun.")
                             : _("Installation \"%s\" ist bereit.");
    context.out << FormatStr(text, {paths.root}) << Qt::endl;
    return AdminExitOk;
}

int runTenantAdd(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    TTenantOptions options;
    options.overrides = line.settings;
    options.force = line.has(QStringLiteral("force"));
    AddTenant(paths, line.positional.at(1), options, context.log);
    return AdminExitOk;
}

int runTenantList(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    paths.requireInitialised();
    for (const QString& tenant : ReadTenantList(paths)) context.out << tenant << Qt::endl;
    return AdminExitOk;
}

int runUserAdd(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    TUserOptions options;
    options.password = line.value(QStringLiteral("password")).value_or(QString());
    options.fullName = line.value(QStringLiteral("fullname"));
    options.tel = line.value(QStringLiteral("tel")).value_or(QString());
    options.fax = line.value(QStringLiteral("fax")).value_or(QString());
    options.email = line.value(QStringLiteral("email")).value_or(QString());
    options.text = line.value(QStringLiteral("text")).value_or(QString());
    if (const auto provision = line.value(QStringLiteral("provision")))
        options.provision = ParseDecimal(*provision, QStringLiteral("--provision"));
    if (const auto deny = line.value(QStringLiteral("deny")))
        options.deniedRights = ParseRightCodes(*deny);
    if (const auto barred = line.value(QStringLiteral("bar-tenants")))
        options.barredTenants = ParseTenantNames(*barred);
    options.blocked = line.has(QStringLiteral("blocked"));
    options.force = line.has(QStringLiteral("force"));
    AddUser(paths, line.positional.at(1), options, context.log);
    return AdminExitOk;
}

int runUserList(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    paths.requireInitialised();
    for (const QString& user : ReadUserList(paths)) context.out << user << Qt::endl;
    return AdminExitOk;
}

int runIniGet(const TCommandLine& line, TContext& context) {
    const TProtectedValue value =
        ReadProtectedValue(line.positional.at(0), line.positional.at(1), line.positional.at(2));
    if (value.status != TProtectedValue::Verified) {
        context.err << kProgram << QStringLiteral(": ") << value.problem << Qt::endl;
        return AdminExitCheckFailed;
    }
    context.out << value.value << Qt::endl;
    return AdminExitOk;
}

int runIniSet(const TCommandLine& line, TContext&) {
    WriteProtectedValue(line.positional.at(0), line.positional.at(1), line.positional.at(2),
                        line.positional.at(3));
    return AdminExitOk;
}

int runDemo(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    CreateDemo(paths, context.log);
    context.out << FormatStr(_("Demo-Installation \"%s\" ist bereit (Mandant DEMO, Benutzer "
                               "ADMIN mit Passwort \"admin\", GAST mit Passwort \"gast\")."),
                             {paths.root})
                << Qt::endl;
    return AdminExitOk;
}

int runAddressesExport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const int count =
        ExportAddresses(paths, line.positional.at(1), line.positional.at(2), context.log);
    context.out << FormatStr(_("%d Adressen exportiert."), {count}) << Qt::endl;
    return AdminExitOk;
}

int runAddressesImport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const int count = ImportAddresses(paths, line.positional.at(1), line.positional.at(2),
                                      line.has(QStringLiteral("replace")), context.log);
    context.out << FormatStr(_("%d Adressen importiert."), {count}) << Qt::endl;
    return AdminExitOk;
}

int runAddressesVCardExport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const QString version = line.value(QStringLiteral("version")).value_or(QStringLiteral("3"));
    if (version != QLatin1String("3") && version != QLatin1String("4"))
        throw EAdminUsageError(_("--version muss 3 oder 4 sein."));
    const int count = ExportAddressVCards(paths, line.positional.at(1), line.positional.at(2),
                                          version.toInt(), line.positional.mid(3), context.log);
    context.out << FormatStr(_("%d Adressen exportiert."), {count}) << Qt::endl;
    return AdminExitOk;
}

int runAddressesVCardImport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const int count =
        ImportAddressVCards(paths, line.positional.at(1), line.positional.at(2), context.log);
    context.out << FormatStr(_("%d Adressen importiert."), {count}) << Qt::endl;
    return AdminExitOk;
}

int runAddressesCsvExport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const int count =
        ExportAddressCsv(paths, line.positional.at(1), line.positional.at(2), context.log);
    context.out << FormatStr(_("%d Adressen exportiert."), {count}) << Qt::endl;
    return AdminExitOk;
}

int runBlzImport(const TCommandLine& line, TContext& context) {
    const TInstallationPaths paths(line.positional.at(0));
    const int count = ImportBankCodes(paths, line.positional.at(1), context.log);
    context.out << FormatStr(_("%d Bankleitzahlen übernommen."), {count}) << Qt::endl;
    return AdminExitOk;
}

QString userAddDetails() {
    return _(
        "Legt einen Benutzer in ETC/SYSDATB.INI an (Name in Großbuchstaben), dazu den\n"
        "Ordner USR/<NAME>/ mit ETC, TMP, DOC und MSG, und trägt ihn in die Benutzerliste "
        "ein.\n\n"
        "Optionen:\n"
        "  --password P         Passwort (ohne: leeres Passwort)\n"
        "  --fullname TEXT      vollständiger Name (ohne: der Benutzername)\n"
        "  --tel T, --fax F     Telefon und Fax\n"
        "  --email E            E-Mail-Adresse\n"
        "  --text T             Kontakttext\n"
        "  --provision N        Provision in Prozent (z. B. 2,5)\n"
        "  --deny 02,03         verweigerte Rechte: 01 anlegen/kopieren, 02 speichern, "
        "03 löschen\n"
        "  --bar-tenants A,B    Mandanten, die der Benutzer nicht öffnen darf\n"
        "  --blocked            Zugang sperren\n"
        "  --force              einen vorhandenen Benutzer überschreiben\n");
}

QString tenantAddDetails() {
    return _("Legt einen Mandanten an: den Ordner DATA/<NAME>/ mit ETC (SYSDATA.INI, "
             "TEMPLATES/VTNT/102..109,\n"
             "FORMS/de_DE), die Datenverzeichnisse, und den Eintrag in der Mandantenliste.\n"
             "Einstellungen werden mit --Schlüssel=Wert (Abschnitt System) oder\n"
             "--Abschnitt.Schlüssel=Wert geändert; \"[DATADIR]\" steht für ROOT/DATA/.\n"
             "Unbekannte Schlüssel werden mit einer Warnung geschrieben.\n\n"
             "Optionen:\n"
             "  --force              die Einstellungen eines vorhandenen Mandanten "
             "überschreiben\n\n"
             "Einstellungen und ihre Vorgaben:\n") +
           TenantSettingsHelp();
}

QList<TCommand> commands() {
    return {
        {QStringLiteral("init"),
         QStringLiteral("kwpadmin init ROOT"),
         _("legt das Installationsverzeichnis an"),
         [] {
             return _(
                 "Legt ROOT mit BIN, ETC, TMP, TMP/LOG, DATA, USR, USR/ALLUSERS, HLP und RSC "
                 "an,\ndazu ETC/APPLICATION.INI, ETC/SYSDATB.INI und "
                 "ETC/ISO_COUNTRYCODES.DAT,\nsoweit sie fehlen. Vorhandene Dateien bleiben "
                 "unverändert.\n");
         },
         1,
         1,
         {},
         false,
         runInit},
        {QStringLiteral("tenant add"),
         QStringLiteral("kwpadmin tenant add ROOT NAME [--Schlüssel=Wert ...] [--force]"),
         _("legt einen Mandanten an"),
         tenantAddDetails,
         2,
         2,
         {{QStringLiteral("force"), false}},
         true,
         runTenantAdd},
        {QStringLiteral("tenant list"),
         QStringLiteral("kwpadmin tenant list ROOT"),
         _("zeigt die Mandantenliste"),
         [] { return _("Gibt die Mandanten aus ETC/SYSDATB.INI aus, einen je Zeile.\n"); },
         1,
         1,
         {},
         false,
         runTenantList},
        {QStringLiteral("user add"),
         QStringLiteral("kwpadmin user add ROOT NAME [Optionen]"),
         _("legt einen Benutzer an"),
         userAddDetails,
         2,
         2,
         {{QStringLiteral("password"), true},
          {QStringLiteral("fullname"), true},
          {QStringLiteral("tel"), true},
          {QStringLiteral("fax"), true},
          {QStringLiteral("email"), true},
          {QStringLiteral("text"), true},
          {QStringLiteral("provision"), true},
          {QStringLiteral("deny"), true},
          {QStringLiteral("bar-tenants"), true},
          {QStringLiteral("blocked"), false},
          {QStringLiteral("force"), false}},
         false,
         runUserAdd},
        {QStringLiteral("user list"),
         QStringLiteral("kwpadmin user list ROOT"),
         _("zeigt die Benutzerliste"),
         [] { return _("Gibt die Benutzer aus ETC/SYSDATB.INI aus, einen je Zeile.\n"); },
         1,
         1,
         {},
         false,
         runUserList},
        {QStringLiteral("ini get"),
         QStringLiteral("kwpadmin ini get DATEI ABSCHNITT SCHLÜSSEL"),
         _("liest einen geschützten Wert"),
         [] {
             return _(
                 "Gibt den geprüften Wert eines geschützten Schlüssels aus. Rückgabewert 1,\n"
                 "wenn der Schlüssel fehlt oder der Wert die Prüfung nicht besteht.\n");
         },
         3,
         3,
         {},
         false,
         runIniGet},
        {QStringLiteral("ini set"),
         QStringLiteral("kwpadmin ini set DATEI ABSCHNITT SCHLÜSSEL [--] WERT"),
         _("schreibt einen geschützten Wert"),
         [] {
             return _(
                 "Schreibt einen geschützten Wert; die Datei wird angelegt, wenn sie fehlt.\n"
                 "Ein Wert, der mit '-' beginnt, steht hinter \"--\".\n");
         },
         4,
         4,
         {},
         false,
         runIniSet},
        {QStringLiteral("demo"),
         QStringLiteral("kwpadmin demo ROOT"),
         _("legt eine Demo-Installation an"),
         [] {
             return _(
                 "Richtet ROOT ein und legt den Mandanten DEMO, den Benutzer ADMIN (Passwort\n"
                 "\"admin\") und den Benutzer GAST (Passwort \"gast\", ohne die Rechte 02 und "
                 "03)\nan. Vorhandenes wird übersprungen.\n");
         },
         1,
         1,
         {},
         false,
         runDemo},
        {QStringLiteral("addresses export"),
         QStringLiteral("kwpadmin addresses export ROOT MANDANT DATEI"),
         _("schreibt alle Adressen eines Mandanten in eine Datei"),
         [] {
             return _(
                 "Schreibt jede Adresse des Mandanten mit allen Angaben als Liste\n"
                 "\"<adressen>\" (UTF-16) in DATEI.\n");
         },
         3,
         3,
         {},
         false,
         runAddressesExport},
        {QStringLiteral("addresses import"),
         QStringLiteral("kwpadmin addresses import ROOT MANDANT DATEI [--replace]"),
         _("liest Adressen aus einer Datei ein"),
         [] {
             return _(
                 "Liest eine Liste \"<adressen>\" in die Adresstabelle des Mandanten. "
                 "Adressen,\nderen Nummer schon vorhanden ist, werden übersprungen, mit "
                 "--replace\nersetzt. Eine fehlerhafte Datei ändert nichts.\n");
         },
         3,
         3,
         {{QStringLiteral("replace"), false}},
         false,
         runAddressesImport},
        {QStringLiteral("addresses vcard-export"),
         QStringLiteral("kwpadmin addresses vcard-export ROOT MANDANT DATEI [--version 3|4] "
                        "[NUMMER...]"),
         _("schreibt Adressen als vCards"),
         [] {
             return _(
                 "Schreibt alle Adressen des Mandanten oder die genannten Nummern als vCards\n"
                 "(Version 3.0, mit --version 4 Version 4.0, UTF-8) in DATEI, zum Beispiel für\n"
                 "Telefone und E-Mail-Programme.\n");
         },
         3,
         1000000,
         {{QStringLiteral("version"), true}},
         false,
         runAddressesVCardExport},
        {QStringLiteral("addresses vcard-import"),
         QStringLiteral("kwpadmin addresses vcard-import ROOT MANDANT DATEI"),
         _("liest vCards als neue Adressen ein"),
         [] {
             return _(
                 "Legt für jede vCard (Version 2.1, 3.0 oder 4.0) in DATEI eine neue Adresse\n"
                 "an; die Nummern folgen dem ersten Nummernkreis, sonst der letzten Nummer.\n"
                 "Eine fehlerhafte Datei ändert nichts.\n");
         },
         3,
         3,
         {},
         false,
         runAddressesVCardImport},
        {QStringLiteral("addresses csv-export"),
         QStringLiteral("kwpadmin addresses csv-export ROOT MANDANT DATEI"),
         _("schreibt alle Adressen als CSV-Tabelle"),
         [] {
             return _(
                 "Schreibt jede Adresse des Mandanten als Zeile einer CSV-Tabelle (UTF-8,\n"
                 "Trennzeichen \";\", mit Kopfzeile) in DATEI, für Tabellenkalkulationen.\n");
         },
         3,
         3,
         {},
         false,
         runAddressesCsvExport},
        {QStringLiteral("blz import"),
         QStringLiteral("kwpadmin blz import ROOT DATEI"),
         _("übernimmt die Bankleitzahlendatei der Bundesbank"),
         [] {
             return _(
                 "Füllt ETC/BLZCODES.TDBD aus der Bankleitzahlendatei der Deutschen\n"
                 "Bundesbank (feste Spaltenbreiten, Latin-1). Übernommen werden die "
                 "Zeilen\nmit dem Merkmal 1.\n");
         },
         2,
         2,
         {},
         false,
         runBlzImport},
    };
}

QString globalHelp() {
    QString text =
        _("kwpadmin - Einrichtung von Installation, Mandanten und Benutzern der Suite\n\n"
          "Aufruf: kwpadmin BEFEHL [ARGUMENTE] [OPTIONEN]\n\nBefehle:\n");
    constexpr qsizetype column = 44;
    auto addLine = [&](const QString& usage, const QString& summary) {
        text += QStringLiteral("  ") + usage;
        // A long usage gets its summary on the next line, in the same column.
        text += usage.size() < column ? QString(column - usage.size(), QLatin1Char(' '))
                                      : QLatin1Char('\n') + QString(column + 2, QLatin1Char(' '));
        text += summary + QLatin1Char('\n');
    };
    for (const TCommand& command : commands())
        addLine(command.usage.mid(kProgram.size() + 1), command.summary);
    addLine(QStringLiteral("help [BEFEHL]"), _("zeigt die Hilfe zu einem Befehl"));
    text +=
        _("\nOptionen:\n"
          "  -h, --help       Hilfe (auch hinter einem Befehl)\n"
          "  --version        Versionsnummer\n\n"
          "Rückgabewerte: 0 Erfolg, 1 Wert fehlt oder Prüfung fehlgeschlagen (ini get),\n"
          "2 falscher Aufruf, 3 Fehler bei der Ausführung.\n");
    return text;
}

QString commandHelp(const TCommand& command) {
    return _("Aufruf: ") + command.usage + QStringLiteral("\n\n") + command.details();
}

int usageError(TContext& context, const QString& message, const QString& hint = {}) {
    context.err << kProgram << QStringLiteral(": ") << message << Qt::endl;
    context.err << (hint.isEmpty() ? _("Hilfe: kwpadmin --help") : hint) << Qt::endl;
    return AdminExitUsage;
}

QString commandHint(const TCommand& command) {
    return _("Aufruf: ") + command.usage + QLatin1Char('\n') +
           FormatStr(_("Hilfe: kwpadmin help %s"), {command.name});
}

// Commands whose name starts with the given words ("tenant" finds "tenant add" and "tenant list").
QList<TCommand> commandsStartingWith(const QString& words) {
    QList<TCommand> found;
    for (const TCommand& command : commands()) {
        if (command.name == words || command.name.startsWith(words + QLatin1Char(' ')))
            found.append(command);
    }
    return found;
}

int showHelp(const QStringList& words, TContext& context) {
    if (words.isEmpty()) {
        context.out << globalHelp();
        return AdminExitOk;
    }
    const QList<TCommand> found = commandsStartingWith(words.join(QLatin1Char(' ')));
    if (found.isEmpty())
        return usageError(context,
                          FormatStr(_("Unbekannter Befehl: %s"), {words.join(QLatin1Char(' '))}));
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (i > 0) context.out << QLatin1Char('\n');
        context.out << commandHelp(found.at(i));
    }
    return AdminExitOk;
}

const TOptionDef* findOption(const TCommand& command, const QString& name) {
    const auto found = std::find_if(command.options.cbegin(), command.options.cend(),
                                    [&](const TOptionDef& o) { return o.name == name; });
    return found == command.options.cend() ? nullptr : &*found;
}

// Why the parser refused the arguments, said as the tool says it: the first argument in order
// that is no option of the command or lacks or carries a value.
QString refusedArgument(const TCommand& command, const QStringList& args) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--")) break;
        if (arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) continue;
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) continue;
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, equals < 0 ? -1 : equals - 2);
        const TOptionDef* known =
            arg.startsWith(QLatin1String("--")) ? findOption(command, name) : nullptr;
        if (!known) return FormatStr(_("Unbekannte Option: %s"), {arg});
        if (known->takesValue && equals < 0 && ++i >= args.size())
            return FormatStr(_("Die Option --%s erwartet einen Wert."), {name});
        if (!known->takesValue && equals >= 0)
            return FormatStr(_("Die Option --%s erwartet keinen Wert."), {name});
    }
    return FormatStr(_("Unbekannte Option: %s"), {args.join(QLatin1Char(' '))});
}

// Splits the arguments after the command words into positional arguments and options.
TCommandLine parseCommandLine(const TCommand& command, const QStringList& args) {
    TCommandLine line;
    // Free "--Key=Value" settings are no options the parser could know: they are taken first.
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--")) {
            rest += args.mid(i);
            break;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, equals < 0 ? -1 : equals - 2);
        if (!command.freeSettings || !arg.startsWith(QLatin1String("--")) || name.isEmpty() ||
            arg == QLatin1String("--help") || findOption(command, name)) {
            rest.append(arg);
            continue;
        }
        if (equals < 0) {
            throw EAdminUsageError(
                FormatStr(_("Für --%s fehlt der Wert; erwartet wird --%s=Wert."), {name, name}));
        }
        line.settings.append({name, arg.mid(equals + 1)});
    }

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    for (const TOptionDef& option : command.options) {
        parser.addOption(option.takesValue
                             ? QCommandLineOption(option.name, QString(), QStringLiteral("WERT"))
                             : QCommandLineOption(option.name));
    }
    if (!parser.parse(QStringList{kProgram} + rest))
        throw EAdminUsageError(refusedArgument(command, rest));
    line.help = parser.isSet(help);
    line.positional = parser.positionalArguments();
    for (const TOptionDef& option : command.options) {
        if (!parser.isSet(option.name)) continue;
        line.options.append(
            {option.name, option.takesValue ? parser.value(option.name) : QString()});
    }
    return line;
}

int runCommand(const TCommand& command, const QStringList& args, TContext& context) {
    TCommandLine line;
    try {
        line = parseCommandLine(command, args);
    } catch (const EAdminUsageError& error) {
        return usageError(context, error.message(), commandHint(command));
    }
    if (line.help) {
        context.out << commandHelp(command);
        return AdminExitOk;
    }
    if (line.positional.size() < command.minArgs) {
        return usageError(context, FormatStr(_("Zu wenige Argumente für \"%s\"."), {command.name}),
                          commandHint(command));
    }
    if (line.positional.size() > command.maxArgs) {
        const QStringList extra = line.positional.mid(command.maxArgs);
        return usageError(context,
                          FormatStr(_("Zu viele Argumente für \"%s\": %s"),
                                    {command.name, extra.join(QLatin1Char(' '))}),
                          commandHint(command));
    }
    try {
        return command.run(line, context);
    } catch (const EAdminUsageError& error) {
        return usageError(context, error.message(), commandHint(command));
    } catch (const EKwpError& error) {
        context.err << kProgram << QStringLiteral(": ") << error.message() << Qt::endl;
        return AdminExitFailed;
    }
}

int dispatch(const QStringList& args, TContext& context) {
    if (args.isEmpty()) return usageError(context, _("Es fehlt ein Befehl."));
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return showHelp({}, context);
    if (first == QLatin1String("help")) return showHelp(args.mid(1), context);
    if (first == QLatin1String("--version")) {
        context.out << kProgram << QLatin1Char(' ') << QStringLiteral(KWP_VERSION) << Qt::endl;
        return AdminExitOk;
    }
    if (first.startsWith(QLatin1Char('-')))
        return usageError(context, FormatStr(_("Unbekannte Option: %s"), {first}));

    const QList<TCommand> group = commandsStartingWith(first);
    if (group.isEmpty())
        return usageError(context, FormatStr(_("Unbekannter Befehl: %s"), {first}));
    if (group.size() == 1 && group.first().name == first)
        return runCommand(group.first(), args.mid(1), context);

    // A command of two words: "tenant add", "user list", ...
    const QString second = args.value(1);
    if (second == QLatin1String("--help") || second == QLatin1String("-h"))
        return showHelp({first}, context);
    QStringList names;
    for (const TCommand& command : group) {
        if (command.name == first + QLatin1Char(' ') + second)
            return runCommand(command, args.mid(2), context);
        names.append(command.name.mid(first.size() + 1));
    }
    const QString hint = FormatStr(_("Mögliche Befehle: %s"), {names.join(QStringLiteral(", "))});
    if (second.isEmpty())
        return usageError(context, FormatStr(_("Unvollständiger Befehl: %s"), {first}), hint);
    return usageError(
        context,
        FormatStr(_("Unbekannter Befehl: %s"), {QString(first + QLatin1Char(' ') + second)}), hint);
}
}  // namespace

int RunAdmin(const QStringList& args, QTextStream& out, QTextStream& err) {
    TContext context{out, err, TAdminLog(&out, &err)};
    int code = AdminExitFailed;
    try {
        code = dispatch(args, context);
    } catch (const EKwpError& error) {
        err << kProgram << QStringLiteral(": ") << error.message() << Qt::endl;
    } catch (const std::exception& error) {
        err << kProgram << QStringLiteral(": ")
            << FormatStr(_("Unerwarteter Fehler: %s"), {QString::fromLocal8Bit(error.what())})
            << Qt::endl;
    }
    out.flush();
    err.flush();
    return code;
}
