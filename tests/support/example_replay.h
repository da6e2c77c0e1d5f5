#pragma once
// A shipped example replayed in-process through the terminal front-end, on
// memory streams: what it shows and the files it leaves.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "dialogue/terminal_dialogue.h"
#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"
#include "support/temp_dir.h"

namespace korva::testing {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// The regular files in a folder and its subfolders, by their path in it.
inline std::map<std::string, std::string> FilesIn(const fs::path& dir) {
  std::map<std::string, std::string> files;
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(dir).string()] = ReadBytes(entry.path());
  }
  return files;
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}


struct Replay {
  int status = -1;
  std::string terminal;                       // what the terminal showed, the folder written as <dir>
  std::map<std::string, std::string> before;  // the example's files
  std::map<std::string, std::string> after;   // the folder once the replay ended
};

// Replays one example in a fresh folder: the folder's name, then stdin.txt,
// each line of it passed through `answers`; on the plain protocol of a pipe,
// unless `options` say otherwise.
inline Replay ReplayExample(const fs::path& example, const TerminalDialogue::Options& options = {},
                            const std::function<std::string(const std::string&)>& answers = nullptr) {
  Replay replay;
  TempDir dir;
  replay.before = FilesIn(example);
  replay.before.erase("stdin.txt");
  for (const auto& [name, bytes] : replay.before) WriteBytes(dir / name, bytes);

  std::string input = dir.dir() + "\n" + ReadBytes(example / "stdin.txt");
  if (answers) {
    std::string given;
    for (size_t start = 0; start < input.size();) {
      size_t end = input.find('\n', start);
      if (end == std::string::npos) end = input.size();
      given += answers(input.substr(start, end - start)) + "\n";
      start = end + 1;
    }
    input = given;
  }
  std::FILE* in = ::fmemopen(input.data(), input.size(), "r");
  char* shown = nullptr;
  size_t shownSize = 0;
  std::FILE* out = ::open_memstream(&shown, &shownSize);
  {
    FileSystem files;
    TerminalDialogue box(in, out, stderr, options);
    RunState run(box, files);
    replay.status = MainDialogue(run);
  }
  std::fclose(in);
  std::fclose(out);
  replay.terminal = ReplaceAll(std::string(shown, shownSize), dir.dir(), "<dir>");
  std::free(shown);
  replay.after = FilesIn(dir.dir());
  return replay;
}

}  // namespace korva::testing
