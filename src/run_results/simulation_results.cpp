#include "run_results/simulation_results.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <optional>

#include "files/folder_files.h"
#include "core/log_labels.h"
#include "files/record_fields.h"
#include "model/element_list.h"
#include "run_results/results_table.h"
#include "text/vb_text.h"

namespace korva {
namespace {

std::string Number(double x) {
  if (x == std::floor(x) && std::fabs(x) < 1e15) return PlainNum(static_cast<long long>(x));
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  return ec == std::errc() ? std::string(buffer, end) : "?";
}

// A number as Write # or Print # writes it: blanks around, ".5", "-1.2E+07".
bool ParseNumber(std::string_view text, double& x) {
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  if (begin == std::string_view::npos) return false;
  text = text.substr(begin, end - begin + 1);
  if (text.front() == '+') text.remove_prefix(1);
  auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
  return ec == std::errc() && stop == text.data() + text.size();
}

// CLng: to the nearest whole number, halves to even.
long RoundHalfEven(double x) { return static_cast<long>(std::nearbyint(x)); }

Checked<ControlRecord> ReadControl(FileSystem& files, const std::string& directory, const std::string& name,
                                   int simulation) {
  FileError error;
  std::unique_ptr<InputFile> in = files.OpenInput(InDirectory(directory, name), error);
  if (!in) {
    return Failure{"No encuentro el fichero de control " + name + " en " + directory + ": la simulación " +
                   PlainNum(simulation) + " no se ha ejecutado."};
  }
  std::vector<std::string> fields;
  bool quoted = false;
  std::vector<bool> quotes;
  for (std::string field; in->ReadField(field, &quoted);) {
    fields.push_back(field);
    quotes.push_back(quoted);
  }
  ControlRecord control;
  const std::string bad = "El fichero de control " + name + " no es el que escribe el simulador";
  if (fields.size() < 6) return Failure{bad + ": tiene " + PlainNum(static_cast<long long>(fields.size())) +
                                        " campos y ha de tener al menos 6."};
  double numbers[6] = {};
  for (size_t i : {0, 2, 3, 4, 5}) {
    if (quotes[i] || !ParseNumber(fields[i], numbers[i])) {
      return Failure{bad + ": su campo " + PlainNum(static_cast<long long>(i + 1)) + " (" + fields[i] +
                     ") no es un número."};
    }
  }
  control.valuesPerRecord = RoundHalfEven(numbers[0]);
  control.dynamic = fields[1] == "s" || fields[1] == "S";
  control.span = numbers[2];
  control.interval = numbers[3];
  control.start = numbers[4];
  control.repetitions = RoundHalfEven(numbers[5]);
  for (size_t i = 6; i < fields.size(); ++i) {
    double x = 0;
    if (!ParseNumber(fields[i], x)) return Failure{bad + ": el tamaño " + fields[i] + " no es un número."};
    control.sizeValues.push_back(x);
  }
  if (control.valuesPerRecord <= 0) return Failure{bad + ": da " + fields[0] + " valores por registro."};
  if (control.dynamic && !(control.interval > 0 && control.span >= control.interval)) {
    return Failure{bad + ": el periodo simulado (" + fields[2] + ") y el intervalo de registro (" + fields[3] +
                   ") no dan ningún periodo."};
  }
  return control;
}

}  // namespace

std::string ModelPurpose(FileSystem& files, const std::string& directory, const std::string& model) {
  std::error_code ec;
  std::filesystem::directory_iterator it(files.HostPath(directory.empty() ? "." : directory), ec);
  if (ec) return "";
  std::map<std::string, std::string> logs;  // by name, so the first log decides
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 11 && (name.compare(0, 6, "MODELO") == 0 || name.compare(0, 6, "Modelo") == 0 ||
                              name.compare(0, 6, "modelo") == 0)) {
      logs[name] = entry.path().string();
    }
  }
  for (const auto& [name, path] : logs) {
    std::vector<std::string> lines;
    if (!ReadLines(files, path, lines)) continue;
    bool named = false;
    for (const std::string& line : lines) {
      size_t pos = 0;
      std::string label, answer;
      if (!ReadRecordField(line, pos, label) || !ReadRecordField(line, pos, answer)) continue;
      if (label == kLabelModelName) named = answer == model;
      if (named && (label == kLabelModelPurpose || label == kPreparedLabelModelPurpose)) return answer;
    }
  }
  return "";
}

