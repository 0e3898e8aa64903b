#include "setup/lookupsetup.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"
#include "setup/adminsupport.h"

namespace {

// Columns of the central bank's file (1-based positions as it documents them).
constexpr int lookupBlzPos = 1, lookupBlzLen = 8;
constexpr int lookupFlagPos = 9;
constexpr int lookupNamePos = 10, lookupNameLen = 58;
constexpr int lookupZipPos = 68, lookupZipLen = 5;
constexpr int lookupCityPos = 73, lookupCityLen = 35;
constexpr int lookupShortPos = 108, lookupShortLen = 27;
constexpr int lookupPanPos = 135, lookupPanLen = 5;
constexpr int lookupBicPos = 140, lookupBicLen = 11;
constexpr int lookupMinLineLength = lookupBicPos + lookupBicLen - 1;
constexpr int lookupShownErrors = 10;
constexpr qint64 lookupMaxFileSize = 64 * 1024 * 1024;

struct LookupBank {
    QString blz, name, zip, city, shortName, bic;
};

QString lookupField(const QString& line, int pos, int length) {
    return line.mid(pos - 1, length).trimmed();
}

bool lookupAllDigits(const QString& text, int length) {
    return text.size() == length &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Text longer than the column keeps its beginning.
QString lookupFit(const QString& text, int size, int& shortened) {
    if (text.size() <= size) return text;
    ++shortened;
    return text.left(size).trimmed();
}

std::vector<LookupBank> lookupParseBanks(const QByteArray& content, const QString& sourceName,
                                         const TAdminLog& log) {
    static const QRegularExpression bicPattern(
        QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    // The central bank publishes Latin-1; a copy saved as UTF-8 is read as such, or every
    // umlaut would shift the columns behind it.
    const QString text = DecodeUtf8OrLatin1(content);
    std::vector<LookupBank> banks;
    QStringList errors;
    int errorCount = 0;
    int shortNames = 0;
    int cities = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const int number = int(i + 1);
        QString error;
        const QString blz = line.mid(lookupBlzPos - 1, lookupBlzLen);
        const QString flag = line.mid(lookupFlagPos - 1, 1);
        LookupBank bank;
        if (line.size() < lookupMinLineLength) {
            error = FormatStr(_("Zeile %d: zu kurz (%d statt mindestens %d Zeichen)."),
                              {number, int(line.size()), lookupMinLineLength});
        } else if (!lookupAllDigits(blz, lookupBlzLen)) {
            error = FormatStr(_("Zeile %d: die Bankleitzahl \"%s\" besteht nicht aus 8 Ziffern."),
                              {number, blz});
        } else if (flag != QLatin1String("1") && flag != QLatin1String("2")) {
            error =
                FormatStr(_("Zeile %d: das Merkmal \"%s\" ist weder 1 noch 2."), {number, flag});
        } else if (flag == QLatin1String("2")) {
            continue;
        } else {
            bank.blz = blz;
            bank.name = lookupField(line, lookupNamePos, lookupNameLen);
            bank.zip = lookupField(line, lookupZipPos, lookupZipLen);
            bank.city = lookupField(line, lookupCityPos, lookupCityLen);
            bank.shortName = lookupField(line, lookupShortPos, lookupShortLen);
            bank.bic = lookupField(line, lookupBicPos, lookupBicLen);
            const QString pan = lookupField(line, lookupPanPos, lookupPanLen);
            if (bank.name.isEmpty())
                error = FormatStr(_("Zeile %d: die Bezeichnung fehlt."), {number});
            else if (!lookupAllDigits(bank.zip, lookupZipLen))
                error = FormatStr(_("Zeile %d: die Postleitzahl \"%s\" ist ungültig."),
                                  {number, bank.zip});
            else if (bank.city.isEmpty())
                error = FormatStr(_("Zeile %d: der Ort fehlt."), {number});
            else if (!pan.isEmpty() && !lookupAllDigits(pan, lookupPanLen))
                error = FormatStr(_("Zeile %d: die PAN \"%s\" ist ungültig."), {number, pan});
            else if (!bank.bic.isEmpty() && !bicPattern.match(bank.bic).hasMatch())
                error = FormatStr(_("Zeile %d: der BIC \"%s\" ist ungültig."), {number, bank.bic});
        }
        if (!error.isEmpty()) {
            if (++errorCount <= lookupShownErrors) errors.append(error);
            continue;
        }
        bank.shortName = lookupFit(bank.shortName, TDBBLZCodes::InstitutShortSize, shortNames);
        bank.city = lookupFit(bank.city, TDBBLZCodes::CitySize, cities);
        banks.push_back(std::move(bank));
    }
    if (errorCount > 0) {
        QString message =
            FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält fehlerhafte Zeilen, es wurde "
                        "nichts übernommen:"),
                      {sourceName});
        for (const QString& error : std::as_const(errors)) message += QLatin1Char('\n') + error;
        if (errorCount > lookupShownErrors)
            message += QLatin1Char('\n') +
                       FormatStr(_("... und %d weitere."), {errorCount - lookupShownErrors});
        throw EKwpError(message);
    }
    if (banks.empty())
        throw EKwpError(FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält keine Bank mit dem "
                                    "Merkmal 1, es wurde nichts übernommen."),
                                  {sourceName}));
    if (shortNames > 0)
        log.info(FormatStr(_("Auf %d Zeichen gekürzte Kurzbezeichnungen: %d"),
                           {TDBBLZCodes::InstitutShortSize, shortNames}));
    if (cities > 0)
        log.info(
            FormatStr(_("Auf %d Zeichen gekürzte Ortsnamen: %d"), {TDBBLZCodes::CitySize, cities}));
    return banks;
}

