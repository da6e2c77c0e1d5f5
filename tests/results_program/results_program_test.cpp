// The results program of a create cycle: its head, the table of result
// variables with their positions in the record, the choice of the
// simulation with the size variables, and the message that ends the run.
#include "results_program/results_program.h"

#include <gtest/gtest.h>

#include "variables/create_run.h"
#include "vbrun/checker.h"
#include "vbrun/parser.h"

namespace korva {
namespace {

using testing::CreateRun;
using testing::Join;
using testing::Lines;
using testing::LinesOf;
using testing::StaticSetUp;

// Two scalars, an array of 5 by 3, then a scalar: a static model whose
// calculated elements carry every code, their functions typed.
CreateRun FourElements(const std::string& secondSize = "3") {
  return CreateRun(
      {"AA a", "BB b", "S1 uno [ince=n;esta=n;ndim=0;tabl=n;", "S2 dos [ince=n;esta=n;ndim=0;tabl=n;",
       "AR tabla [ince=n;esta=n;ndim=2;d1=5;d2=" + secondSize + ";tabl=n;", "S3 tres [ince=n;esta=n;ndim=0;tabl=n;"},
      {"S1   AA", "S2   BB", "AR   S1", "S3   AR,S2"},
      Join(StaticSetUp(2), {"n", "n",                       // functions typed; codes checked
                            "1", "S1=AA", "n", "s",         //
                            "1", "S2=BB", "n", "s",         //
                            "1", "AR(i1,i2)=S1", "n", "s",  //
                            "1", "S3=AR(1,1)+S2", "n", "s", "n"}));
}

TEST(ResultsProgram, PositionsInTheRecordAndRecordSize) {
  CreateRun c = FourElements();
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished) << (c.a.box.Prompts().empty() ? "" : c.a.box.Prompts().back());
  Lines program = LinesOf(c.dir.Read("RM.bas"));
  // Each entry here is longer than a line holds: one entry a line, numbered from 60.
  std::string table;
  for (const std::string& line : program) {
    if (line.find(":izor(") != std::string::npos) table += line + "|";
  }
  EXPECT_EQ(table,
            " :uid( 1)=\"S1\":uel( 1)=\"S1 uno [ince=n;esta=n;ndim=0;tabl=n;...\":izor( 1)=ica:|"
            "60 uid( 2)=\"S2\":uel( 2)=\"S2 dos [ince=n;esta=n;ndim=0;tabl=n;...\":izor( 2)=ica+1:|"
            "70 uid( 3)=\"AR(5,3)\":uel( 3)=\"AR tabla [ince=n;esta=n;ndim=2;d1=5;d2=3...\":izor( 3)=ica+2:|"
            "80 uid( 4)=\"S3\":uel( 4)=\"S3 tres [ince=n;esta=n;ndim=0;tabl=n;...\":izor( 4)=ica+2+5*3:no= 2:nvi= 0|");
  bool recordSize = false;
  for (const std::string& line : c.Sim()) recordSize |= line.ends_with("close #1,#2:ic=3+5*3");
  EXPECT_TRUE(recordSize) << "the simulator's record size";
  // The head names the model; without size variables there is no line 57.
  EXPECT_EQ(program[5], " dim UB") << "the error routine's message is the program's";
  EXPECT_EQ(program[7], "  RM");
  EXPECT_EQ(program[10], "10 if nn=5 then end");
  EXPECT_NE(std::find(program.begin(), program.end(), "40 pp=1:rg=1"), program.end());
  EXPECT_NE(std::find(program.begin(), program.end(), "54 redim aic( 0):uaic=\"\":nl=15"), program.end());
  for (const std::string& line : program) EXPECT_NE(line.rfind("57 ", 0), 0u) << line;
  EXPECT_FALSE(c.dir.Has("RM.tem")) << "no temporary file is left";
  // The run ends with the message naming the three modules.
  std::vector<std::string> messages = c.a.box.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), GenerationEndMessage("M"));
  EXPECT_NE(messages.back().find(" DM es el gestor de datos. SM es el simulador."), std::string::npos);
}

TEST(ResultsProgram, SizeVariablesAreReadFromTheControlFile) {
  CreateRun c = FourElements("N");
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished) << (c.a.box.Prompts().empty() ? "" : c.a.box.Prompts().back());
  Lines program = LinesOf(c.dir.Read("RM.bas"));
  auto has = [&](const std::string& line) { return std::find(program.begin(), program.end(), line) != program.end(); };
  EXPECT_TRUE(has("54 redim aic( 1):uaic=\"N\":nl=15"));
  EXPECT_TRUE(has("57 open \"R\"+uns+\"ic\" for input as #1"));
  EXPECT_TRUE(has("     input #1,ic,udi,pp,rg,inic,nr:for i=1 to  1:input #1,aic(i):next:close #1"));
  EXPECT_TRUE(has("     N=aic(1)")) << "the positions after AR are written with N";
}

TEST(ResultsProgram, ALargeTableLeavesTheMenuLabelsFreeAndCompiles) {
  CreateRun c({"AA a", "S1 uno"}, {"S1   AA"}, {});
  CycleState& cycle = c.a.run.Cycle;
  ResultsProgram program;
  const int count = 1500;  // more table lines than the menu's first label (9030) / 10
  program.Start(cycle.ModelName, cycle.Sim, count);
  for (int k = 1; k <= count; ++k) {
    std::string id = "S" + std::to_string(k);
    program.Add(
        ResultVariable{id, id + " una variable con un nombre largo, largo de verdad", {}, std::to_string(k - 1)}, k);
  }
  program.Finish(cycle.Model, 0, {});
  program.Save(c.a.run.Context, c.dir.workDir() + "RM.bas");
  // The target's compiler refuses a label used twice in a procedure; so does korva-vbrun's checker.
  auto parsed = vbrun::ParseModule("RM.bas", c.dir.Read("RM.bas"));
  ASSERT_TRUE(std::holds_alternative<vbrun::Module>(parsed)) << std::get<vbrun::SyntaxError>(parsed).message;
  std::vector<vbrun::Module> modules;
  modules.push_back(std::move(std::get<vbrun::Module>(parsed)));
  auto checked = vbrun::CheckProgram(std::move(modules));
  EXPECT_TRUE(std::holds_alternative<vbrun::Program>(checked)) << std::get<vbrun::CompileError>(checked).message;
  Lines lines = LinesOf(c.dir.Read("RM.bas"));
  // Entry 898 takes 9020; 9030 is the menu's, so entry 899 takes 9040.
  auto startsWith = [&](const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(startsWith("9020 uid( 898)="));
  EXPECT_FALSE(startsWith("9030 uid("));
  EXPECT_TRUE(startsWith("9040 uid( 899)="));
}

}  // namespace
}  // namespace korva