namespace {

// The variables of the table with their sizes and offsets, and their full names.
Checked<std::vector<RecordedVariable>> RecordLayout(const ResultsTable& table, const ControlRecord& control,
                                                    const std::vector<std::string>& listLines,
                                                    const std::string& program, const std::string& controlName) {
  std::map<std::string, std::string> fullNames;
  for (const std::string& line : listLines) {
    if (IsBlankLine(line)) continue;
    fullNames.emplace(std::string(IdentifierOf(line.substr(line.find_first_not_of(" \t")))), NameWithoutCodes(line));
  }
  std::map<std::string, double> sizeValues;
  for (size_t i = 0; i < table.sizeNames.size() && i < control.sizeValues.size(); ++i) {
    sizeValues[table.sizeNames[i]] = control.sizeValues[i];
  }
  std::vector<RecordedVariable> variables;
  size_t offset = 0;
  for (const ResultsTableEntry& entry : table.entries) {
    RecordedVariable v;
    v.id = entry.id;
    auto full = fullNames.find(entry.id);
    v.name = full != fullNames.end() ? full->second : entry.shortName;
    for (const std::string& size : entry.sizes) {
      double x = 0;
      if (!ParseNumber(size, x)) {
        auto named = sizeValues.find(size);
        if (named == sizeValues.end()) {
          return Failure{"El tamaño " + size + " de " + entry.id + " no está en el fichero de control " +
                         controlName + "."};
        }
        x = named->second;
      }
      const long n = RoundHalfEven(x);
      if (n < 1 || n > 100000000) {
        return Failure{"El tamaño " + size + " de " + entry.id + " vale " + Number(x) + " en " + controlName + "."};
      }
      v.sizes.push_back(n);
    }
    v.offset = offset;
    offset += v.ValueCount();
    variables.push_back(std::move(v));
  }
  if (offset != static_cast<size_t>(control.valuesPerRecord)) {
    return Failure{"El fichero de control " + controlName + " da " + PlainNum(control.valuesPerRecord) +
                   " valores por registro y el programa de resultados " + program + " describe " +
                   PlainNum(static_cast<long long>(offset)) + ": no son del mismo modelo."};
  }
  return variables;
}

// One field of resul<n>: its text and its number (NaN for a text).
void Field(const std::string& text, bool quoted, std::string& into, double& x) {
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  into = begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
  if (quoted || !ParseNumber(into, x)) x = std::numeric_limits<double>::quiet_NaN();
}

// The values of resul<n>: one value a line, or "mean,deviation,chi-square" a line.
std::optional<std::string> ReadValues(FileSystem& files, const std::string& directory, const std::string& name,
                                      SimulationResults& r) {
  std::vector<std::string> lines;
  if (!ReadLines(files, InDirectory(directory, name), lines)) {
    return "No encuentro el fichero de resultados " + name + " en " + directory + ": la simulación " +
           PlainNum(r.simulation) + " no se ha ejecutado o no ha terminado.";
  }
  while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos) lines.pop_back();
  const size_t expected = r.Periods() * r.Width();
  std::vector<std::string> fields;
  if (!lines.empty()) {
    size_t pos = 0;
    for (std::string field; ReadRecordField(lines[0], pos, field);) fields.push_back(field);
  }
  r.repeated = fields.size() == 3;
  if (lines.size() != expected) {
    const std::string what = r.control.dynamic ? PlainNum(static_cast<long long>(r.Periods())) + " periodos de " +
                                                     PlainNum(static_cast<long long>(r.Width())) + " valores"
                                               : PlainNum(static_cast<long long>(r.Width())) + " valores";
    return std::string("El fichero de resultados ") + name + " " + (lines.size() < expected ? "está cortado" : "sobra") +
           ": tiene " + PlainNum(static_cast<long long>(lines.size())) + " líneas y la simulación " +
           PlainNum(r.simulation) + " (" + what + ") ha de tener " + PlainNum(static_cast<long long>(expected)) + ".";
  }
  r.values.resize(expected);
  r.texts.resize(expected);
  if (r.repeated) {
    r.deviations.resize(expected);
    r.chiSquares.resize(expected);
    r.deviationTexts.resize(expected);
    r.chiSquareTexts.resize(expected);
  }
  for (size_t i = 0; i < expected; ++i) {
    size_t pos = 0;
    std::string field;
    bool quoted = false;
    std::vector<std::pair<std::string, bool>> got;
    while (ReadRecordField(lines[i], pos, field, &quoted)) got.emplace_back(field, quoted);
    if (got.size() != (r.repeated ? 3u : 1u)) {
      return "La línea " + PlainNum(static_cast<long long>(i + 1)) + " del fichero de resultados " + name +
             " no tiene la forma de las demás: " + lines[i];
    }
    Field(got[0].first, got[0].second, r.texts[i], r.values[i]);
    if (r.repeated) {
      Field(got[1].first, got[1].second, r.deviationTexts[i], r.deviations[i]);
      Field(got[2].first, got[2].second, r.chiSquareTexts[i], r.chiSquares[i]);
    }
  }
  return std::nullopt;
}

