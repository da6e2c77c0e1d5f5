#include "entries.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>

#include "analogy/analogy_search.h"
#include "core/program_end.h"
#include "dialogue/scripted_dialogue.h"
#include "dialogue/terminal_dialogue.h"
#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"
#include "files/record_fields.h"
#include "model/calculation_order.h"
#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/file_ordering.h"
#include "model/matrix_derivation.h"
#include "simgen/bracket_codes.h"
#include "simgen/input_code.h"
#include "simgen/input_variables.h"
#include "text/cp1252.h"
#include "model/element_spec.h"
#include "simulator/element_text.h"
#include "variables/function_source.h"
#include "variables/table_lookup.h"
#include "vbrun/checker.h"
#include "vbrun/interpreter.h"
#include "vbrun/parser.h"
#include "vbrun/runner.h"
#include "xmile/import_plan.h"
#include "xmile/korva_files.h"
#include "xmile/xmile_reader.h"

#ifndef KORVA_SOURCE_DIR
#error "KORVA_SOURCE_DIR must name the source tree (the example model is read from it)"
#endif

namespace korva::fuzz {
namespace {

namespace fs = std::filesystem;

// Bounds that keep one execution short whatever the input.
constexpr size_t kMaxAnswers = 256;       // answers given to a dialogue
constexpr size_t kMaxAnswerBytes = 1024;  // bytes of one answer
constexpr size_t kMaxDialogueBytes = 64 * 1024;
constexpr size_t kMaxFiles = 24;         // files written from the sections
constexpr long kMaxBoxes = 20000;        // boxes shown before the dialogue is ended
constexpr int kMaxCodedElements = 64;    // inputs settled by the bracket-codes entry
constexpr size_t kMaxTables = 16;        // tables looked up by the table-data entry
constexpr long kMaxSteps = 100000;       // instructions a module run by korva-vbrun runs
constexpr size_t kMaxElements = 1 << 16;  // elements of one of its arrays

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "korva fuzz entry: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void Require(bool holds, const std::string& what) {
  if (!holds) Fail(what);
}

// The temporary folder of the process, made at the first use and removed at
// exit (kept on the heap so that it outlives the static destructors). It is
// made under TMPDIR when that is set, else in memory (/dev/shm) when the host
// has it: every input makes and removes files, and on a disk that is most of
// the time an execution takes.
const std::string& Root() {
  static const std::string* root = [] {
    const char* given = std::getenv("TMPDIR");
    std::string base = given != nullptr && *given != '\0' ? given
                       : ::access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm"
                                                                 : "/tmp";
    std::string pattern = base + "/korva-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Fail("cannot make a temporary folder under " + pattern);
    auto* made = new std::string(pattern);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(Root(), ignored);
    });
    return made;
  }();
  return *root;
}

// A fresh, empty working folder for one input. It lies a few folders down, so
// that names that climb with ".." still land inside the process's folder.
std::string FreshWorkDir() {
  std::error_code error;
  fs::remove_all(Root() + "/n", error);
  const std::string dir = Root() + "/n/e/s/t/e/d/w";
  fs::create_directories(dir, error);
  if (error) Fail("cannot make " + dir + ": " + error.message());
  return dir;
}

void WriteFile(const std::string& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) Fail("cannot write " + path);
}

