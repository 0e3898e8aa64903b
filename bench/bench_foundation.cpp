// Start-up costs: reading the protected settings and loading and saving XML objects.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QTemporaryDir>

#include "app/conversions.h"
#include "app/errorreport.h"
#include "app/inifilesec.h"
#include "persistence/xmlcoreobject.h"

namespace {
// A list of records like the address manager's XML lists.
class RecordList : public TDBXMLCoreObject {
public:
    struct Record {
        QString name, city;
        double amount = 0;
    };
    std::vector<Record> records;

    void StartElement(const QString&, const QString&, const QString& qName,
                      const TXmlAttributes& attributes) override {
        if (qName == QLatin1String("rec")) {
            records.push_back({attributes.value(QStringLiteral("name")),
                               attributes.value(QStringLiteral("city")),
                               ToFloat(attributes.value(QStringLiteral("amount")), 0)});
        }
    }
    void Characters(const QString&) override {}
    void EndElement(const QString&, const QString&, const QString&) override {}
    void Clear() override { records.clear(); }
    void WriteXML(TXmlContent, int) override {
        WriteLine(QStringLiteral("<list>"));
        for (const Record& r : records) {
            WriteFormatLine(QStringLiteral("  <rec name=\"%s\" city=\"%s\" amount=\"%s\"/>"),
                            {XmlEscape(r.name), XmlEscape(r.city), FloatToStr(r.amount)});
        }
        WriteLine(QStringLiteral("</list>"));
    }
};

void fillList(RecordList& list, int count) {
    for (int i = 0; i < count; ++i) {
        list.records.push_back({QStringLiteral("Müller & Söhne GmbH %1").arg(i),
                                QStringLiteral("Frankfurt am Main"), i * 1.25});
    }
}

void BM_XmlSave(benchmark::State& state) {
    QTemporaryDir dir;
    RecordList list;
    fillList(list, int(state.range(0)));
    for ([[maybe_unused]] auto iteration : state)
        list.SaveToFile(dir.path() + QStringLiteral("/list.xml"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_XmlSave)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_XmlLoad(benchmark::State& state) {
    QTemporaryDir dir;
    RecordList list;
    fillList(list, int(state.range(0)));
    list.SaveToFile(dir.path() + QStringLiteral("/list.xml"));
    for ([[maybe_unused]] auto iteration : state) {
        list.LoadFromFile(dir.path() + QStringLiteral("/list.xml"));
        benchmark::DoNotOptimize(list.records.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_XmlLoad)->Arg(10000)->Unit(benchmark::kMillisecond);

// What a login reads: one protected file with about forty values.
void BM_ProtectedSettingsRead(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/SYSDATA.INI");
    {
        TIniFileSecWriter writer(file);
        for (int i = 0; i < 40; ++i)
            writer.WriteString(QStringLiteral("System"), QStringLiteral("Key%1").arg(i),
                               QStringLiteral("[DATADIR]DEMO\\FOLDER%1").arg(i));
        writer.UpdateFile();
    }
    for ([[maybe_unused]] auto iteration : state) {
        const TIniFileSec ini(file);
        for (int i = 0; i < 40; ++i)
            benchmark::DoNotOptimize(ini.ReadString(QStringLiteral("System"),
                                                    QStringLiteral("Key%1").arg(i), QString()));
    }
}
BENCHMARK(BM_ProtectedSettingsRead)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