std::string Compact(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ') continue;
    out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

}  // namespace

size_t RecordedVariable::ValueCount() const {
  size_t n = 1;
  for (long s : sizes) n *= static_cast<size_t>(s);
  return n;
}

std::string RecordedVariable::ValueLabel(size_t k) const {
  if (sizes.empty()) return id;
  std::vector<long> subscripts(sizes.size());
  for (size_t d = sizes.size(); d-- > 0;) {
    subscripts[d] = static_cast<long>(k % static_cast<size_t>(sizes[d])) + 1;
    k /= static_cast<size_t>(sizes[d]);
  }
  std::string label = id + "(";
  for (size_t d = 0; d < subscripts.size(); ++d) label += (d ? "," : "") + PlainNum(subscripts[d]);
  return label + ")";
}

Checked<SimulationResults> ReadSimulationResults(FileSystem& files, const std::string& directory,
                                                 const std::string& model, int simulation) {
  SimulationResults r;
  r.model = model;
  r.simulation = simulation;
  const std::string uns = PlainNum(simulation);
  const std::string controlName = "R" + uns + "ic";
  const std::string program = "R" + model + ".bas";
  std::vector<std::string> programLines;
  if (!ReadLines(files, InDirectory(directory, program), programLines)) {
    return Failure{"No encuentro el programa de resultados " + program + " en " + directory +
                   ": el modelo " + model + " no está completo o no está en esa carpeta."};
  }
  ResultsTable table = ParseResultsTable(programLines);
  if (!table.found) return Failure{"El programa " + program + " no tiene la tabla de variables de resultados."};

  Checked<ControlRecord> control = ReadControl(files, directory, controlName, simulation);
  if (!control) return Failure{control.message()};
  r.control = *control;

  std::vector<std::string> listLines;
  ReadLines(files, InDirectory(directory, "L" + model + ".txt"), listLines);  // names only: may be missing
  Checked<std::vector<RecordedVariable>> variables = RecordLayout(table, r.control, listLines, program, controlName);
  if (!variables) return Failure{variables.message()};
  r.variables = std::move(*variables);
  r.timeUnit = r.control.dynamic ? table.timeUnit : "";
  r.purpose = ModelPurpose(files, directory, model);

  const long periods = r.control.dynamic ? RoundHalfEven(r.control.span / r.control.interval) : 1;
  if (periods < 1 || periods > 100000000) {
    return Failure{"El fichero de control " + controlName + " no da ningún periodo registrado."};
  }
  r.times.resize(static_cast<size_t>(periods));
  for (long k = 1; k <= periods; ++k) {
    r.times[static_cast<size_t>(k - 1)] = r.control.dynamic ? r.control.start + k * r.control.interval : k;
  }
  if (auto error = ReadValues(files, directory, "resul" + uns, r)) return Failure{*error};
  return r;
}