std::string ReadSourceFile(const std::string& relative) {
  const std::string path = std::string(KORVA_SOURCE_DIR) + "/" + relative;
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The small example model copied into the dialogue's folder: its list and
// its equations.
const std::vector<std::pair<std::string, std::string>>& ExampleModel() {
  static const auto* files = new std::vector<std::pair<std::string, std::string>>{
      {"LPOB.txt", ReadSourceFile("examples/poblacion/LPOB.txt")},
      {"GPOB.txt", ReadSourceFile("examples/poblacion/GPOB.txt")},
  };
  return *files;
}

// A scripted dialogue that ends the run, as the end of the input would, once
// it has shown kMaxBoxes boxes: some files make the dialogue warn about every
// pair of names, and that is slow, not wrong.
class BoundedDialogue : public ScriptedDialogue {
 public:
  using ScriptedDialogue::ScriptedDialogue;
  void MessageBox(const std::string& text) override {
    Count();
    ScriptedDialogue::MessageBox(text);
  }
  std::optional<std::string> InputBox(const std::string& prompt) override {
    Count();
    return ScriptedDialogue::InputBox(prompt);
  }

 private:
  void Count() {
    if (++boxes_ > kMaxBoxes) EndProgram(EndReason::kEndOfInput);
  }
  long boxes_ = 0;
};

// The same bound around another dialogue (the terminal's).
class BoundedWrapper : public korva::Dialogue {
 public:
  explicit BoundedWrapper(korva::Dialogue& inner) : inner_(inner) {}
  void MessageBox(const std::string& text) override {
    Count();
    inner_.MessageBox(text);
  }
  std::optional<std::string> InputBox(const std::string& prompt) override {
    Count();
    return inner_.InputBox(prompt);
  }
  void Progress(const std::string& line, bool finished) override { inner_.Progress(line, finished); }
  void ClearProgress() override { inner_.ClearProgress(); }

 private:
  void Count() {
    if (++boxes_ > kMaxBoxes) EndProgram(EndReason::kEndOfInput);
  }
  korva::Dialogue& inner_;
  long boxes_ = 0;
};

// One input's folder, file system, dialogue and run context.
struct Work {
  explicit Work(std::vector<std::string> answers = {})
      : dir(FreshWorkDir()), box(std::move(answers)), run(box, files) {
    run.WorkDir = dir + "/";
  }
  std::string Path(const std::string& name) const { return dir + "/" + name; }
  void Write(const std::string& name, std::string_view text) const { WriteFile(Path(name), text); }
  // The lines of a text written to `name` and read back as the program reads a file.
  std::vector<std::string> Lines(const std::string& name, std::string_view text) {
    Write(name, text);
    FileError error;
    std::unique_ptr<InputFile> in = files.OpenInput(Path(name), error);
    Require(in != nullptr, "cannot open " + Path(name) + " just written");
    std::vector<std::string> lines;
    std::string line;
    while (in->ReadLine(line)) lines.push_back(line);
    return lines;
  }
  void OpenLog() { run.Log.Open(files, run.WorkDir, 1); }

  std::string dir;
  FileSystem files;
  BoundedDialogue box;
  RunContext run;
};

// The working directory of the process, set for a program that opens files by
// bare names, and restored.
class InFolder {
 public:
  explicit InFolder(const std::string& dir) {
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) Fail("getcwd failed");
    previous_ = buffer;
    if (::chdir(dir.c_str()) != 0) Fail("cannot enter " + dir);
  }
  ~InFolder() {
    if (::chdir(previous_.c_str()) != 0) Fail("cannot go back to " + previous_);
  }

 private:
  std::string previous_;
};

std::FILE* NullStream() {
  static std::FILE* null = std::fopen("/dev/null", "w");
  if (null == nullptr) Fail("cannot open /dev/null");
  return null;
}

std::vector<std::string> AnswersOf(std::string_view lead) {
  std::vector<std::string> answers;
  size_t pos = 0;
  while (pos < lead.size() && answers.size() < kMaxAnswers) {
    size_t end = lead.find('\n', pos);
    if (end == std::string_view::npos) end = lead.size();
    std::string answer(lead.substr(pos, std::min(end - pos, kMaxAnswerBytes)));
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    answers.push_back(std::move(answer));
    pos = end + 1;
  }
  return answers;
}

// A section's name as a file name of the folder: letters, digits and ".-_~",
// with at most one folder above it; nothing when it is none.
std::optional<std::string> FileNameOf(const std::string& name) {
  if (name.empty() || name.size() > 64) return std::nullopt;
  int separators = 0;
  std::string component;
  for (size_t i = 0; i <= name.size(); ++i) {
    char c = i < name.size() ? name[i] : '/';
    if (c == '/') {
      if (component.empty() || component == "." || component == ".." || ++separators > 2) return std::nullopt;
      component.clear();
      continue;
    }
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                       c == '-' || c == '_' || c == '~';
    if (!plain) return std::nullopt;
    component += c;
  }
  return name;
}

void WriteSections(const Work& work, const std::vector<Section>& sections) {
  size_t written = 0;
  for (const Section& section : sections) {
    std::optional<std::string> name = FileNameOf(section.name);
    if (!name || written++ >= kMaxFiles) continue;
    // A name that an earlier section made a file (or a folder) is passed over.
    const std::string path = work.Path(*name);
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(section.text.data(), static_cast<std::streamsize>(section.text.size()));
  }
}

// The model of a list: its non-blank lines, identifiers and identifier length
// as the element-list step derives them.
ModelTables ListModel(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    if (!IsBlankLine(line)) names.push_back(line);
  }
  ModelTables model;
  SizeElementTables(model, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) model.ElementList[i + 1] = std::move(names[i]);
  DeriveIdentifiers(model);
  return model;
}

