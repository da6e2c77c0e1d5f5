#include "vbrun/runner.h"

#include <pthread.h>

#include <algorithm>

#include "text/cp1252.h"
#include "vbrun/checker.h"
#include "vbrun/interpreter.h"
#include "vbrun/parser.h"

namespace korva::vbrun {
namespace {

void Say(std::FILE* out, const std::string& text) {
  std::string utf8 = Cp1252ToUtf8("korva-vbrun: " + text + "\n");
  std::fwrite(utf8.data(), 1, utf8.size(), out);
  std::fflush(out);
}

std::string Trimmed(const std::string& line) {
  size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = line.find_last_not_of(" \t");
  return line.substr(first, last - first + 1);
}

// The label of the line, or of the nearest labelled line above it in its
// procedure (the last procedure starting at or above it).
std::string LabelNear(const Program& program, int module, int line) {
  const Procedure* holder = nullptr;
  for (const Procedure& procedure : program.modules[module].procedures) {
    if (procedure.firstLine <= line && (holder == nullptr || procedure.firstLine > holder->firstLine)) {
      holder = &procedure;
    }
  }
  if (holder == nullptr) return "";
  // The labels are kept in the order of their lines.
  const std::vector<LineLabel>& labels = holder->labels;
  auto after = std::upper_bound(labels.begin(), labels.end(), line,
                                [](int at, const LineLabel& label) { return at < label.line; });
  if (after == labels.begin()) return "";
  const LineLabel& label = *(after - 1);
  return label.line == line ? "etiqueta " + label.label : "tras la etiqueta " + label.label;
}

void ReportRuntime(std::FILE* out, const Program& program, const VbError& error) {
  std::string where;
  std::string statement;
  if (error.module >= 0) {
    const Module& m = program.modules[error.module];
    where = m.name + ", línea " + std::to_string(error.line + 1);
    std::string label = LabelNear(program, error.module, error.line);
    if (!label.empty()) where += " (" + label + ")";
    where += ": ";
    statement = Trimmed(m.lines[error.line]);
  }
  std::string text =
      where + "error " + std::to_string(error.number) + " en tiempo de ejecución: " + ErrorDescription(error.number);
  if (!error.detail.empty()) text += " (" + error.detail + ")";
  Say(out, text);
  if (!statement.empty()) Say(out, "  en la instrucción: " + statement);
}

}  // namespace

namespace {

int RunOnThisStack(const RunRequest& request, Dialogue& dialogue, FileSystem& files, std::FILE* messages,
                   std::FILE* debug) {
  if (request.modules.empty()) {
    Say(messages, "falta el nombre de un módulo (.bas); pruebe korva-vbrun --help");
    return kExitNotStarted;
  }
  std::vector<Module> modules;
  for (const std::string& name : request.modules) {
    FileError error;
    auto file = files.OpenInput(name, error);
    if (!file) {
      Say(messages, "no se puede leer " + name + ": " + ErrorDescription(error.number));
      return kExitNotStarted;
    }
    auto parsed = ParseModule(name, file->text());
    if (auto* failure = std::get_if<SyntaxError>(&parsed)) {
      Say(messages, failure->module + ", línea " + std::to_string(failure->line) + ", columna " +
                        std::to_string(failure->column) + ": error de sintaxis: " + failure->message);
      return kExitNotStarted;
    }
    modules.push_back(std::move(std::get<Module>(parsed)));
  }
  auto checked = CheckProgram(std::move(modules));
  if (auto* failure = std::get_if<CompileError>(&checked)) {
    std::string where = failure->module + (failure->line > 0 ? ", línea " + std::to_string(failure->line) : "");
    Say(messages, where + ": error de compilación: " + failure->message);
    return kExitNotStarted;
  }
  const Program& program = std::get<Program>(checked);
  RunOptions options;
  options.seed = request.seed;
  options.debug = debug;
  Interpreter interpreter(program, dialogue, files, options);
  RunOutcome outcome = interpreter.Run();
  switch (outcome.kind) {
    case RunOutcome::Kind::kFinished:
      return kExitFinished;
    case RunOutcome::Kind::kInputEnded:
      Say(messages, "la entrada se ha terminado mientras el programa esperaba una respuesta; el programa se detiene");
      return kExitRunFailed;
    case RunOutcome::Kind::kRuntimeError:
      ReportRuntime(messages, program, outcome.error);
      return kExitRunFailed;
  }
  return kExitRunFailed;
}

// Parsing, checking, running and freeing a program recurse as deep as its
// expressions are long (a sum of thousands of terms is a tree that deep), so
// they run on a thread whose stack is large enough for any line a module holds.
constexpr size_t kStackBytes = size_t{1} << 29;

struct StackedRun {
  const RunRequest* request;
  Dialogue* dialogue;
  FileSystem* files;
  std::FILE* messages;
  std::FILE* debug;
  int status = kExitRunFailed;
};

void* RunStacked(void* data) {
  auto* run = static_cast<StackedRun*>(data);
  run->status = RunOnThisStack(*run->request, *run->dialogue, *run->files, run->messages, run->debug);
  return nullptr;
}

}  // namespace

int RunModules(const RunRequest& request, Dialogue& dialogue, FileSystem& files, std::FILE* messages,
               std::FILE* debug) {
  StackedRun run{&request, &dialogue, &files, messages, debug};
  pthread_attr_t attributes;
  pthread_t thread;
  bool started = pthread_attr_init(&attributes) == 0 && pthread_attr_setstacksize(&attributes, kStackBytes) == 0 &&
                 pthread_create(&thread, &attributes, RunStacked, &run) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) return RunOnThisStack(request, dialogue, files, messages, debug);  // no thread to be had
  pthread_join(thread, nullptr);
  return run.status;
}

}  // namespace korva::vbrun
