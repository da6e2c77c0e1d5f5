#pragma once
// A shipped example replayed by korva in a fresh folder, after which its
// generated modules can be run in korva-vbrun with answers given as text.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva::testing {

class ExampleModules {
 public:
  // Copies the example's folder; its files may be changed before Generate,
  // which replays it and finds the model's name.
  explicit ExampleModules(const std::filesystem::path& example) {
    std::filesystem::copy(example, dir.dir(), std::filesystem::copy_options::recursive);
  }
  bool Generate() {
    std::vector<std::string> answers = TextLinesOf(dir.Read("stdin.txt"));
    answers.insert(answers.begin(), dir.dir());
    DialogueRun run(answers);
    const bool ok = run.Go() == 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir())) {
      std::string name = entry.path().filename().string();
      if (name.size() > 5 && name[0] == 'D' && name.ends_with(".bas")) model = name.substr(1, name.size() - 5);
    }
    return ok && !model.empty();
  }

  // Runs the module of the given kind ("D", "S" or "R") with the answers,
  // one a line; the screen is left in screen.txt, stderr in messages.txt.
  int Run(const std::string& kind, const std::string& answers) {
    dir.Write("answers.txt", answers);
    std::string command = "cd '" + dir.path() + "' && '" + KORVA_VBRUN_BINARY + "' --seed 1 " + kind + model +
                          ".bas <answers.txt >screen.txt 2>messages.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Runs the three modules with the example's answers (ejecucion/datos.txt,
  // simulador.txt, resultados.txt); the first status that is not 0, or 0.
  int RunAll() {
    for (const auto& [kind, file] : {std::pair{"D", "datos"}, {"S", "simulador"}, {"R", "resultados"}}) {
      int status = Run(kind, dir.Read("ejecucion/" + std::string(file) + ".txt"));
      if (status != 0) return status;
    }
    return 0;
  }

  TempDir dir;
  std::string model;
};

}  // namespace korva::testing