// The levels against their definition: an element is placed when every
// influence names an element that is placed, one level above the highest of
// them (level 1 with none); otherwise it is left at 0. Elements come in
// calculation order by level, then by index.
void CheckLevelling(ModelTables& model, const Levelling& levelling) {
  const int n = model.ElementCount;
  Require(static_cast<int>(levelling.levels.size()) == n + 1, "levels not sized to the model");
  int highest = 0;
  bool complete = true;
  for (int i = 1; i <= n; ++i) {
    bool placeable = true;
    int above = 0;
    if (i < static_cast<int>(model.ConnectionMatrix.size())) {
      for (const std::string& entry : model.ConnectionMatrix[i]) {
        if (entry.empty()) continue;
        const int j = FindElement(model, entry);
        if (j == 0 || levelling.levels[j] == 0) {
          placeable = false;
        } else {
          above = std::max(above, levelling.levels[j]);
        }
      }
    }
    const int level = levelling.levels[i];
    if (placeable) {
      Require(level == above + 1, "element " + std::to_string(i) + " has level " + std::to_string(level) +
                                      ", its influences call for " + std::to_string(above + 1));
    } else {
      Require(level == 0, "element " + std::to_string(i) + " is placed though an influence is not");
    }
    highest = std::max(highest, level);
    complete = complete && level > 0;
  }
  Require(levelling.complete == complete, "the levelling's completeness is wrong");
  Require(levelling.levelCount == (complete ? highest : 0), "the level count is wrong");

  model.CalcLevel = levelling.levels;
  model.LevelCount = levelling.levelCount;
  if (!complete) return;
  std::vector<int> expected;
  for (int level = 1; level <= highest; ++level) {
    for (int i = 1; i <= n; ++i) {
      if (levelling.levels[i] == level) expected.push_back(i);
    }
  }
  Require(CalcOrder(model, 1) == expected, "the calculation order is not by level, then by index");
}

// The fields of a record the answers log could hold, as `text`: fields split
// at "|"; a field that begins with "#" is a number when the rest is digits.
std::vector<RecordField> LoggableFields(std::string_view text) {
  std::vector<RecordField> fields;
  size_t pos = 0;
  while (pos <= text.size() && fields.size() < 64) {
    size_t end = text.find('|', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(pos, end - pos);
    pos = end + 1;
    if (!piece.empty() && piece[0] == '#') {
      std::string_view digits = piece.substr(1);
      if (!digits.empty() && digits.size() <= 18 &&
          std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        fields.push_back(RecordField::Number(std::stoll(std::string(digits))));
      }
      continue;
    }
    if (piece.find_first_of("\"\r\n") == std::string_view::npos) fields.push_back(RecordField::Text(std::string(piece)));
  }
  return fields;
}

}  // namespace

SplitInput SplitSections(std::string_view input) {
  SplitInput split;
  std::string* current = &split.lead;
  size_t pos = 0;
  while (pos < input.size()) {
    size_t end = input.find('\n', pos);
    const size_t next = end == std::string_view::npos ? input.size() : end + 1;
    std::string_view line = input.substr(pos, next - pos);
    if (line.starts_with("%%")) {
      std::string_view name = line.substr(2);
      while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.remove_suffix(1);
      split.sections.push_back(Section{std::string(name), {}});
      current = &split.sections.back().text;
    } else {
      current->append(line);
    }
    pos = next;
  }
  return split;
}

