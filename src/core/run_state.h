#pragma once
// The state of one run of the program, handed to every activity: the working
// directory, the answers log, the model being built and the emitters' state.
// It lives from start-up to the end of the program; a new cycle keeps it and
// sets afresh what each cycle owns.
#include <string>
#include <vector>

#include "core/answer_log.h"
#include "dialogue/dialogue.h"
#include "files/file_system.h"
#include "model/model_tables.h"
#include "simgen/simulation_state.h"

namespace korva {

struct RunState {
  RunState(Dialogue& box, FileSystem& files) : Box(box), Files(files) {}

  Dialogue& Box;
  FileSystem& Files;

  std::string WorkDir;  // the answer to the directory question followed by "/"
  int LogNumber = 0;
  AnswerLog Log;
  std::string MainChoice;  // "c", "e", "b" or "a"
  std::string ModelName;
  std::string ModelPurpose;
  int MaxGLines = 0;  // analogy path only

  // The file whose opening is guarded, and the last failed file operation.
  std::string CurrentFileName;
  FileError LastError;

  ModelTables Model;
  // Answer to "Fichero G si y fichero C no": "s" when the matrix was derived
  // from the equations file, which is then put in calculation order.
  std::string GFileChoice;

  // Sizing of the simulator's line slots, set at the dispatch of a cycle.
  int LevelOneCount = 0;
  int OtherCount = 0;
  int EmitSlotCount = 0;
  int GLineReserve = 0;
  std::vector<std::string> EmitSlots;

  SimulationState Sim;
  RunWideAnswers RunWide;
};

// The full name of a file of the model: WorkDir + prefix + ModelName + extension.
inline std::string ModelFile(const RunState& run, const std::string& prefix, const std::string& extension) {
  return run.WorkDir + prefix + run.ModelName + extension;
}

}  // namespace korva
