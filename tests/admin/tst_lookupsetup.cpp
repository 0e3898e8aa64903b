#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "admintestsupport.h"
#include "app/errorreport.h"
#include "demodata/demolookups.h"
#include "persistence/storequery.h"
#include "setup/adminsupport.h"
#include "setup/lookupsetup.h"
#include "testsupport.h"

namespace {

// The sample of the central bank's format of the bank-code tests.
QString bankSampleFile() {
    return QStringLiteral(KWP_TEST_DATA_DIR "/../../addressdb/data/blz_sample.txt");
}

// An installation with its ETC folder, which is all the import needs.
struct LookupInstallation {
    QTemporaryDir dir;
    TInstallationPaths paths{dir.path()};
    LookupInstallation() { QDir().mkpath(paths.etc); }
    QString database() const { return paths.etc + QStringLiteral("BLZCODES.TDBD"); }
};

// "INSTITUTSHORT|CITY|ZIP|BIC|INSTITUT" of every bank of the code.
QStringList banksOf(const QString& etc, const QString& code) {
    TDBBLZCodes database({}, etc);
    std::unique_ptr<TStoreQuery> query = database.Lookup(code);
    if (!query) return {QStringLiteral("<keine Abfrage>")};
    QStringList rows;
    for (; !query->Eof(); query->Next()) {
        QStringList values;
        for (const char* name : {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"})
            values.append(query->FieldByName(QString::fromLatin1(name)).AsString());
        rows.append(values.join(QLatin1Char('|')));
    }
    return rows;
}

}  // namespace

class TestLookupSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TDBZIPCodes::ClearCache(); }

    void importNeedsAnInstallation() {
        QTemporaryDir dir;
        const TInstallationPaths paths(dir.path() + QStringLiteral("/NIRGENDS"));
        QVERIFY_THROWS_EXCEPTION(EKwpError, ImportBankCodes(paths, bankSampleFile(), TAdminLog()));
        QVERIFY(!QFile::exists(paths.etc));
    }

    void commandImportsTheFile() {
        LookupInstallation installation;
        const QString root = installation.dir.path();
        const TAdminRun run = runAdminProcess(
            {QStringLiteral("blz"), QStringLiteral("import"), root, bankSampleFile()});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.endsWith(QStringLiteral("6 Bankleitzahlen übernommen.\n")),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("Auf 20 Zeichen gekürzte Kurzbezeichnungen: 2")),
                 qPrintable(run.out));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("86055592")).size(), 1);

        const QString bad = installation.dir.filePath(QStringLiteral("blz_bad.txt"));
        WriteFileBytes(bad, "10020030\r\n");
        const TAdminRun failed =
            runAdminProcess({QStringLiteral("blz"), QStringLiteral("import"), root, bad});
        QCOMPARE(failed.code, 3);
        QVERIFY2(failed.err.contains(QStringLiteral("Zeile 1: zu kurz")), qPrintable(failed.err));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("86055592")).size(), 1);
    }

    void demoSampleIsInTheCentralBanksFormat() {
        const QByteArray content = DemoBankCodeFileContent();
        const QList<QByteArray> lines = content.split('\n');
        QCOMPARE(lines.last(), QByteArray());
        int flagOne = 0;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY2(lines.at(i).size() == 169 && lines.at(i).endsWith('\r'),
                     lines.at(i).constData());
            if (lines.at(i).at(8) == '1') ++flagOne;
        }
        QVERIFY(flagOne >= 20);
        QVERIFY(flagOne < lines.size() - 1);
        // Latin-1, not UTF-8: one byte per umlaut keeps the columns.
        QVERIFY(content.contains("M\xFCnchen"));
    }

    void demoInstallsTheLookups() {
        LookupInstallation installation;
        const QString etc = installation.paths.etc;
        QString out;
        QTextStream stream(&out);
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog(&stream, nullptr)));
        stream.flush();
        // The sample fits the table as it is.
        QVERIFY2(!out.contains(QStringLiteral("gekürzt")), qPrintable(out));

        const QRegularExpression pattern[] = {QRegularExpression(QStringLiteral("^\\d{5};\\S.*$")),
                                              QRegularExpression(QStringLiteral("^\\d{4};\\S.*$")),
                                              QRegularExpression(QStringLiteral("^\\d{4};\\S.*$"))};
        const char* countries[] = {"D", "A", "CH"};
        for (int c = 0; c < 3; ++c) {
            const QString country = QString::fromLatin1(countries[c]);
            const QByteArray bytes =
                ReadFileBytes(etc + QStringLiteral("ZIPCODES_") + country + QStringLiteral(".DAT"));
            QCOMPARE(bytes, DemoZipCodeFileContent(country));
            QStringList lines;
            QVERIFY(TDBZIPCodes(etc).GetCountryList(country, lines));
            QVERIFY2(lines.size() >= 150, qPrintable(country));
            for (const QString& line : std::as_const(lines))
                QVERIFY2(pattern[c].match(line).hasMatch(), qPrintable(line));
            QStringList sorted = lines;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(lines, sorted);
        }
        QStringList result;
        TDBZIPCodes(etc).FindByZip(QStringLiteral("80 331"), QStringLiteral("d"), result);
        QCOMPARE(result, QStringList{"80331;München"});
        TDBZIPCodes(etc).FindByCity(QStringLiteral("zuerich"), QStringLiteral("CH"), result);
        QVERIFY(result.contains(QStringLiteral("8001;Zürich")));
        TDBZIPCodes(etc).FindByZip(QStringLiteral("6370"), QStringLiteral("A"), result);
        QCOMPARE(result, (QStringList{"6370;Kitzbühel", "6370;Reith bei Kitzbühel"}));

        QCOMPARE(banksOf(etc, QStringLiteral("70020270")),
                 QStringList{"Isartaler Bank|München|80331|ISTBDEMMXXX|Isartaler Bank AG"});

        // A second run finds everything in place and changes nothing.
        const QMap<QString, QByteArray> before = snapshotTree(installation.dir.path());
        QVERIFY(!InstallDemoLookups(installation.paths, TAdminLog()));
        QCOMPARE(snapshotTree(installation.dir.path()), before);
    }

    void demoKeepsImportedBankCodes() {
        LookupInstallation installation;
        QCOMPARE(ImportBankCodes(installation.paths, bankSampleFile(), TAdminLog()), 6);
        QVERIFY(InstallDemoLookups(installation.paths, TAdminLog()));
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("70020270")), QStringList{});
        QCOMPARE(banksOf(installation.paths.etc, QStringLiteral("72069329")).size(), 1);
    }
};

KWP_REGISTER_TEST(TestLookupSetup)
#include "tst_lookupsetup.moc"
