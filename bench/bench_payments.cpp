// A DTAUS run of 100,000 payments: converting, checking and writing every C record and the file.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <vector>

#include "payments/vazdta.h"

namespace {

struct Payment {
    QByteArray name;
    QList<QByteArray> lines;
    double amount = 0;
    qint64 blz = 0;
    qint64 konto = 0;
};

// Realistic payees: umlauts, one to four purpose lines, now and then one long purpose text.
std::vector<Payment> makePayments(int count) {
    static const char* const names[] = {"Müller Sanitär GmbH", "Bäckerei Weiß & Söhne", "Café Süd",
                                        "Jürgen Öztürk", "Elektro Schmidt KG"};
    std::vector<Payment> payments;
    payments.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        Payment p;
        p.name = ToDTAAnsi(QString::fromUtf8(names[i % 5]) + QStringLiteral(" %1").arg(i));
        const int lineCount = 1 + i % 4;
        for (int l = 0; l < lineCount; ++l)
            p.lines.append(
                ToDTAAnsi(QStringLiteral("Rechnung %1-%2 vom 01.03.2026").arg(i).arg(l)));
        if (i % 10 == 0)
            p.lines = {ToDTAAnsi(
                QStringLiteral(
                    "Abschlag %1 für Wartung der Heizungsanlage, Kundennummer 4711, Danke")
                    .arg(i))};
        p.amount = 1.0 + double(i % 100000) * 1.37;
        p.blz = 10000000 + (i * 7919) % 89999999;
        p.konto = 10 + (qint64(i) * 104729) % Q_INT64_C(9999999989);
        payments.push_back(std::move(p));
    }
    return payments;
}

void BM_DtausRun(benchmark::State& state) {
    const int count = int(state.range(0));
    const std::vector<Payment> payments = makePayments(count);
    QTemporaryDir dir;
    TVazDTA dta;
    dta.SetAuftraggeberName(ToDTAAnsi(QStringLiteral("Gärtnerei Grün")));
    dta.SetAuftraggeberBLZ(60050101);
    dta.SetAuftraggeberKontoNr(Q_INT64_C(7496510994));
    dta.SetPath(dir.path());
    qint64 bytes = 0;
    for (auto _ : state) {
        dta.Start();
        for (const Payment& p : payments) dta.AddBuchung(p.name, p.lines, p.amount, p.blz, p.konto);
        dta.Finish();
        bytes = dta.Buffer().size();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_DtausRun)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