Checked<Repetitions> ReadRepetitions(FileSystem& files, const std::string& directory,
                                     const SimulationResults& results) {
  const std::string name = "resul" + PlainNum(results.simulation) + ".ale";
  if (!results.repeated || results.control.repetitions < 1) {
    return Failure{"La simulación " + PlainNum(results.simulation) + " del modelo " + results.model +
                   " no tiene repeticiones."};
  }
  Repetitions reps;
  reps.count = static_cast<size_t>(results.control.repetitions);
  reps.periods = results.Periods();
  reps.width = results.Width();
  const unsigned long long expected = 4ULL * reps.count * reps.periods * reps.width;
  std::ifstream in(files.HostPath(InDirectory(directory, name)), std::ios::binary);
  if (!in) return Failure{"No encuentro el fichero de repeticiones " + name + " en " + directory + "."};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != expected) {
    return Failure{"El fichero de repeticiones " + name + " tiene " +
                   PlainNum(static_cast<long long>(bytes.size())) + " bytes y ha de tener " +
                   PlainNum(static_cast<long long>(expected)) + " (" + PlainNum(static_cast<long long>(reps.count)) +
                   " repeticiones de " + PlainNum(static_cast<long long>(reps.periods)) + " periodos de " +
                   PlainNum(static_cast<long long>(reps.width)) + " valores): " +
                   (bytes.size() < expected ? "está cortado." : "no es de esta simulación.")};
  }
  reps.data.resize(bytes.size() / 4);
  for (size_t i = 0; i < reps.data.size(); ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
    uint32_t word = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    static_assert(sizeof(float) == 4);
    std::memcpy(&reps.data[i], &word, 4);
  }
  return reps;
}

Checked<ValueRef> FindValue(const SimulationResults& results, std::string_view label) {
  const std::string wanted = Compact(label);
  const size_t open = wanted.find('(');
  const std::string id = wanted.substr(0, open);
  for (size_t v = 0; v < results.variables.size(); ++v) {
    const RecordedVariable& var = results.variables[v];
    if (Compact(var.id) != id) continue;
    if (var.sizes.empty()) {
      if (open == std::string::npos) return ValueRef{var.offset, v, var.id};
      break;
    }
    if (open == std::string::npos || wanted.back() != ')') {
      return Failure{var.id + " es una variable con dimensiones: nombre un valor, como " + var.ValueLabel(0) + "."};
    }
    std::vector<long> subscripts;
    std::string_view inside = std::string_view(wanted).substr(open + 1, wanted.size() - open - 2);
    while (true) {
      size_t comma = inside.find(',');
      auto s = ParseWholeNumber(inside.substr(0, comma));
      if (!s) return Failure{"Los subíndices de " + std::string(label) + " no son números enteros."};
      subscripts.push_back(*s);
      if (comma == std::string_view::npos) break;
      inside.remove_prefix(comma + 1);
    }
    if (subscripts.size() != var.sizes.size()) {
      return Failure{var.id + " tiene " + PlainNum(static_cast<long long>(var.sizes.size())) +
                     " dimensiones: " + std::string(label) + " no nombra ningún valor suyo."};
    }
    size_t k = 0;
    for (size_t d = 0; d < subscripts.size(); ++d) {
      if (subscripts[d] < 1 || subscripts[d] > var.sizes[d]) {
        return Failure{"El subíndice " + PlainNum(subscripts[d]) + " de " + std::string(label) +
                       " está fuera de 1 a " + PlainNum(var.sizes[d]) + "."};
      }
      k = k * static_cast<size_t>(var.sizes[d]) + static_cast<size_t>(subscripts[d] - 1);
    }
    return ValueRef{var.offset + k, v, var.ValueLabel(k)};
  }
  std::string known;
  for (size_t v = 0; v < results.variables.size() && v < 20; ++v) known += (v ? ", " : "") + results.variables[v].id;
  if (results.variables.size() > 20) known += ", ...";
  return Failure{std::string(label) + " no es una variable de resultados del modelo " + results.model + " (lo son: " +
                 known + ")."};
}

std::vector<ValueRef> AllValues(const SimulationResults& results) {
  std::vector<ValueRef> all;
  all.reserve(results.Width());
  for (size_t v = 0; v < results.variables.size(); ++v) {
    const RecordedVariable& var = results.variables[v];
    for (size_t k = 0; k < var.ValueCount(); ++k) all.push_back(ValueRef{var.offset + k, v, var.ValueLabel(k)});
  }
  return all;
}

}  // namespace korva
