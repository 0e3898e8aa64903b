// Writes N generated addresses (default 100,000) into an "<adressen>" file or into an address
// table, for the benchmarks and for trying the programs with a large address book.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <memory>

#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "demodata/addressgenerator.h"

namespace {

int generateIntoFile(const TAddressGenerator& generator, int count, const QString& fileName) {
    generator.FillFile(fileName, 0, count);
    return count;
}

int generateIntoTable(const TAddressGenerator& generator, int count, const QString& dir) {
    TDBAdress db;
    db.OpenDirectory(dir);
    if (!db.IsOpen()) throw EKwpError(QStringLiteral("Adresstabelle nicht geöffnet: ") + dir);
    generator.FillTable(db, 0, count);
    return count;
}

// The address folder of a tenant, composed from its "SYSDATA.INI" as the address manager does.
QString tenantAddressDir(const QString& root, const QString& tenant) {
    TSystemEinstellungen settings;
    settings.RootDir = NormalizeDir(QFileInfo(root).absoluteFilePath());
    settings.DataDir = ComposeDir(settings.RootDir, {QStringLiteral("DATA")});
    const QString sysdata =
        ComposeDir(settings.DataDir, {tenant.toUpper(), QStringLiteral("ETC")}) +
        QStringLiteral("SYSDATA.INI");
    if (!QFileInfo::exists(sysdata)) throw EKwpError(QStringLiteral("Mandant fehlt: ") + sysdata);
    settings.LoadFromIni(TIniFileSec(sysdata));
    return settings.AdressenDir;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Schreibt erzeugte Adressen in eine Datei \"<adressen>\" (ZIEL = Datei), in die "
        "Adresstabelle eines Ordners (--table, ZIEL = Ordner) oder eines Mandanten "
        "(--tenant, ZIEL = Installationsordner MANDANT)."));
    parser.addHelpOption();
    const QCommandLineOption countOption({QStringLiteral("n"), QStringLiteral("count")},
                                         QStringLiteral("Anzahl der Adressen (100000)."),
                                         QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Startwert (20261206)."),
                                        QStringLiteral("S"), QStringLiteral("20261206"));
    const QCommandLineOption tableOption(QStringLiteral("table"),
                                         QStringLiteral("ZIEL ist ein Adressordner."));
    const QCommandLineOption tenantOption(QStringLiteral("tenant"),
                                          QStringLiteral("ZIEL ist ROOT MANDANT."));
    parser.addOptions({countOption, seedOption, tableOption, tenantOption});
    parser.addPositionalArgument(QStringLiteral("ZIEL"), QStringLiteral("Datei oder Ordner."));
    parser.process(app);

    bool countOk = false;
    bool seedOk = false;
    const int count = parser.value(countOption).toInt(&countOk);
    const quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    const QStringList targets = parser.positionalArguments();
    const qsizetype wanted = parser.isSet(tenantOption) ? 2 : 1;
    if (!countOk || count < 0 || count > 999999 || !seedOk || targets.size() != wanted ||
        (parser.isSet(tableOption) && parser.isSet(tenantOption))) {
        err << parser.helpText();
        return 2;
    }

    try {
        const TAddressGenerator generator(seed);
        QElapsedTimer timer;
        timer.start();
        if (parser.isSet(tenantOption)) {
            generateIntoTable(generator, count, tenantAddressDir(targets.at(0), targets.at(1)));
        } else if (parser.isSet(tableOption)) {
            generateIntoTable(generator, count, targets.at(0));
        } else {
            generateIntoFile(generator, count, targets.at(0));
        }
        const double seconds = double(timer.elapsed()) / 1000.0;
        out << count << " Adressen in " << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(seconds > 0 ? double(count) / seconds : 0.0, 'f', 0)
            << " Adressen/s)" << Qt::endl;
    } catch (const EKwpError& error) {
        err << error.message() << Qt::endl;
        return 1;
    }
    return 0;
}
