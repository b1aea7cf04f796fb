// Throughput of the archive transforms beside memcpy of the same buffer in the
// same run; after the table, each transform's speed is printed as a ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "pgr/PgrTransforms.h"

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

BENCHMARK(BM_memcpy);
BENCHMARK(BM_DescrambleData);
BENCHMARK(BM_ChecksumSum);

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
        auto base = m_rates.find("BM_memcpy");
        if (base == m_rates.end() || base->second <= 0)
            return;
        printf("\nspeed relative to memcpy of the same %zu MiB buffer (%.0f MB/s):\n", kBufferSize >> 20,
               base->second / 1e6);
        for (const auto& [name, rate] : m_rates)
            if (name != base->first)
                printf("  %-20s %8.0f MB/s   %.3f x memcpy\n", name.c_str(), rate / 1e6, rate / base->second);
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
