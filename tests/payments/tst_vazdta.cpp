#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

#include "app/clock.h"
#include "app/conversions.h"
#include "payments/vazdta.h"
#include "testsupport.h"

namespace {

const QDate kToday(2026, 3, 10);

double dayNumber(const QDate& date) {
    return DateTimeToDayNumber(date.startOfDay());
}

QByteArray ansi(const char* utf8) {
    return ToDTAAnsi(QString::fromUtf8(utf8));
}

QList<QByteArray> ansiList(const QStringList& lines) {
    QList<QByteArray> result;
    for (const QString& line : lines) result.append(ToDTAAnsi(line));
    return result;
}

// A writer with valid originator data, writing into dir.
std::unique_ptr<TVazDTA> makeWriter(const QString& dir, bool lastschriften = false,
                                    double date = 0) {
    auto dta = std::make_unique<TVazDTA>();
    dta->SetAuftraggeberName(ansi("Muster GmbH"));
    dta->SetAuftraggeberBLZ(37040044);
    dta->SetAuftraggeberKontoNr(532013000);
    dta->SetPath(dir);
    dta->SetLastschriften(lastschriften);
    dta->SetAusfuehrungsdatum(date);
    return dta;
}

// The runs of the golden files.
void runLeer(TVazDTA& dta) {
    dta.Start();
    dta.Finish();
}

void runGutschriften(TVazDTA& dta) {
    dta.SetAuftraggeberName(ansi("Bäckerei Müller & Söhne"));
    dta.SetAusfuehrungsdatum(dayNumber(kToday.addDays(15)));
    dta.Start();
    const QByteArray long60 = "Rechnungen 2026-001, 2026-002, 2026-003 vom 28.02.2026 ff.xx";
    QCOMPARE(long60.size(), 60);
    dta.AddBuchung(ansi("Jürgen Weiß"), "Rechnung 4711", "", "", 12.5, 10020030, 1234567890);
    dta.AddBuchung(ansi("Café Nr. 7 (Süd)"), "RE 1", "RE 2", "RE 3", 1.005, 50010517, 10);
    dta.AddBuchung(ansi("Łukasz Żółć"), long60, "", "", 0.995, 20041133, 987654321);
    dta.AddBuchung("Kiosk @ Markt (#1)!", "Zeile 1", "", "Zeile 3", 2.675, 76050101, 4444);
    dta.AddBuchung(ansi("Müller & Söhne GmbH"), "", "", "", 999999999.99, 99999999,
                   Q_INT64_C(9999999999));
    dta.AddBuchung(ansi("Ärzte-Team Öhringen"), "Abschlag 3/2026", "Kd.-Nr. 10815", "", 123.4549,
                   60050101, Q_INT64_C(7496510994));
    dta.Finish();
}

void runLastschriften(TVazDTA& dta) {
    dta.SetLastschriften(true);
    dta.SetAuftraggeberName(ansi("Gärtnerei Grün"));
    dta.SetAuftraggeberBLZ(60050101);
    dta.SetAuftraggeberKontoNr(Q_INT64_C(7496510994));
    dta.SetAusfuehrungsdatum(dayNumber(kToday));
    dta.Start();
    const QList<QPair<int, double>> cases{{4, 10.0},    {7, 70.07},  {8, 8.8},
                                          {11, 1100.1}, {12, 12.12}, {14, 1414.14}};
    for (const auto& [count, amount] : cases) {
        QStringList lines;
        for (int i = 1; i <= count; ++i) lines.append(QStringLiteral("Vwz Zeile %1 äöüß").arg(i));
        dta.AddBuchung(ToDTAAnsi(QStringLiteral("Kunde mit %1 Zeilen straße").arg(count)),
                       ansiList(lines), amount, 10000000 + count, 1000 + count);
    }
    dta.AddBuchung(ansi("René Lefèvre"),
                   {"   Vertrag 2026/17 Wartung Heizungsanlage Quartal 1, Abschlag Nr. 3 von 4, "
                    "Danke!   "},
                   250.0, 70020270, 15);
    dta.AddBuchung(ansi("Zoë"), {QByteArray(26, 'x')}, 1.0, 30020900, 12);
    dta.Finish();
}

// The first C record of a file (after the 128-byte A record), with its whole blocks.
QByteArray firstCRecord(const QByteArray& file) {
    const int blocks = file.size() / 128 - 2;
    return file.mid(128, blocks * 128);
}

}  // namespace

