#include "setup/adminsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>

#include "app/format.h"
#include "app/translation.h"

void TAdminLog::info(const QString& text) const {
    ++m_infos;
    if (m_out) *m_out << text << Qt::endl;
}

void TAdminLog::warning(const QString& text) const {
    ++m_warnings;
    if (m_err) *m_err << _("Warnung: ") << text << Qt::endl;
}

namespace {
QString withSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// Windows device names cannot be folder names on the suite's file servers. Tenants and users
// get folders beside the ones the suite composes itself, and users a section beside "Listen"
// in SYSDATB.INI; none of these names may be taken either.
bool isReservedName(const QString& upperName) {
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"));
    static const QStringList composed{"ADRESSEN", "ALLUSERS", "BIN",        "DATA",   "DOC",
                                      "ETC",      "FORMS",    "HLP",        "IMAGES", "LISTEN",
                                      "LOG",      "MSG",      "RECHNUNGEN", "RSC",    "TEMPLATES",
                                      "TMP",      "UPDATE",   "USR",        "VTNT"};
    return device.match(upperName).hasMatch() || composed.contains(upperName);
}

QString validatedName(const QString& name, const QString& missingText, const QString& invalidText) {
    if (name.isEmpty()) throw EAdminUsageError(missingText);
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_-]{0,31}$"));
    if (!pattern.match(name).hasMatch()) throw EAdminUsageError(FormatStr(invalidText, {name}));
    const QString upper = name.toUpper();
    if (isReservedName(upper))
        throw EAdminUsageError(FormatStr(_("Der Name \"%s\" ist reserviert."), {name}));
    return upper;
}

}  // namespace

TInstallationPaths::TInstallationPaths(const QString& rootArgument) {
    if (rootArgument.trimmed().isEmpty())
        throw EAdminUsageError(_("Das Installationsverzeichnis (ROOT) fehlt."));
    root = withSlash(QDir::cleanPath(QFileInfo(rootArgument).absoluteFilePath()));
    bin = root + QStringLiteral("BIN/");
    etc = root + QStringLiteral("ETC/");
    tmp = root + QStringLiteral("TMP/");
    log = tmp + QStringLiteral("LOG/");
    data = root + QStringLiteral("DATA/");
    usr = root + QStringLiteral("USR/");
    allUsers = usr + QStringLiteral("ALLUSERS/");
    hlp = root + QStringLiteral("HLP/");
    rsc = root + QStringLiteral("RSC/");
}

QStringList TInstallationPaths::folders() const {
    return {root, bin, etc, tmp, log, data, usr, allUsers, hlp, rsc};
}

bool TInstallationPaths::isInitialised() const {
    return QFileInfo(etc).isDir();
}

void TInstallationPaths::requireInitialised() const {
    if (!isInitialised()) {
        throw EKwpError(FormatStr(_("Keine Installation in \"%s\" gefunden: der Ordner ETC fehlt. "
                                    "Zuerst \"kwpadmin init\" ausführen."),
                                  {root}));
    }
}

QString ValidatedTenantName(const QString& name) {
    return validatedName(name, _("Der Name des Mandanten fehlt."),
                         _("Ungültiger Mandantenname \"%s\": erlaubt sind 1 bis 32 Zeichen aus "
                           "Buchstaben A-Z, Ziffern, '_' und '-' (nicht am Anfang)."));
}

QString ValidatedUserName(const QString& name) {
    return validatedName(
        name, _("Der Benutzername fehlt."),
        _("Ungültiger Benutzername \"%s\": erlaubt sind 1 bis 32 Zeichen aus Buchstaben A-Z, "
          "Ziffern, '_' und '-' (nicht am Anfang)."));
}

QStringList ParseCommaText(const QString& text) {
    QStringList items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && text.at(i).unicode() <= ' ') ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
        } else {
            while (i < n && text.at(i).unicode() > ' ' && text.at(i) != QLatin1Char(','))
                item += text.at(i++);
        }
        if (!item.isEmpty()) items.append(item);
        skipBlanks();
        if (i < n && text.at(i) == QLatin1Char(',')) {
            ++i;
            skipBlanks();
        }
    }
    return items;
}

QString ToCommaText(const QStringList& items) {
    QStringList quoted;
    for (const QString& item : items) {
        bool needsQuotes = item.isEmpty();
        for (const QChar c : item) {
            if (c.unicode() <= ' ' || c == QLatin1Char(',') || c == QLatin1Char('"'))
                needsQuotes = true;
        }
        if (needsQuotes) {
            QString inner = item;
            inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            quoted.append(QLatin1Char('"') + inner + QLatin1Char('"'));
        } else {
            quoted.append(item);
        }
    }
    return quoted.join(QLatin1Char(','));
}

double ParseDecimal(const QString& text, const QString& what) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (pattern.match(trimmed).hasMatch()) {
        QString c = trimmed;
        c.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double value = QLocale::c().toDouble(c, &ok);
        if (ok) return value;
    }
    throw EAdminUsageError(FormatStr(_("Ungültige Zahl für %s: \"%s\""), {what, text}));
}

int ParseInteger(const QString& text, const QString& what) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
    const QString trimmed = text.trimmed();
    if (pattern.match(trimmed).hasMatch()) {
        bool ok = false;
        const int value = trimmed.toInt(&ok);
        if (ok) return value;
    }
    throw EAdminUsageError(FormatStr(_("Ungültige ganze Zahl für %s: \"%s\""), {what, text}));
}

bool ParseBoolean(const QString& text, const QString& what) {
    const QString t = text.trimmed().toLower();
    static const QStringList yes = {QStringLiteral("true"), QStringLiteral("ja"),
                                    QStringLiteral("yes"),  QStringLiteral("wahr"),
                                    QStringLiteral("1"),    QStringLiteral("-1")};
    static const QStringList no = {QStringLiteral("false"), QStringLiteral("nein"),
                                   QStringLiteral("no"), QStringLiteral("falsch"),
                                   QStringLiteral("0")};
    if (yes.contains(t)) return true;
    if (no.contains(t)) return false;
    throw EAdminUsageError(
        FormatStr(_("Ungültiger Wahrheitswert für %s: \"%s\" (erlaubt: true, false, ja, nein)"),
                  {what, text}));
}

void EnsureDir(const QString& path, const TAdminLog& log) {
    const QFileInfo info(path);
    if (info.isDir()) return;
    if (info.exists() || !QDir().mkpath(path))
        throw EKwpError(FormatStr(_("Kann Verzeichnis nicht anlegen: %s"), {path}));
    log.info(FormatStr(_("Verzeichnis angelegt: %s"), {withSlash(QDir::cleanPath(path))}));
}

bool IsInsideDir(const QString& path, const QString& dir) {
    const QString p = QDir::cleanPath(path);
    const QString d = QDir::cleanPath(dir);
    if (p == d) return true;
    return p.startsWith(d.endsWith(QLatin1Char('/')) ? d : d + QLatin1Char('/'));
}
