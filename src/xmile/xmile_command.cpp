#include "xmile/xmile_command.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "files/file_system.h"
#include "text/cp1252.h"
#include "xmile/exporter.h"
#include "xmile/import_plan.h"
#include "xmile/korva_files.h"
#include "xmile/messages.h"
#include "xmile/simulation.h"
#include "xmile/xmile_reader.h"

namespace korva::xmile {
namespace {

namespace fs = std::filesystem;

// The largest XMILE file read.
constexpr std::uintmax_t kMaxFileBytes = 256ull << 20;

void Say(std::FILE* to, const std::string& cp1252) {
  const std::string utf8 = Cp1252ToUtf8(cp1252 + "\n");
  std::fwrite(utf8.data(), 1, utf8.size(), to);
}

struct Options {
  std::vector<std::string> positional;
  std::optional<std::string> name, output, directory;
  std::optional<int> log;
  std::string error;
};

Options ParseOptions(const std::vector<std::string>& args, const std::string& allowed) {
  Options options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() == 2 && arg[0] == '-' && allowed.find(arg[1]) != std::string::npos) {
      if (i + 1 >= args.size()) {
        options.error = "falta el valor de " + arg;
        return options;
      }
      const std::string value = args[++i];
      switch (arg[1]) {
        case 'n':
          options.name = value;
          break;
        case 'o':
          options.output = value;
          break;
        case 'd':
          options.directory = value;
          break;
        case 'r':
          if (value.size() != 1 || value[0] < '0' || value[0] > '9') {
            options.error = "-r pide un número de 0 a 9";
            return options;
          }
          options.log = value[0] - '0';
          break;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      options.error = "opción desconocida: " + arg;
      return options;
    } else {
      options.positional.push_back(arg);
    }
  }
  return options;
}

// A model's name: one word of letters and digits (it names files).
bool ValidModelName(const std::string& name, std::FILE* err) {
  bool valid = !name.empty() && name.size() <= 32;
  for (char c : name) valid = valid && std::isalnum(static_cast<unsigned char>(c));
  if (!valid) Say(err, "korva-xmile: el nombre del modelo ha de ser una palabra de letras y cifras: " + name);
  return valid;
}

bool Arguments(const Options& options, size_t count, const std::string& what, std::FILE* err) {
  if (options.positional.size() == count) return true;
  Say(err, "korva-xmile: " + what + " (pruebe korva-xmile --help)");
  return false;
}

// A text file written as korva writes them: whole under a hidden name, then
// put in place, its lines ended by CR LF.
bool WriteLines(const std::string& name, const std::vector<std::string>& lines, std::FILE* err) {
  FileSystem files;
  FileError error;
  auto file = files.OpenOutput(name, error);
  if (file) {
    for (const std::string& line : lines) file->WriteLine(line);
    file->Close(error);
  }
  if (!error.failed()) return true;
  Say(err, "korva-xmile: no se puede escribir " + name + " (error " + std::to_string(error.number) + ").");
  return false;
}

// The file's bytes: a regular file of reasonable size.
bool ReadWholeFile(const std::string& name, std::string& bytes, std::string& message) {
  const std::string host = Cp1252ToUtf8(name);
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) {
    message = "No se encuentra el fichero " + name + ".";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    message = name + " no es un fichero.";
    return false;
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes) {
    message = "El fichero " + name + " pasa de 256 MB.";
    return false;
  }
  std::ifstream in(host, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) {
    message = "No se puede leer el fichero " + name + ".";
    return false;
  }
  bytes = text.str();
  return true;
}

// The plan of a file, or the status with which to stop.
std::optional<ImportPlan> Plan(const std::string& file, std::FILE* err, int& status) {
  std::string bytes, message;
  if (!ReadWholeFile(file, bytes, message)) {
    Say(err, "korva-xmile: " + message);
    status = kExitRefused;
    return std::nullopt;
  }
  auto read = ReadXmile(bytes);
  if (auto* failure = std::get_if<ReadError>(&read)) {
    Say(err, "korva-xmile: " + file + ": " + failure->message);
    status = kExitRefused;
    return std::nullopt;
  }
  ImportPlan plan = PlanImport(std::get<XmileModel>(read));
  if (!plan.problems.empty()) {
    for (const std::string& line : RefusalReport(file, plan.problems)) Say(err, "korva-xmile: " + line);
    status = kExitRefused;
    return std::nullopt;
  }
  return plan;
}

// The working directory, made when it does not exist (only its last folder).
bool PrepareDirectory(const std::string& directory, std::FILE* err) {
  std::error_code error;
  const fs::path host = Cp1252ToUtf8(directory);
  if (!fs::exists(host, error)) fs::create_directory(host, error);
  if (error || !fs::is_directory(host, error)) {
    Say(err, "korva-xmile: no se puede usar el directorio " + directory + ".");
    return false;
  }
  return true;
}

