// The drop shadow's image for the installer's 700 x 525 window, as computed on
// every update: with the default settings, with the largest kernel, and with
// the outline sampled through a point-in-region test as a shaped window is.
#include <benchmark/benchmark.h>

#include "toolkit/portable/shadow/ShadowImage.h"

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 525;

void Compute(benchmark::State& state, const ShadowOutline& outline, const CShadowSettings& settings) {
    for (auto _ : state) {
        ShadowImage image = ComputeShadowImage(outline, settings);
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void BM_ShadowDefaults(benchmark::State& state) {
    Compute(state, RectangleOutline(kWidth, kHeight), CShadowSettings{});
}

void BM_ShadowLargestKernel(benchmark::State& state) {
    CShadowSettings settings;
    settings.SetShadowSize(20);
    settings.SetShadowSharpness(20);
    Compute(state, RectangleOutline(kWidth, kHeight), settings);
}

// Rounded corners of radius 40: the outline is sampled again on every update.
void BM_ShadowSampledRoundedOutline(benchmark::State& state) {
    const auto inside = [](int x, int y) {
        constexpr int r = 40;
        const int cx = x < r ? r : (x >= kWidth - r ? kWidth - r - 1 : x);
        const int cy = y < r ? r : (y >= kHeight - r ? kHeight - r - 1 : y);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
    for (auto _ : state) {
        ShadowImage image = ComputeShadowImage(SampleOutline(kWidth, kHeight, inside), CShadowSettings{});
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_ShadowDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShadowLargestKernel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShadowSampledRoundedOutline)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
