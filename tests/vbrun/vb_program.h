#pragma once
// Runs a module's text in-process, as korva-vbrun would, and keeps what it
// showed: the boxes, the Debug.Print output and the messages (in Windows-1252,
// as the tests' texts are).
#include <cstdio>
#include <string>
#include <vector>

#include "dialogue/scripted_dialogue.h"
#include "files/file_system.h"
#include "support/temp_dir.h"
#include "text/cp1252.h"
#include "vbrun/runner.h"

namespace korva::testing {

struct VbOutcome {
  int status = -1;
  std::string debug;     // Debug.Print output
  std::string messages;  // what korva-vbrun said
  std::vector<BoxRecord> boxes;
};

// A stream that collects what is written to it.
class MemoryStream {
 public:
  MemoryStream() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryStream() {
    if (file_ != nullptr) std::fclose(file_);
    std::free(data_);
  }
  std::FILE* file() { return file_; }
  std::string Take() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  std::FILE* file_;
};

// `source` is the module text (Windows-1252); it is written to `dir` as m.bas.
inline VbOutcome RunVb(const TempDir& dir, const std::string& source, std::vector<std::string> answers = {},
                       std::optional<double> seed = std::nullopt) {
  dir.Write("m.bas", source);
  ScriptedDialogue dialogue(std::move(answers));
  FileSystem files;
  MemoryStream messages, debug;
  vbrun::RunRequest request;
  request.modules = {dir / "m.bas"};
  request.seed = seed;
  VbOutcome out;
  out.status = vbrun::RunModules(request, dialogue, files, messages.file(), debug.file());
  out.debug = Utf8ToCp1252(debug.Take());
  out.messages = Utf8ToCp1252(messages.Take());
  out.boxes = dialogue.transcript();
  return out;
}

// A module whose Sub Main holds `body`.
inline std::string MainWith(const std::string& body, const std::string& head = "") {
  return head + "Sub Main()\r\n" + body + "\r\nEnd Sub\r\n";
}

}  // namespace korva::testing