class TestVazDTA : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        SetClock([] { return QDateTime(kToday, QTime(10, 15, 30)); });
    }
    void cleanup() { SetClock({}); }

    void wholeFile_data() {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("summeBetraege");
        QTest::addColumn<qint64>("summeKonten");
        QTest::addColumn<qint64>("summeBLZ");
        QTest::newRow("empty run") << "dtaus_leer.dat" << 0 << 0.0 << qint64(0) << qint64(0);
        QTest::newRow("credit transfers") << "dtaus_gutschriften.dat" << 6 << 1000000140.63
                                          << Q_INT64_C(19718737658) << Q_INT64_C(316171881);
        QTest::newRow("direct debits")
            << "dtaus_lastschriften.dat" << 8 << 2866.23 << qint64(6083) << qint64(160041226);
    }
    void wholeFile() {
        QFETCH(QString, golden);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto dta = makeWriter(dir.path());
        if (golden == QLatin1String("dtaus_leer.dat")) runLeer(*dta);
        if (golden == QLatin1String("dtaus_gutschriften.dat")) runGutschriften(*dta);
        if (golden == QLatin1String("dtaus_lastschriften.dat")) runLastschriften(*dta);
        if (QTest::currentTestFailed()) return;

        const QByteArray actual = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        const QByteArray expected = ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/") + golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(actual, expected);

        QTEST(int(dta->AnzahlDatensaetzeC()), "count");
        QTEST(dta->SummeBetraege(), "summeBetraege");
        QTEST(dta->SummeKontonummern(), "summeKonten");
        QTEST(dta->SummeBankleitzahlen(), "summeBLZ");
        QCOMPARE(dta->RunState(), TVazBaseDTA::Idle);
    }

    void executionDate_data() {
        QTest::addColumn<double>("date");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("afterStart");
        const double today = dayNumber(kToday);
        QTest::newRow("none") << 0.0 << QByteArray(8, ' ') << 0.0;
        QTest::newRow("yesterday") << today - 1 << QByteArray("10032026") << today;
        QTest::newRow("long ago") << 1.0 << QByteArray("10032026") << today;
        QTest::newRow("today") << today << QByteArray("10032026") << today;
        QTest::newRow("today+1") << today + 1 << QByteArray("11032026") << today + 1;
        QTest::newRow("today+15") << today + 15 << QByteArray("25032026") << today + 15;
        QTest::newRow("today+16") << today + 16 << QByteArray("10032026") << today;
        QTest::newRow("not a number")
            << std::numeric_limits<double>::quiet_NaN() << QByteArray("10032026") << today;
    }
    void executionDate() {
        QFETCH(double, date);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path(), false, date);
        dta->Start();
        QTEST(dta->Ausfuehrungsdatum(), "afterStart");
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.mid(50, 6), QByteArray("100326"));  // creation date: always today
        QTEST(file.mid(95, 8), "field");
    }

    void purposeLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("lengthField");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<QByteArray>("extensions");
        QTest::addColumn<QByteArray>("lastLine");
        auto numbered = [](int count) {
            QStringList lines;
            for (int i = 1; i <= count; ++i) lines.append(QStringLiteral("Z%1").arg(i));
            return lines;
        };
        const QByteArray pad27(25, ' ');
        QTest::newRow("1") << numbered(1) << QByteArray("0187") << 256 << "Z1" + pad27
                           << QByteArray("00") << "Z1" + pad27;
        QTest::newRow("3") << numbered(3) << QByteArray("0245") << 256 << "Z1" + pad27
                           << QByteArray("02") << "02Z3" + pad27;
        QTest::newRow("all empty")
            << QStringList{"", "", ""} << QByteArray("0187") << 256 << QByteArray(27, ' ')
            << QByteArray("00") << QByteArray(27, ' ');
        QTest::newRow("empty lines between")
            << QStringList{"", "A", "", "", "B", ""} << QByteArray("0216") << 256
            << "A" + QByteArray(26, ' ') << QByteArray("01") << "02B" + QByteArray(26, ' ');
        const QString sixty = QString(27, 'A') + QString(27, 'B') + QStringLiteral("CCCCCC");
        QTest::newRow("one line of 60")
            << QStringList{sixty} << QByteArray("0245") << 256 << QByteArray(27, 'A')
            << QByteArray("02") << "02CCCCCC" + QByteArray(21, ' ');
        QTest::newRow("two lines of 60")
            << QStringList{sixty, sixty} << QByteArray("0216") << 256 << QByteArray(27, 'A')
            << QByteArray("01") << "02" + QByteArray(27, 'A');
        QTest::newRow("one line of 14x27")
            << QStringList{QString(14 * 27, 'Q')} << QByteArray("0564") << 640
            << QByteArray(27, 'Q') << QByteArray("13") << "02" + QByteArray(27, 'Q');
    }
    void purposeLines() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, lastLine);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        dta->AddBuchung("Kunde", ansiList(lines), 10.0, 10020030, 1234);
        dta->Finish();
        const QByteArray c = firstCRecord(ReadFileBytes(dir.filePath("DTAUS0.TXT")));
        QTEST(c.left(4), "lengthField");
        QTEST(int(c.size()), "bytes");
        QTEST(c.mid(155, 27), "firstLine");
        QTEST(c.mid(185, 2), "extensions");
        // (4 to 14 lines are in the direct debit golden.)
        // The last line sits in the last used extension part (or the first purpose field).
        if (lastLine.size() == 27) {
            QCOMPARE(c.mid(155, 27), lastLine);
        } else {
            QVERIFY2(c.contains(lastLine), c.constData());
            QCOMPARE(c.indexOf(lastLine) + 29 <= c.size(), true);
        }
        // Nothing after the last line but blanks.
        const qsizetype end =
            lastLine.size() == 27 ? 155 + 27 : c.lastIndexOf(lastLine) + lastLine.size();
        const QByteArray rest = c.mid(end).replace("1  " + c.mid(185, 2), "");
        QCOMPARE(rest.count(' '), rest.size());
    }

    void longLineNormalised_data() {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::newRow("25 chars stay, blanks kept")
            << QList<QByteArray>{" 234567890123456789012345"}
            << QList<QByteArray>{" 234567890123456789012345"};
        QTest::newRow("26 chars are trimmed") << QList<QByteArray>{" 2345678901234567890123456"}
                                              << QList<QByteArray>{"2345678901234567890123456"};
        QTest::newRow("blanks at both ends of a long line")
            << QList<QByteArray>{"  " + QByteArray(27, 'a') + "b\t "}
            << QList<QByteArray>{QByteArray(25, 'a'), "aab"};
        QTest::newRow("two lines are not cut")
            << QList<QByteArray>{QByteArray(40, 'a'), QByteArray(40, 'b')}
            << QList<QByteArray>{QByteArray(40, 'a'), QByteArray(40, 'b')};
        QTest::newRow("empty ones removed first") << QList<QByteArray>{"", QByteArray(30, 'a'), ""}
                                                  << QList<QByteArray>{QByteArray(27, 'a'), "aaa"};
        QTest::newRow("blank line is a line")
            << QList<QByteArray>{" ", "x"} << QList<QByteArray>{" ", "x"};
        QTest::newRow("nothing") << QList<QByteArray>{"", ""} << QList<QByteArray>{};
    }
    void longLineNormalised() {
        QFETCH(QList<QByteArray>, lines);
        QTEST(TVazDTA::NormalizeVerwendungszweck(lines), "expected");
    }

    void textConversion_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("sharp s stays") << "Straße" << QByteArray("STRA~E");
        QTest::newRow("capital umlauts") << "ÄÖÜäöü" << QByteArray("[\\][\\]");
        QTest::newRow("allowed specials") << "$%&*+,-./[\\]~" << QByteArray("$%&*+,-./[\\]~");
        QTest::newRow("dropped specials")
            << "a_b@c#d!e?f'g\"h(i)j:k;l" << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("more dropped specials") << "<m>n=o|p{q}r^s`t" << QByteArray("MNOPQRST");
        QTest::newRow("outside code page") << "Łódź €5 ÿµ" << QByteArray("D 5 ");
        QTest::newRow("control characters") << "A\tB\r\nC" << QByteArray("ABC");
        QTest::newRow("cut after 27") << "Sehr lange Firmenbezeichnung GmbH & Co. KG"
                                      << QByteArray("SEHR LANGE FIRMENBEZEICHNUN");
    }
    void textConversion() {
        QFETCH(QString, name);
        QFETCH(QByteArray, field);
        field.append(27 - field.size(), ' ');
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->SetAuftraggeberName(ToDTAAnsi(name));
        dta->Start();
        dta->AddBuchung(ToDTAAnsi(name), ToDTAAnsi(name), "", "", 5.0, 10020030, 1234);
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.mid(23, 27), field);        // originator, A record
        QCOMPARE(file.mid(128 + 93, 27), field);  // payee
        QCOMPARE(file.mid(256, 27), field);       // originator, C record
        QCOMPARE(file.mid(256 + 27, 27), field);  // purpose line
    }

    void rounding_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("just below half") << 1.0049 << QByteArray("00000000100");
        QTest::newRow("10.125 not to even") << 10.125 << QByteArray("00000001013");
        QTest::newRow("10.135") << 10.135 << QByteArray("00000001014");
        QTest::newRow("1.994999") << 1.994999 << QByteArray("00000000199");
        QTest::newRow("1.995") << 1.995 << QByteArray("00000000200");
        QTest::newRow("large half cent") << 12345678.905 << QByteArray("01234567891");
    }
    void rounding() {
        QFETCH(double, amount);
        QFETCH(QByteArray, field);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        dta->AddBuchung("Kunde", "Rechnung", "", "", amount, 10020030, 1234);
        dta->AddBuchung("Kunde", "Rechnung", "", "", amount, 10020030, 1234);
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.mid(128 + 79, 11), field);
        QCOMPARE(file.mid(384 + 79, 11), field);
        // The sums use the same rounded value twice, not the rounded sum of the raw amounts.
        const qint64 cents = field.toLongLong();
        QCOMPARE(dta->SummeBetraege(), double(2 * cents) / 100.0);
        QCOMPARE(file.mid(640 + 64, 13), QByteArray::number(2 * cents).rightJustified(13, '0'));
    }

    void refusedAmount_data() {
        QTest::addColumn<double>("amount");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("below one euro") << 0.99;
        QTest::newRow("rounds to 0.99") << 0.9949;
        QTest::newRow("negative") << -5.0;
        QTest::newRow("rounds above the maximum") << 999999999.995;
        QTest::newRow("one billion") << 1e9;
        QTest::newRow("huge") << 1e300;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    }
    void refusedAmount() {
        QFETCH(double, amount);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        try {
            dta->AddBuchung("Kunde", "Rechnung", "", "", amount, 10020030, 1234);
            QFAIL("amount accepted");
        } catch (const EDTAError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Der Betrag muss zwischen EUR 1 und EUR 999999999.99 liegen."));
        }
        QCOMPARE(dta->AnzahlDatensaetzeC(), 0u);
        QCOMPARE(dta->Buffer().size(), 128);
    }

    void failures_data() {
        using Action = std::function<void(TVazDTA&)>;
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isAdd");  // a refused payment inside a running file
        const QString started = QStringLiteral("Die Methode Start() wurde bereits aufgerufen.");
        const QString blz = QStringLiteral("Die Bankleitzahl muss genau 8 Zeichen besitzen.");
        const QString konto =
            QStringLiteral("Die Kontonummer muss zwischen 10 und 9999999999 liegen.");
        const QString name = QStringLiteral("Der Buchungsempfaenger muss angegeben werden.");
        const QString vwz = QStringLiteral("Es sind nicht mehr als 14 Verwendungszwecke erlaubt.");
        const QString noRun =
            QStringLiteral("Es muss zunaechst die Methode Start() aufgerufen werden.");
        const QString noFinish = QStringLiteral(
            "Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits "
            "aufgerufen.");
        const QString foreign = QStringLiteral(
            "enthält kein Zeichen, das in einer DTAUS-Datei stehen darf (A-Z, Umlaute, ß, "
            "Ziffern, . , & - / + * $ %).");
        const QString payment = QStringLiteral(
            "Die Buchung über 1.234,50 EUR an \"%1\" (BLZ 10020030, Konto 99) wurde nicht "
            "geschrieben: Der Name ");
        const auto row = [](const char* tag, const QString& message, Action action) {
            QTest::newRow(tag) << action << message << QByteArray(tag).startsWith("add ");
        };
        const auto add = [](QByteArray name, double amount, qint64 blz, qint64 konto) {
            return [=](TVazDTA& d) { d.AddBuchung(name, "V", "", "", amount, blz, konto); };
        };
        row("start twice", started, [](TVazDTA& d) { d.Start(), d.Start(); });
        row("start after payment", started, [](TVazDTA& d) {
            d.Start(), d.AddBuchung("K", "V", "", "", 5, 10020030, 99), d.Start();
        });
        row("start blz 7 digits", blz,
            [](TVazDTA& d) { d.SetAuftraggeberBLZ(9999999), d.Start(); });
        row("start blz 9 digits", blz,
            [](TVazDTA& d) { d.SetAuftraggeberBLZ(100000000), d.Start(); });
        row("start konto 9", konto, [](TVazDTA& d) { d.SetAuftraggeberKontoNr(9), d.Start(); });
        row("start konto 11 digits", konto,
            [](TVazDTA& d) { d.SetAuftraggeberKontoNr(Q_INT64_C(10000000000)), d.Start(); });
        row("start without name", name, [](TVazDTA& d) { d.SetAuftraggeberName(""), d.Start(); });
        row("start name of foreign characters", "Der Name des Auftraggebers \"()!?@#\" " + foreign,
            [](TVazDTA& d) { d.SetAuftraggeberName("()!?@#"), d.Start(); });
        row("payment without start", noRun, add("K", 5, 10020030, 99));
        row("payment after finish", noRun, [](TVazDTA& d) {
            d.Start(), d.Finish();
            d.AddBuchung("K", "V", "", "", 5, 10020030, 99);
        });
        row("add blz 7 digits", blz, add("K", 5, 1234567, 99));
        row("add blz negative", blz, add("K", 5, -10020030, 99));
        row("add konto 9", konto, add("K", 5, 10020030, 9));
        row("add konto 11 digits", konto, add("K", 5, 10020030, Q_INT64_C(10000000000)));
        row("add without name", name, add("", 5, 10020030, 99));
        row("add name of foreign characters", payment.arg("()!?@#") + foreign,
            add("()!?@#", 1234.5, 10020030, 99));
        row("add name of euro signs", payment.arg("???") + foreign,
            add(ansi("€€€"), 1234.5, 10020030, 99));
        row("add name of blanks", payment.arg("   ") + foreign, add("   ", 1234.5, 10020030, 99));
        row("add 15 lines", vwz,
            [](TVazDTA& d) { d.AddBuchung("K", QList<QByteArray>(15, "Zeile"), 5, 10020030, 99); });
        row("add one line of 15x27", vwz,
            [](TVazDTA& d) { d.AddBuchung("K", {QByteArray(14 * 27 + 1, 'v')}, 5, 10020030, 99); });
        row("finish without start", noFinish, [](TVazDTA& d) { d.Finish(); });
        row("finish twice", noFinish, [](TVazDTA& d) { d.Start(), d.Finish(), d.Finish(); });
    }
    void failures() {
        QFETCH(std::function<void(TVazDTA&)>, action);
        QFETCH(bool, isAdd);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());

        QByteArray bufferBefore;
        if (isAdd) {
            // One good payment before the refused one: both must survive unchanged.
            dta->Start();
            dta->AddBuchung("Erster", "Rechnung 1", "", "", 7.5, 50010517, 4711);
            bufferBefore = dta->Buffer();
        }
        try {
            action(*dta);
            QFAIL("no error raised");
        } catch (const EDTAError& error) {
            QTEST(error.message(), "message");
        }
        if (!isAdd) return;

        // The refused payment changed nothing; the run goes on and ends like one without it.
        QCOMPARE(dta->Buffer(), bufferBefore);
        QCOMPARE(dta->AnzahlDatensaetzeC(), 1u);
        QCOMPARE(dta->SummeBetraege(), 7.5);
        QCOMPARE(dta->SummeKontonummern(), qint64(4711));
        QCOMPARE(dta->SummeBankleitzahlen(), qint64(50010517));
        QCOMPARE(dta->RunState(), TVazBaseDTA::Writing);
        dta->Finish();

        QTemporaryDir referenceDir;
        auto reference = makeWriter(referenceDir.path());
        reference->Start();
        reference->AddBuchung("Erster", "Rechnung 1", "", "", 7.5, 50010517, 4711);
        reference->Finish();
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")),
                 ReadFileBytes(referenceDir.filePath("DTAUS0.TXT")));
    }

    void failedStartKeepsLastRun() {
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        dta->AddBuchung("Kunde", "Rechnung", "", "", 20.0, 10020030, 1234);
        dta->Finish();
        const QString text = dta->BegleitzettelText();
        dta->SetAuftraggeberBLZ(123);
        QVERIFY_THROWS_EXCEPTION(EDTAError, dta->Start());
        dta->SetAuftraggeberBLZ(37040044);
        QCOMPARE(dta->RunState(), TVazBaseDTA::Idle);
        QCOMPARE(dta->AnzahlDatensaetzeC(), 1u);
        QCOMPARE(dta->SummeBetraege(), 20.0);
        QCOMPARE(dta->Buffer().size(), 128 + 256 + 128);
        QCOMPARE(dta->BegleitzettelText(), text);
    }

    void finishWithoutStartKeepsFile() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("DTAUS0.TXT"), "old file");
        auto dta = makeWriter(dir.path());
        QVERIFY_THROWS_EXCEPTION(EDTAError, dta->Finish());
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")), QByteArray("old file"));
    }

    void secondRunReplacesFirst() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("DTAUS0.TXT"), QByteArray(5000, 'x'));
        auto dta = makeWriter(dir.path());
        dta->Start();
        for (int i = 0; i < 3; ++i)
            dta->AddBuchung("Kunde", "Rechnung", "", "", 20.0, 10020030, 1234);
        dta->Finish();
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")).size(), 128 + 3 * 256 + 128);
        dta->SetLastschriften(true);
        dta->Start();
        QCOMPARE(dta->AnzahlDatensaetzeC(), 0u);
        QCOMPARE(dta->SummeBetraege(), 0.0);
        QCOMPARE(dta->SummeKontonummern(), qint64(0));
        QCOMPARE(dta->SummeBankleitzahlen(), qint64(0));
        dta->AddBuchung("Kunde", "Rechnung", "", "", 1.0, 10020030, 1234);
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.size(), 128 + 256 + 128);
        QCOMPARE(file.mid(5, 2), QByteArray("LK"));
        QCOMPARE(file.mid(128 + 44, 2), QByteArray("05"));
        QCOMPARE(file.mid(384 + 10, 7), QByteArray("0000001"));
    }

    void unwritableTarget() {
        QTemporaryDir dir;
        auto dta = makeWriter(dir.filePath("missing/folder"));
        dta->Start();
        dta->AddBuchung("Kunde", "Rechnung", "", "", 20.0, 10020030, 1234);
        try {
            dta->Finish();
            QFAIL("finish succeeded");
        } catch (const EKwpError& error) {
            QVERIFY2(error.message().contains(dir.filePath("missing/folder/DTAUS0.TXT")),
                     qPrintable(error.message()));
        }
        // The run is closed, so the next one may start.
        QCOMPARE(dta->RunState(), TVazBaseDTA::Idle);
        dta->SetPath(dir.path());
        dta->Start();
        dta->Finish();
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")).size(), 256);
    }

    void fullRecordCountAndSum() {
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        // 100 maximal amounts fill the 13 digits of the sum exactly up to 9999999999900 cents.
        for (int i = 0; i < 100; ++i)
            dta->AddBuchung("Kunde", "Rechnung", "", "", 999999999.99, 10020030, 1234);
        try {
            dta->AddBuchung("Kunde", "Rechnung", "", "", 999.99, 10020030, 1234);
            QFAIL("sum overflow accepted");
        } catch (const EDTAError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Die Datei kann keine weiteren Buchungen aufnehmen."));
        }
        QCOMPARE(dta->AnzahlDatensaetzeC(), 100u);
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.size(), 128 + 100 * 256 + 128);
        QCOMPARE(file.right(128).mid(64, 13), QByteArray("9999999999900"));
        QCOMPARE(file.right(128).mid(10, 7), QByteArray("0000100"));
    }

    void pathProperty() {
        TVazDTA dta;
        dta.SetPath(QStringLiteral("/data/bank"));
        QCOMPARE(dta.Path(), QStringLiteral("/data/bank/"));
        dta.SetPath(QString());
        QCOMPARE(dta.Path(), QStringLiteral("/data/bank/"));
        dta.SetPath(QStringLiteral("/data/out/"));
        QCOMPARE(dta.FullFileName(), QStringLiteral("/data/out/DTAUS0.TXT"));
    }

    void begleitzettelText() {
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->SetAuftraggeberName(ansi("Bäckerei (Süd)"));
        dta->Start();
        dta->AddBuchung("A", "Rechnung", "", "", 1234.565, 10020030, 1234567890);
        dta->AddBuchung("B", "Rechnung", "", "", 0.995, 99999999, Q_INT64_C(9999999999));
        dta->Finish();
        const QString label = QStorageInfo(dir.path()).name();
        const QString expected = QStringLiteral(
                                     "Dateiname: DTAUS0.TXT\r\n"
                                     "Disketten-Nr: %1\r\n"
                                     "Datum: 10.03.2026\r\n"
                                     "Anzahl Datensätze C: 2\r\n"
                                     "Summe Datensätze C (EUR): 1235,57\r\n"
                                     "Summe Kontonummern: 00000011234567889\r\n"
                                     "Summe Bankleitzahlen: 00000000110020029\r\n"
                                     "Bankleitzahl Absenderbank: 37040044\r\n"
                                     "Kontonummer Absender: 532013000\r\n"
                                     "Absender: Bäckerei (Süd)")
                                     .arg(label);
        QCOMPARE(dta->BegleitzettelText(), expected);
    }
};

KWP_REGISTER_TEST(TestVazDTA)
#include "tst_vazdta.moc"