void RecordFields(std::string_view input) {
  // Input #: every field read moves on, so that the end comes.
  size_t pos = 0;
  std::string field;
  bool quoted = false;
  for (;;) {
    const size_t before = pos;
    if (!ReadRecordField(input, pos, field, &quoted)) break;
    Require(pos > before && pos <= input.size(), "ReadRecordField returned a field without moving on");
  }
  // Line Input #: the same, and a line holds no line end.
  pos = 0;
  std::string line;
  for (;;) {
    const size_t before = pos;
    if (!ReadTextLine(input, pos, line)) break;
    Require(pos > before && pos <= input.size(), "ReadTextLine returned a line without moving on");
    Require(line.find_first_of("\r\n") == std::string::npos, "ReadTextLine returned a line end");
  }

  // Text as it comes from the terminal or a file: Windows-1252 shown as UTF-8
  // comes back as it was (but for the five bytes the code page leaves unassigned).
  Require(Utf8ToCp1252(input).size() <= input.size(), "decoding UTF-8 made the text longer");
  std::string assigned(input);
  std::erase_if(assigned, [](char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
  });
  Require(Utf8ToCp1252(Cp1252ToUtf8(assigned)) == assigned, "Windows-1252 text does not come back from UTF-8");

  // A record written as the answers log writes it reads back field for field.
  const std::vector<RecordField> fields = LoggableFields(input.substr(0, input.find('\n')));
  if (!fields.empty()) {
    const std::string record = FormatRecord(fields) + "\r\n";
    pos = 0;
    for (const RecordField& written : fields) {
      Require(ReadRecordField(record, pos, field, &quoted), "a record written lost a field: " + record);
      Require(field == written.text && quoted == !written.number,
              "a record written reads back otherwise: " + record + " gave \"" + field + "\" for \"" + written.text +
                  "\"");
    }
    Require(!ReadRecordField(record, pos, field, &quoted), "a record written reads back with a field more: " + record);
  }

  // The same text as a file: reads mixed as the dialogue mixes them, each
  // one moving on, and a line peeked at is the line then read.
  Work work;
  work.Write("datos.txt", input);
  FileError error;
  std::unique_ptr<InputFile> in = work.files.OpenInput(work.Path("datos.txt"), error);
  Require(in != nullptr, "cannot open a file just written");
  const size_t limit = in->text().size() + 1;
  size_t reads = 0;
  for (unsigned step = 0;; ++step) {
    const bool blank = in->OnlyBlankRemains();
    bool read = false;
    if (step % 3 == 2) {
      std::string peeked;
      const bool any = in->PeekLine(peeked);
      read = in->ReadLine(line);
      Require(any == read && (!read || peeked == line), "PeekLine and ReadLine disagree");
    } else if (step % 3 == 1) {
      read = in->ReadLine(line);
    } else {
      read = in->ReadField(field, &quoted);
    }
    if (!read) {
      Require(in->AtEnd(), "a read failed before the end of the file");
      break;
    }
    const std::string& got = step % 3 == 0 ? field : line;
    Require(!blank || got.find_first_not_of(" \t") == std::string::npos,
            "text was read after OnlyBlankRemains said there was none");
    Require(++reads <= limit, "reads of a file do not come to its end");
  }
}

void ElementList(std::string_view input) {
  // Half the inputs have the list shown and checked, half have it listed to a file.
  Work work(input.size() % 2 == 0 ? std::vector<std::string>{"s", "p", "s", "n", "s"}
                                   : std::vector<std::string>{"s", "f", "s"});
  work.Write("LFUZ.txt", input);
  work.OpenLog();
  ModelCycle cycle;
  cycle.ModelName = "FUZ";
  try {
    ElementListDialogue(work.run, cycle);
  } catch (const ProgramEnd&) {
  }
  work.run.Log.Close();
}

void ConnectionMatrix(std::string_view input) {
  SplitInput split = SplitSections(input);
  Work work;
  ModelTables model = ListModel(work.Lines("LFUZ.txt", split.lead));
  ReadMatrixLines(model, work.Lines("CFUZ.txt", split.sections.empty() ? "" : split.sections[0].text));
  Require(static_cast<int>(model.ConnectionMatrix.size()) == model.ElementCount + 1, "matrix not sized to the model");
  CheckLevelling(model, LevelElements(model));
  if (model.LevelCount == 0) LoopReportBoxes(model);
  for (int i = 1; i <= model.ElementCount; ++i) MatrixListingLine(model, i);
}

