#include "ver/ver_commands.h"

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "files/folder_files.h"
#include "diagram/diagram_svg.h"
#include "diagram/model_graph.h"
#include "files/file_error.h"
#include "files/temporaries.h"
#include "results_csv/results_csv.h"
#include "run_results/simulation_results.h"
#include "series_chart/series_chart.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva::ver {
namespace {

const char* kUsage =
    "Uso: korva-ver diagrama DIRECTORIO NOMBRE [-o FICHERO.svg] [--subsistemas]\n"
    "     korva-ver serie DIRECTORIO NOMBRE [-s N] [-v ID[,ID...]] [-o FICHERO.svg|.png]\n"
    "     korva-ver csv DIRECTORIO NOMBRE [-s N] [-o FICHERO.csv] [--repeticiones]\n"
    "\n"
    "Muestra un modelo de korva y los resultados de sus simulaciones a partir de\n"
    "los ficheros de su directorio.\n"
    "\n"
    "  diagrama  el diagrama de influencias (SVG): un nodo por elemento con su\n"
    "            identificador y nombre, forma según su clase (entrada, estado,\n"
    "            calculado, tabla; borde a trazos si es incierto), una flecha por\n"
    "            conexión de la matriz, los elementos por nivel de cálculo y cada\n"
    "            bucle en su color. Basta la lista y la matriz (L, C). Con\n"
    "            --subsistemas, el modelo de subsistemas de un modelo por bloques\n"
    "            (ls, cs).\n"
    "  serie     las variables de resultados de la simulación N en el tiempo (SVG\n"
    "            o PNG, según la extensión): la media y una banda de una\n"
    "            desviación típica si hay repeticiones, y las repeticiones como\n"
    "            líneas finas si son 50 o menos; barras si el modelo es estático.\n"
    "            -v elige las variables (con subíndices: -v GRD(2,1)); sin -v,\n"
    "            las ocho primeras.\n"
    "  csv       los resultados de la simulación N en CSV (RFC 4180, UTF-8): una\n"
    "            fila por periodo (tiempo, valor o media, desviación, ji\n"
    "            cuadrado), o con --repeticiones una fila por repetición y\n"
    "            periodo. Los nombres completos de las columnas van a un segundo\n"
    "            fichero, FICHERO-nombres.csv.\n"
    "\n"
    "Opciones:\n"
    "  -s N         la simulación (1 si no se dice)\n"
    "  -o FICHERO   el fichero que se escribe; sin -o, NOMBRE.svg,\n"
    "               NOMBRE-N.svg o NOMBRE-N.csv en el directorio del modelo\n"
    "  --help       muestra esta ayuda\n"
    "  --version    muestra la versión\n"
    "\n"
    "Estado de salida: 0 si escribe lo pedido, 1 si no puede escribirlo, 2 si la\n"
    "orden es incorrecta o los ficheros del modelo no tienen lo que se pide.\n";

void Print(std::FILE* stream, const std::string& cp1252) {
  const std::string utf8 = Cp1252ToUtf8(cp1252);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

// The output name asked for, or the default in the model's folder.
std::string OutputName(const Request& r, const std::string& defaultName) {
  return r.output.empty() ? InDirectory(r.directory, defaultName) : r.output;
}

bool EndsWith(const std::string& name, const std::string& end) {
  if (name.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(name[name.size() - end.size() + i])) != end[i]) return false;
  }
  return true;
}

// Writes `bytes` under a hidden name beside `name` and puts it in place.
int WriteWhole(FileSystem& files, const std::string& name, const std::string& bytes, std::FILE* out, std::FILE* err) {
  FileError error;
  std::unique_ptr<OutputFile> file = files.OpenOutput(name, error);
  if (file) {
    file->Write(bytes);
    if (file->Close(error)) {
      Print(out, name + "\n");
      return kExitDone;
    }
  }
  Print(err, "korva-ver: no puedo escribir " + name + " (error " + PlainNum(error.number) + ").\n");
  return kExitNotWritten;
}

int Fail(std::FILE* err, const std::string& message) {
  Print(err, "korva-ver: " + message + "\n");
  return kExitBadInput;
}

int Diagram(const Request& r, FileSystem& files, std::FILE* out, std::FILE* err) {
  Checked<ModelGraph> graph = ReadModelGraph(files, r.directory, r.model, r.subsystems);
  if (!graph) return Fail(err, graph.message());
  std::string title = ModelPurpose(files, r.directory, r.model);
  if (title.empty()) title = "Modelo " + r.model;
  if (r.subsystems) title += " (subsistemas)";
  Checked<std::string> svg = DrawDiagram(*graph, title);
  if (!svg) return Fail(err, svg.message());
  return WriteWhole(files, OutputName(r, r.model + (r.subsystems ? "-subsistemas" : "") + ".svg"), *svg, out, err);
}

