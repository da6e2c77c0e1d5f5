// A whole create cycle of a large model replayed from its answers log: element
// list, equations file, calculation order, set-up and specification of every
// element through the complete simulator. Every name carries bracket codes,
// and the codes are trusted, so that the modeller is asked nothing but what
// lies outside the log.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "bench_models.h"
#include "create_model.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using bench::RunCreate;
using bench::WriteModel;

void BM_CreateLargeModelFromItsLog(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = fs::temp_directory_path() / ("korva-create-bench-" + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  WriteModel(dir, n);
  // The first run answers and records; the timed runs replay its log.
  if (RunCreate(dir) != 0) state.SkipWithError("the recording run failed");
  const fs::path log = dir / "MODELO1.txt";
  const fs::path recorded = dir / "recorded.txt";
  fs::copy_file(log, recorded);
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(recorded, log, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    if (RunCreate(dir) != 0) state.SkipWithError("the replay failed");
  }
  std::ifstream simulator(dir / "SBIG.bas");
  std::string line, last;
  int outputs = 0;
  while (std::getline(simulator, line)) {
    outputs += line.find("write #2,") != std::string::npos;
    last = line;
  }
  if (last.find("   ") != 0 || outputs != n - n / 3) state.SkipWithError("the simulator is not complete");
  // The three modules of the large model are valid for the target's compiler.
  for (const char* module : {"SBIG.bas", "DBIG.bas", "RBIG.bas"}) {
    std::ifstream in(dir / module, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = vbrun::ParseModule(module, text);
    if (!std::holds_alternative<vbrun::Module>(parsed)) {
      state.SkipWithError((std::string(module) + ": " + std::get<vbrun::SyntaxError>(parsed).message).c_str());
      break;
    }
    std::vector<vbrun::Module> modules;
    modules.push_back(std::move(std::get<vbrun::Module>(parsed)));
    auto checked = vbrun::CheckProgram(std::move(modules));
    if (auto* error = std::get_if<vbrun::CompileError>(&checked)) {
      state.SkipWithError((std::string(module) + ": " + error->message).c_str());
      break;
    }
  }
  state.counters["outputs"] = outputs;
  fs::remove_all(dir);
}
BENCHMARK(BM_CreateLargeModelFromItsLog)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace korva
