// Models proposed by analogy from the example library, each built and run:
// the search prepares an answers log, a second cycle replays it on the create
// path, and the data-entry program, the simulator and the results program run
// in korva-vbrun. The results program's table is checked against values
// worked out here from the library's equations.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"
#include "support/answering_dialogue.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::LinesOf;
using testing::TempDir;
using Lines = std::vector<std::string>;

// A prompt no rule answers is the end of the input: a logged question the
// prepared log should have answered ends the run with an error.
using testing::AnsweringDialogue;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

// One search of the example library and what follows from it.
struct Proposal {
  explicit Proposal(const Lines& keywords) {
    const fs::path example = fs::path(KORVA_SOURCE_DIR) / "examples" / "analogia";
    fs::copy(example / "biblioteca", fs::path(dir / "biblioteca"), fs::copy_options::recursive);
    fs::copy(example / "BIBLIO.txt", fs::path(dir / "BIBLIO.txt"));
    std::vector<std::pair<std::string, Lines>> rules = {
        {"¿En que directorio", {dir.dir()}},
        {"tiene grabadas, o quiere grabar", {"1", "2"}},
        {"(a) que le proponga", {"a"}},
        {"¿Como quiere llamar", {"PROP"}},
        {"servirá para", {"probar la búsqueda analógica"}},
        {"GNombre", {"1000"}},
        {"¿Cuantas palabras clave", {std::to_string(keywords.size())}},
        {"fichero de nombres de los modelos", {"BIBLIO"}},
        {"¿Desea que le prepare un fichero Modelo*", {"s"}},
        {"¿En qué fichero Modelo* quiere copiar", {"2"}},
        {"¿Desea algo más?", {"s"}},
        {"¿Seguimos?", {"s"}},
        {"¿Desea continuar?", {"s"}},
        {"¿Desea dejarlo para seguir en otro momento?", {"n"}},
        {"¿Desea corregir alguna sentencia?", {"n"}},
    };
    for (size_t k = 0; k < keywords.size(); ++k) {
      rules.push_back({"Introduzca la palabra clave  " + std::to_string(k + 1), {keywords[k]}});
    }
    AnsweringDialogue box(std::move(rules));
    FileSystem files;
    RunState run(box, files);
    status = MainDialogue(run);
    unanswered = box.unanswered;
    messages = box.messages;
    // The inputs, in list order: the elements that nothing influences.
    std::map<std::string, bool> influenced;
    for (const std::string& row : LinesOf(dir.Read("CPROP.txt"))) {
      if (row.find_last_of(' ') + 1 < row.size()) influenced[row.substr(0, row.find(' '))] = true;
    }
    for (const std::string& name : LinesOf(dir.Read("LPROP.txt"))) {
      std::string id = name.substr(0, name.find(' '));
      if (!influenced[id]) inputs.push_back(id);
    }
  }