int Series(const Request& r, FileSystem& files, std::FILE* out, std::FILE* err) {
  Checked<SimulationResults> results = ReadSimulationResults(files, r.directory, r.model, r.simulation);
  if (!results) return Fail(err, results.message());
  std::vector<ValueRef> values;
  for (const std::string& label : r.values) {
    Checked<ValueRef> value = FindValue(*results, label);
    if (!value) return Fail(err, value.message());
    values.push_back(*value);
  }
  if (values.empty()) {
    for (const ValueRef& value : AllValues(*results)) {
      if (values.size() < 8) values.push_back(value);
    }
  }
  std::optional<Repetitions> repetitions;
  if (results->repeated && results->control.dynamic && static_cast<size_t>(results->control.repetitions) <= kMostRepetitionLines) {
    Checked<Repetitions> read = ReadRepetitions(files, r.directory, *results);
    if (!read) return Fail(err, read.message());
    repetitions = std::move(*read);
  }
  const std::string name = OutputName(r, r.model + "-" + PlainNum(r.simulation) + ".svg");
  const bool png = EndsWith(name, ".png");
  if (!png && !EndsWith(name, ".svg")) return Fail(err, "El gráfico ha de ser un fichero .svg o .png: " + name);
  // PLplot writes the file itself: under the hidden name, put in place when whole.
  const std::string hidden = HiddenTemporaryName(files.HostPath(name));
  const int slot = NoteTemporary(hidden);
  // PLplot gives up on a file it cannot open by ending the process: the
  // place is tried first.
  if (std::FILE* probe = std::fopen(hidden.c_str(), "wb")) {
    std::fclose(probe);
  } else {
    const int number = ErrorNumberFromErrno(errno, errno == ENOENT);
    ForgetTemporary(slot);
    Print(err, "korva-ver: no puedo escribir " + name + " (error " + PlainNum(number) + ").\n");
    return kExitNotWritten;
  }
  Checked<bool> drawn = DrawSeriesChart(*results, repetitions ? &*repetitions : nullptr, values,
                                        png ? ChartFormat::kPng : ChartFormat::kSvg, hidden);
  FileError error;
  const bool placed = drawn && files.Replace(Utf8ToCp1252(hidden), name, error);
  if (!placed) std::remove(hidden.c_str());
  ForgetTemporary(slot);
  if (!drawn) return Fail(err, drawn.message());
  if (!placed) {
    Print(err, "korva-ver: no puedo escribir " + name + " (error " + PlainNum(error.number) + ").\n");
    return kExitNotWritten;
  }
  Print(out, name + "\n");
  return kExitDone;
}

int Csv(const Request& r, FileSystem& files, std::FILE* out, std::FILE* err) {
  Checked<SimulationResults> results = ReadSimulationResults(files, r.directory, r.model, r.simulation);
  if (!results) return Fail(err, results.message());
  std::string table;
  if (r.repetitions) {
    Checked<Repetitions> repetitions = ReadRepetitions(files, r.directory, *results);
    if (!repetitions) return Fail(err, repetitions.message());
    table = RepetitionsCsv(*results, *repetitions);
  } else {
    table = PeriodsCsv(*results);
  }
  const std::string name = OutputName(r, r.model + "-" + PlainNum(r.simulation) + ".csv");
  const std::string stem = EndsWith(name, ".csv") ? name.substr(0, name.size() - 4) : name;
  int status = WriteWhole(files, name, table, out, err);
  if (status != kExitDone) return status;
  return WriteWhole(files, stem + "-nombres.csv", ColumnNamesCsv(*results, r.repetitions), out, err);
}

}  // namespace

const char* Usage() { return kUsage; }

Parsed ParseArguments(const std::vector<std::string>& arguments) {
  Parsed parsed;
  Request request;
  std::vector<std::string> positional;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= arguments.size()) return false;
      into = Utf8ToCp1252(arguments[++i]);
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      return parsed;
    } else if (arg == "--version") {
      parsed.version = true;
      return parsed;
    } else if (arg == "-o") {
      if (!value(request.output) || request.output.empty()) return {std::nullopt, "-o necesita un nombre de fichero"};
    } else if (arg == "-s") {
      std::optional<long> n = value(text) ? ParseWholeNumber(text) : std::nullopt;
      if (!n || *n < 0 || *n > 32767) return {std::nullopt, "-s necesita el número de una simulación"};
      request.simulation = static_cast<int>(*n);
    } else if (arg == "-v") {
      if (!value(text) || text.empty()) return {std::nullopt, "-v necesita uno o más identificadores"};
      // Commas separate the values, except inside the parentheses of subscripts.
      int depth = 0;
      std::string current;
      for (char c : text) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == ',' && depth == 0) {
          request.values.push_back(current);
          current.clear();
        } else {
          current += c;
        }
      }
      request.values.push_back(current);
    } else if (arg == "--subsistemas") {
      request.subsystems = true;
    } else if (arg == "--repeticiones") {
      request.repetitions = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return {std::nullopt, "opción desconocida: " + Utf8ToCp1252(arg) + " (pruebe --help)"};
    } else {
      positional.push_back(Utf8ToCp1252(arg));
    }
  }
  if (positional.size() != 3) return {std::nullopt, "se necesitan la orden, el directorio y el nombre del modelo (pruebe --help)"};
  request.command = positional[0];
  request.directory = positional[1];
  request.model = positional[2];
  const std::string& c = request.command;
  if (c != "diagrama" && c != "serie" && c != "csv") {
    return {std::nullopt, "orden desconocida: " + c + " (diagrama, serie o csv)"};
  }
  if (request.subsystems && c != "diagrama") return {std::nullopt, "--subsistemas es una opción de diagrama"};
  if (request.repetitions && c != "csv") return {std::nullopt, "--repeticiones es una opción de csv"};
  if (!request.values.empty() && c != "serie") return {std::nullopt, "-v es una opción de serie"};
  parsed.request = std::move(request);
  return parsed;
}

int Run(const Request& request, FileSystem& files, std::FILE* out, std::FILE* err) {
  if (request.command == "diagrama") return Diagram(request, files, out, err);
  if (request.command == "serie") return Series(request, files, out, err);
  return Csv(request, files, out, err);
}

}  // namespace korva::ver