void lookupRemoveDatabaseFiles(const QString& fileName) {
    QFile::remove(fileName);
    QFile::remove(fileName + QStringLiteral("-journal"));
}

void lookupWriteBanks(const std::vector<LookupBank>& banks, const QString& fileName) {
    // Errors travel as exceptions to the caller, which reports them once.
    TDBBLZCodes database([](const std::exception&, const QString&) {});
    database.OpenFile(fileName, false);
    TStoreTable& table = *database.BLZCodes;
    // Appended in file order; the index is not needed while the table is filled.
    table.SetIndexName(QString());
    table.LockTable();
    try {
        for (const LookupBank& bank : banks) {
            table.Append();
            table.FieldByName(QStringLiteral("BLZ")).SetAsString(bank.blz);
            table.FieldByName(QStringLiteral("INSTITUT")).SetAsString(bank.name);
            table.FieldByName(QStringLiteral("INSTITUTSHORT")).SetAsString(bank.shortName);
            table.FieldByName(QStringLiteral("ZIP")).SetAsString(bank.zip);
            table.FieldByName(QStringLiteral("CITY")).SetAsString(bank.city);
            table.FieldByName(QStringLiteral("BIC")).SetAsString(bank.bic);
            table.Post();
        }
    } catch (...) {
        table.UnlockTable(false);
        throw;
    }
    table.UnlockTable();
    database.Close();
}

// ---------------------------------------------------------------- demo data

struct LookupDemoBank {
    const char* blz;
    char flag;
    const char* name;
    const char* zip;
    const char* city;
    const char* shortName;
    const char* pan;
    const char* bic;
};

// Fictitious banks in real towns; branches (flag 2) as the real file has them.
const LookupDemoBank lookupDemoBanks[] = {
    {"10020030", '1', "Spreebank Berlin", "10117", "Berlin", "Spreebank Berlin", "10020",
     "SPRBDEB1XXX"},
    {"10020030", '2', "Spreebank Berlin", "12099", "Berlin-Tempelhof", "Spreebank Tempelhof",
     "10020", ""},
    {"12030000", '1', "Märkische Bank", "14467", "Potsdam", "Märkische Bank", "12030",
     "MAEBDEB1XXX"},
    {"20041010", '1', "Hanseatische Privatbank", "20095", "Hamburg", "Hanseat. Privatbank", "20041",
     "HAPBDEHHXXX"},
    {"21050170", '1', "Förde-Sparkasse Kiel", "24103", "Kiel", "Förde-Spk Kiel", "21050",
     "NOLADE21KIL"},
    {"25050180", '1', "Sparkasse Weserbergland", "31785", "Hameln", "Spk Weserbergland", "25050",
     "NOLADE21SWB"},
    {"26050001", '1', "Sparkasse Göttingen-Leine", "37073", "Göttingen", "Spk Göttingen-Leine",
     "26050", "NOLADE21GOE"},
    {"29050101", '1', "Weser-Sparkasse Bremen", "28195", "Bremen", "Weser-Spk Bremen", "29050",
     "SBREDE22XXX"},
    {"30060010", '1', "Rheinische Handwerkerbank eG", "40213", "Düsseldorf", "Rhein. Handwerkerbk",
     "30060", "RHHWDEDDXXX"},
    {"37050198", '1', "Stadtsparkasse Köln-Deutz", "50679", "Köln", "Stadtspk Köln-Deutz", "37050",
     "COKSDE33XXX"},
    {"37069520", '1', "Raiffeisenbank Eifel-Ahr eG", "53474", "Bad Neuenahr-Ahrweiler",
     "Raiba Eifel-Ahr", "37069", "GENODED1RAH"},
    {"44050199", '1', "Westfälische Sparkasse Dortmund", "44135", "Dortmund", "Westf. Spk Dortmund",
     "44050", "DORTDE33XXX"},
    {"50010517", '1', "Mainbank Frankfurt AG", "60311", "Frankfurt am Main", "Mainbank Frankfurt",
     "50010", "MNBKDEFFXXX"},
    {"50010517", '2', "Mainbank Frankfurt AG", "61348", "Bad Homburg vor der Höhe",
     "Mainbank Bad Homburg", "50010", ""},
    {"55050120", '1', "Rheinhessen-Sparkasse Mainz", "55116", "Mainz", "Rheinhessen-Spk", "55050",
     "MALADE51MNZ"},
    {"59050101", '1', "Saarländische Volksbank eG", "66111", "Saarbrücken", "Saarl. Volksbank",
     "59050", "GENODE51SB1"},
    {"60050101", '1', "Landesbank Schwaben", "70173", "Stuttgart", "LB Schwaben", "60050",
     "LBSWDESTXXX"},
    {"66090800", '1', "Badische Beamtenbank eG", "76133", "Karlsruhe", "Bad. Beamtenbank", "66090",
     "GENODE61BBB"},
    {"68452290", '1', "Sparkasse Schwarzwald-Baar", "78050", "Villingen-Schwenningen",
     "Spk Schwarzwald-Baar", "68452", "SOLADES1VSS"},
    {"70020270", '1', "Isartaler Bank AG", "80331", "München", "Isartaler Bank", "70020",
     "ISTBDEMMXXX"},
    {"70020270", '2', "Isartaler Bank AG", "85354", "Freising", "Isartaler Bank Freising", "70020",
     ""},
    {"72050000", '1', "Stadtsparkasse Augsburg", "86150", "Augsburg", "Stadtspk Augsburg", "72050",
     "AUGSDE77XXX"},
    {"76050101", '1', "Sparkasse Nürnberger Land", "90402", "Nürnberg", "Spk Nürnberger Land",
     "76050", "SSKNDE77XXX"},
    {"79050000", '1', "Mainfränkische Volksbank eG", "97070", "Würzburg", "Mainfr. Volksbank",
     "79050", "BYLADEM1WBG"},
    {"85050300", '1', "Elbsparkasse Dresden", "01067", "Dresden", "Elbsparkasse Dresden", "85050",
     "OSDDDE81XXX"},
    {"86055592", '1', "Sparkasse Leipziger Land", "04109", "Leipzig", "Spk Leipziger Land", "86055",
     "WELADE8LXXX"},
};

