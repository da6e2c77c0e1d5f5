#pragma once
// A results program laid out as the generator writes it, for a model described
// here, with the representer module at its end; run in korva-vbrun over control
// and results files that the tests write. Helpers to read what it showed.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "emit/templates.h"
#include "results_program/results_representer.h"
#include "support/file_lines.h"
#include "vbrun/number_text.h"
#include "vbrun/vb_program.h"

namespace korva::results_harness {

using testing::LinesOf;
using testing::RunVb;
using testing::TempDir;
using testing::VbOutcome;
using Lines = std::vector<std::string>;

inline std::string Module() {
  std::string text;
  for (const std::string& line : RepresenterLines()) text += line + "\r\n";
  return text;
}

inline const char* const kDims =
    " defsng a-h, o-t, x-z:deflng i-n:defstr u-w\r\n"
    " dim UNFS,PP,RG,NV,UV(4),IV(4),UF,US,IA,IB,TS,INIC,VPER,NVI\r\n"
    " dim NS1,NS2,NSI,UNS,NX,NN,NS,NVS,UID(),NO,IZOR(),LON()\r\n"
    " dim KK,IX,IP,LS,UJA,JA(),UDI,UA,JB,UAIC,JC,JD,AIC(),IR\r\n"
    " dim NR,NM,NU,ny,IC,WZ(),VL,Z(),S(),X(),k,UEL(),NPG,AA(),AP,a,B,C,UC\r\n"
    " dim UB\r\n";

struct ResultVariable {
  std::string uid;
  std::string name;
  std::string offset;  // after "ica"
};

struct Model {
  bool dynamic = true;
  std::string unit = "mes";
  int idLength = 3;
  int uncertain = 0;
  std::string sizes;  // the size variables, joined by ","
  int sizeCount = 0;
  std::vector<ResultVariable> variables;
};

// The results program of `model`, as the generator lays it out, with the
// module at its end.
inline std::string ResultsProgram(const Model& m) {
  std::string p = kDims;
  p += " Sub Main()\r\n  RM\r\n End Sub \r\n Public Sub RM()\r\n10 if nn=5 then end\r\n";
  p += "20 Rem cls:print:print \"Saludos. Soy RM\"\r\n   uorg=\"\":udep=\"\": uarea=\"\":uproy=\"\"\r\n";
  p += m.dynamic ? "23 Rem print:print \"Digame:\"\r\n :larga\r\n" : "40 pp=1:rg=1\r\n";
  p += "50 nvs=" + std::to_string(m.variables.size()) + ":l=" + (m.uncertain ? "3" : "2") +
       ":npg=pp/rg:redim uel(nvs),uid(nvs),aa(4,l,npg),lon(nvs),izor(nvs),z(nvs),wz(nvs),s(nvs),x(nvs):vper=\"" +
       m.unit + "\"\r\n";
  p += "54 redim aic(" + std::to_string(m.sizeCount) + "):uaic=\"" + m.sizes + "\":nl=15\r\n";
  p += "55 ' Nueva simulación\r\n     unsim=inputbox(\"¿Número de la simulación que desea visualizar?\"):"
       "if isnumeric(unsim) then nsim=unsim else msgbox \"La respuesta no es un número. Escriba un número.\":goto "
       "55\r\n";
  p += "     uns=mid$(str$(nsim),2)\r\n";
  p += "56 open \"R\"+uns+\"ic\" for input as #1\r\n     input #1,ic,udi,pp,rg,inic,nr:close #1\r\n";
  if (m.sizeCount > 0) {
    p += "57 open \"R\"+uns+\"ic\" for input as #1\r\n     input #1,ic,udi,pp,rg,inic,nr:for i=1 to " +
         std::to_string(m.sizeCount) + ":input #1,aic(i):next:close #1\r\n     ";
    // Each size variable takes its value under its own name.
    std::string name;
    int n = 0;
    for (size_t i = 0; i <= m.sizes.size(); ++i) {
      if (i < m.sizes.size() && m.sizes[i] != ',') {
        name += m.sizes[i];
        continue;
      }
      const std::string separator = n > 0 ? ":" : "";
      ++n;
      p += separator + name + "=aic(" + std::to_string(n) + ")";
      name.clear();
    }
    p += "\r\n";
  }
  p += " :\r\n60 ";
  for (size_t k = 0; k < m.variables.size(); ++k) {
    const ResultVariable& v = m.variables[k];
    std::string n = std::to_string(k + 1);
    p += "uid(" + n + ")=\"" + v.uid + "\":uel(" + n + ")=\"" + v.name + "\":izor(" + n + ")=ica" +
         (v.offset.empty() ? "" : "+" + v.offset) + ":";
  }
  p += "no=" + std::to_string(m.idLength) + ":nvi=" + std::to_string(m.uncertain) + "\r\n\r\n";
  return p + Module();
}

// A dynamic model: population, ages (2 by 3), regions (N by 2, N a size
// variable, second in the list) and a total; 14 values a period.
inline Model Population() {
  Model m;
  m.sizes = "M,N";
  m.sizeCount = 2;
  m.variables = {{"pob", "Poblacion total...", ""},
                 {"eda(2,3)", "Poblacion por edades...", "1"},
                 {"reg(N,2)", "Poblacion por regiones...", "1+2*3"},
                 {"tot", "Total de control...", "1+2*3*2"}};
  return m;
}

// What the simulator of Population() writes: periods 11 to 14 (start 10), N = 3.
inline const char* const kPopulationControl = "14,\"s\",4,1,10,1,5,3\r\n";

// A results file of one value a line: `value(period, position)`.
inline std::string ResultsText(int periods, int values, const std::function<std::string(int, int)>& value) {
  std::string text;
  for (int p = 1; p <= periods; ++p) {
    for (int q = 1; q <= values; ++q) text += value(p, q) + "\r\n";
  }
  return text;
}

inline std::string PopulationValue(int p, int q) { return std::to_string(100 * p + q); }

// Items in the 14-column print zones.
inline std::string Zones(const Lines& items) {
  std::string line;
  for (size_t i = 0; i < items.size(); ++i) {
    line += items[i];
    if (i + 1 < items.size()) line += std::string(14 - line.size() % 14, ' ');
  }
  return line;
}

// A whole number as Print writes it.
inline std::string Printed(long n) { return (n < 0 ? "" : " ") + std::to_string(n) + " "; }

inline Lines Prompts(const VbOutcome& out) {
  Lines prompts;
  for (const BoxRecord& box : out.boxes) {
    if (box.kind == BoxRecord::kInput) prompts.push_back(box.text);
  }
  return prompts;
}

inline Lines Messages(const VbOutcome& out) {
  Lines messages;
  for (const BoxRecord& box : out.boxes) {
    if (box.kind == BoxRecord::kMessage) messages.push_back(box.text);
  }
  return messages;
}

inline bool Has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Runs the program with `dir` as the current directory, where its files are.
inline VbOutcome RunIn(const TempDir& dir, const std::string& program, const Lines& answers) {
  std::filesystem::path back = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  VbOutcome out = RunVb(dir, program, answers);
  std::filesystem::current_path(back);
  return out;
}

inline const char* const kMenu =
    "0. Salida completa, 1. Ejecutar salidas, 2. Definir salidas, 3. Modificar salidas, 4. Nueva simulación, 5. "
    "Terminar";

// One line of a chart: the symbols in ascending order of value, each placed
// after the one before in proportion to the difference of their values, 76
// columns spanning the smallest value to the largest.
inline std::string Bar(std::vector<std::pair<double, int>> points, double lo, double hi) {
  std::sort(points.begin(), points.end());
  std::string bar = "|";
  double previous = lo;
  // A first symbol at the minimum takes the first column, one more than its
  // due: the first later step of more than one column gives it back.
  long shift = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    long columns = static_cast<long>((points[i].first - previous) / (hi - lo) * 76);
    if (shift && columns > 1) --columns, shift = 0;
    if (columns > 0) bar += std::string(columns - 1, ' ') + std::to_string(points[i].second);
    if (columns == 0 && i == 0) bar += std::to_string(points[i].second), shift = 1;
    previous = points[i].first;
  }
  return bar;
}

// The heading of a chart of the variables labelled, whose values run from lo
// to hi: the scale marks the fifths of that range.
inline Lines ChartHeading(const Lines& labels, const Lines& names, long firstPeriod, float lo, float hi,
                          const std::string& unit = "mes") {
  Lines lines = {""};
  for (size_t i = 0; i < labels.size(); ++i) {
    lines.push_back(Printed(i + 1) + "= " + labels[i]);
    lines.push_back(names[i]);
  }
  lines.push_back(" " + unit + " 1:" + Printed(firstPeriod));
  lines.push_back("");
  std::string scale;
  const float step = (hi - lo) / 5;
  for (int i = 0; i < 5; ++i) {
    scale.resize(3 + 15 * i, ' ');
    scale += vbrun::PrintText(lo + static_cast<float>(i) * step, vbrun::NumberKind::kSingle);
  }
  lines.push_back(scale);
  std::string axis = "    +";
  for (int i = 0; i < 5; ++i) axis += std::string(14, '-') + "+";
  lines.push_back(axis);
  return lines;
}

}  // namespace korva::results_harness
