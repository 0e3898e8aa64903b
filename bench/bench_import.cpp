// The setup tool's import of 100,000 generated addresses into an empty tenant: addresses per
// second and the process's peak memory (the list is never held as a whole).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/errorreport.h"
#include "demodata/addressgenerator.h"
#include "setup/addresstransfer.h"
#include "setup/adminsupport.h"
#include "setup/installation.h"
#include "setup/tenantsetup.h"

namespace {

int addressCount() {
    const char* value = std::getenv("KWP_BENCH_ADDRESSES");
    return value ? std::max(1, std::atoi(value)) : 100000;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_ImportAddresses(benchmark::State& state) {
    const int count = addressCount();
    QTemporaryDir dir;
    const TInstallationPaths paths(dir.filePath(QStringLiteral("kwp")));
    const QString fileName = dir.filePath(QStringLiteral("adressen.xml"));
    const TAdminLog quiet;
    InitInstallation(paths, quiet);
    AddTenant(paths, QStringLiteral("FIRMA"), {}, quiet);
    TAddressGenerator().FillFile(fileName, 0, count);
    const double before = peakMegabytes();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const int written = ImportAddresses(paths, QStringLiteral("FIRMA"), fileName, false, quiet);
        state.counters["addresses_per_second"] =
            written * 1000.0 / double(std::max<qint64>(1, timer.elapsed()));
    }
    state.counters["peak_mb_before"] = before;
    state.counters["peak_mb"] = peakMegabytes();
}
BENCHMARK(BM_ImportAddresses)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
