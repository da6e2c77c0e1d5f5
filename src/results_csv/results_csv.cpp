#include "results_csv/results_csv.h"

#include <charconv>
#include <cmath>

#include "text/cp1252.h"

namespace korva {
namespace {

constexpr const char* kRowEnd = "\r\n";

std::string TimeText(double t) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, t);
  return ec == std::errc() ? std::string(buffer, end) : "";
}

// A value as written in resul<n>: a number stays as it is, a text is quoted when needed.
std::string ValueField(const std::string& cp1252) { return CsvField(Cp1252ToUtf8(cp1252)); }

std::string HeaderRow(const SimulationResults& r, bool repetitions) {
  std::string row = repetitions ? "repeticion,tiempo" : "tiempo";
  for (const ValueRef& value : AllValues(r)) {
    const std::string label = Cp1252ToUtf8(value.label);
    row += "," + CsvField(label);
    if (r.repeated && !repetitions) row += "," + CsvField(label + "_desv") + "," + CsvField(label + "_chi2");
  }
  return row + kRowEnd;
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string SingleText(float x) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  return ec == std::errc() ? std::string(buffer, end) : "";
}

std::string PeriodsCsv(const SimulationResults& r) {
  std::string out = HeaderRow(r, false);
  const size_t width = r.Width();
  for (size_t p = 0; p < r.Periods(); ++p) {
    out += TimeText(r.times[p]);
    for (size_t c = 0; c < width; ++c) {
      const size_t at = p * width + c;
      out += "," + ValueField(r.texts[at]);
      if (r.repeated) out += "," + ValueField(r.deviationTexts[at]) + "," + ValueField(r.chiSquareTexts[at]);
    }
    out += kRowEnd;
  }
  return out;
}

std::string RepetitionsCsv(const SimulationResults& r, const Repetitions& reps) {
  std::string out = HeaderRow(r, true);
  out.reserve(out.size() + reps.data.size() * 11);
  for (size_t k = 0; k < reps.count; ++k) {
    const std::string repetition = std::to_string(k + 1) + ",";
    for (size_t p = 0; p < reps.periods; ++p) {
      out += repetition;
      out += TimeText(r.times[p]);
      for (size_t c = 0; c < reps.width; ++c) {
        out += ',';
        out += SingleText(reps.at(k, p, c));
      }
      out += kRowEnd;
    }
  }
  return out;
}

std::string ColumnNamesCsv(const SimulationResults& r, bool repetitions) {
  std::string out = std::string("columna,nombre") + kRowEnd;
  if (repetitions) out += std::string("repeticion,") + CsvField(Cp1252ToUtf8("número de la repetición")) + kRowEnd;
  const std::string unit = r.timeUnit.empty() ? "periodo" : Cp1252ToUtf8(r.timeUnit);
  out += "tiempo," + CsvField(unit) + kRowEnd;
  for (const ValueRef& value : AllValues(r)) {
    const std::string label = Cp1252ToUtf8(value.label);
    const std::string& name = r.variables[value.variable].name;
    auto row = [&out](const std::string& column, const std::string& words) {
      out += CsvField(column) + "," + CsvField(Cp1252ToUtf8(words)) + kRowEnd;
    };
    row(label, r.repeated && !repetitions ? "media de " + name : name);
    if (r.repeated && !repetitions) {
      row(label + "_desv", "desviación típica de " + name);
      row(label + "_chi2", "ji cuadrado de normalidad de " + name);
    }
  }
  return out;
}

}  // namespace korva
