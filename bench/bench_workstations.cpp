// Several workstations on one address table, each a process of this program:
// - four writers each adding one to a counter address under the lock (lost increments, waits
//   for the lock);
// - a reader that opens, searches and reads while another process imports many addresses in
//   one transaction (its longest open, search and read, waits included, and whether it ever
//   saw part of the import).
// KWP_BENCH_CYCLES (1,000) and KWP_BENCH_IMPORT (20,000) set the sizes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "demodata/addressgenerator.h"

namespace {

int envCount(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::max(1, std::atoi(value)) : fallback;
}

const QString counterId = QStringLiteral("ZAEHLER");
constexpr int baseAddresses = 1000;

// Worker: CYCLES times lock, read the counter, add one, save, unlock; prints the waits for the
// lock in microseconds.
int countUp(const QString& dir, int cycles) {
    TDBAdress db;
    db.OpenDirectory(dir);
    db.SetLockSettleDelay(0);
    QElapsedTimer timer;
    std::string waits;
    for (int i = 0; i < cycles; ++i) {
        timer.start();
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("BENCH"));
        waits += std::to_string(timer.nsecsElapsed() / 1000) + ' ';
        TCustomerAddress record;
        if (!lock || !db.GetCustomer(counterId, record)) return 4;
        record.DisplayTxt = QString::number(record.DisplayTxt.toInt() + 1);
        if (db.SetCustomer(record) != 0) return 4;
        db.Unlock(lock);
    }
    std::printf("%s\n", waits.c_str());
    return 0;
}

// Worker: imports COUNT generated addresses after the base ones in one transaction, checking
// each number first as the import of the setup tool does.
int importAll(const QString& dir, int count) {
    TDBAdress db;
    db.OpenDirectory(dir);
    const TAddressGenerator generator;
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("IMPORT"));
    if (!lock) return 4;
    std::printf("locked\n");
    std::fflush(stdout);
    for (int i = baseAddresses; i < baseAddresses + count; ++i) {
        TCustomerAddress record;
        generator.Fill(i, record);
        if (db.ExistsCustomer(record.Id) || db.SetCustomer(record) != 0) return 4;
    }
    db.Unlock(lock);
    std::printf("done\n");
    return 0;
}

std::unique_ptr<QProcess> startWorker(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(),
                   QStringList{QStringLiteral("--worker")} + arguments);
    process->waitForStarted(10000);
    return process;
}

void BM_LockedIncrements(benchmark::State& state) {
    constexpr int writers = 4;
    const int cycles = envCount("KWP_BENCH_CYCLES", 1000);
    for (auto _ : state) {
        QTemporaryDir dir;
        TDBAdress db;
        db.OpenDirectory(dir.path());
        TCustomerAddress counter;
        counter.Id = counterId;
        counter.DisplayTxt = QStringLiteral("0");
        db.SetCustomer(counter);
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < writers; ++i)
            running.push_back(
                startWorker({QStringLiteral("count"), dir.path(), QString::number(cycles)}));
        std::vector<double> waits;
        bool failed = false;
        for (const auto& worker : running) {
            worker->waitForFinished(-1);
            failed = failed || worker->exitCode() != 0;
            for (const QByteArray& wait : worker->readAllStandardOutput().simplified().split(' '))
                if (!wait.isEmpty()) waits.push_back(wait.toDouble() / 1000.0);
        }
        TCustomerAddress loaded;
        db.GetCustomer(counterId, loaded);
        std::sort(waits.begin(), waits.end());
        state.counters["lost"] = double(writers * cycles - loaded.DisplayTxt.toInt());
        state.counters["failed"] = failed ? 1 : 0;
        state.counters["wait_median_ms"] = waits.empty() ? 0 : waits[waits.size() / 2];
        state.counters["wait_worst_ms"] = waits.empty() ? 0 : waits.back();
    }
}
BENCHMARK(BM_LockedIncrements)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

void BM_ReaderDuringImport(benchmark::State& state) {
    const int count = envCount("KWP_BENCH_IMPORT", 20000);
    for (auto _ : state) {
        QTemporaryDir dir;
        {
            TDBAdress db;
            db.OpenDirectory(dir.path());
            TAddressGenerator().FillTable(db, 0, baseAddresses);
        }
        const std::unique_ptr<QProcess> importer =
            startWorker({QStringLiteral("import"), dir.path(), QString::number(count)});
        importer->waitForReadyRead(-1);
        QElapsedTimer importTime;
        importTime.start();
        // The longest open, search and read.
        qint64 worstNs[3] = {};
        int rounds = 0;
        int errors = 0;
        bool partial = false;
        QElapsedTimer step;
        const auto timed = [&](int kind, auto&& work) {
            step.start();
            work();
            worstNs[kind] = std::max(worstNs[kind], step.nsecsElapsed());
        };
        while (importer->state() != QProcess::NotRunning) {
            TDBAdress reader([&errors](const std::exception&, const QString&) { ++errors; });
            timed(0, [&] { reader.OpenDirectory(dir.path()); });
            TDBAdressSearchResultObjectList hits;
            timed(1, [&] { reader.FindAddress(QStringLiteral("Bäckerei"), hits); });
            TCustomerAddress record;
            for (int i = 0; i < 20; ++i)
                timed(2, [&] {
                    reader.GetCustomer(TAddressGenerator::AddressNumber((rounds * 37 + i * 53) %
                                                                        (baseAddresses + count)),
                                       record);
                });
            const int rows = reader.GetRecordCount();
            partial = partial || (rows != baseAddresses && rows != baseAddresses + count);
            ++rounds;
            importer->waitForFinished(1);
        }
        state.counters["import_s"] = double(importTime.elapsed()) / 1000.0;
        state.counters["import_failed"] = importer->exitCode() != 0 ? 1 : 0;
        state.counters["open_worst_ms"] = double(worstNs[0]) / 1e6;
        state.counters["find_worst_ms"] = double(worstNs[1]) / 1e6;
        state.counters["get_worst_ms"] = double(worstNs[2]) / 1e6;
        state.counters["reader_rounds"] = rounds;
        state.counters["reader_errors"] = errors;
        state.counters["partial_seen"] = partial ? 1 : 0;
    }
}
BENCHMARK(BM_ReaderDuringImport)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--worker")) {
        if (args[2] == QLatin1String("count")) return countUp(args[3], args[4].toInt());
        if (args[2] == QLatin1String("import")) return importAll(args[3], args[4].toInt());
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
