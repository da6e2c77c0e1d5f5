#pragma once
// The code of one input variable: its reading statement, the section of the
// data-entry program that asks, corrects and saves its values, and the lines
// of the simulator body that draw its random values or follow its changes of
// value. Built from the settled answers, without numbers; the emitters number
// the lines.
#include <string>
#include <vector>

#include "data_entry/data_section.h"

namespace korva {

struct InputSettings {
  std::string id;        // X
  std::string fullName;  // the element-list line
  bool uncertain = false;
  bool newValueEachStep = false;   // a different random value at each step
  long changes = 0;                // changes of value over time
  std::vector<std::string> sizes;  // one per dimension; empty for a scalar
  // The sizes as the data-entry program writes them, where an earlier input
  // named in a size is held in its data variable; empty when the same.
  std::vector<std::string> dataSizes;
  std::string timeUnit;
  // The data markers are removed from the simulator: the data are read
  // straight into the variable itself.
  bool markersStripped = false;
};

struct InputCode {
  std::string readingStatement;  // shown to the modeller and checked
  std::string simulatorLine;     // after its number: " line input #1,uc:" ...
  // The data-entry section: each line's text after its number.
  std::vector<DataLine> dataLines;
  std::vector<std::string> perRepetition;  // body lines (text after the number)
  std::vector<std::string> perStep;
  std::string valueChangeInit;  // ": l<id>=1" when the input has changes of value
};

InputCode BuildInputCode(const InputSettings& settings);


}  // namespace korva
