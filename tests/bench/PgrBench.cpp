// Throughput of the archive transforms and readers, each beside its baseline
// in the same run: memcpy of the same buffer, or plain zlib for extraction.
// After the table, each one's speed is printed as a ratio to its baseline.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

constexpr size_t kBufferSize = 4 << 20;

const std::vector<uint8_t>& Source() {
    static const std::vector<uint8_t> bytes = [] {
        std::mt19937 rng(1);
        std::vector<uint8_t> v(kBufferSize);
        for (uint8_t& b : v)
            b = static_cast<uint8_t>(rng());
        return v;
    }();
    return bytes;
}

void BM_memcpy(benchmark::State& state) {
    std::vector<uint8_t> out(kBufferSize);
    for (auto _ : state) {
        memcpy(out.data(), Source().data(), kBufferSize);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBufferSize);
}

void BM_DescrambleData(benchmark::State& state) {
    InitNoiseTable();
    std::vector<uint8_t> buffer = Source();
    for (auto _ : state) {
        DescrambleData(buffer.data(), static_cast<int32_t>(kBufferSize), 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBufferSize);
}

void BM_ChecksumSum(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(AddBytes(0, Source().data(), kBufferSize));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBufferSize);
}

// An archive of the installer's size: 28176609 bytes, mostly one stored file.
constexpr size_t kArchiveSize = 28176609;

const std::vector<uint8_t>& LargeArchive() {
    static const std::vector<uint8_t> archive = [] {
        PgrBuilder probe;
        probe.AddEntry({"BULK", {}, false, true});
        const size_t overhead = probe.Build().size();
        std::mt19937 rng(2);
        std::vector<uint8_t> bulk(kArchiveSize - overhead);
        for (uint8_t& b : bulk)
            b = static_cast<uint8_t>(rng());
        PgrBuilder b;
        b.AddEntry({"BULK", std::move(bulk), false, true});
        return b.Build();
    }();
    return archive;
}

const DisplayInfo kDisplay{};

void BM_memcpyArchive(benchmark::State& state) {
    const std::vector<uint8_t>& archive = LargeArchive();
    std::vector<uint8_t> out(archive.size());
    for (auto _ : state) {
        memcpy(out.data(), archive.data(), archive.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * archive.size()));
}

void BM_ReadFile(benchmark::State& state) {
    InitNoiseTable();
    const std::vector<uint8_t>& archive = LargeArchive();
    for (auto _ : state) {
        CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kDisplay);
        if (reader.ReadFile() != kPgrOk)
            state.SkipWithError("the archive did not read");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * archive.size()));
}

// Text-like content that deflate shrinks about as much as an installer's files.
std::vector<uint8_t> CompressibleContent() {
    static const char* const kWords[] = {"layer ", "brush ", "colour ", "profile ", "export ", "JPEG ",
                                         "canvas ", "pixel ", "mask ", "gradient\n"};
    std::mt19937 rng(3);
    std::string text;
    while (text.size() < (8u << 20))
        text += kWords[rng() % 10];
    return {text.begin(), text.end()};
}

struct CompressedFixture {
    std::vector<uint8_t> content;
    std::vector<uint8_t> archive;
    std::vector<uint8_t> stored;  // "ZLIB", the length and the zlib stream
};

const CompressedFixture& Compressed() {
    static const CompressedFixture fixture = [] {
        CompressedFixture f;
        f.content = CompressibleContent();
        f.stored = EncodeEntryContent(f.content, true, "DOC");
        PgrBuilder b;
        b.AddEntry({"DOC", f.content, true, true});
        f.archive = b.Build();
        return f;
    }();
    return fixture;
}

void BM_uncompress(benchmark::State& state) {
    const CompressedFixture& f = Compressed();
    std::vector<uint8_t> out(f.content.size());
    for (auto _ : state) {
        uLongf produced = static_cast<uLongf>(out.size());
        uncompress(out.data(), &produced, f.stored.data() + Pgr::kCompressedHeaderSize,
                   static_cast<uLong>(f.stored.size() - Pgr::kCompressedHeaderSize));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.content.size()));
}

void BM_ExtractEntry(benchmark::State& state) {
    InitNoiseTable();
    const CompressedFixture& f = Compressed();
    CMemPGR reader(f.archive.data(), static_cast<uint32_t>(f.archive.size()), kDisplay);
    if (reader.ReadFile() != kPgrOk)
        state.SkipWithError("the archive did not read");
    for (auto _ : state) {
        const ExtractedEntry e = ExtractEntry(reader, "DOC");
        if (e.status != ExtractStatus::Extracted)
            state.SkipWithError("the entry did not extract");
        benchmark::DoNotOptimize(e.data.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.content.size()));
}

BENCHMARK(BM_memcpy);
BENCHMARK(BM_DescrambleData);
BENCHMARK(BM_ChecksumSum);
BENCHMARK(BM_memcpyArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_uncompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractEntry)->Unit(benchmark::kMillisecond);

// What each benchmark is measured against; memcpy of the 4 MiB buffer when
// not listed.
const std::map<std::string, std::string> kBaselines = {
    {"BM_ReadFile", "BM_memcpyArchive"},
    {"BM_ExtractEntry", "BM_uncompress"},
};

std::string BaselineOf(const std::string& name) {
    const auto listed = kBaselines.find(name);
    return listed != kBaselines.end() ? listed->second : "BM_memcpy";
}

bool IsBaseline(const std::string& name) {
    return name == "BM_memcpy" || std::any_of(kBaselines.begin(), kBaselines.end(),
                                              [&](const auto& listed) { return listed.second == name; });
}

// Keeps each benchmark's bytes per second so the ratios can follow the table.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end())
                m_rates[run.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        printf("\nspeed relative to the baseline of the same work in the same run:\n");
        for (const auto& [name, rate] : m_rates) {
            const auto base = m_rates.find(BaselineOf(name));
            if (IsBaseline(name) || base == m_rates.end() || base->second <= 0)
                continue;
            printf("  %-20s %8.0f MB/s   %.3f x %s (%.0f MB/s)\n", name.c_str(), rate / 1e6, rate / base->second,
                   base->first.c_str(), base->second / 1e6);
        }
    }

  private:
    std::map<std::string, double> m_rates;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