void MatrixDerivation(std::string_view input) {
  SplitInput split = SplitSections(input);
  Work work;
  ModelTables model = ListModel(work.Lines("LFUZ.txt", split.lead));
  const std::vector<std::string> lines = work.Lines("GFUZ.txt", split.sections.empty() ? "" : split.sections[0].text);
  for (const std::string& line : lines) LineIdentifierLength(line);
  // An unknown identifier is corrected to the first element's, twice at most.
  int corrections = 0;
  struct MatrixDerivation derived =
      DeriveMatrix(lines, model, [&](const std::string&) -> std::optional<std::string> {
        if (++corrections > 2 || model.ElementCount < 1) return std::nullopt;
        return model.ElementIds[1];
      });
  if (derived.abandoned || derived.badLine != 0) return;

  // Every row: a known identifier, blanks, and known identifiers, once each.
  bool plainIds = true;
  for (int j = 1; j <= model.ElementCount; ++j) {
    plainIds = plainIds && model.ElementIds[j].find(',') == std::string::npos;
  }
  for (const std::string& row : derived.rows) {
    const size_t blank = row.find(' ');
    Require(blank != std::string::npos && model.Ids.First(row.substr(0, blank)) != 0,
            "a derived row does not start with a known identifier: " + row);
    if (!plainIds || row.size() < blank + 4) continue;
    std::set<std::string> seen;
    std::string_view list = std::string_view(row).substr(blank + 4);
    size_t pos = 0;
    while (!list.empty() && pos <= list.size()) {
      size_t comma = list.find(',', pos);
      if (comma == std::string_view::npos) comma = list.size();
      const std::string entry(list.substr(pos, comma - pos));
      Require(model.Ids.First(entry) != 0, "a derived row names an unknown element \"" + entry + "\": " + row);
      Require(seen.insert(entry).second, "a derived row names an element twice: " + row);
      pos = comma + 1;
    }
  }
  // The derived matrix is then read as a matrix file is.
  ReadMatrixLines(model, work.Lines("CFUZ.txt", [&] {
                    std::string text;
                    for (const std::string& row : derived.rows) text += row + "\r\n";
                    return text;
                  }()));
  CheckLevelling(model, LevelElements(model));
}

void FileOrdering(std::string_view input) {
  SplitInput split = SplitSections(input);
  auto section = [&](size_t k) -> std::string_view {
    return k < split.sections.size() ? std::string_view(split.sections[k].text) : std::string_view();
  };
  Work work;
  ModelTables model = ListModel(work.Lines("LFUZ.txt", split.lead));
  ReadMatrixLines(model, work.Lines("CFUZ.txt", section(0)));
  CheckLevelling(model, LevelElements(model));

  const std::vector<std::string> stored = StoreEquationLines(work.Lines("GFUZ.txt", section(1)), model.IdLength);
  const size_t indent = static_cast<size_t>(model.IdLength) + 2;
  for (const std::string& line : stored) {
    const size_t blanks = line.find_first_not_of(' ');
    Require(blanks != std::string::npos, "a blank equation line was stored");
    Require(blanks == 0 || blanks >= indent, "a continuation line was stored with too few blanks");
  }
  OrderEquations(stored, model);

  const std::vector<std::string> records = work.Lines("MFUZ.txt", section(2));
  const size_t header = SpecificationHeaderEnd(records, model);
  Require(header <= records.size(), "the header of the specifications ends past them");
  OrderSpecifications(records, model);
  OrderSpecificationGroups(records, header, model, /*keepUnplaced=*/true);
}

void Library(std::string_view input) {
  if (input.size() > kMaxDialogueBytes) input = input.substr(0, kMaxDialogueBytes);
  SplitInput split = SplitSections(input);
  Work work(AnswersOf(split.lead));
  WriteSections(work, split.sections);
  work.OpenLog();
  ModelCycle cycle;
  cycle.ModelName = "PRO";
  cycle.ModelPurpose = "prever";
  try {
    AnalogySearch(work.run, cycle, 1000);
  } catch (const ProgramEnd&) {
  }
  work.run.Log.Close();
}

void BracketCodes(std::string_view input) {
  if (input.empty()) return;
  const unsigned flags = static_cast<unsigned char>(input[0]);
  Work work;
  ModelTables model = ListModel(work.Lines("LCOD.txt", input.substr(1)));
  work.OpenLog();
  SimulationState sim;
  sim.DynamicChoice = (flags & 1) != 0 ? "s" : "n";
  sim.TimeUnit = "mes";
  static constexpr Uncertainty kChoices[] = {Uncertainty::kUnasked, Uncertainty::kSomeInputs,
                                             Uncertainty::kAllInputs, Uncertainty::kNoInputs};
  sim.UncertaintyChoice = kChoices[(flags >> 1) & 3];
  const bool useCodes = (flags & 8) == 0;
  if ((flags & 16) != 0 && model.ElementCount > 0) {
    sim.GeneticAlgorithm = true;
    sim.InitialChromosomeVar = model.ElementIds[1];
  }
  static const char* const kCodes[] = {"ince=", "aldi=", "cval=", "ndim=", "d1=",   "d2=",
                                       "esta=", "inic=", "tabl=", "npun=", "udi="};
  for (int i = 1; i <= std::min(model.ElementCount, kMaxCodedElements); ++i) {
    const std::string& name = model.ElementList[i];
    CodeSection(name, model.IdLength);
    for (const char* code : kCodes) {
      FixedCode(name, model.IdLength, code, 1);
      FixedCode(name, model.IdLength, code, 4);
      DelimitedCode delimited = CodeToSemicolon(name, model.IdLength, code);
      Require(!delimited.closed || delimited.present, "a code is closed but not present");
      Require(delimited.value.find(';') == std::string::npos, "a code's value runs past its \";\"");
    }
    // What a code leaves open is asked; these answers are given, then the input ends.
    for (const char* answer : {"n", "n", "1", "n", "1", "4", "n"}) work.box.Add(answer);
    try {
      InputSettings settings = SettleInput(work.run, model, sim, i, useCodes);
      InputCode code = BuildInputCode(settings);
      StripMarkers(code.readingStatement);
    } catch (const ProgramEnd&) {
    }
    while (work.box.remaining() > 0) work.box.InputBox("");
  }
  work.run.Log.Close();
}

