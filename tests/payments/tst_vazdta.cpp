#include <QtTest>
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
std::unique_ptr<TVazDTA> makeWriter(const QString& dir) {
    auto dta = std::make_unique<TVazDTA>();
    dta->SetAuftraggeberName(ansi("Muster GmbH"));
    dta->SetAuftraggeberBLZ(37040044);
    dta->SetAuftraggeberKontoNr(532013000);
    dta->SetPath(dir);
    return dta;
}

// The runs of the golden files.
void runGutschriften(TVazDTA& dta) {
    dta.SetAuftraggeberName(ansi("Bäckerei Müller & Söhne"));
    dta.SetAusfuehrungsdatum(dayNumber(kToday.addDays(15)));
    dta.Start();
    const QByteArray long60 = "Rechnungen 2026-001, 2026-002, 2026-003 vom 28.02.2026 ff.xx";
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
    return file.mid(128, (file.size() / 128 - 2) * 128);
}

// A run of two payments of the amount, the name in every text field of the first.
void writeTwo(const QString& dir, const QByteArray& name, double amount) {
    auto dta = makeWriter(dir);
    dta->SetAuftraggeberName(name);
    dta->Start();
    dta->AddBuchung(name, name, "", "", amount, 10020030, 1234);
    dta->AddBuchung("Kunde", "Rechnung", "", "", amount, 10020030, 1234);
    dta->Finish();
}

// The message of the error the action raises.
template <class Error = EDTAError>
QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

