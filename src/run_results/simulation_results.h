#pragma once
// What a simulation left in the model's folder, read back for those who show
// it: the control file R<n>ic, the table of result variables of the results
// program R<model>.bas (with the full names of the element list L<model>.txt),
// the values per recorded period of resul<n>, and, when the simulation was
// repeated, the mean, deviation and chi-square per value and the trajectories
// of every repetition (resul<n>.ale).
//
// Record layout, as the generated simulator writes it:
//  - a record is the `ic` values of one recorded period, in the order of the
//    results table; an array gives its values with the first subscript
//    running slowest;
//  - without repetitions resul<n> holds one value a line (Write #), record
//    after record;
//  - with repetitions resul<n> holds one line "mean,deviation,chi-square" per
//    value, record after record, and resul<n>.ale one 4-byte single per value,
//    repetition after repetition, record after record within each;
//  - a dynamic model records CLng(pp/rg) periods, at rini + k*rg (k from 1,
//    the instants the results program shows); a static model one.
//
// Every failure is a value: a message in Windows-1252 that names the file and
// what is wrong with it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_system.h"
#include "run_results/checked.h"

namespace korva {

// The control file R<n>ic: "ic,udi,pp,rg,rini,nr" and the size variables' values.
struct ControlRecord {
  long valuesPerRecord = 0;  // ic
  bool dynamic = false;      // udi = "s"
  double span = 0;           // pp, time units simulated
  double interval = 0;       // rg, time units between records
  double start = 0;          // rini, the initial time
  long repetitions = 0;      // nr (0 or 1: a single run)
  std::vector<double> sizeValues;
};

// One result variable: a scalar or an array of values in the record.
struct RecordedVariable {
  std::string id;                   // "XPR", "CRO"
  std::string name;                 // its element-list text, bracket codes left out
  std::vector<long> sizes;          // empty for a scalar
  size_t offset = 0;                // position of its first value in the record
  size_t ValueCount() const;        // 1, or the product of the sizes
  // "XPR", or "CRO(2)", "GRD(2,1)" for the value at `k` (0-based) of an array.
  std::string ValueLabel(size_t k) const;
};

// One value of the record chosen by name.
struct ValueRef {
  size_t column = 0;    // position in the record
  size_t variable = 0;  // index in SimulationResults::variables
  std::string label;    // "GRD(2,1)" as found
};

struct SimulationResults {
  std::string model;     // "PRE"
  std::string purpose;   // the answer to "¿Su modelo servirá para ...?", "" when unknown
  std::string timeUnit;  // "dia"; "" for a static model
  int simulation = 0;
  ControlRecord control;
  std::vector<RecordedVariable> variables;
  std::vector<double> times;  // the instant of each recorded period

  // Per period and value: values[period * width + column]. The value as
  // written (its text in `texts`, numbers also in `values`, NaN for a text)
  // or, with repetitions, the mean.
  std::vector<double> values;
  std::vector<std::string> texts;
  bool repeated = false;            // resul<n> holds mean, deviation and chi-square
  std::vector<double> deviations;   // with repetitions
  std::vector<double> chiSquares;   // with repetitions
  std::vector<std::string> deviationTexts, chiSquareTexts;

  size_t Width() const { return static_cast<size_t>(control.valuesPerRecord); }
  size_t Periods() const { return times.size(); }
  double Value(size_t period, size_t column) const { return values[period * Width() + column]; }
};

// The trajectories of every repetition (resul<n>.ale):
// at(repetition, period, column), 0-based.
struct Repetitions {
  size_t count = 0, periods = 0, width = 0;
  std::vector<float> data;
  float at(size_t repetition, size_t period, size_t column) const {
    return data[(repetition * periods + period) * width + column];
  }
};

// Reads simulation `simulation` of model `model` in `directory` (names as the
// system takes them: letter case aside).
Checked<SimulationResults> ReadSimulationResults(FileSystem& files, const std::string& directory,
                                                 const std::string& model, int simulation);

// Reads resul<n>.ale of results already read; an error when the simulation was
// not repeated or the file is missing or of the wrong size.
Checked<Repetitions> ReadRepetitions(FileSystem& files, const std::string& directory,
                                     const SimulationResults& results);

// The value named `label`: an identifier of a scalar ("XPR"), or of an array
// with its subscripts from 1 ("GRD(2,1)"); letter case and blanks aside.
// An array named without subscripts is refused (name one value).
Checked<ValueRef> FindValue(const SimulationResults& results, std::string_view label);

// The purpose answered for `model` ("¿Su modelo servirá para ...?") in the
// first answers log of the folder (MODELO<n>.txt) that names it; "" when none does.
std::string ModelPurpose(FileSystem& files, const std::string& directory, const std::string& model);

// Every value of the record, in order.
std::vector<ValueRef> AllValues(const SimulationResults& results);

}  // namespace korva
