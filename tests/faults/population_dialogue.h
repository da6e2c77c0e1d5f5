#pragma once
// The population example's whole create dialogue answered from nothing (no
// answers log yet), run as a separate korva process, and what one
// uninterrupted run of it leaves: the answers log as it stood at every
// question, and every file of the working directory at every question and at
// the end. The fault tests cut, kill and starve this dialogue and compare what
// is left with it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/korva_process.h"
#include "support/temp_dir.h"

namespace korva::testing {

// Every answer of the dialogue, in the order korva asks (log number 2, the
// working directory and the log number given on the command line).
inline const std::vector<std::string>& PopulationAnswers() {
  static const std::vector<std::string> answers = {
      "c",                                        // 0 crear
      "POB",                                      // 1 model name
      "seguir la evoluci\xC3\xB3n de una poblaci\xC3\xB3n",  // 2 purpose (UTF-8 on the terminal)
      "s",                                        // 3 ¿Seguimos? (not logged)
      "s",                                        // 4 list complete
      "f",                                        // 5 list to file lnPOB.txt
      "s",                                        // 6 ¿Seguimos? (not logged)
      "s",                                        // 7 functions in GPOB.txt, no matrix file
      "f",                                        // 8 matrix to file cnPOB.txt
      "n",                                        // 9 check the matrix again
      "s",                                        // 10 ¿Desea continuar? (not logged)
      "s",                                        // 11 listing in calculation order OPOB.txt
      "n",                                        // 12 order the specifications file
      "s",                                        // 13 ¿Desea continuar? (not logged)
      "n",                                        // 14 genetic algorithm
      "n",                                        // 15 dynamic system
      "n", "s",                                   // 16-17 PIN dimensional, correct
      "n", "s",                                   // 18-19 TNA
      "n", "s",                                   // 20-21 TMO
      "n",                                        // 22 leave it for another time (not logged)
      "s",                                        // 23 functions written and correct
      "n", "n", "n", "s",                         // 24-27 NAC: uncertainty, dimensional, table, correct
      "n", "n", "n", "s",                         // 28-31 MUE
      "n", "n", "n", "s",                         // 32-35 POB
      "n",                                        // 36 correct a statement (not logged)
  };
  return answers;
}

constexpr int kPopulationLog = 2;
inline const std::string kPopulationLogName = "MODELO2.txt";

// The example's list and equations files, the inputs of the dialogue.
inline void PreparePopulation(const std::string& folder) {
  const std::filesystem::path example = std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / "poblacion";
  for (const char* name : {"LPOB.txt", "GPOB.txt"}) {
    std::filesystem::copy_file(example / name, std::filesystem::path(folder) / name);
  }
}

inline ProcessOptions PopulationRun(const std::string& folder) {
  ProcessOptions options;
  options.args = {"-d", folder, "-r", std::to_string(kPopulationLog)};
  options.cwd = folder;
  return options;
}

inline std::string AnswerLines(std::vector<std::string>::const_iterator from,
                               std::vector<std::string>::const_iterator to) {
  std::string text;
  for (auto it = from; it != to; ++it) text += *it + "\n";
  return text;
}

// All the answers, one a line.
inline std::string AllPopulationAnswers() {
  return AnswerLines(PopulationAnswers().begin(), PopulationAnswers().end());
}

// How many questions an output asked.
inline size_t PromptsIn(const std::string& out) {
  size_t n = 0;
  for (size_t at = out.find("\n\n> "); at != std::string::npos; at = out.find("\n\n> ", at + 1)) ++n;
  return n;
}

// The end of what a run showed, for failure messages.
inline std::string Tail(const std::string& text) { return text.substr(text.size() > 1500 ? text.size() - 1500 : 0); }

// strace, to make a chosen system call fail or wait, can trace here.
inline bool StraceWorks() {
  return ::access("/usr/bin/strace", X_OK) == 0 &&
         std::system("/usr/bin/strace -qq -o /dev/null /bin/true >/dev/null 2>&1") == 0;
}

// Every regular file of a folder, by name.
using Files = std::map<std::string, std::string>;

inline Files FilesIn(const std::string& dir) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

// The file layer's temporaries (".<name>.korva-tmp-<pid>") among them.
inline bool IsTemporary(const std::string& name) { return name.find(".korva-tmp-") != std::string::npos; }

inline std::vector<std::string> Temporaries(const Files& files) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) {
    if (IsTemporary(name)) names.push_back(name);
  }
  return names;
}

