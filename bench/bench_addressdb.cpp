// The address table with 100,000 generated addresses: searching (with the plain full scan of
// every row as the baseline), reading and saving one address, opening, counting.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "addressdb/dbadresssearch.h"
#include "addressdb/duplicatefinder.h"
#include "app/errorreport.h"
#include "demodata/addressgenerator.h"

namespace {

int addressCount() {
    const char* value = std::getenv("KWP_BENCH_ADDRESSES");
    return value ? std::max(1, std::atoi(value)) : 100000;
}

struct AddressFixture {
    QTemporaryDir dir;
    TDBAdress db;
    int count = addressCount();
    double savedPerSecond = 0;

    AddressFixture() {
        db.OpenDirectory(dir.path());
        QElapsedTimer timer;
        timer.start();
        TAddressGenerator().FillTable(db, 0, count);
        savedPerSecond = count * 1000.0 / double(std::max<qint64>(1, timer.elapsed()));
    }
};

AddressFixture& fixture() {
    static AddressFixture instance;
    return instance;
}

void findAddress(benchmark::State& state, const QString& text) {
    TDBAdress& db = fixture().db;
    int hits = 0;
    for (auto _ : state) {
        TDBAdressSearchResultObjectList result;
        db.FindAddress(text, result);
        hits = result.Count();
    }
    state.counters["hits"] = hits;
}

void scanAddresses(benchmark::State& state, const QString& text) {
    const std::unique_ptr<TStoreTextIndex> index =
        addresssearch::MakeIndex(*fixture().db.AddressTable());
    const QList<QByteArray> needles = addresssearch::SplitSearchText(text);
    size_t hits = 0;
    for (auto _ : state) hits = index->Scan(needles).size();
    state.counters["hits"] = double(hits);
}

const QString commonWord = QStringLiteral("GmbH");
const QString rareWord = QStringLiteral("K054321");
const QString twoWords = QStringLiteral("Berlin GmbH");
const QString wholeWord = QStringLiteral(".KG");

void BM_FindAddress_Common(benchmark::State& s) {
    findAddress(s, commonWord);
}
void BM_FindAddress_Rare(benchmark::State& s) {
    findAddress(s, rareWord);
}
void BM_FindAddress_TwoWords(benchmark::State& s) {
    findAddress(s, twoWords);
}
void BM_FindAddress_WholeWord(benchmark::State& s) {
    findAddress(s, wholeWord);
}
void BM_FullScan_Common(benchmark::State& s) {
    scanAddresses(s, commonWord);
}
void BM_FullScan_Rare(benchmark::State& s) {
    scanAddresses(s, rareWord);
}
void BM_FullScan_TwoWords(benchmark::State& s) {
    scanAddresses(s, twoWords);
}
void BM_FullScan_WholeWord(benchmark::State& s) {
    scanAddresses(s, wholeWord);
}
BENCHMARK(BM_FindAddress_Common)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAddress_Rare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAddress_TwoWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAddress_WholeWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScan_Common)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullScan_Rare)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullScan_TwoWords)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullScan_WholeWord)->Unit(benchmark::kMillisecond)->Iterations(1);

// What the table file costs per address, and how fast the addresses went in (one lock, as
// an import saves them).
void BM_TableFile(benchmark::State& state) {
    for (auto _ : state) {
    }
    const qint64 bytes = QFileInfo(fixture().dir.filePath(QStringLiteral("ADDRESS.DAT"))).size();
    state.counters["bytes_per_address"] = double(bytes) / fixture().count;
    state.counters["saved_per_second"] = fixture().savedPerSecond;
}
BENCHMARK(BM_TableFile)->Iterations(1);

void BM_GetCustomer(benchmark::State& state) {
    TDBAdress& db = fixture().db;
    int n = 1;
    for (auto _ : state) {
        n = (n * 48271) % fixture().count;
        TCustomerAddress record;
        benchmark::DoNotOptimize(db.GetCustomer(TAddressGenerator::AddressNumber(n), record));
    }
}
BENCHMARK(BM_GetCustomer)->Unit(benchmark::kMicrosecond);

// A changed record saved as the program does it: database lock, write, release.
void BM_SetCustomerWithLock(benchmark::State& state) {
    TDBAdress& db = fixture().db;
    TCustomerAddress record;
    db.GetCustomer(TAddressGenerator::AddressNumber(fixture().count / 2), record);
    int round = 0;
    for (auto _ : state) {
        record.WvTxt = QStringLiteral("Rückruf %1").arg(++round);
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("BENCH"));
        db.SetCustomer(record);
        db.Unlock(lock);
    }
}
BENCHMARK(BM_SetCustomerWithLock)->Unit(benchmark::kMillisecond);

void BM_OpenTable(benchmark::State& state) {
    const QString dir = fixture().dir.path();
    for (auto _ : state) {
        TDBAdress db;
        db.OpenDirectory(dir);
        benchmark::DoNotOptimize(db.GetRecordCount());
    }
}
BENCHMARK(BM_OpenTable)->Unit(benchmark::kMillisecond);

void BM_GetRecordCount(benchmark::State& state) {
    TDBAdress& db = fixture().db;
    for (auto _ : state) benchmark::DoNotOptimize(db.GetRecordCount());
}
BENCHMARK(BM_GetRecordCount);

// The duplicate warning on a new address and the menu's search: one pass over every row.
void findDuplicates(benchmark::State& state, bool withSoundex) {
    TDBAdress& db = fixture().db;
    TCustomerAddress record;
    db.GetCustomer(TAddressGenerator::AddressNumber(fixture().count / 3), record);
    qsizetype hits = 0;
    for (auto _ : state) hits = TDuplicateFinder::Find(record, db, withSoundex).size();
    state.counters["hits"] = double(hits);
}
void BM_FindDuplicates(benchmark::State& s) {
    findDuplicates(s, false);
}
void BM_FindDuplicates_WithSoundex(benchmark::State& s) {
    findDuplicates(s, true);
}
BENCHMARK(BM_FindDuplicates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindDuplicates_WithSoundex)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    fixture();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
