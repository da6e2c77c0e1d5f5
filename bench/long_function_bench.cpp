// The create path of a model with one element calculated from many others
// through one equation line, its codes trusted so that its function is checked
// without asking, against the same model without that element.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "create_model.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

// Arguments: the number of inputs, and 1 with the element calculated from them all.
void BM_CreateWithLongFunction(benchmark::State& state) {
  const int inputs = static_cast<int>(state.range(0));
  const bool longElement = state.range(1) != 0;
  bench::RecordedModel model(state, "long-function-" + std::to_string(inputs) + "-" + std::to_string(state.range(1)),
                             [&](const fs::path& dir) { bench::WriteFanInModel(dir, inputs, longElement); });
  for (auto _ : state) {
    if (model.Replay(state) != 0) state.SkipWithError("the replay failed");
  }
  // Every calculated element's function was accepted: the simulator writes each.
  const std::string simulator = bench::ReadWhole(model.Dir() / "SBIG.bas");
  int outputs = 0;
  for (size_t at = simulator.find("write #2,"); at != std::string::npos; at = simulator.find("write #2,", at + 1)) {
    ++outputs;
  }
  if (outputs != (longElement ? 2 : 1)) state.SkipWithError("the simulator does not write every calculated element");
}
BENCHMARK(BM_CreateWithLongFunction)
    ->ArgsProduct({{30000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace korva
