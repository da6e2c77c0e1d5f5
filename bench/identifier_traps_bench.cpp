// The identifier traps of lists of 30,000 and 300,000 elements whose
// identifiers ("K1", "K2", ... "K300000") are held in one another at every
// length and all begin with a letter of whole numbers: the worst list for
// the notice, found and worded.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_models.h"
#include "model/element_list.h"
#include "model/identifier_traps.h"

namespace korva {
namespace {

void BM_IdentifierTraps(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ModelTables model;
  SizeElementTables(model, n);
  for (int i = 1; i <= n; ++i) model.ElementList[i] = "K" + std::to_string(i) + " elemento";
  DeriveIdentifiers(model);
  size_t held = 0;
  for (auto _ : state) {
    const IdentifierTraps traps = FindIdentifierTraps(model);
    held = traps.held.size();
    benchmark::DoNotOptimize(TrapsNoticeText(model, traps));
  }
  state.counters["held"] = static_cast<double>(held);
  bench::ReportPeakMemory(state);
}
BENCHMARK(BM_IdentifierTraps)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korva