void TableData(std::string_view input) {
  if (input.size() < 2) return;
  const unsigned shape = static_cast<unsigned char>(input[0]);
  const unsigned points = static_cast<unsigned char>(input[1]);
  Work work;
  const std::vector<std::string> lines = work.Lines("FFUZ.txt", input.substr(2));
  SpecificationState state;
  state.FunctionsRecorded = true;
  state.EquationBlocks = SplitEquationBlocks(lines);
  work.OpenLog();
  ModelCycle cycle;
  cycle.ModelName = "FUZ";

  // Each block is the function of a table (or, by the shape, a plain function)
  // of 0 to 3 arguments; its data file is looked up as the simulator would.
  std::vector<std::string> declarations{" defsng a-h, o-t, x-z:deflng i-n:defstr u-w"};
  std::vector<std::string> body{" Sub Main()", " open \"resul\" for output as #2",
                                " X1=1.5:X2=-2:X3=0:U1=\"a\":U2=\"b\":U3=\"\""};
  for (size_t k = 0; k < state.EquationBlocks.size() && k < kMaxTables; ++k) {
    state.NextBlock = k;
    ElementSpec element;
    element.Element = static_cast<int>(k) + 1;
    element.IsTable = (shape & 1) == 0;
    element.TablePoints = static_cast<int>(points % 16);
    const size_t arguments = (shape >> 1) & 3;
    // Whether a table is literal shows only when its data is read: the names
    // are chosen then.
    for (size_t j = 1; j <= arguments; ++j) element.Arguments.push_back("X" + std::to_string(j));
    element.Id = "T" + std::to_string(k + 1);
    element.FunctionHeader = FunctionHeaderOf(element.Id, element.Arguments);
    FunctionText function;
    try {
      function = ObtainFunction(work.run, cycle, state, element, 1 + static_cast<int>(shape >> 3));
    } catch (const ProgramEnd&) {
      continue;
    }
    EquationBlockOf(element, function);
    if (!element.IsTable) continue;
    if (function.Literal) {
      element.Id = "W" + std::to_string(k + 1);
      for (size_t j = 0; j < arguments; ++j) element.Arguments[j] = "U" + std::to_string(j + 1);
      work.Write(element.Id, [&] {
        std::string text;
        for (const std::string& line : function.TableData) text += line + "\r\n";
        return text;
      }());
      declarations.push_back(" Dim " + element.Id + " As String");
    }
    for (const std::string& statement :
         TableLookupStatements(element, function.Literal, OutputStatement(element, false, ResultsFile::kText))) {
      body.push_back(statement);
    }
  }
  work.run.Log.Close();
  if (body.size() == 3) return;
  body.push_back(" close #2");
  body.push_back(" End Sub");
  std::string program;
  for (const std::string& line : declarations) program += line + "\r\n";
  for (const std::string& line : body) program += line + "\r\n";
  work.Write("STAB.bas", program);

  InFolder folder(work.dir);
  ScriptedDialogue dialogue;
  FileSystem files;
  vbrun::RunRequest request;
  request.modules = {work.Path("STAB.bas")};
  const int status = vbrun::RunModules(request, dialogue, files, NullStream(), NullStream());
  Require(status != vbrun::kExitNotStarted, "the table lookup statements do not compile:\n" + program);
}

void AnswerLog(std::string_view input) {
  if (input.size() > kMaxDialogueBytes) input = input.substr(0, kMaxDialogueBytes);
  Work work({"s", "s", "s", "s", "n", "n"});
  for (const auto& [name, text] : ExampleModel()) work.Write(name, text);
  work.Write("MODELO1.txt", input);
  RunState state(work.box, work.files);
  state.Context.GivenWorkDir = work.dir;
  state.Context.GivenLogNumber = 1;
  MainDialogue(state);
}

