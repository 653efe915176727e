// The shuffled playlist's refill: one whole cycle of a large project must not stall the show.
#include "model/ShuffleBag.h"
#include "support/SteppingClock.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ShuffleCycle(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    SteppingClock clock;
    for (auto _ : state) {
        ShuffleBag bag(clock);
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(bag.Next(n));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ShuffleCycle)->Arg(1000)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

} // namespace
