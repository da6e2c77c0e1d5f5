// The three modules of every create-path example run one after the other in
// korva-vbrun with the answers kept beside the example (ejecucion/): the data
// entry, the simulator, then the results program, whose tables, charts and
// listings are checked against what the simulator wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "support/example_run.h"
#include "support/examples.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::LinesOf;
using testing::TempDir;

// An example replayed by korva, ready to run its modules.
struct ExampleRun : testing::ExampleModules {
  explicit ExampleRun(const fs::path& example) : ExampleModules(example) { generated = Generate(); }
  int RunResults(const std::string& answers) { return Run("R", answers); }
  bool generated = false;
};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

TEST(ResultsEndToEnd, EveryCreateExampleRunsItsThreeModules) {
  int runs = 0;
  for (const fs::path& example : testing::Examples()) {
    if (!fs::exists(example / "ejecucion")) continue;
    SCOPED_TRACE(example.filename().string());
    ExampleRun ex(example);
    ASSERT_TRUE(ex.generated);
    EXPECT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
    EXPECT_TRUE(ex.dir.Has("EXCEL1.txt"));
    EXPECT_TRUE(ex.dir.Has("COMPL1.txt"));
    ++runs;
  }
  EXPECT_EQ(runs, 9) << "analogia, poblacion, tablas, azar, incertidumbre, genetico, alelos, presas and epidemia";
}

TEST(ResultsEndToEnd, StaticModelTableAndCompleteListing) {
  ExampleRun ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "poblacion");
  ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
  std::vector<std::string> results = LinesOf(ex.dir.Read("resul1"));
  ASSERT_EQ(results.size(), 3u);
  // One record: the heading, then period 1 with the three values the simulator wrote.
  std::vector<std::string> table = LinesOf(ex.dir.Read("EXCEL1.txt"));
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(Fields(table[0]), (std::vector<std::string>{"NAC", "MUE", "POB"}));
  EXPECT_EQ(Fields(table[1]), (std::vector<std::string>{"1", results[0], results[1], results[2]}));
  // The complete listing names each variable and shows its value.
  std::string listing = ex.dir.Read("COMPL1.txt");
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_NE(listing.find("\r\n" + results[i]), std::string::npos) << results[i];
  }
  EXPECT_NE(listing.find("NAC nacimientos del a\xF1o..."), std::string::npos);
}

TEST(ResultsEndToEnd, ChartsTablesAndStoredOutputsOfADynamicModel) {
  ExampleRun ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "azar");
  ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
  // EXCEL1 is a chart of Y and Q over weeks 1 to 10: 80 columns at most, the axis as drawn.
  std::vector<std::string> chart = LinesOf(ex.dir.Read("EXCEL1.txt"));
  bool axis = false;
  int rows = 0;
  for (const std::string& line : chart) {
    EXPECT_LE(line.size(), 80u) << line;
    axis |= line == "    +--------------+--------------+--------------+--------------+--------------+";
    rows += line.size() > 3 && line[3] == '|' && line.find_first_of("12", 4) != std::string::npos;
  }
  EXPECT_TRUE(axis);
  EXPECT_EQ(rows, 10) << "one line a week";
  // EXCEL2 is a table with interval ends: Q's lower and upper ends are its value.
  std::vector<std::string> table = LinesOf(ex.dir.Read("EXCEL2.txt"));
  std::vector<std::vector<std::string>> weeks;
  for (size_t i = 0; i < table.size(); ++i) {
    std::vector<std::string> f = Fields(table[i]);
    if (f.size() == 3 && f[0] != "semana" && i + 1 < table.size())
      weeks.push_back({f[0], f[2], Fields(table[i + 1])[1]});
  }
  ASSERT_EQ(weeks.size(), 10u);
  for (int t = 1; t <= 10; ++t) {
    const char* q = t >= 4 ? "9" : t >= 2 ? "7" : "5";
    EXPECT_EQ(weeks[static_cast<size_t>(t - 1)], (std::vector<std::string>{std::to_string(t), q, q})) << t;
  }
  // The two stored outputs executed again (menu 1) give the same files.
  std::vector<std::string> stored = LinesOf(ex.dir.Read("salidas.txt"));
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0], "10,1,2,\"Y\",\"Q\",\"\",\"\",1,2,0,0,\"g\",1,10,0");
  EXPECT_EQ(ex.dir.Read("EXCEL3.txt"), ex.dir.Read("EXCEL1.txt"));
  EXPECT_EQ(ex.dir.Read("EXCEL4.txt"), ex.dir.Read("EXCEL2.txt"));
}

TEST(ResultsEndToEnd, ReviewOfStoredOutputs) {
  ExampleRun ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "azar");
  ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
  const std::string stored = ex.dir.Read("salidas.txt");
  // Keep both outputs (stored again under the name asked for the first), add
  // none, keep the name; the .bak is gone afterwards.
  ASSERT_EQ(ex.RunResults("1\n3\nsalidas.txt\n1\nsalidas.txt\n1\nn\nn\n5\n"), 0) << ex.dir.Read("messages.txt");
  EXPECT_EQ(ex.dir.Read("salidas.txt"), stored);
  EXPECT_FALSE(ex.dir.Has("salidas.txt.bak"));
  // With a .bak in the way the review stops with the message, and the menu returns.
  ex.dir.Write("salidas.txt.bak", "viejo\r\n");
  ASSERT_EQ(ex.RunResults("1\n3\nsalidas.txt\n\n5\n"), 0) << ex.dir.Read("messages.txt");
  EXPECT_NE(ex.dir.Read("screen.txt").find("EL FICHERO salidas.txt.BAK YA EXISTE - PULSE ENTER PARA CONTINUAR"),
            std::string::npos)
      << ex.dir.Read("screen.txt");
  EXPECT_EQ(ex.dir.Read("salidas.txt"), stored);
  EXPECT_EQ(ex.dir.Read("salidas.txt.bak"), "viejo\r\n");
}