  int Run(const std::string& module, const Lines& answers) {
    std::string text;
    for (const std::string& a : answers) text += a + "\n";
    dir.Write("answers.txt", text);
    std::string command = "cd '" + dir.path() + "' && '" + KORVA_VBRUN_BINARY + "' --seed 1 " + module +
                          " <answers.txt >screen.txt 2>messages.txt";
    int s = std::system(command.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  }

  // The data of simulation 1 (the initial filling, reading no earlier data),
  // each input's value in list order, saved.
  int EnterData(const std::map<std::string, std::string>& values) {
    Lines answers = {"1", ""};
    for (const std::string& id : inputs) {
      auto it = values.find(id);
      answers.push_back(it == values.end() ? "0" : it->second);
      answers.push_back("");
    }
    answers.insert(answers.end(), {"5", "1", "6"});
    return Run("DPROP.bas", answers);
  }

  // The results program's table of `ids` over `periods` periods (1 for a
  // static model): one row of values per period.
  std::vector<std::vector<double>> Table(const Lines& ids, int periods, bool dynamic) {
    Lines answers = {"1", "2", std::to_string(ids.size())};
    answers.insert(answers.end(), ids.begin(), ids.end());
    if (dynamic) answers.insert(answers.end(), {"1", std::to_string(periods), "0"});
    answers.insert(answers.end(), {"c", "e", "1", "n", "5"});
    std::vector<std::vector<double>> rows;
    if (Run("RPROP.bas", answers) != 0) return rows;
    Lines table = LinesOf(dir.Read("EXCEL1.txt"));
    if (table.empty()) return rows;
    Lines heading = Fields(table[0]);
    if (dynamic && !heading.empty()) heading.erase(heading.begin());
    if (heading != ids) return rows;
    for (size_t i = 1; i < table.size(); ++i) {
      Lines f = Fields(table[i]);
      if (f.size() < ids.size() + 1) continue;
      std::vector<double> row;
      for (size_t k = 1; k <= ids.size(); ++k) row.push_back(std::stod(f[k]));
      rows.push_back(row);
    }
    return rows;
  }

  TempDir dir;
  int status = -1;
  Lines unanswered;
  Lines messages;
  Lines inputs;
};

// The simulator's answers: a static model runs simulation 1 once; a dynamic
// one runs `periods` periods of step 1, each shown, from period 0, with three
// repetitions when it has uncertainty.
Lines SimulatorAnswers(bool dynamic, bool uncertainty, int periods) {
  if (!dynamic) return {"1", "1", "n", "n"};
  Lines answers = {std::to_string(periods), "1", "1"};
  if (uncertainty) answers.push_back("3");
  answers.insert(answers.end(), {"0", "1", "1", "n"});
  if (uncertainty) answers.push_back("4");
  answers.push_back("n");
  return answers;
}

struct Expected {
  Lines keywords;
  Lines list;  // the proposed list's identifiers
  bool dynamic;
  bool uncertainty;
  std::map<std::string, std::string> data;
  Lines shown;  // the variables tabulated
  // The values of `shown` in each period.
  std::function<std::vector<std::vector<double>>(int periods)> values;
};

void PrintTo(const Expected& e, std::ostream* os) {
  for (const std::string& k : e.keywords) *os << k << " ";
}

class AnalogyEndToEnd : public ::testing::TestWithParam<Expected> {};

TEST_P(AnalogyEndToEnd, TheProposalBuildsFromItsPreparedLogAndItsProgramsGiveTheLibrarysValues) {
  const Expected& e = GetParam();
  const int periods = e.dynamic ? 4 : 1;
  Proposal p(e.keywords);
  ASSERT_EQ(p.status, 0) << (p.unanswered.empty() ? "" : p.unanswered.front());
  ASSERT_TRUE(p.unanswered.empty());
  Lines ids;
  for (const std::string& name : LinesOf(p.dir.Read("LPROP.txt"))) ids.push_back(name.substr(0, name.find(' ')));
  EXPECT_EQ(ids, e.list);
  EXPECT_EQ(p.dir.Read("Modelo2.txt"), p.dir.Read("MPROP.txt")) << "the replay asked nothing the log lacked";
  // The uncertainty the library's models use, no more.
  EXPECT_EQ(p.dir.Read("MPROP.txt").find("\"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"" +
                                         std::string(e.uncertainty ? "a" : "n") + "\"") != std::string::npos,
            e.dynamic);
  ASSERT_EQ(p.EnterData(e.data), 0) << p.dir.Read("messages.txt");
  ASSERT_EQ(p.Run("SPROP.bas", SimulatorAnswers(e.dynamic, e.uncertainty, periods)), 0)
      << p.dir.Read("messages.txt") << p.dir.Read("screen.txt");
  std::vector<std::vector<double>> table = p.Table(e.shown, periods, e.dynamic);
  std::vector<std::vector<double>> expected = e.values(periods);
  ASSERT_EQ(table.size(), expected.size()) << p.dir.Read("screen.txt");
  for (size_t t = 0; t < table.size(); ++t) {
    for (size_t k = 0; k < e.shown.size(); ++k) {
      EXPECT_NEAR(table[t][k], expected[t][k], 1e-4 * std::max(1.0, std::fabs(expected[t][k])))
          << e.shown[k] << " in period " << t + 1;
    }
  }
}

// Single precision, as the simulator computes.
using F = float;

INSTANTIATE_TEST_SUITE_P(
    ExampleLibrary, AnalogyEndToEnd,
    ::testing::Values(
        // A dynamic model with an uncertain input (DEM) and one without (GRA):
        // the states carry their values to the next period.
        Expected{{"poblacion", "coste"},
                 {"POI", "POB", "NAC", "TNA", "MUE", "TMO", "COS", "CON", "RAC", "ANI", "ANO", "GAS", "PRE"},
                 true,
                 true,
                 {{"POI", "1000"}, {"TNA", "0.03"}, {"TMO", "0.01"}, {"RAC", "2"}, {"ANO", "100"}, {"PRE", "0.5"}},
                 {"POB", "COS"},
                 [](int periods) {
                   std::vector<std::vector<double>> rows;
                   F poi = 1000, ano = 100;
                   for (int t = 0; t < periods; ++t) {
                     // NAC and MUE are whole numbers (names from i to n), rounded half to even.
                     F pob = poi + std::nearbyint(F(0.03) * poi) - std::nearbyint(F(0.01) * poi);
                     F ani = ano * F(1.1);
                     F con = 2 * ani;
                     rows.push_back({pob, con * F(0.5) + F(0.5) * con});
                     poi = pob;
                     ano = ani;
                   }
                   return rows;
                 }},
        // The farm model alone has no uncertainty: nor has its proposal.
        Expected{{"coste"},
                 {"COS", "CON", "RAC", "ANI", "ANO", "GAS", "PRE"},
                 true,
                 false,
                 {{"RAC", "3"}, {"ANO", "10"}, {"PRE", "2"}},
                 {"ANI", "GAS"},
                 [](int periods) {
                   std::vector<std::vector<double>> rows;
                   F ano = 10;
                   for (int t = 0; t < periods; ++t) {
                     F ani = ano * F(1.1);
                     rows.push_back({ani, 3 * ani * 2});
                     ano = ani;
                   }
                   return rows;
                 }},
        // "riego" is in two models that both define TEM: the irrigation
        // model's (made from a create log, dynamic) is kept, the orchard's
        // (static) left, and its harvest computed from the kept one.
        // Identifiers of 3, 4 and 5 letters, the first of 4.
        Expected{{"riego"},
                 {"EVAP", "TEM", "SOL", "HUMED", "DOSIS", "AGU", "COSE"},
                 true,
                 false,
                 {{"SOL", "8"}, {"AGU", "50"}, {"DOSIS", "3"}},
                 {"HUMED", "COSE", "TEM"},
                 [](int periods) {
                   std::vector<std::vector<double>> rows;
                   F agu = 50;
                   const F tem = 2 * F(8);
                   for (int t = 0; t < periods; ++t) {
                     F humed = agu + 3 - F(0.1) * tem;
                     rows.push_back({humed, 10 * tem, tem});
                     agu = humed;
                   }
                   return rows;
                 }},
        // A static model alone.
        Expected{{"renta"},
                 {"RENTA", "UNIDA", "PVP"},
                 false,
                 false,
                 {{"UNIDA", "120"}, {"PVP", "2.5"}},
                 {"RENTA"},
                 [](int) { return std::vector<std::vector<double>>{{F(120) * F(2.5)}}; }},
        // A static model's elements in a dynamic model with uncertainty, the
        // first identifier of 3 letters and RENTA of 5.
        Expected{{"poblacion", "renta"},
                 {"POI", "POB", "NAC", "TNA", "MUE", "TMO", "RENTA", "UNIDA", "PVP"},
                 true,
                 true,
                 {{"POI", "500"}, {"TNA", "0.1"}, {"TMO", "0.02"}, {"UNIDA", "40"}, {"PVP", "1.5"}},
                 {"POB", "RENTA"},
                 [](int periods) {
                   std::vector<std::vector<double>> rows;
                   F poi = 500;
                   for (int t = 0; t < periods; ++t) {
                     F pob = poi + std::nearbyint(F(0.1) * poi) - std::nearbyint(F(0.02) * poi);
                     rows.push_back({pob, F(40) * F(1.5)});
                     poi = pob;
                   }
                   return rows;
                 }},
        // A keyword found in both definitions of TEM: the first is kept.
        Expected{{"temperatura"},
                 {"TEM", "SOL"},
                 true,
                 false,
                 {{"SOL", "6.5"}},
                 {"TEM"},
                 [](int periods) { return std::vector<std::vector<double>>(periods, {2 * F(6.5)}); }}));

}  // namespace
}  // namespace korva
