// The create dialogue of the model structure as a whole, through the main dialogue.
#include "model/model_structure.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::DialogueRun;
using testing::TempDir;

void CopyExample(const TempDir& dir, const std::string& name) {
  std::filesystem::copy(std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / name, dir.dir(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

TEST(ModelStructure, PopulationExampleReplaysToTheDispatch) {
  TempDir dir;
  CopyExample(dir, "poblacion");
  DialogueRun run({dir.dir(), "1", "s", "s", "s", "s", "n", "n", "n"});
  EXPECT_EQ(run.Go(), 0);
  const ModelTables& model = run.run.Cycle.Model;
  EXPECT_EQ(model.ElementCount, 6);
  EXPECT_EQ(model.CalcLevel, (std::vector<int>{0, 1, 1, 1, 2, 2, 3}));
  EXPECT_EQ(model.LevelCount, 3);
  EXPECT_EQ(model.MaxLevelWidth, 3);
  EXPECT_EQ(dir.Read("CPOB.txt"), "POB    PIN,NAC,MUE\r\nMUE    PIN,TMO\r\nNAC    PIN,TNA\r\n");
  EXPECT_EQ(dir.Read("FPOB.txt"), "NAC = TNA * PIN   ' nacimientos del a\xF1o\r\nMUE = TMO * PIN\r\nPOB = PIN + NAC\r\n POB = POB - MUE\r\n");
  EXPECT_EQ(dir.Read("OPOB.txt"), "1 4 NAC nacimientos del a\xF1o\r\n2 5 MUE muertes del a\xF1o\r\n"
                                  "3 6 POB poblaci\xF3n al final del a\xF1o\r\n");
  // The create path sizes the simulator's statement buffer from the inputs,
  // and bounds a function's lines by the ordered equation lines.
  EXPECT_EQ(run.run.Cycle.Simulator.FunctionLineRoom(), 4);
  EXPECT_EQ(run.run.Cycle.Simulator.StatementRoom(), 34);
  EXPECT_EQ(run.run.Cycle.Simulator.Statements().Used(), 0) << "every statement is written";
}

TEST(ModelStructure, LoopsEndTheCycleUnlessTheMatrixIsLookedAtAgain) {
  TempDir dir;
  dir.Write("LB.txt", "AA a\r\nBB b\r\nCC c\r\n");
  dir.Write("CB.txt", "AA   BB\r\nBB   AA\r\n");
  DialogueRun run({dir.dir(), "1", "c", "b", "bucle", "s",  // common questions
                   "s", "n", "s",                            // list from file, not shown
                   "n", "s", "n", "",                        // matrix from file, not shown
                   "s", "n", "s",                            // loops: look again, not shown, go on
                   "n",                                      // loops again: end the cycle
                   "n"});
  EXPECT_EQ(run.Go(), 0);
  const std::string report = "Existen bucles en su matriz de conexiones.\nRevise las dependencias correspondientes a "
                             "los ceros de esta lista.\nAA 0  BB 0  CC 1  ";
  int reports = 0;
  for (const std::string& m : run.box.Messages()) reports += m == report;
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(run.TimesAsked("¿Desea continuar?"), 2) << "after the matrix and after looking again, no dispatch";
  EXPECT_EQ(run.box.remaining(), 0u);
  EXPECT_FALSE(dir.Has("OB.txt"));
}

}  // namespace
}  // namespace korva