void Dialogue(std::string_view input) {
  if (input.size() > kMaxDialogueBytes) input = input.substr(0, kMaxDialogueBytes);
  SplitInput split = SplitSections(input);
  Work work(AnswersOf(split.lead));
  for (const auto& [name, text] : ExampleModel()) work.Write(name, text);
  WriteSections(work, split.sections);
  RunState state(work.box, work.files);
  state.Context.GivenWorkDir = work.dir;
  MainDialogue(state);
}

void Terminal(std::string_view input) {
  if (input.empty()) return;
  if (input.size() > kMaxDialogueBytes) input = input.substr(0, kMaxDialogueBytes);
  const unsigned options = static_cast<unsigned char>(input[0]);
  SplitInput split = SplitSections(input.substr(1));
  Work work;
  for (const auto& [name, text] : ExampleModel()) work.Write(name, text);
  WriteSections(work, split.sections);
  // What is typed comes through a file: the terminal's input when it is not a terminal.
  const std::string typed = Root() + "/typed.txt";
  WriteFile(typed, split.lead);
  std::FILE* in = std::fopen(typed.c_str(), "rb");
  if (in == nullptr) Fail("cannot open " + typed);
  TerminalDialogue::Options dressing;
  dressing.waitsForEnter = (options & 1) != 0;
  dressing.dressed = (options & 2) != 0;
  dressing.progress = (options & 4) != 0;
  dressing.width = 1 + static_cast<int>(options >> 3);
  TerminalDialogue terminal(in, NullStream(), NullStream(), dressing);
  BoundedWrapper box(terminal);
  RunState state(box, work.files);
  state.Context.GivenWorkDir = work.dir;
  MainDialogue(state);
  std::fclose(in);
}

void VbrunParse(std::string_view input) {
  // Read as korva-vbrun reads a module: through a file, on a stack as deep as
  // the runner gives its thread (the parser recurses as deep as an expression).
  Work work;
  work.Write("M.bas", input);
  FileError error;
  std::unique_ptr<InputFile> in = work.files.OpenInput(work.Path("M.bas"), error);
  Require(in != nullptr, "cannot open a module just written");
  struct Job {
    const std::string* text;
  } job{&in->text()};
  auto parseAndCheck = [](void* data) -> void* {
    const std::string& text = *static_cast<Job*>(data)->text;
    auto parsed = vbrun::ParseModule("M.bas", text);
    if (auto* module = std::get_if<vbrun::Module>(&parsed)) {
      std::vector<vbrun::Module> modules;
      modules.push_back(std::move(*module));
      vbrun::CheckProgram(std::move(modules));
    }
    return nullptr;
  };
  pthread_attr_t attributes;
  pthread_t thread;
  if (pthread_attr_init(&attributes) != 0 || pthread_attr_setstacksize(&attributes, size_t{1} << 29) != 0 ||
      pthread_create(&thread, &attributes, parseAndCheck, &job) != 0) {
    Fail("cannot start the parsing thread");
  }
  pthread_attr_destroy(&attributes);
  pthread_join(thread, nullptr);
}

void VbrunModule(std::string_view input) {
  // Read as korva-vbrun reads a module, parsed, checked and run from its Sub
  // Main on the runner's deep stack, in a folder of its own (the generated
  // programs open their files by bare names). Every InputBox gets "1" until
  // the answers run out. No error of the program may escape the run.
  Work work;
  ScriptedDialogue dialogue(std::vector<std::string>(8, "1"));
  work.Write("M.bas", input);
  FileError error;
  std::unique_ptr<InputFile> in = work.files.OpenInput(work.Path("M.bas"), error);
  Require(in != nullptr, "cannot open a module just written");
  struct Job {
    Work* work;
    ScriptedDialogue* dialogue;
    const std::string* text;
  } job{&work, &dialogue, &in->text()};
  auto run = [](void* data) -> void* {
    Job& job = *static_cast<Job*>(data);
    auto parsed = vbrun::ParseModule("M.bas", *job.text);
    auto* module = std::get_if<vbrun::Module>(&parsed);
    if (module == nullptr) return nullptr;
    std::vector<vbrun::Module> modules;
    modules.push_back(std::move(*module));
    auto checked = vbrun::CheckProgram(std::move(modules));
    auto* program = std::get_if<vbrun::Program>(&checked);
    if (program == nullptr) return nullptr;
    vbrun::RunOptions options;
    options.seed = 1;
    options.debug = NullStream();
    options.stepLimit = kMaxSteps;
    options.elementLimit = kMaxElements;
    InFolder folder(job.work->dir);
    vbrun::Interpreter interpreter(*program, *job.dialogue, job.work->files, options);
    interpreter.Run();
    return nullptr;
  };
  pthread_attr_t attributes;
  pthread_t thread;
  if (pthread_attr_init(&attributes) != 0 || pthread_attr_setstacksize(&attributes, size_t{1} << 29) != 0 ||
      pthread_create(&thread, &attributes, run, &job) != 0) {
    Fail("cannot start the running thread");
  }
  pthread_attr_destroy(&attributes);
  pthread_join(thread, nullptr);
}

