// The shuffled playlist's refill: one whole cycle of a large project must not stall the show.
#include "model/ShuffleBag.h"
#include "platform/Clock.h"

#include <benchmark/benchmark.h>

namespace {

// Ticks that move by a large odd step on every read, so every draw takes a different entry.
class SteppingClock final : public IClock {
public:
    uint32_t TickCount() override { return now_ += 0x9E3779B9u; }
    void Sleep(uint32_t ms) override { now_ += ms; }

private:
    uint32_t now_ = 0;
};

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