QString lookupPadded(const char* text, int length) {
    return QString::fromUtf8(text).leftJustified(length, QLatin1Char(' '), true);
}

}  // namespace

QByteArray DemoBankCodeFileContent() {
    QString text;
    int record = 0;
    for (const LookupDemoBank& bank : lookupDemoBanks) {
        // Check-digit method, record number, change flag, deletion note and successor code
        // complete the line to the file's 168 characters.
        text += QLatin1String(bank.blz) + QLatin1Char(bank.flag) +
                lookupPadded(bank.name, lookupNameLen) + lookupPadded(bank.zip, lookupZipLen) +
                lookupPadded(bank.city, lookupCityLen) +
                lookupPadded(bank.shortName, lookupShortLen) +
                lookupPadded(bank.pan, lookupPanLen) + lookupPadded(bank.bic, lookupBicLen) +
                QStringLiteral("09") + QStringLiteral("%1").arg(++record, 6, 10, QLatin1Char('0')) +
                QStringLiteral("U000000000\r\n");
    }
    // Every name lies in Latin-1, so the conversion loses nothing.
    return text.toLatin1();
}

int ImportBankCodeData(const QByteArray& content, const QString& sourceName,
                       const QString& databaseFile, const TAdminLog& log) {
    const std::vector<LookupBank> banks = lookupParseBanks(content, sourceName, log);
    // The new table is built beside the old one and replaces it at once, so a failed import
    // leaves the codes in use as they were.
    const QString temporary = databaseFile + QStringLiteral(".NEU");
    lookupRemoveDatabaseFiles(temporary);
    try {
        lookupWriteBanks(banks, temporary);
    } catch (...) {
        lookupRemoveDatabaseFiles(temporary);
        throw;
    }
    // A journal left by a crashed writer of the old file must not be applied to the new one.
    QFile::remove(databaseFile + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(databaseFile).constData()) != 0) {
        const int code = errno;
        lookupRemoveDatabaseFiles(temporary);
        throw EKwpError(FileWriteErrorText(databaseFile, code));
    }
    return int(banks.size());
}

int ImportBankCodes(const TInstallationPaths& paths, const QString& fileName,
                    const TAdminLog& log) {
    paths.requireInitialised();
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht lesen: %s"),
                                  {fileName, QFileInfo(fileName).isDir() ? _("ist ein Verzeichnis")
                                                                         : file.errorString()}));
    if (file.size() > lookupMaxFileSize)
        throw EKwpError(
            FormatStr(_("Die Datei \"%s\" ist zu groß für eine Bankleitzahlendatei."), {fileName}));
    const QByteArray content = file.readAll();
    return ImportBankCodeData(content, fileName, paths.etc + QStringLiteral("BLZCODES.TDBD"), log);
}