// The whole lines (CR LF) of a log, and the first `count` of them joined again.
inline std::vector<std::string> LogRecords(const std::string& log) {
  std::vector<std::string> records;
  for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    records.push_back(log.substr(start, end - start));
  }
  return records;
}

inline std::string FirstRecords(const std::string& log, size_t count) {
  std::string text;
  std::vector<std::string> records = LogRecords(log);
  for (size_t i = 0; i < count && i < records.size(); ++i) text += records[i] + "\r\n";
  return text;
}

// One uninterrupted run, watched question by question.
struct PopulationReference {
  bool ok = false;
  std::string failure;
  // recordsAt[j]: whole records in the log when question j was asked (the
  // answers before it recorded); recordsAt[N]: at the end.
  std::vector<size_t> recordsAt;
  // The working directory when question j was asked, the log left out.
  std::vector<Files> filesAt;
  Files final;  // everything at the end, the log included
  std::string log;

  size_t count() const { return PopulationAnswers().size(); }
  // Answer j is recorded in the log (the log grew between question j and the next).
  bool Logged(size_t j) const { return recordsAt[j + 1] > recordsAt[j]; }
};

inline PopulationReference MakePopulationReference() {
  PopulationReference ref;
  const std::vector<std::string>& answers = PopulationAnswers();
  TempDir dir;
  PreparePopulation(dir.dir());
  KorvaProcess korva(PopulationRun(dir.dir()));
  auto snapshot = [&] {
    Files files = FilesIn(dir.dir());
    ref.recordsAt.push_back(LogRecords(files[kPopulationLogName]).size());
    files.erase(kPopulationLogName);
    ref.filesAt.push_back(std::move(files));
  };
  for (size_t j = 0; j < answers.size(); ++j) {
    if (!korva.WaitForPrompts(j + 1)) {
      ref.failure = "question " + std::to_string(j) + " never came:\n" + korva.out();
      return ref;
    }
    snapshot();
    korva.Answer(answers[j]);
  }
  korva.CloseInput();
  const int status = korva.Finish();
  snapshot();
  ref.final = FilesIn(dir.dir());
  ref.log = ref.final[kPopulationLogName];
  if (status != 0 || korva.Prompts() != answers.size() || korva.SanitizerSpoke()) {
    ref.failure = "the uninterrupted run ended with status " + std::to_string(status) + " after " +
                  std::to_string(korva.Prompts()) + " questions:\n" + korva.err();
    return ref;
  }
  ref.ok = true;
  return ref;
}

// Answers the first `k` questions one by one, calls `between()` while question
// k waits, then gives the other answers and waits for the end.
template <class Between>
Outcome AnswerAround(const ProcessOptions& options, size_t k, Between between) {
  const std::vector<std::string>& answers = PopulationAnswers();
  KorvaProcess korva(options);
  for (size_t j = 0; j < k; ++j) {
    if (!korva.WaitForPrompts(j + 1)) break;
    korva.Answer(answers[j]);
  }
  korva.WaitForPrompts(k + 1);
  between();
  korva.Send(AnswerLines(answers.begin() + static_cast<long>(k), answers.end()));
  korva.CloseInput();
  Outcome outcome;
  outcome.status = korva.Finish();
  outcome.out = korva.out();
  outcome.err = korva.err();
  outcome.sanitizerSpoke = korva.SanitizerSpoke();
  return outcome;
}

// The first file-error message the run showed, as the terminal showed it: the
// words of an input box that waits for a key, or "Error: " and the number of a
// message box; empty when there was none.
inline std::string FileErrorShown(const std::string& out) {
  // What a box shows starts a line, or follows the "> " of the question before it.
  auto lineStart = [&](size_t at) {
    size_t start = out.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    return out.compare(start, 2, "> ") == 0 ? start + 2 : start;
  };
  const size_t box = out.find("\n - PULSE UNA TECLA PARA CONTINUAR -");
  const size_t number = out.find("Error: ");
  if (number != std::string::npos && (box == std::string::npos || number < box)) {
    return out.substr(number, out.find('\n', number) - number);
  }
  if (box == std::string::npos) return "";
  const size_t start = lineStart(box - 1);
  return out.substr(start, box - start);
}

// Made once for all the tests of the run.
inline const PopulationReference& PopulationReferenceRun() {
  static const PopulationReference ref = MakePopulationReference();
  return ref;
}

}  // namespace korva::testing
