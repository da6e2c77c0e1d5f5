// The results of the examples' simulations read back as the simulator wrote
// them, and every way a folder can fail to hold them.
#include "run_results/simulation_results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/example_run.h"
#include "support/file_lines.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::LinesOf;

fs::path Example(const char* name) { return fs::path(KORVA_SOURCE_DIR) / "examples" / name; }

// An example replayed and its three modules run once for every test of this file.
class RunExample {
 public:
  explicit RunExample(const char* name) : modules(Example(name)) {
    ok = modules.Generate() && modules.RunAll() == 0;
  }
  Checked<SimulationResults> Read(int simulation = 1) {
    return ReadSimulationResults(files, modules.dir.dir(), modules.model, simulation);
  }
  testing::ExampleModules modules;
  FileSystem files;
  bool ok = false;
};

TEST(SimulationResults, RepeatedDynamicModelAsTheSimulatorWroteIt) {
  RunExample presas("presas");
  ASSERT_TRUE(presas.ok) << presas.modules.dir.Read("messages.txt");
  Checked<SimulationResults> r = presas.Read();
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->model, "PRE");
  EXPECT_EQ(r->purpose, "seguir las poblaciones de presas y predadores");
  EXPECT_EQ(r->timeUnit, "dia");
  ASSERT_EQ(r->variables.size(), 2u);
  EXPECT_EQ(r->variables[1].id, "YPR");
  EXPECT_EQ(r->variables[1].name, "predadores");
  EXPECT_EQ(r->variables[1].offset, 1u);
  ASSERT_EQ(r->Periods(), 20u);
  EXPECT_EQ(r->times.front(), 1);
  EXPECT_EQ(r->times.back(), 20);
  ASSERT_TRUE(r->repeated);
  // Every line of resul1 is a value's mean, deviation and chi-square.
  std::vector<std::string> lines = LinesOf(presas.modules.dir.Read("resul1"));
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(r->texts[0] + "," + r->deviationTexts[0] + "," + r->chiSquareTexts[0], lines[0]);
  EXPECT_EQ(r->texts[39] + "," + r->deviationTexts[39] + "," + r->chiSquareTexts[39], lines[39]);
  EXPECT_FLOAT_EQ(r->Value(0, 0), 18.59818f);

  // The repetitions' records average to the means.
  Checked<Repetitions> reps = ReadRepetitions(presas.files, presas.modules.dir.dir(), *r);
  ASSERT_TRUE(reps.ok()) << reps.message();
  ASSERT_EQ(reps->count, 3u);
  for (size_t period = 0; period < r->Periods(); ++period) {
    for (size_t column = 0; column < 2; ++column) {
      double sum = 0;
      for (size_t k = 0; k < reps->count; ++k) sum += reps->at(k, period, column);
      EXPECT_NEAR(sum / 3, r->Value(period, column), 1e-4 * std::fabs(r->Value(period, column)));
    }
  }
}

TEST(SimulationResults, StaticModelsArraysAndTexts) {
  RunExample genetic("genetico");
  ASSERT_TRUE(genetic.ok);
  Checked<SimulationResults> r = genetic.Read();
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_FALSE(r->repeated);
  EXPECT_EQ(r->timeUnit, "");
  ASSERT_EQ(r->Periods(), 1u);
  std::vector<std::string> lines = LinesOf(genetic.modules.dir.Read("resul1"));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(r->texts, lines);
  // CRO(6) then OBJ: a value named by its subscripts, whatever the case and blanks.
  Checked<ValueRef> second = FindValue(*r, "cro ( 2 )");
  ASSERT_TRUE(second.ok()) << second.message();
  EXPECT_EQ(second->column, 1u);
  EXPECT_EQ(second->label, "CRO(2)");
  EXPECT_EQ(FindValue(*r, "OBJ")->column, 6u);
  EXPECT_EQ(AllValues(*r)[5].label, "CRO(6)");
  EXPECT_EQ(FindValue(*r, "CRO").message(), "CRO es una variable con dimensiones: nombre un valor, como CRO(1).");
  EXPECT_EQ(FindValue(*r, "CRO(7)").message(), "El subíndice 7 de CRO(7) está fuera de 1 a 6.");
  EXPECT_EQ(FindValue(*r, "CRO(1,1)").message(), "CRO tiene 1 dimensiones: CRO(1,1) no nombra ningún valor suyo.");
  EXPECT_EQ(FindValue(*r, "GEN").message(), "GEN no es una variable de resultados del modelo OPT (lo son: CRO, OBJ).");
  EXPECT_FALSE(ReadRepetitions(genetic.files, genetic.modules.dir.dir(), *r).ok());

  // A text result keeps its text; its number is none.
  RunExample tables("tablas");
  ASSERT_TRUE(tables.ok);
  Checked<SimulationResults> t = tables.Read();
  ASSERT_TRUE(t.ok()) << t.message();
  EXPECT_EQ(t->texts[1], "bajo");
  EXPECT_TRUE(std::isnan(t->values[1]));
  EXPECT_EQ(t->variables[0].name, "rendimiento por hectarea") << "the bracket codes are left out";
}

TEST(SimulationResults, FoldersThatDoNotHoldTheSimulation) {
  RunExample presas("presas");
  ASSERT_TRUE(presas.ok);
  const testing::TempDir& dir = presas.modules.dir;
  const std::string folder = dir.dir();
  // A simulation not run.
  EXPECT_EQ(presas.Read(2).message(),
            "No encuentro el fichero de control R2ic en " + folder + ": la simulación 2 no se ha ejecutado.");
  // Another model's name.
  EXPECT_NE(ReadSimulationResults(presas.files, folder, "POB", 1).message().find("RPOB.bas"), std::string::npos);

  const std::string results = dir.Read("resul1");
  const std::string control = dir.Read("R1ic");
  const std::string records = dir.Read("resul1.ale");
  // resul1 cut short by a line, and with a line too many.
  dir.Write("resul1", results.substr(0, results.rfind("\r\n", results.size() - 3) + 2));
  EXPECT_EQ(presas.Read().message(),
            "El fichero de resultados resul1 está cortado: tiene 39 líneas y la simulación 1 (20 periodos de 2 "
            "valores) ha de tener 40.");
  dir.Write("resul1", results + "1,0,0\r\n");
  EXPECT_NE(presas.Read().message().find("sobra"), std::string::npos);
  dir.Write("resul1", results);
  // A control file of another model, or cut.
  dir.Write("R1ic", "3,\"s\",20,1,0,3\r\n");
  EXPECT_EQ(presas.Read().message(),
            "El fichero de control R1ic da 3 valores por registro y el programa de resultados RPRE.bas describe 2: "
            "no son del mismo modelo.");
  dir.Write("R1ic", "2,\"s\",20\r\n");
  EXPECT_NE(presas.Read().message().find("tiene 3 campos"), std::string::npos);
  dir.Write("R1ic", control);
  // The repetitions' records cut.
  Checked<SimulationResults> r = presas.Read();
  ASSERT_TRUE(r.ok()) << r.message();
  dir.Write("resul1.ale", records.substr(0, records.size() - 4));
  EXPECT_EQ(ReadRepetitions(presas.files, folder, *r).message(),
            "El fichero de repeticiones resul1.ale tiene 476 bytes y ha de tener 480 (3 repeticiones de 20 periodos "
            "de 2 valores): está cortado.");
  fs::remove(dir / "resul1.ale");
  EXPECT_NE(ReadRepetitions(presas.files, folder, *r).message().find("No encuentro"), std::string::npos);
}

}  // namespace
}  // namespace korva
