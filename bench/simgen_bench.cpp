// The simulation set-up on many inputs: every input uncertain, with one change
// of value, its answers trusted from bracket codes. Each input's sampling line
// is opened before all the per-step lines gathered so far.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_models.h"
#include "dialogue/scripted_dialogue.h"
#include "model/calculation_order.h"
#include "simgen/simulation_setup.h"

namespace korva {
namespace {

using bench::Id;

// n inputs E00001 .. and one calculated element that depends on the first.
ModelTables ManyInputs(int n) {
  ModelTables model;
  SizeElementTables(model, n + 1);
  for (int i = 1; i <= n; ++i) model.ElementList[i] = Id(i) + " entrada [ince=s;aldi=n;cval=1;ndim=0;";
  model.ElementList[n + 1] = Id(n + 1) + " resultado";
  DeriveIdentifiers(model);
  ReadMatrixLines(model, {Id(n + 1) + "    " + Id(1)});
  Levelling levelling = LevelElements(model);
  model.CalcLevel = levelling.levels;
  model.LevelCount = levelling.levelCount;
  return model;
}

void BM_SetUpManyUncertainInputs(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("korva-simgen-bench-" + std::to_string(n));
  std::filesystem::create_directories(dir);
  ModelCycle cycle;
  cycle.ModelName = "BIG";
  cycle.Model = ManyInputs(n);
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir / "MODELO1.txt");
    // No genetic algorithm, dynamic in years, uncertainty in some inputs,
    // codes trusted, go on after the set-up.
    ScriptedDialogue box({"n", "s", "año", "a", "s", "n"});
    FileSystem files;
    RunContext run(box, files);
    run.WorkDir = dir.string() + "/";
    run.Log.Open(files, run.WorkDir, 1);
    SimulationState sim;
    RunWideAnswers wide;
    SimulatorModule simulator;
    state.ResumeTiming();
    SimulationSetup(run, cycle, sim, wide, simulator, SimulatorModule::Room{});
    run.Log.Close();
    if (box.remaining() != 0 || sim.UncertainInputCount != n) state.SkipWithError("the set-up did not take every input");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SetUpManyUncertainInputs)->Arg(2000)->Arg(16000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva
