#pragma once
// What every activity of a run talks through: the dialogue, the file system,
// the working directory, the answers log of the cycle and the context of the
// file-error messages. It lives from start-up to the end of the program; the
// question protocol and the file-error messages need nothing else.
#include <map>
#include <optional>
#include <string>

#include "core/answer_log.h"
#include "dialogue/dialogue.h"
#include "files/file_system.h"

namespace korva {

struct RunContext {
  RunContext(Dialogue& box, FileSystem& files) : Box(box), Files(files) {}

  Dialogue& Box;
  FileSystem& Files;

  std::string WorkDir;  // the answer to the directory question followed by "/"
  // Answers given on the command line: the working directory (for the run) and
  // the answers-log number (for the first cycle only); unset, they are asked.
  std::optional<std::string> GivenWorkDir;
  std::optional<int> GivenLogNumber;
  int LogNumber = 0;    // the answers log of the current cycle
  AnswerLog Log;
  // The label of the logged question being asked, which finds its help when
  // its prompt does not; empty outside a logged question.
  std::string QuestionLabel;

  // The file whose opening is guarded, and the last failed file operation.
  std::string CurrentFileName;
  FileError LastError;

  // Files being built under a hidden name, by their final name (staged_files.h).
  struct StagedFile {
    std::string name;
    int slot = -1;  // where a signal handler finds it
  };
  std::map<std::string, StagedFile> Staged;
};

}  // namespace korva
