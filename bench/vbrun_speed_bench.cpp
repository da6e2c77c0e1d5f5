// korva-vbrun running generated simulators against the same simulators
// written by hand in C++ (large_model_port, sir_port): the time is the
// process's CPU time, and before any timing each port's output is checked
// byte for byte against korva-vbrun's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "create_model.h"
#include "large_model_port.h"
#include "sir_port.h"
#include "vbrun_speed.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

constexpr int kElements = 1000;
constexpr int kPeriods = 1000;

// A folder with the model made and its inputs written, for one benchmark.
struct Workspace {
  fs::path vbrun;  // where korva-vbrun runs the module
  fs::path port;   // where the port runs, with the same inputs
  std::string error;  // why the outputs cannot be compared, or how they differ
};

// The first difference between two outputs, or "" when they are equal.
std::string Difference(const fs::path& a, const fs::path& b) {
  const std::string x = bench::ReadWhole(a), y = bench::ReadWhole(b);
  if (x == y) return "";
  size_t at = 0;
  while (at < x.size() && at < y.size() && x[at] == y[at]) ++at;
  return a.filename().string() + " differs from the port's at byte " + std::to_string(at) + " (" +
         std::to_string(x.size()) + " and " + std::to_string(y.size()) + " bytes)";
}

std::string CompareOutputs(const Workspace& w, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    std::string difference = Difference(w.vbrun / name, w.port / name);
    if (!difference.empty()) return difference;
  }
  return "";
}

const std::vector<std::string>& LargeModelAnswers() {
  static const std::vector<std::string> answers = {std::to_string(kPeriods), "1", "1", "0", "1", "1", "n", "n"};
  return answers;
}

// The large model of create_model.h with inputs that are not whole numbers,
// so that the records show fractions.
const Workspace& LargeModel() {
  static const Workspace w = [] {
    Workspace w;
    const fs::path root = fs::temp_directory_path() / "korva-vbrun-speed-large";
    fs::remove_all(root);
    w.vbrun = root / "vbrun";
    w.port = root / "port";
    fs::create_directories(w.vbrun);
    fs::create_directories(w.port);
    bench::WriteModel(w.vbrun, kElements);
    if (bench::RunCreate(w.vbrun) != 0) {
      w.error = "the model was not made";
      return w;
    }
    for (const fs::path& dir : {w.vbrun, w.port}) {
      std::ofstream data(dir / "datos1.txt", std::ios::binary);
      for (int i = 1; i <= kElements / 3; ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%.3f", i * 0.137);
        data << bench::Id(i) << " entrada numero " << i << "\r\n" << value << "\r\n";
      }
    }
    const fs::path previous = fs::current_path();
    fs::current_path(w.vbrun);
    const int status = bench::RunModule("SBIG.bas", LargeModelAnswers());
    fs::current_path(previous);
    if (status != 0) {
      w.error = "the simulator failed";
    } else if (!bench::RunLargeModelPort(w.port, kElements, kPeriods)) {
      w.error = "the port failed";
    } else {
      w.error = CompareOutputs(w, {"resul1", "R1ic"});
    }
    return w;
  }();
  return w;
}

const std::vector<std::string>& SirAnswers() {
  static const std::vector<std::string> answers = {"150", "0.1", "1", "1000", "0", "1", "1", "n", "4", "n"};
  return answers;
}

// The SIR model of bench/sir made by replaying its answers log, and its data
// entered through its data-entry program.
const Workspace& SirModel() {
  static const Workspace w = [] {
    Workspace w;
    const fs::path root = fs::temp_directory_path() / "korva-vbrun-speed-sir";
    fs::remove_all(root);
    w.vbrun = root / "vbrun";
    w.port = root / "port";
    fs::create_directories(w.port);
    fs::copy(fs::path(KORVA_SOURCE_DIR) / "bench" / "sir", w.vbrun, fs::copy_options::recursive);
    std::vector<std::string> answers = {w.vbrun.string()};
    {
      std::ifstream stdinLines(w.vbrun / "stdin.txt");
      for (std::string line; std::getline(stdinLines, line);) answers.push_back(line);
    }
    ScriptedDialogue box(answers);
    FileSystem files;
    RunState run(box, files);
    if (MainDialogue(run) != 0) {
      w.error = "the model was not made";
      return w;
    }
    const fs::path previous = fs::current_path();
    fs::current_path(w.vbrun);
    const int entered = bench::RunModule(
        "DSIR.bas", {"1", "", "990", "", "10", "", "0", "", "0.3;0.03", "", "0.1", "", "5", "1", "6"});
    const int status = entered == 0 ? bench::RunModule("SSIR.bas", SirAnswers()) : entered;
    fs::current_path(previous);
    fs::copy_file(w.vbrun / "DATOS1.txt", w.port / "datos1.txt");
    if (status != 0) {
      w.error = "the data entry or the simulator failed";
    } else if (!bench::RunSirPort(w.port, bench::SirRun{})) {
      w.error = "the port failed";
    } else {
      w.error = CompareOutputs(w, {"resul1.ale", "resul1", "R1ic"});
    }
    return w;
  }();
  return w;
}

// Times `run` by the process's CPU time; the workspace's comparison first.
template <typename Run>
void TimeRuns(benchmark::State& state, const Workspace& w, Run run) {
  if (!w.error.empty()) {
    state.SkipWithError(w.error.c_str());
    return;
  }
  for (auto _ : state) {
    const double start = bench::ProcessCpuSeconds();
    if (!run()) {
      state.SkipWithError("the run failed");
      return;
    }
    state.SetIterationTime(bench::ProcessCpuSeconds() - start);
  }
  bench::ReportPeakMemory(state);
}

bool RunIn(const fs::path& dir, const std::string& module, const std::vector<std::string>& answers) {
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  const int status = bench::RunModule(module, answers);
  fs::current_path(previous);
  return status == 0;
}

void BM_LargeModelInVbrun(benchmark::State& state) {
  const Workspace& w = LargeModel();
  TimeRuns(state, w, [&] { return RunIn(w.vbrun, "SBIG.bas", LargeModelAnswers()); });
}
BENCHMARK(BM_LargeModelInVbrun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LargeModelPort(benchmark::State& state) {
  const Workspace& w = LargeModel();
  TimeRuns(state, w, [&] { return bench::RunLargeModelPort(w.port, kElements, kPeriods); });
}
BENCHMARK(BM_LargeModelPort)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SirRepetitionsInVbrun(benchmark::State& state) {
  const Workspace& w = SirModel();
  TimeRuns(state, w, [&] { return RunIn(w.vbrun, "SSIR.bas", SirAnswers()); });
}
BENCHMARK(BM_SirRepetitionsInVbrun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SirRepetitionsPort(benchmark::State& state) {
  const Workspace& w = SirModel();
  TimeRuns(state, w, [&] { return bench::RunSirPort(w.port, bench::SirRun{}); });
}
BENCHMARK(BM_SirRepetitionsPort)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korva