TEST(ResultsEndToEnd, SubscriptedVariableAndIntervalsOfAnUncertainFunction) {
  ExampleRun genetic(fs::path(KORVA_SOURCE_DIR) / "examples" / "genetico");
  ASSERT_EQ(genetic.RunAll(), 0) << genetic.dir.Read("messages.txt");
  // CRO(1), CRO(2) and OBJ: the first, second and last values the simulator wrote.
  std::vector<std::string> results = LinesOf(genetic.dir.Read("resul1"));
  std::vector<std::string> table = LinesOf(genetic.dir.Read("EXCEL1.txt"));
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(Fields(table[0]), (std::vector<std::string>{"CRO(1)", "CRO(2)", "OBJ"}));
  EXPECT_EQ(Fields(table[1]), (std::vector<std::string>{"1", results[0], results[1], results[6]}));

  ExampleRun epidemic(fs::path(KORVA_SOURCE_DIR) / "examples" / "incertidumbre");
  ASSERT_EQ(epidemic.RunAll(), 0) << epidemic.dir.Read("messages.txt");
  // Mean, deviation and chi-square of CON by week: the mean near h(t), the deviation near 0.1 |h|.
  std::vector<std::string> lines = LinesOf(epidemic.dir.Read("EXCEL1.txt"));
  int weeks = 0;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Fields(line);
    if (f.size() != 4 || f[0] == "semana") continue;
    int t = std::stoi(f[0]);
    double h = 6.0 - (t >= 4 ? 9 : t >= 2 ? 7 : 5);
    EXPECT_NEAR(std::stod(f[1]), h, 0.1) << line;
    EXPECT_NEAR(std::stod(f[2]), 0.1 * std::fabs(h), 0.05) << line;
    ++weeks;
  }
  EXPECT_EQ(weeks, 5);
}

TEST(ResultsEndToEnd, AModelProposedByAnalogyBuildsFromItsPreparedLogAndRuns) {
  // The analogia example searches the library, prepares Modelo2 and replays
  // it on the create path in a second cycle: the modules it writes run.
  ExampleRun ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "analogia");
  ASSERT_TRUE(ex.generated);
  EXPECT_EQ(ex.dir.Read("Modelo2.txt"), ex.dir.Read("MFINCA.txt")) << "the replay added nothing to the prepared log";
  ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
  // The data: POI 1000 (uncertain, given without spread), TNA 0.03, TMO 0.01,
  // RAC 2, ANO 100 (uncertain, without spread), PRE 0.5. NAC and MUE are
  // whole numbers (their names start with N and M), rounded half to even.
  double poi = 1000;
  double ano = 100;
  std::vector<std::string> table = LinesOf(ex.dir.Read("EXCEL1.txt"));
  ASSERT_GE(table.size(), 1u);
  EXPECT_EQ(Fields(table[0]), (std::vector<std::string>{"Periodo", "POB", "ANI", "COS", "GAS"}));
  int periods = 0;
  for (size_t i = 1; i < table.size(); ++i) {
    std::vector<std::string> f = Fields(table[i]);
    if (f.empty()) continue;
    ++periods;
    const double nac = std::nearbyint(0.03 * poi);
    const double mue = std::nearbyint(0.01 * poi);
    const double pob = poi + nac - mue;
    const double ani = static_cast<float>(ano * 1.1);
    const double con = 2 * ani;
    const double gas = con * 0.5;
    const double cos = gas + 0.5 * con;
    ASSERT_GE(f.size(), 5u) << table[i];
    EXPECT_EQ(std::stoi(f[0]), periods);
    EXPECT_NEAR(std::stod(f[1]), pob, 1e-3) << "period " << periods;
    EXPECT_NEAR(std::stod(f[2]), ani, 1e-3 * ani) << "period " << periods;
    EXPECT_NEAR(std::stod(f[3]), cos, 1e-3 * cos) << "period " << periods;
    EXPECT_NEAR(std::stod(f[4]), gas, 1e-3 * gas) << "period " << periods;
    poi = pob;  // the states' values are the next period's initial values
    ano = ani;
  }
  EXPECT_EQ(periods, 5);
}

TEST(ResultsEndToEnd, DiscreteAllelesAreTheOnlyValuesTaken) {
  // Genes with three alleles each (the rows of PAR); OBJ is least, 0, with
  // the first allele of the first two genes.
  ExampleRun ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "alelos");
  ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
  const std::vector<std::vector<double>> alleles = {{4, 2, 7}, {3, 8, 1}, {5, 6, 9}, {0, 1, 2}, {10, 20, 30}};
  std::vector<std::string> results = LinesOf(ex.dir.Read("resul1"));
  ASSERT_EQ(results.size(), 7u);
  for (size_t gene = 0; gene < alleles.size(); ++gene) {
    double value = std::stod(results[gene]);
    EXPECT_NE(std::find(alleles[gene].begin(), alleles[gene].end(), value), alleles[gene].end())
        << "gene " << gene + 1 << " took " << value;
  }
  const double initial = (1.0 - 4) * (1.0 - 4) + (1.0 - 3) * (1.0 - 3);
  EXPECT_LT(std::stod(results[6]), initial);
  EXPECT_EQ(std::stod(results[6]), 0.0) << "the best choice of alleles is among so few";
}

}  // namespace
}  // namespace korva