int Import(const Options& options, std::FILE* out, std::FILE* err) {
  if (!Arguments(options, 2, "importar pide MODELO.xmile y DIRECTORIO", err)) return kExitRefused;
  const std::string& file = options.positional[0];
  const std::string& directory = options.positional[1];
  const std::string name = options.name.value_or(DefaultModelName(file));
  if (!ValidModelName(name, err)) return kExitRefused;
  int status = kExitDone;
  std::optional<ImportPlan> plan = Plan(file, err, status);
  if (!plan) return status;
  if (!PrepareDirectory(directory, err)) return kExitFailed;
  const int log = options.log.value_or(1);
  KorvaModelFiles made = MakeKorvaFiles(*plan, name);
  FileSystem files;
  files.ConfineWritesTo(directory);
  std::string message;
  if (!WriteKorvaFiles(files, directory, name, log, made, message)) {
    Say(err, "korva-xmile: " + message);
    return kExitFailed;
  }
  Say(out, MappingHead(file, directory, name, plan->idLength));
  for (const std::string& line : plan->mapping) Say(out, "  " + line);
  Say(out, "Ficheros: L" + name + ".txt, G" + name + ".txt, C" + name + ".txt, DATOS1.txt, Modelo" +
               std::to_string(log) + ".txt (korva -d " + directory + " -r " + std::to_string(log) + ").");
  return kExitDone;
}

// A directory under the system's temporary one, removed when done.
class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base ? base : "/tmp") + "/korva-xmile-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

int Simulate(const Options& options, std::FILE* out, std::FILE* err) {
  if (!Arguments(options, 1, "simular pide MODELO.xmile", err)) return kExitRefused;
  const std::string& file = options.positional[0];
  int status = kExitDone;
  std::optional<ImportPlan> plan = Plan(file, err, status);
  if (!plan) return status;
  TemporaryDirectory temporary;
  const std::string directory = options.directory ? *options.directory : Utf8ToCp1252(temporary.path());
  if (directory.empty() || !PrepareDirectory(directory, err)) return kExitFailed;
  const std::string name = DefaultModelName(file);
  KorvaModelFiles made = MakeKorvaFiles(*plan, name);
  std::string message;
  {
    FileSystem files;
    files.ConfineWritesTo(directory);
    if (!WriteKorvaFiles(files, directory, name, 1, made, message)) {
      Say(err, "korva-xmile: " + message);
      return kExitFailed;
    }
  }
  const std::string absolute = Utf8ToCp1252(fs::absolute(Cp1252ToUtf8(directory)).string());
  SimulationOutcome outcome = SimulateImported(*plan, absolute, name, 1);
  if (!outcome.ok) {
    Say(err, "korva-xmile: " + outcome.message);
    return kExitFailed;
  }
  const std::vector<std::string> lines = CsvLines(outcome.table);
  if (!options.output) {
    for (const std::string& line : lines) {
      std::fwrite(line.data(), 1, line.size(), out);
      std::fputc('\n', out);
    }
    return kExitDone;
  }
  std::vector<std::string> text;
  for (const std::string& line : lines) text.push_back(Utf8ToCp1252(line));
  if (!WriteLines(*options.output, text, err)) return kExitFailed;
  return kExitDone;
}

int Export(const Options& options, std::FILE* out, std::FILE* err) {
  if (!Arguments(options, 2, "exportar pide DIRECTORIO y NOMBRE", err)) return kExitRefused;
  const std::string& directory = options.positional[0];
  const std::string& name = options.positional[1];
  if (!ValidModelName(name, err)) return kExitRefused;
  ExportOutcome exported = ExportModel(directory, name);
  for (const std::string& note : exported.notes) Say(err, "korva-xmile: " + note);
  if (!exported.ok) return exported.status;
  const std::string target = options.output.value_or(directory + "/" + name + ".xmile");
  // The XML is UTF-8, its lines ended by CR LF.
  std::vector<std::string> lines;
  std::istringstream text(exported.xml);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  if (!WriteLines(target, lines, err)) return kExitFailed;
  Say(out, "Modelo " + name + " de " + directory + " exportado en " + target + ".");
  return kExitDone;
}

}  // namespace

std::string DefaultModelName(const std::string& file) {
  std::string stem = fs::path(Cp1252ToUtf8(file)).stem().string();
  std::string name;
  for (char c : stem) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && std::isalnum(u) && name.size() < 8) name += static_cast<char>(std::toupper(u));
  }
  return name.empty() ? "XMILE" : name;
}

int RunXmileCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) {
    Say(err, "korva-xmile: falta la orden: importar, simular o exportar (pruebe korva-xmile --help)");
    return kExitRefused;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    Say(out, XmileUsage());
    return kExitDone;
  }
  if (args[0] == "--version") {
    Say(out, XmileVersion());
    return kExitDone;
  }
  const std::string& command = args[0];
  const std::string allowed = command == "importar" ? "nr" : command == "simular" ? "od" : "o";
  Options options = ParseOptions(args, allowed);
  if (!options.error.empty()) {
    Say(err, "korva-xmile: " + options.error + " (pruebe korva-xmile --help)");
    return kExitRefused;
  }
  if (command == "importar") return Import(options, out, err);
  if (command == "simular") return Simulate(options, out, err);
  if (command == "exportar") return Export(options, out, err);
  Say(err, "korva-xmile: orden desconocida: " + command + " (pruebe korva-xmile --help)");
  return kExitRefused;
}

}  // namespace korva::xmile