class TestVazDTA : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        SetClock([] { return QDateTime(kToday, QTime(10, 15, 30)); });
    }
    void cleanup() { SetClock({}); }

    // The sums the cover sheet shows are pinned in tst_printareacore.
    void wholeFile_data() {
        QTest::addColumn<QString>("golden");
        for (const char* golden :
             {"dtaus_leer.dat", "dtaus_gutschriften.dat", "dtaus_lastschriften.dat"})
            QTest::newRow(golden) << QString::fromLatin1(golden);
    }
    void wholeFile() {
        QFETCH(QString, golden);
        QTemporaryDir dir;
        // The run starts from nothing: not from the longer old file nor from an earlier run.
        WriteFileBytes(dir.filePath("DTAUS0.TXT"), QByteArray(5000, 'x'));
        auto dta = makeWriter(dir.path());
        dta->Start();
        for (int i = 0; i < 3; ++i)
            dta->AddBuchung("Kunde", "Rechnung", "", "", 20.0, 10020030, 1234);
        dta->Finish();
        if (golden == QLatin1String("dtaus_leer.dat")) dta->Start(), dta->Finish();
        if (golden == QLatin1String("dtaus_gutschriften.dat")) runGutschriften(*dta);
        if (golden == QLatin1String("dtaus_lastschriften.dat")) runLastschriften(*dta);
        if (QTest::currentTestFailed()) return;
        const QByteArray expected = ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/") + golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")), expected);
        QCOMPARE(dta->RunState(), TVazBaseDTA::Idle);
    }

    void executionDate_data() {
        QTest::addColumn<double>("date");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("afterStart");
        const double today = dayNumber(kToday);
        QTest::newRow("yesterday") << today - 1 << QByteArray("10032026") << today;
        QTest::newRow("today+15") << today + 15 << QByteArray("25032026") << today + 15;
        QTest::newRow("today+16") << today + 16 << QByteArray("10032026") << today;
    }
    void executionDate() {
        QFETCH(double, date);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->SetAusfuehrungsdatum(date);
        dta->Start();
        QTEST(dta->Ausfuehrungsdatum(), "afterStart");
        dta->Finish();
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        QCOMPARE(file.mid(50, 6), QByteArray("100326"));  // creation date: always today
        QTEST(file.mid(95, 8), "field");
    }

    // 1 to 14 lines and a long single line are in the golden files.
    void purposeLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("lengthField");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QByteArray>("text");  // from the first purpose field on, without blanks
        const QByteArray a27(27, 'A'), q27(27, 'Q');
        const QString sixty = QString(27, 'A') + QString(27, 'B') + QStringLiteral("CCCCCC");
        QTest::newRow("empty lines dropped, lines of 60 cut")
            << QStringList{"", sixty, "", "", sixty, ""} << QByteArray("0216") << 256
            << a27 + "10102" + a27;
        QTest::newRow("one line of 14x27")
            << QStringList{QString(14 * 27, 'Q')} << QByteArray("0564") << 640
            << q27 + "113" + QByteArray("02" + q27).repeated(13);
    }
    void purposeLines() {
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        auto dta = makeWriter(dir.path());
        dta->Start();
        dta->AddBuchung("Kunde", ansiList(lines), 10.0, 10020030, 1234);
        dta->Finish();
        const QByteArray c = firstCRecord(ReadFileBytes(dir.filePath("DTAUS0.TXT")));
        QTEST(c.left(4), "lengthField");
        QTEST(int(c.size()), "bytes");
        QTEST(c.mid(155).replace(' ', ""), "text");
    }

    // Texts in the originator (A and C record), payee and purpose fields; amounts and sums.
    void fields_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("cents");
        const auto row = [](const char* tag, const char* name, const char* text, double amount,
                            const char* cents) {
            QTest::newRow(tag) << QString::fromUtf8(name) << amount << QByteArray(text)
                               << QByteArray(cents);
        };
        row("kept and replaced", "Straße ÄÖÜäöü $%&*+,-./[\\]~", "STRA~E [\\][\\] $%&*+,-./[\\]~",
            5, "00000000500");
        row("dropped", "a_b@c#d!e?f'g\"h(i)j:k;l", "ABCDEFGHIJKL", 5, "00000000500");
        row("outside code page", "Łódź €5 ÿµ", "D 5 ", 5, "00000000500");
        row("cut after 27", "Sehr lange Firmenbezeichnung GmbH & Co. KG",
            "SEHR LANGE FIRMENBEZEICHNUN", 5, "00000000500");
        row("half a cent up, not to even", "K", "K", 10.125, "00000001013");
        row("large half cent", "K", "K", 12345678.905, "01234567891");
    }
    void fields() {
        QFETCH(QString, name);
        QFETCH(double, amount);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, cents);
        text.append(27 - text.size(), ' ');
        QTemporaryDir dir;
        writeTwo(dir.path(), ToDTAAnsi(name), amount);
        const QByteArray file = ReadFileBytes(dir.filePath("DTAUS0.TXT"));
        for (const int at : {23, 128 + 93, 256, 256 + 27}) QCOMPARE(file.mid(at, 27), text);
        QCOMPARE(file.mid(128 + 79, 11), cents);
        QCOMPARE(file.mid(384 + 79, 11), cents);
        // The sum adds the rounded amounts, not the raw ones.
        QCOMPARE(file.mid(640 + 64, 13),
                 QByteArray::number(2 * cents.toLongLong()).rightJustified(13, '0'));
    }

    void failures_data() {
        using Action = std::function<void(TVazDTA&)>;
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isAdd");  // a refused payment inside a running file
        const QString started = "Die Methode Start() wurde bereits aufgerufen.";
        const QString blz = "Die Bankleitzahl muss genau 8 Zeichen besitzen.";
        const QString konto = "Die Kontonummer muss zwischen 10 und 9999999999 liegen.";
        const QString name = "Der Buchungsempfaenger muss angegeben werden.";
        const QString vwz = "Es sind nicht mehr als 14 Verwendungszwecke erlaubt.";
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
        row("start blz 9 digits", blz,
            [](TVazDTA& d) { d.SetAuftraggeberBLZ(100000000), d.Start(); });
        row("start konto 9", konto, [](TVazDTA& d) { d.SetAuftraggeberKontoNr(9), d.Start(); });
        row("start without name", name, [](TVazDTA& d) { d.SetAuftraggeberName(""), d.Start(); });
        row("start name of foreign characters", "Der Name des Auftraggebers \"()!?@#\" " + foreign,
            [](TVazDTA& d) { d.SetAuftraggeberName("()!?@#"), d.Start(); });
        row("payment after finish", "Es muss zunaechst die Methode Start() aufgerufen werden.",
            [](TVazDTA& d) {
                d.Start(), d.Finish();
                d.AddBuchung("K", "V", "", "", 5, 10020030, 99);
            });
        row("add blz 7 digits", blz, add("K", 5, 1234567, 99));
        row("add konto 11 digits", konto, add("K", 5, 10020030, Q_INT64_C(10000000000)));
        row("add without name", name, add("", 5, 10020030, 99));
        row("add name of foreign characters", payment.arg("()!?@#") + foreign,
            add("()!?@#", 1234.5, 10020030, 99));
        row("add 15 lines", vwz,
            [](TVazDTA& d) { d.AddBuchung("K", QList<QByteArray>(15, "Zeile"), 5, 10020030, 99); });
        row("add one line of 15x27", vwz,
            [](TVazDTA& d) { d.AddBuchung("K", {QByteArray(14 * 27 + 1, 'v')}, 5, 10020030, 99); });
        // Zero, below one euro, rounding to 0.99, negative, rounding above the maximum, huge.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        int i = 0;
        for (const double amount : {0.0, 0.99, 0.9949, -5.0, 999999999.995, 1e9, 1e300, nan, inf})
            row(qPrintable(QStringLiteral("add amount %1").arg(i++)),
                "Der Betrag muss zwischen EUR 1 und EUR 999999999.99 liegen.",
                add("K", amount, 10020030, 99));
        row("finish twice",
            "Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits "
            "aufgerufen.",
            [](TVazDTA& d) { d.Start(), d.Finish(), d.Finish(); });
    }
    void failures() {
        QFETCH(std::function<void(TVazDTA&)>, action);
        QFETCH(bool, isAdd);
        QTemporaryDir dir;
        const QString file = dir.filePath("DTAUS0.TXT");
        WriteFileBytes(file, "old file");
        auto dta = makeWriter(dir.path());
        QByteArray bufferBefore;
        if (isAdd) {
            // One good payment before the refused one: it must survive unchanged.
            dta->Start();
            dta->AddBuchung("Erster", "Rechnung 1", "", "", 7.5, 50010517, 4711);
            bufferBefore = dta->Buffer();
        }
        QTEST(errorOf([&] { action(*dta); }), "message");
        // A refused call writes nothing: the old file or that of a whole earlier run stays.
        const QByteArray kept = ReadFileBytes(file);
        QVERIFY2(kept == "old file" || kept.size() == 256, kept.constData());
        if (!isAdd) return;
        // The refused payment changed nothing; the run goes on.
        QCOMPARE(dta->Buffer(), bufferBefore);
        QCOMPARE(dta->AnzahlDatensaetzeC(), 1u);
        QCOMPARE(dta->SummeBetraege(), 7.5);
        QCOMPARE(dta->SummeKontonummern() + dta->SummeBankleitzahlen(), qint64(50010517 + 4711));
        QCOMPARE(dta->RunState(), TVazBaseDTA::Writing);
        dta->Finish();
        QCOMPARE(ReadFileBytes(file).size(), 128 + 256 + 128);
    }

    void unwritableTarget() {
        QTemporaryDir dir;
        auto dta = makeWriter(dir.filePath("missing/folder"));
        dta->Start();
        dta->AddBuchung("Kunde", "Rechnung", "", "", 20.0, 10020030, 1234);
        const QString message = errorOf<EKwpError>([&] { dta->Finish(); });
        QVERIFY2(message.contains(dir.filePath("missing/folder/DTAUS0.TXT")), qPrintable(message));
        // The run is closed, so the next one may start.
        QCOMPARE(dta->RunState(), TVazBaseDTA::Idle);
        dta->SetPath(dir.path());
        dta->Start();
        dta->Finish();
        QCOMPARE(ReadFileBytes(dir.filePath("DTAUS0.TXT")).size(), 256);
    }
};

KWP_REGISTER_TEST(TestVazDTA)
#include "tst_vazdta.moc"