void VbrunFiles(std::string_view input) {
  Work work;
  const std::string data = work.Path("datos");
  work.Write("datos", input);
  // Every way a program reads a file: fields into texts and numbers of every
  // type, whole lines, and records into a Single, a Variant and a text. Errors
  // are passed over, so that one bad field does not end the reading.
  const std::string program =
      " defsng a-h, o-t, x-z:deflng i-n:defstr u-w\r\n"
      " Dim k As Integer, b As Double, m As Long, v As Variant\r\n"
      " Sub Main()\r\n"
      "  open \"" + data + "\" for input as #1\r\n"
      "  on error resume next\r\n"
      "  n = 0\r\n"
      "10 if eof(1) or n > 20000 then goto 20\r\n"
      "  n = n + 1\r\n"
      "  if n mod 4 = 0 then line input #1, uc\r\n"
      "  if n mod 4 = 1 then input #1, uc, a\r\n"
      "  if n mod 4 = 2 then input #1, k\r\n"
      "  if n mod 4 = 3 then input #1, b, m\r\n"
      "  goto 10\r\n"
      "20 close #1\r\n"
      "  open \"" + data + "\" for random as #2 len = 4\r\n"
      "  for r = 1 to lof(2) \\ 4 + 1\r\n"
      "   get #2, r, a\r\n"
      "  next r\r\n"
      "  close #2\r\n"
      "  open \"" + data + "\" for random as #3 len = 16\r\n"
      "  for r = 1 to lof(3) \\ 16 + 1\r\n"
      "   get #3, r, v\r\n"
      "   get #3, r, us\r\n"
      "   debug.print v; us\r\n"
      "  next r\r\n"
      "  close #3\r\n"
      " End Sub\r\n";
  work.Write("lector.bas", program);
  ScriptedDialogue dialogue;
  FileSystem files;
  vbrun::RunRequest request;
  request.modules = {work.Path("lector.bas")};
  const int status = vbrun::RunModules(request, dialogue, files, NullStream(), NullStream());
  Require(status != vbrun::kExitNotStarted, "the reading program does not compile");
}

void XmileReader(std::string_view input) {
  auto read = xmile::ReadXmile(std::string(input));
  auto* model = std::get_if<xmile::XmileModel>(&read);
  if (model == nullptr) return;
  const xmile::ImportPlan plan = xmile::PlanImport(*model);
  if (!plan.problems.empty()) return;
  const xmile::KorvaModelFiles made = xmile::MakeKorvaFiles(plan, "FUZ");
  std::set<std::string> ids;
  for (const xmile::PlannedElement& e : plan.elements) {
    if (static_cast<int>(e.id.size()) != plan.idLength || !ids.insert(e.id).second) std::abort();
    if (!e.input && e.lines.empty()) std::abort();
  }
  for (int i = 1; i <= made.tables.ElementCount; ++i) {
    if (made.tables.CalcLevel[static_cast<size_t>(i)] == 0) std::abort();  // korva would find a loop
  }
}

const std::vector<Target>& Targets() {
  static const std::vector<Target> targets = {
      {"record_fields", RecordFields},       {"element_list", ElementList},
      {"connection_matrix", ConnectionMatrix}, {"matrix_derivation", MatrixDerivation},
      {"file_ordering", FileOrdering},       {"library", Library},
      {"bracket_codes", BracketCodes},       {"table_data", TableData},
      {"answer_log", AnswerLog},             {"dialogue", Dialogue},
      {"terminal", Terminal},
      {"vbrun_parse", VbrunParse},           {"vbrun_files", VbrunFiles},
      {"vbrun_module", VbrunModule},         {"xmile_reader", XmileReader},
  };
  return targets;
}

Entry FindEntry(std::string_view name) {
  for (const Target& target : Targets()) {
    if (target.name == name) return target.entry;
  }
  return nullptr;
}

}  // namespace korva::fuzz
