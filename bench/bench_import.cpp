// `kwpadmin addresses import` of 100,000 generated addresses into an empty tenant, run as the
// administrator runs it: addresses per second and the program's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/errorreport.h"
#include "demodata/addressgenerator.h"

namespace {

int addressCount() {
    const char* value = std::getenv("KWP_BENCH_ADDRESSES");
    return value ? std::max(1, std::atoi(value)) : 100000;
}

void kwpadmin(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(KWPADMIN_PATH), arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw EKwpError(
            QStringLiteral("kwpadmin %1 ist fehlgeschlagen.").arg(arguments.join(u' ')));
}

void BM_ImportAddresses(benchmark::State& state) {
    const int count = addressCount();
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("kwp"));
    const QString fileName = dir.filePath(QStringLiteral("adressen.xml"));
    kwpadmin({QStringLiteral("init"), root});
    kwpadmin({QStringLiteral("tenant"), QStringLiteral("add"), root, QStringLiteral("FIRMA")});
    TAddressGenerator().FillFile(fileName, 0, count);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        kwpadmin({QStringLiteral("addresses"), QStringLiteral("import"), root,
                  QStringLiteral("FIRMA"), fileName});
        state.counters["addresses_per_second"] =
            count * 1000.0 / double(std::max<qint64>(1, timer.elapsed()));
    }
    // The largest of the children: the import itself.
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peak_mb"] = double(usage.ru_maxrss) / 1024.0;
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