namespace {

struct LookupDemoTown {
    const char* town;
    const char* codes;  // separated by blanks
};

const LookupDemoTown lookupDemoTownsD[] = {
    {"Berlin",
     "10115 10117 10119 10178 10179 10243 10245 10247 10249 10315 10317 10318 10319 10365 "
     "10367 10369 10405 10407 10409 10435 10437 10439 10551 10553 10555 10557 10559 10585 "
     "10587 10589 10623 10625 10627 10629 10707 10709 10711 10713 10715 10717 10719 10777 "
     "10779 10781 10783 10785 10787 10789 10823 10825 10827 10829 10961 10963 10965 10967 "
     "10969 10997 10999 12043 12045 12047 12049 12051 12053 12055 12057 12059 12099 12101 "
     "12103 12105 12107 12109 12157 12159 12161 12163 12165 12167 12169 13086 13088 13089 "
     "13347 13349 13351 13353 13355 13357 13359 14050 14052 14053 14055 14057 14059 14193 "
     "14195 14197 14199"},
    {"Hamburg",
     "20095 20097 20099 20144 20146 20148 20149 20249 20251 20253 20255 20257 20259 20354 "
     "20355 20357 20359 20457 20459 20535 20537 20539 21029 21031 21033 21035 21073 21075 "
     "21077 21079 22041 22043 22045 22047 22049 22081 22083 22085 22087 22089 22111 22115 "
     "22117 22119 22143 22145 22147 22149 22297 22299 22301 22303 22305 22307 22309 22335 "
     "22337 22339 22359 22391 22393 22395 22397 22399 22415 22417 22419 22453 22455 22457 "
     "22459 22523 22525 22527 22529 22547 22549 22559 22587 22589 22605 22607 22609 22761 "
     "22763 22765 22767 22769"},
    {"München",
     "80331 80333 80335 80336 80337 80339 80469 80538 80539 80634 80636 80637 80638 80639 "
     "80686 80687 80689 80796 80797 80798 80799 80801 80802 80803 80804 80805 80807 80809 "
     "80933 80935 80937 80939 80992 80993 80995 80997 80999 81241 81243 81245 81247 81249 "
     "81369 81371 81373 81375 81377 81379 81475 81476 81477 81479 81539 81541 81543 81545 "
     "81547 81549 81667 81669 81671 81673 81675 81677 81679 81735 81737 81739 81825 81827 "
     "81829 81925 81927 81929"},
    {"Köln",
     "50667 50668 50670 50672 50674 50676 50677 50678 50679 50733 50735 50737 50739 50765 "
     "50767 50769 50823 50825 50827 50829 50858 50859 50931 50933 50935 50937 50939 50968 "
     "50969 50996 50997 50999 51061 51063 51065 51067 51069 51103 51105 51107 51109 51143 "
     "51145 51147 51149"},
    {"Frankfurt am Main",
     "60311 60313 60314 60316 60318 60320 60322 60323 60325 60326 60327 60329 60385 60386 "
     "60388 60389 60431 60433 60435 60437 60438 60439 60486 60487 60488 60489 60528 60529 "
     "60549 60594 60596 60598 60599"},
    {"Frankfurt (Oder)", "15230 15232 15234 15236"},
    {"Stuttgart",
     "70173 70174 70176 70178 70180 70182 70184 70186 70188 70190 70191 70192 70193 70195 "
     "70197 70199"},
    {"Düsseldorf",
     "40210 40211 40212 40213 40215 40217 40219 40221 40223 40225 40227 40229 40231 40233 "
     "40235 40237 40239"},
    {"Leipzig",
     "04103 04105 04107 04109 04129 04155 04177 04229 04275 04277 04279 04289 04299 04315 "
     "04317 04319 04347 04349 04356 04357"},
    {"Dresden",
     "01067 01069 01097 01099 01109 01127 01129 01139 01157 01159 01169 01187 01189 01217 "
     "01219 01237 01239 01257 01259 01277 01279 01307 01309 01324 01326 01328"},
    {"Nürnberg",
     "90402 90403 90408 90409 90411 90419 90425 90427 90429 90431 90439 90441 90443 90449 "
     "90451 90453 90455 90459 90461 90469 90471 90473 90475 90478 90480 90482 90489 90491"},
    {"Bremen",
     "28195 28197 28199 28201 28203 28205 28207 28209 28211 28213 28215 28217 28219 28237 "
     "28239 28259 28277 28279 28307 28309 28325 28327 28329 28355 28357 28359"},
    {"Hannover",
     "30159 30161 30163 30165 30167 30169 30171 30173 30175 30177 30179 30419 30449 30451 "
     "30453 30455 30457 30459 30519 30521 30539 30559 30625 30627 30629 30655 30657 30659 "
     "30669"},
    {"Würzburg", "97070 97072 97074 97076 97078 97080 97082 97084"},
    {"Göttingen", "37073 37075 37077 37079 37081 37083 37085"},
    {"Fürth", "90762 90763 90765 90766 90768"},
    {"Lübeck", "23552 23554 23556 23558 23560 23562 23564 23566 23568 23569 23570"},
    {"Potsdam", "14467 14469 14471 14473 14476 14478 14480 14482"},
    {"Kiel",
     "24103 24105 24106 24107 24109 24111 24113 24114 24116 24118 24119 24143 24145 24146 "
     "24147 24148 24149 24159"},
    {"Saarbrücken",
     "66111 66113 66115 66117 66119 66121 66123 66125 66126 66127 66128 66129 66130 66131 "
     "66132 66133"},
    {"Mainz", "55116 55118 55120 55122 55124 55126 55127 55128 55129 55130 55131"},
    {"Dortmund", "44135 44137 44139 44141 44143 44145 44147 44149 44225 44227 44229"},
    {"Karlsruhe", "76131 76133 76135 76137 76139 76149 76185 76187 76189 76199 76227 76228 76229"},
    {"Augsburg", "86150 86152 86153 86154 86156 86157 86159 86161 86163 86165 86167 86169 86179"},
    {"Villingen-Schwenningen", "78048 78050 78052 78054 78056"},
    {"Bad Homburg vor der Höhe", "61348 61350 61352"},
    {"Bad Neuenahr-Ahrweiler", "53474"},
    {"Hameln", "31785 31787 31789"},
    {"Freising", "85354 85356"},
    {"Garmisch-Partenkirchen", "82467"},
    {"Mühlheim am Main", "63165"},
    {"Müllheim", "79379"},
    {"Weißenburg i. Bay.", "91781"},
    {"Straßlach-Dingharting", "82064"},
    {"Oberstdorf", "87561"},
    {"Füssen", "87629"},
    {"Bad Tölz", "83646"},
    {"Rosenheim", "83022 83024 83026"},
    {"Passau", "94032 94034 94036"},
    {"Regensburg", "93047 93049 93051 93053 93055 93057 93059"},
    {"Bamberg", "96047 96049 96050 96052"},
    {"Bayreuth", "95444 95445 95447 95448"},
    {"Erlangen", "91052 91054 91056 91058"},
    {"Ingolstadt", "85049 85051 85053 85055 85057"},
    {"Ulm", "89073 89075 89077 89079 89081"},
    {"Freiburg im Breisgau", "79098 79100 79102 79104 79106 79108 79110 79111 79112 79114 79115"},
    {"Heidelberg", "69115 69117 69118 69120 69121 69123 69124 69126"},
    {"Mannheim", "68159 68161 68163 68165 68167 68169 68199 68219 68229 68239 68259 68305 68307"},
    {"Konstanz", "78462 78464 78465 78467"},
    {"Tübingen", "72070 72072 72074 72076"},
    {"Kassel", "34117 34119 34121 34123 34125 34127 34128 34130 34131 34132 34134"},
    {"Marburg", "35037 35039 35041 35043"},
    {"Gießen", "35390 35392 35394 35396 35398"},
    {"Darmstadt", "64283 64285 64287 64289 64291 64293 64295 64297"},
    {"Wiesbaden", "65183 65185 65187 65189 65191 65193 65195 65197 65199 65201 65203 65205"},
    {"Koblenz", "56068 56070 56072 56073 56075 56076 56077"},
    {"Trier", "54290 54292 54293 54294 54295 54296"},
    {"Bonn", "53111 53113 53115 53117 53119 53121 53123 53125 53127 53129 53173 53175 53177"},
    {"Aachen", "52062 52064 52066 52068 52070 52072 52074 52076 52078 52080"},
    {"Münster", "48143 48145 48147 48149 48151 48153 48155 48157 48159 48161 48163 48165 48167"},
    {"Bielefeld", "33602 33604 33605 33607 33609 33611 33613 33615 33617 33619"},
    {"Osnabrück", "49074 49076 49078 49080 49082 49084 49086 49088 49090"},
    {"Oldenburg (Oldb)", "26121 26122 26123 26125 26127 26129 26131 26133 26135"},
    {"Braunschweig", "38100 38102 38104 38106 38108 38110 38112 38114 38116 38118 38120 38122"},
    {"Magdeburg", "39104 39106 39108 39110 39112 39114 39116 39118 39120 39122 39124 39126"},
    {"Halle (Saale)", "06108 06110 06112 06114 06116 06118 06120 06122 06124 06126 06128 06130"},
    {"Erfurt", "99084 99085 99086 99087 99089 99091 99092 99094 99096 99097 99098 99099"},
    {"Jena", "07743 07745 07747 07749"},
    {"Weimar", "99423 99425 99427"},
    {"Chemnitz", "09111 09112 09113 09114 09116 09117 09119 09120 09122 09123 09125 09126"},
    {"Zwickau", "08056 08058 08060 08062 08064 08066"},
    {"Görlitz", "02826 02827 02828"},
    {"Cottbus", "03042 03044 03046 03048 03050 03051 03052 03053 03054 03055"},
    {"Rostock", "18055 18057 18059 18069 18106 18107 18109 18146 18147"},
    {"Schwerin", "19053 19055 19057 19059 19061 19063"},
    {"Stralsund", "18435 18437 18439"},
    {"Greifswald", "17489 17491 17493"},
    {"Flensburg", "24937 24939 24941 24943 24944"},
    {"Cuxhaven", "27472 27474 27476 27478"},
    {"Wilhelmshaven", "26382 26384 26386 26388 26389"},
    {"Essen", "45127 45128 45130 45131 45133 45134 45136 45138 45139 45141 45143 45144 45145"},
    {"Duisburg", "47051 47053 47055 47057 47058 47059 47119 47137 47138 47139"},
    {"Bochum", "44787 44789 44791 44793 44795 44797 44799 44801 44803 44805 44807 44809"},
    {"Wuppertal", "42103 42105 42107 42109 42111 42113 42115 42117 42119 42275 42277 42279"},
    {"Siegen", "57072 57074 57076 57078 57080"},
    {"Paderborn", "33098 33100 33102 33104 33106"},
    {"Lüneburg", "21335 21337 21339"},
    {"Celle", "29221 29223 29225 29227 29229"},
    {"Hildesheim", "31134 31135 31137 31139 31141"},
    {"Wolfsburg", "38440 38442 38444 38446 38448"},
};

const LookupDemoTown lookupDemoTownsA[] = {
    {"Wien",
     "1010 1020 1030 1040 1050 1060 1070 1080 1090 1100 1110 1120 1130 1140 1150 1160 1170 "
     "1180 1190 1200 1210 1220 1230"},
    {"Graz", "8010 8020 8036 8041 8042 8043 8044 8045 8046 8047 8051 8052 8053 8054 8055"},
    {"Linz", "4020 4030 4040"},
    {"Salzburg", "5020"},
    {"Innsbruck", "6020"},
    {"Klagenfurt am Wörthersee", "9020 9061"},
    {"Villach", "9500 9504 9523"},
    {"St. Pölten", "3100"},
    {"Wels", "4600"},
    {"Steyr", "4400"},
    {"Dornbirn", "6850"},
    {"Bregenz", "6900"},
    {"Feldkirch", "6800"},
    {"Wiener Neustadt", "2700"},
    {"Leoben", "8700"},
    {"Krems an der Donau", "3500"},
    {"Baden", "2500"},
    {"Mödling", "2340"},
    {"Kufstein", "6330"},
    {"Kitzbühel", "6370"},
    {"Reith bei Kitzbühel", "6370"},
    {"Aurach bei Kitzbühel", "6371"},
    {"St. Johann in Tirol", "6380"},
    {"Hopfgarten im Brixental", "6361"},
    {"Bad Ischl", "4820"},
    {"Gmunden", "4810"},
    {"Zell am See", "5700"},
    {"Schwaz", "6130"},
    {"Hall in Tirol", "6060"},
    {"Lienz", "9900"},
    {"Spittal an der Drau", "9800"},
    {"Wolfsberg", "9400"},
    {"Eisenstadt", "7000"},
    {"Oberwart", "7400"},
    {"Neusiedl am See", "7100"},
    {"Amstetten", "3300"},
    {"Melk", "3390"},
    {"Tulln an der Donau", "3430"},
    {"Korneuburg", "2100"},
    {"Stockerau", "2000"},
    {"Mistelbach", "2130"},
    {"Hollabrunn", "2020"},
    {"Zwettl", "3910"},
    {"Gmünd", "3950"},
    {"Horn", "3580"},
    {"Ried im Innkreis", "4910"},
    {"Braunau am Inn", "5280"},
    {"Schärding", "4780"},
    {"Vöcklabruck", "4840"},
    {"Freistadt", "4240"},
    {"Perg", "4320"},
    {"Enns", "4470"},
    {"Traun", "4050"},
    {"Leonding", "4060"},
    {"Ansfelden", "4052"},
    {"Hallein", "5400"},
    {"Saalfelden am Steinernen Meer", "5760"},
    {"Bischofshofen", "5500"},
    {"St. Johann im Pongau", "5600"},
    {"Radstadt", "5550"},
    {"Tamsweg", "5580"},
    {"Imst", "6460"},
    {"Landeck", "6500"},
    {"Reutte", "6600"},
    {"Telfs", "6410"},
    {"Wörgl", "6300"},
    {"Bludenz", "6700"},
    {"Hohenems", "6845"},
    {"Lustenau", "6890"},
    {"Götzis", "6840"},
    {"Kapfenberg", "8605"},
    {"Bruck an der Mur", "8600"},
    {"Knittelfeld", "8720"},
    {"Judenburg", "8750"},
    {"Murau", "8850"},
    {"Liezen", "8940"},
    {"Schladming", "8970"},
    {"Weiz", "8160"},
    {"Gleisdorf", "8200"},
    {"Feldbach", "8330"},
    {"Leibnitz", "8430"},
    {"Deutschlandsberg", "8530"},
    {"Voitsberg", "8570"},
    {"Hartberg", "8230"},
    {"Fürstenfeld", "8280"},
    {"Bad Radkersburg", "8490"},
    {"St. Veit an der Glan", "9300"},
    {"Feldkirchen in Kärnten", "9560"},
    {"Völkermarkt", "9100"},
    {"Hermagor", "9620"},
    {"Ferlach", "9170"},
    {"Velden am Wörther See", "9220"},
    {"Bad Vöslau", "2540"},
    {"Traiskirchen", "2514"},
    {"Perchtoldsdorf", "2380"},
    {"Brunn am Gebirge", "2345"},
    {"Schwechat", "2320"},
    {"Bruck an der Leitha", "2460"},
    {"Gänserndorf", "2230"},
    {"Neunkirchen", "2620"},
    {"Ternitz", "2630"},
    {"Gloggnitz", "2640"},
    {"Semmering", "2680"},
    {"Waidhofen an der Ybbs", "3340"},
    {"Ybbs an der Donau", "3370"},
    {"Pöchlarn", "3380"},
    {"Herzogenburg", "3130"},
    {"Lilienfeld", "3180"},
    {"Scheibbs", "3270"},
    {"Eferding", "4070"},
    {"Grieskirchen", "4710"},
    {"Kirchdorf an der Krems", "4560"},
    {"Bad Hall", "4540"},
    {"Mondsee", "5310"},
    {"St. Gilgen", "5340"},
    {"St. Wolfgang im Salzkammergut", "5360"},
    {"Seekirchen am Wallersee", "5201"},
    {"Neumarkt am Wallersee", "5202"},
    {"Oberndorf bei Salzburg", "5110"},
    {"Wals-Siezenheim", "5071"},
    {"Grödig", "5082"},
    {"Anif", "5081"},
    {"Bad Gastein", "5640"},
    {"Bad Hofgastein", "5630"},
    {"Mayrhofen", "6290"},
    {"Zell am Ziller", "6280"},
    {"Fügen", "6263"},
    {"Jenbach", "6200"},
    {"Seefeld in Tirol", "6100"},
    {"Sölden", "6450"},
    {"Ötztal-Bahnhof", "6430"},
    {"St. Anton am Arlberg", "6580"},
    {"Ischgl", "6561"},
    {"Lech", "6764"},
    {"Schruns", "6780"},
    {"Rankweil", "6830"},
    {"Hard", "6971"},
    {"Wolfurt", "6922"},
    {"Mürzzuschlag", "8680"},
    {"Eisenerz", "8790"},
    {"Trofaiach", "8793"},
    {"Köflach", "8580"},
    {"Bärnbach", "8572"},
    {"Frohnleiten", "8130"},
    {"Gratwein-Straßengel", "8112"},
    {"Seiersberg-Pirka", "8054"},
    {"Kalsdorf bei Graz", "8401"},
    {"Wildon", "8410"},
    {"Bad Gleichenberg", "8344"},
    {"Jennersdorf", "8380"},
    {"Güssing", "7540"},
    {"Mattersburg", "7210"},
    {"Oberpullendorf", "7350"},
    {"Rust", "7071"},
    {"Podersdorf am See", "7141"},
    {"Pinkafeld", "7423"},
    {"Bad Tatzmannsdorf", "7431"},
    {"Wolfsberg-St. Stefan", "9431"},
    {"Bad Kleinkirchheim", "9546"},
    {"Radenthein", "9545"},
    {"Millstatt am See", "9872"},
    {"Gmünd in Kärnten", "9853"},
    {"Treibach-Althofen", "9330"},
    {"Friesach", "9360"},
    {"Bleiburg", "9150"},
    {"Matrei in Osttirol", "9971"},
    {"Sillian", "9920"},
};

const LookupDemoTown lookupDemoTownsCH[] = {
    {"Zürich",
     "8001 8002 8003 8004 8005 8006 8008 8032 8037 8038 8041 8044 8045 8046 8047 8048 8049 "
     "8050 8051 8052 8053 8055 8057 8064"},
    {"Winterthur", "8400 8404 8405 8406 8408 8409"},
    {"Bern", "3003 3004 3005 3006 3007 3008 3010 3011 3012 3013 3014 3015 3018 3027"},
    {"Basel", "4001 4051 4052 4053 4054 4055 4056 4057 4058 4059"},
    {"Genève", "1201 1202 1203 1204 1205 1206 1207 1208 1209"},
    {"Lausanne", "1003 1004 1005 1006 1007 1010 1012 1018"},
    {"Luzern", "6003 6004 6005 6006 6014 6015"},
    {"St. Gallen", "9000 9008 9010 9011 9012 9014 9015 9016"},
    {"Lugano", "6900"},
    {"Biel/Bienne", "2502 2503 2504 2505"},
    {"Thun", "3600 3603 3604 3608"},
    {"Chur", "7000"},
    {"Schaffhausen", "8200"},
    {"Fribourg", "1700"},
    {"Neuchâtel", "2000"},
    {"Sion", "1950"},
    {"Zug", "6300"},
    {"Aarau", "5000"},
    {"Baden", "5400"},
    {"Solothurn", "4500"},
    {"Olten", "4600"},
    {"Frauenfeld", "8500"},
    {"Kreuzlingen", "8280"},
    {"Rapperswil-Jona", "8640 8645"},
    {"Uster", "8610"},
    {"Dübendorf", "8600"},
    {"Dietikon", "8953"},
    {"Wetzikon ZH", "8620"},
    {"Wädenswil", "8820"},
    {"Horgen", "8810"},
    {"Thalwil", "8800"},
    {"Kloten", "8302"},
    {"Bülach", "8180"},
    {"Glattbrugg", "8152"},
    {"Wallisellen", "8304"},
    {"Regensdorf", "8105"},
    {"Adliswil", "8134"},
    {"Küsnacht ZH", "8700"},
    {"Meilen", "8706"},
    {"Stäfa", "8712"},
    {"Männedorf", "8708"},
    {"Emmenbrücke", "6020"},
    {"Kriens", "6010"},
    {"Horw", "6048"},
    {"Köniz", "3098"},
    {"Ostermundigen", "3072"},
    {"Muri bei Bern", "3074"},
    {"Burgdorf", "3400"},
    {"Langenthal", "4900"},
    {"Interlaken", "3800"},
    {"Spiez", "3700"},
    {"Grindelwald", "3818"},
    {"Zermatt", "3920"},
    {"Brig", "3900"},
    {"Visp", "3930"},
    {"Martigny", "1920"},
    {"Monthey", "1870"},
    {"Montreux", "1820"},
    {"Vevey", "1800"},
    {"Nyon", "1260"},
    {"Morges", "1110"},
    {"Yverdon-les-Bains", "1400"},
    {"La Chaux-de-Fonds", "2300"},
    {"Le Locle", "2400"},
    {"Delémont", "2800"},
    {"Porrentruy", "2900"},
    {"Bellinzona", "6500"},
    {"Locarno", "6600"},
    {"Ascona", "6612"},
    {"Mendrisio", "6850"},
    {"Chiasso", "6830"},
    {"Davos Platz", "7270"},
    {"Davos Dorf", "7260"},
    {"St. Moritz", "7500"},
    {"Arosa", "7050"},
    {"Glarus", "8750"},
    {"Herisau", "9100"},
    {"Appenzell", "9050"},
    {"Wil SG", "9500"},
    {"Gossau SG", "9200"},
    {"Rorschach", "9400"},
    {"Altstätten SG", "9450"},
    {"Buchs SG", "9470"},
    {"Sargans", "7320"},
    {"Liestal", "4410"},
    {"Allschwil", "4123"},
    {"Reinach BL", "4153"},
    {"Muttenz", "4132"},
    {"Pratteln", "4133"},
    {"Binningen", "4102"},
    {"Riehen", "4125"},
    {"Schwyz", "6430"},
    {"Einsiedeln", "8840"},
    {"Altdorf UR", "6460"},
    {"Sarnen", "6060"},
    {"Stans", "6370"},
    {"Wohlen AG", "5610"},
    {"Wettingen", "5430"},
    {"Brugg AG", "5200"},
    {"Lenzburg", "5600"},
    {"Zofingen", "4800"},
    {"Rheinfelden", "4310"},
    {"Weinfelden", "8570"},
    {"Amriswil", "8580"},
    {"Arbon", "9320"},
    {"Romanshorn", "8590"},
    {"Affoltern am Albis", "8910"},
    {"Birmensdorf ZH", "8903"},
    {"Schlieren", "8952"},
    {"Urdorf", "8902"},
    {"Illnau", "8308"},
    {"Effretikon", "8307"},
    {"Pfäffikon ZH", "8330"},
    {"Hinwil", "8340"},
    {"Rüti ZH", "8630"},
    {"Wald ZH", "8636"},
    {"Embrach", "8424"},
    {"Andelfingen", "8450"},
    {"Stein am Rhein", "8260"},
    {"Neuhausen am Rheinfall", "8212"},
    {"Diessenhofen", "8253"},
    {"Steckborn", "8266"},
    {"Bischofszell", "9220"},
    {"Uzwil", "9240"},
    {"Flawil", "9230"},
    {"Wattwil", "9630"},
    {"Lichtensteig", "9620"},
    {"Heiden", "9410"},
    {"Teufen AR", "9053"},
    {"Walenstadt", "8880"},
    {"Bad Ragaz", "7310"},
    {"Landquart", "7302"},
    {"Klosters", "7250"},
    {"Thusis", "7430"},
    {"Ilanz", "7130"},
    {"Disentis/Mustér", "7180"},
    {"Scuol", "7550"},
    {"Pontresina", "7504"},
    {"Samedan", "7503"},
    {"Poschiavo", "7742"},
    {"Andermatt", "6490"},
    {"Brunnen", "6440"},
    {"Küssnacht am Rigi", "6403"},
    {"Weggis", "6353"},
    {"Cham", "6330"},
    {"Baar", "6340"},
    {"Sursee", "6210"},
    {"Willisau", "6130"},
    {"Hochdorf", "6280"},
    {"Engelberg", "6390"},
    {"Meiringen", "3860"},
    {"Brienz BE", "3855"},
    {"Lauterbrunnen", "3822"},
    {"Wengen", "3823"},
    {"Adelboden", "3715"},
    {"Frutigen", "3714"},
    {"Gstaad", "3780"},
    {"Saanen", "3792"},
    {"Zweisimmen", "3770"},
    {"Lyss", "3250"},
    {"Aarberg", "3270"},
    {"Münsingen", "3110"},
    {"Belp", "3123"},
    {"Worb", "3076"},
    {"Konolfingen", "3510"},
    {"Langnau im Emmental", "3550"},
    {"Grenchen", "2540"},
    {"Balsthal", "4710"},
    {"Dornach", "4143"},
    {"Laufen", "4242"},
    {"Sissach", "4450"},
    {"Gelterkinden", "4460"},
    {"Frick", "5070"},
    {"Bremgarten AG", "5620"},
    {"Muri AG", "5630"},
    {"Zurzach", "5330"},
    {"Bulle", "1630"},
    {"Murten", "3280"},
    {"Estavayer-le-Lac", "1470"},
    {"Payerne", "1530"},
    {"Romont FR", "1680"},
    {"Renens VD", "1020"},
    {"Pully", "1009"},
    {"Gland", "1196"},
    {"Rolle", "1180"},
    {"Aigle", "1860"},
    {"Bex", "1880"},
    {"Sierre", "3960"},
    {"Crans-Montana", "3963"},
    {"Verbier", "1936"},
    {"Carouge GE", "1227"},
    {"Vernier", "1214"},
    {"Meyrin", "1217"},
    {"Lancy", "1212"},
    {"Onex", "1213"},
};

QByteArray lookupZipFileContent(const LookupDemoTown* towns, size_t count) {
    QStringList lines;
    for (size_t i = 0; i < count; ++i) {
        const QString town = QString::fromUtf8(towns[i].town);
        for (const QString& code :
             QString::fromLatin1(towns[i].codes).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            lines.append(code + QLatin1Char(';') + town);
    }
    // Ordered by code, towns sharing a code alphabetically, as the delivered files are.
    std::sort(lines.begin(), lines.end());
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

}  // namespace

QByteArray DemoZipCodeFileContent(const QString& country) {
    if (country == QLatin1String("D"))
        return lookupZipFileContent(lookupDemoTownsD, std::size(lookupDemoTownsD));
    if (country == QLatin1String("A"))
        return lookupZipFileContent(lookupDemoTownsA, std::size(lookupDemoTownsA));
    if (country == QLatin1String("CH"))
        return lookupZipFileContent(lookupDemoTownsCH, std::size(lookupDemoTownsCH));
    return {};
}

bool InstallDemoLookups(const TInstallationPaths& paths, const TAdminLog& log) {
    bool created = false;
    EnsureDir(paths.etc, log);
    // Files already there (delivered or from a real import) are kept.
    for (const QString& country :
         {QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("CH")}) {
        const QString fileName =
            paths.etc + QStringLiteral("ZIPCODES_") + country + QStringLiteral(".DAT");
        if (QFileInfo::exists(fileName)) continue;
        WriteFileAtomically(fileName, DemoZipCodeFileContent(country));
        log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
        created = true;
    }
    const QString bankFile = paths.etc + QStringLiteral("BLZCODES.TDBD");
    if (!QFileInfo::exists(bankFile)) {
        ImportBankCodeData(DemoBankCodeFileContent(), _("Beispieldaten"), bankFile, log);
        log.info(FormatStr(_("Datei angelegt: %s"), {bankFile}));
        created = true;
    }
    return created;
}
