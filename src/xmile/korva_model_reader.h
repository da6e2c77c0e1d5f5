#pragma once
// A korva model as its files leave it in the working directory: the element
// list L, the matrix C, the functions (F in calculation order, or G by
// identifier), the specifications (M, or else the answers log that built the
// model), the data of simulation 1 and the control file of its run.
#include <optional>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "model/model_tables.h"

namespace korva::xmile {

struct KorvaElement {
  std::string id;
  std::string description;  // the name after the identifier, without its bracket codes
  bool input = false;       // level 1
  bool state = false;
  std::string initialId;  // a state's initial value
  bool table = false;
  bool dimensional = false;
  std::vector<std::string> lines;  // the function's lines; a table's header and points
  std::optional<std::string> datum;  // the data file's value (as written there)
};

struct ControlFile {
  bool dynamic = true;
  double horizon = 0, interval = 1, start = 0;
};

struct KorvaModel {
  ModelTables tables;  // levelled
  std::vector<KorvaElement> elements;  // list order
  bool dynamic = false;
  std::string timeUnit;
  std::optional<ControlFile> control;
  std::vector<std::string> notes;  // what could not be read
};

// Reads the model `name` of `directory`; false with `message` when its
// element list or matrix cannot be read.
bool ReadKorvaModel(FileSystem& files, const std::string& directory, const std::string& name, KorvaModel& model,
                    std::string& message);

}  // namespace korva::xmile
