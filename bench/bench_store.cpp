// The table store on a table of 100,000 rows: opening, reading by record number at the start
// and at the end, key look-ups and writing one row.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QTemporaryDir>

#include "app/errorreport.h"
#include "persistence/storedatabase.h"
#include "persistence/storetable.h"

namespace {
constexpr int storeRows = 100000;

QString storeId(int n) {
    return QStringLiteral("K%1").arg(n, 6, 10, QLatin1Char('0'));
}

// One table "ADRESSEN" filled once per process, in a random key order.
struct StoreFixture {
    QTemporaryDir dir;
    TStoreDatabase database;

    StoreFixture() {
        database.SetLocation(dir.path());
        TStoreTable table(&database);
        table.SetTableName(QStringLiteral("ADRESSEN"));
        TFieldDefs& f = table.FieldDefs();
        f.Add(QStringLiteral("ID"), sftString, 20, true);
        f.Add(QStringLiteral("DISPLAYTXT"), sftString, 255, true);
        f.Add(QStringLiteral("CHANGED"), sftDateTime, 0, true);
        f.Add(QStringLiteral("XMLDATA"), sftMemo);
        table.IndexDefs().Add(QStringLiteral("ADRESSENID"), QStringLiteral("ID"), ixUnique);
        table.CreateTable();
        table.Open();
        table.LockTable();
        const QString xml = QStringLiteral(
                                "<kundenadr><adr name=\"Muster GmbH\" strasse=\"Hauptstraße 1\" "
                                "plz=\"10115\" ort=\"Berlin\"/></kundenadr>")
                                .repeated(4);
        for (int i = 0; i < storeRows; ++i) {
            const int n = int((qint64(i) * 7919) % storeRows) + 1;
            table.Append();
            table.FieldByName(QStringLiteral("ID")).SetAsString(storeId(n));
            table.FieldByName(QStringLiteral("DISPLAYTXT"))
                .SetAsString(QStringLiteral("Firma Nr. %1, Berlin").arg(n));
            table.FieldByName(QStringLiteral("CHANGED")).SetAsDateTime(45000 + n % 1000);
            table.FieldByName(QStringLiteral("XMLDATA")).SetAsString(xml);
            table.Post();
        }
        table.UnlockTable();
    }

    std::unique_ptr<TStoreTable> open() {
        auto table = std::make_unique<TStoreTable>(&database);
        table->SetTableName(QStringLiteral("ADRESSEN"));
        table->SetIndexName(QStringLiteral("ADRESSENID"));
        table->Open();
        return table;
    }
};

StoreFixture& fixture() {
    static StoreFixture instance;
    return instance;
}

void BM_OpenTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fixture().open()->RecordCount());
}
BENCHMARK(BM_OpenTable)->Unit(benchmark::kMillisecond);

// Reads 100 records by record number with their XML: every 1000th of the table, then the
// first hundred and the last hundred.
void readByRecNo(benchmark::State& state, int first, int step) {
    auto table = fixture().open();
    for (auto _ : state) {
        qsizetype length = 0;
        for (int i = 0; i < 100; ++i) {
            table->SetRecNo(first + i * step);
            length += table->FieldByName(QStringLiteral("XMLDATA")).AsString().size();
        }
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
void BM_RecNoEvery1000th(benchmark::State& state) {
    readByRecNo(state, 1, 1000);
}
void BM_RecNoAtStart(benchmark::State& state) {
    readByRecNo(state, 1, 1);
}
void BM_RecNoAtEnd(benchmark::State& state) {
    readByRecNo(state, storeRows - 99, 1);
}
BENCHMARK(BM_RecNoEvery1000th)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecNoAtStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecNoAtEnd)->Unit(benchmark::kMicrosecond);

void BM_Locate(benchmark::State& state) {
    auto table = fixture().open();
    int n = 1;
    for (auto _ : state) {
        n = (n * 48271) % storeRows + 1;
        benchmark::DoNotOptimize(table->Locate(QStringLiteral("ID"), storeId(n)));
    }
}
BENCHMARK(BM_Locate)->Unit(benchmark::kMicrosecond);

void BM_FindNearest(benchmark::State& state) {
    auto table = fixture().open();
    int n = 1;
    for (auto _ : state) {
        n = (n * 48271) % storeRows + 1;
        table->FindNearest({storeId(n) + QStringLiteral("A")});
        benchmark::DoNotOptimize(table->RecNo());
    }
}
BENCHMARK(BM_FindNearest)->Unit(benchmark::kMicrosecond);

// One new row, posted in its own transaction (with the file system's sync), then removed.
void BM_AppendPost(benchmark::State& state) {
    auto table = fixture().open();
    int n = storeRows;
    for (auto _ : state) {
        table->Append();
        table->FieldByName(QStringLiteral("ID")).SetAsString(storeId(++n));
        table->FieldByName(QStringLiteral("DISPLAYTXT")).SetAsString(QStringLiteral("Neu"));
        table->FieldByName(QStringLiteral("CHANGED")).SetAsDateTime(45000);
        table->Post();
        state.PauseTiming();
        table->Delete();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendPost)->Unit(benchmark::kMillisecond);
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
