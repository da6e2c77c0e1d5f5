#pragma once
// korva-ver's three commands: the model's influence diagram ("diagrama"), a
// chart of result values over time ("serie") and the results as CSV ("csv"),
// each from the files a model's folder holds.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace korva::ver {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNotWritten = 1;  // the output could not be written
inline constexpr int kExitBadInput = 2;    // usage, or files that do not hold what was asked

struct Request {
  std::string command;    // "diagrama", "serie", "csv"
  std::string directory;  // Windows-1252, as the system takes names
  std::string model;
  std::string output;     // "" for the default name in the model's folder
  int simulation = 1;
  std::vector<std::string> values;  // -v, for "serie"
  bool subsystems = false;          // --subsistemas, for "diagrama"
  bool repetitions = false;         // --repeticiones, for "csv"
};

// The request the arguments make (UTF-8, without the program's name), or the
// message that says what is wrong with them.
struct Parsed {
  std::optional<Request> request;
  std::string message;  // Windows-1252
  bool help = false, version = false;
};
Parsed ParseArguments(const std::vector<std::string>& arguments);

// The help text (Windows-1252).
const char* Usage();

// Carries out the request; what it wrote is named on `out`, what went wrong
// on `err` (both in UTF-8). The exit status.
int Run(const Request& request, FileSystem& files, std::FILE* out, std::FILE* err);

}  // namespace korva::ver
