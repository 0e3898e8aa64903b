// The address list and search frame over 100,000 generated addresses (offscreen): creating it
// and painting the first page, jumping to the last row, a text search with some 5,000 hits on
// its result page, and the resident memory after scrolling through the whole list. Then the
// main window around it: opening it with the first address shown, moving to another address
// until its panes are filled, and saving an edited address.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "address/addressconfig.h"
#include "app/errorreport.h"
#include "app/notices.h"
#include "app/systemeinstellungen.h"
#include "demodata/addressgenerator.h"
#include "ui/widgets/dbadressviewframe1.h"
#include "ui/widgets/kwp00207form1.h"

namespace {

int addressCount() {
    const char* value = std::getenv("KWP_BENCH_ADDRESSES");
    return value ? std::max(1, std::atoi(value)) : 100000;
}

class SilentNotices : public INoticeService {
public:
    void showDesktopNotice(const QString&, const QString&, int, int) override {}
};

struct FrameFixture {
    QTemporaryDir dir;
    int count = addressCount();
    TAddressConfig config;
    // About 5,000 of the generated addresses are electricians.
    QString searchWord = QStringLiteral("Elektro");

    // The table is filled by another process, so that this one holds only what a workstation
    // showing the list holds.
    FrameFixture() {
        InitApplicationFor(TProgramDir::Bin, dir.filePath(QStringLiteral("BIN/kwp00207")));
        SystemEinstellungen()->AdressenDir = dir.filePath(QStringLiteral("ADRESSEN/"));
        BenutzerEinstellungen()->Vollname = QStringLiteral("BENCH");
        config.AdressGrp = TAddressGenerator::AddressGroups();
        config.AdressKz = TAddressGenerator::AddressMarks();
        QProcess generator;
        generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        generator.start(QStringLiteral(GENERATE_ADDRESSES_PATH),
                        {QStringLiteral("--table"), QStringLiteral("-n"), QString::number(count),
                         SystemEinstellungen()->AdressenDir});
        if (!generator.waitForFinished(-1) || generator.exitCode() != 0) {
            std::fprintf(stderr, "generate_addresses failed\n");
            std::exit(1);
        }
    }
};

FrameFixture& fixture() {
    static FrameFixture instance;
    return instance;
}

std::unique_ptr<TDBAdressViewFrame1> shownFrame() {
    auto frame = std::make_unique<TDBAdressViewFrame1>(fixture().config);
    frame->resize(1200, 700);
    frame->show();
    return frame;
}

QTableView* activeList(TDBAdressViewFrame1& frame) {
    return frame.findChild<QTabWidget*>(QStringLiteral("pcAdress"))
        ->currentWidget()
        ->findChild<QTableView*>();
}

// First, so that the other benchmarks' freed memory does not count.
qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

void BM_ResidentMemoryAfterScrolling(benchmark::State& state) {
    std::unique_ptr<TDBAdressViewFrame1> frame = shownFrame();
    QTableView* list = activeList(*frame);
    const qint64 before = residentKiB();
    for (auto _ : state) {
        const int page = std::max(1, list->viewport()->height() / list->rowHeight(0));
        for (int row = 0; row < list->model()->rowCount(); row += page) {
            list->scrollTo(list->model()->index(row, 0), QAbstractItemView::PositionAtTop);
            benchmark::DoNotOptimize(list->viewport()->grab());
        }
    }
    state.counters["rss_mb"] = double(residentKiB()) / 1024.0;
    state.counters["rss_growth_mb"] = double(residentKiB() - before) / 1024.0;
}
BENCHMARK(BM_ResidentMemoryAfterScrolling)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CreateFrameAndPaintFirstPage(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<TDBAdressViewFrame1> frame = shownFrame();
        frame->SelectAddress(QString());
        benchmark::DoNotOptimize(frame->grab());
    }
}
BENCHMARK(BM_CreateFrameAndPaintFirstPage)->Unit(benchmark::kMillisecond);

void BM_JumpToLastRowAndPaint(benchmark::State& state) {
    std::unique_ptr<TDBAdressViewFrame1> frame = shownFrame();
    auto* jump = frame->findChild<QLineEdit*>(QStringLiteral("edGoto"));
    const QString last = TAddressGenerator::AddressNumber(fixture().count - 1);
    for (auto _ : state) {
        state.PauseTiming();
        jump->clear();
        frame->RefreshList();
        state.ResumeTiming();
        jump->setText(last);
        benchmark::DoNotOptimize(activeList(*frame)->grab());
    }
}
BENCHMARK(BM_JumpToLastRowAndPaint)->Unit(benchmark::kMillisecond);

void BM_TextSearchOnResultPage(benchmark::State& state) {
    std::unique_ptr<TDBAdressViewFrame1> frame = shownFrame();
    frame->findChild<QLineEdit*>(QStringLiteral("edSearchText"))->setText(fixture().searchWord);
    int hits = 0;
    for (auto _ : state) {
        frame->TextSearch();
        benchmark::DoNotOptimize(activeList(*frame)->grab());
        state.PauseTiming();
        hits = activeList(*frame)->model()->rowCount();
        frame->CloseResultPage();
        state.ResumeTiming();
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_TextSearchOnResultPage)->Unit(benchmark::kMillisecond);

std::unique_ptr<TKWP00207Form1> shownWindow() {
    TStartOptions options;
    options.tenant = QStringLiteral("BENCH");
    auto window = std::make_unique<TKWP00207Form1>(options);
    window->resize(1024, 760);
    window->show();
    return window;
}

// The selection delay has run out: the selected address is loaded and shown.
void settle(TKWP00207Form1& window) {
    for (int tick = 0; tick < 4; ++tick) window.AdressViewFrame()->TickSelectionDelay();
}

void BM_OpenMainWindowWithFirstAddress(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<TKWP00207Form1> window = shownWindow();
        settle(*window);
        benchmark::DoNotOptimize(window->grab());
    }
}
BENCHMARK(BM_OpenMainWindowWithFirstAddress)->Unit(benchmark::kMillisecond);

// From the end of the delay until the panes show the newly selected address.
void BM_ShowAnotherAddress(benchmark::State& state) {
    std::unique_ptr<TKWP00207Form1> window = shownWindow();
    settle(*window);
    QTableView* list = activeList(*window->AdressViewFrame());
    QWidget* panes = window->findChild<QWidget*>(QStringLiteral("Panel1"));
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = (row + 977) % fixture().count;
        list->selectRow(row);
        for (int tick = 0; tick < 2; ++tick) window->AdressViewFrame()->TickSelectionDelay();
        state.ResumeTiming();
        window->AdressViewFrame()->TickSelectionDelay();
        benchmark::DoNotOptimize(panes->grab());
    }
}
BENCHMARK(BM_ShowAnotherAddress)->Unit(benchmark::kMillisecond);

void BM_SaveEditedAddress(benchmark::State& state) {
    std::unique_ptr<TKWP00207Form1> window = shownWindow();
    settle(*window);
    auto* info = window->findChild<QPlainTextEdit*>(QStringLiteral("mInfo"));
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        info->setPlainText(QStringLiteral("Rückruf %1").arg(++edit));
        state.ResumeTiming();
        window->AdressViewFrame()->SaveIfModified();
    }
}
BENCHMARK(BM_SaveEditedAddress)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetConsoleProcess(true);
    SilentNotices notices;
    SetNoticeService(&notices);
    fixture();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SetNoticeService(nullptr);
    return 0;
}
