#pragma once
// The entry functions of the fuzz targets: each takes one input of the fuzzer
// and drives one reader of outside text through the functions the program
// itself calls. The fuzzers (fuzz/<target>_fuzz.cpp) call them, and so do
// the regression tests (tests/fuzz/), which replay the inputs saved under
// fuzz/regressions/<target>/.
//
// An entry returns normally whatever the input; it aborts (after saying why on
// stderr) only when a property that must hold for every input does not. The
// end of the program (a "t", the end of the answers, an error reported to
// the modeller) is a normal return. Files are written under one temporary
// folder of the process, made afresh for every input and removed at exit.
//
// Inputs made of several texts (a list and a matrix, the answers and the files
// of a dialogue) are split at lines that begin with "%%": the text before the
// first such line is the lead, and each "%%NAME" line opens a section named
// NAME (a file name where the entry writes files).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korva::fuzz {

using Entry = void (*)(std::string_view input);

struct Target {
  std::string_view name;  // fuzz/<name>_fuzz.cpp, fuzz/corpus/<name>/, fuzz/regressions/<name>/
  Entry entry;
};

// Every target, in the order scripts/fuzz.sh runs them.
const std::vector<Target>& Targets();
// The entry of a target; nullptr when there is none of that name.
Entry FindEntry(std::string_view name);

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

struct Section {
  std::string name;
  std::string text;
};
struct SplitInput {
  std::string lead;
  std::vector<Section> sections;
};
SplitInput SplitSections(std::string_view input);

// Input # and Line Input # over a text, the comma-separated records of the
// answers log and of the specifications file, and the same text read through
// a file (its code page decided as for any file read).
void RecordFields(std::string_view input);
// The list file L<model>.txt read by the element-list step, with its warnings,
// its identifiers and the listing file.
void ElementList(std::string_view input);
// A list (lead) and a matrix file C<model>.txt (first section): the matrix
// read, the calculation order, the loop report and the matrix listing.
void ConnectionMatrix(std::string_view input);
// A list (lead) and an equations file G<model>.txt (first section): the
// matrix derived from the equations, then read as a matrix file.
void MatrixDerivation(std::string_view input);
// A list (lead) and the files C, G and M (sections 1 to 3): the equations and
// the specifications put in calculation order.
void FileOrdering(std::string_view input);
// The analogy search: answers (lead, one a line) and the files of the library
// (sections named by their file names, one folder level allowed).
void Library(std::string_view input);
// Bracket codes: the first byte chooses the simulation's options, the rest is
// a list whose names carry codes; every input variable is settled from them.
void BracketCodes(std::string_view input);
// The ordered equations file F<model>.txt with table blocks: the first bytes
// choose the tables' shape; each table's data file is written and read back
// by the lookup statements the simulator would hold, run by korva-vbrun.
void TableData(std::string_view input);
// The answers log MODELO1.txt replayed by the whole dialogue, in a folder
// holding a small example model.
void AnswerLog(std::string_view input);
// The whole dialogue: answers (lead, one a line) given to the main dialogue in
// a folder holding a small example model and the files of the sections.
void Dialogue(std::string_view input);
// The whole dialogue on the terminal's protocol, read from a stream: the first
// byte chooses how the boxes are dressed (and the folding width), the lead is
// what is typed (UTF-8 or Windows-1252), the sections are files.
void Terminal(std::string_view input);
// A module read by korva-vbrun: parsed and checked, not run.
void VbrunParse(std::string_view input);
// A whole module run by korva-vbrun: parsed, checked and run from its Sub
// Main, each InputBox answered "1" a few times, for a bounded number of
// instructions.
void VbrunModule(std::string_view input);
// A data file read by a program run by korva-vbrun with Input #, Line Input #
// and Get #.
void VbrunFiles(std::string_view input);
// An XMILE file read by korva-xmile: parsed, planned and, when it is taken,
// made into korva's files; a model taken must give every element one
// identifier of the model's length and leave no element out of the
// calculation order.
void XmileReader(std::string_view input);

}  // namespace korva::fuzz
