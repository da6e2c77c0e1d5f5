#pragma once
// A model written by korva in a fresh folder (from its own files and answers
// log, replayed), whose generated modules are then run by korva-vbrun with
// answers piped to them, as a modeller would run the compiled programs.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"
#include "text/cp1252.h"

namespace korva::testing {

class GeneratedModel {
 public:
  // `files`: name and bytes of each file of the model (list, matrix, answers
  // log MODELO1.txt...); `answers`: what korva is told after the working
  // directory, the replay of log 1 included.
  GeneratedModel(const std::map<std::string, std::string>& files, std::vector<std::string> answers) {
    for (const auto& [name, bytes] : files) dir.Write(name, bytes);
    answers.insert(answers.begin(), dir.dir());
    DialogueRun run(answers);
    status = run.Go();
    shown = run.box.Messages();
  }

  // An example of the source tree, written by replaying its answers.
  static GeneratedModel Example(const std::string& name) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / name)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return GeneratedModel(files, TextLinesOf(files["stdin.txt"]));
  }

  // Runs korva-vbrun on `module` with the answers piped to it; returns its exit status.
  int Run(const std::string& module, const std::vector<std::string>& answers, int seed = 1) const {
    std::string piped;
    for (const std::string& a : answers) piped += a + "\n";
    dir.Write("answers.txt", piped);
    std::string command = "cd '" + dir.path() + "' && '" + KORVA_VBRUN_BINARY + "' --seed " + std::to_string(seed) +
                          " " + module + " <answers.txt >screen.txt 2>messages.txt";
    int result = std::system(command.c_str());
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  }
  // What the last run showed (its boxes) and what korva-vbrun said, in the
  // encoding of the tests' texts.
  std::string Screen() const { return Utf8ToCp1252(dir.Read("screen.txt")); }
  std::string Messages() const { return Utf8ToCp1252(dir.Read("messages.txt")); }

  // The single-precision records of a random-access results file.
  std::vector<float> Records(const std::string& name) const {
    std::string bytes = dir.Read(name);
    std::vector<float> out(bytes.size() / 4);
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
  }

  TempDir dir;
  int status = -1;                  // korva's exit status
  std::vector<std::string> shown;   // korva's messages
};

}  // namespace korva::testing
