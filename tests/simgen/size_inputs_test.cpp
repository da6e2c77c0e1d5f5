// A dimension size that names an element: an earlier certain scalar input is
// taken, in each program from the variable that holds its value when the data
// are read; any other element is refused when the model is set up.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/model_fixture.h"
#include "simgen/simulation_setup.h"
#include "core/staged_files.h"
#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::LeveledModelOf;
using testing::LinesOf;
using testing::TempDir;

// A static model: the inputs named first, then YY, which they all influence.
struct Setting {
  Setting(std::vector<std::string> names, std::vector<std::string> answers) : a(dir.workDir(), "M", std::move(answers)) {
    std::string row = "YY  ";
    for (size_t i = 0; i + 1 < names.size(); ++i) row += (i ? "," : " ") + names[i].substr(0, 2);
    a.run.Cycle.Model = LeveledModelOf(names, {row});
    ended = a.Try(SimulationSetup);
  }
  bool SimHas(const std::string& line) const {
    std::vector<std::string> lines = a.run.Cycle.Simulator.Text();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  bool DataHas(const std::string& text) const { return dir.Read("DM.bas").find(text) != std::string::npos; }
  TempDir dir;
  ActivityRun a;
  std::optional<EndReason> ended;
};

std::string Refusal(const std::string& size, const std::string& input, const std::string& named) {
  return "El tamaño " + size + " de la variable " + input + " depende de " + named + ",\n" +
         "que no es una variable de entrada anterior a ella, sin incertidumbre,\n" +
         "sin cambios de valor y no dimensional: su valor no se conoce al leer los datos.\n" +
         "Escriba un número o el identificador de una variable así.";
}

TEST(SizeInputs, AnEarlierInputSizesInTheVariableEachProgramReadsItInto) {
  // GA no, static; trusted codes; AA not dimensional, confirmed.
  Setting s({"AA filas", "BB pesos [ndim=2;d1=AA;d2=aa+1;", "YY total"}, {"n", "n", "n", "s", "s", "n"});
  ASSERT_EQ(s.ended, std::nullopt);
  EXPECT_TRUE(s.a.box.Messages().size() >= 2u);
  // The data-entry program holds AA in its data variable; its name is matched without regard to case.
  EXPECT_TRUE(s.DataHas("   redim \xF1" "BB(\xF1" "AA,\xF1" "AA+1)")) << s.dir.Read("DM.bas");
  EXPECT_TRUE(s.DataHas("for i1=1 to \xF1" "AA:for i2=1 to \xF1" "AA+1:\xF1" "BB(i1,i2)=inputbox(ub)"));
  // The simulator gives AA its value as soon as it is read.
  EXPECT_TRUE(s.SimHas(" 100 line input #1,uc::input #1,\xF1" "AA:AA=\xF1" "AA"));
  EXPECT_TRUE(s.SimHas(" 110 line input #1,uc:redim \xF1" "BB(AA,aa+1):for i1=1 to AA:for i2=1 to aa+1:input #1,"
                       "\xF1" "BB(i1,i2):next:next:redim BB(AA,aa+1):for i1=1 to AA:for i2=1 to aa+1:BB(i1,i2)="
                       "\xF1" "BB(i1,i2):next:next"));
  for (const std::string& m : s.a.box.Messages()) EXPECT_EQ(m.find("El tamaño"), std::string::npos) << m;
}

TEST(SizeInputs, ALaterOrUnfitElementIsRefusedAndTheSizeAsked) {
  {
    // BB sized by AA, which comes after it: refused, then 5 typed.
    Setting s({"BB pesos [ndim=1;d1=AA;", "AA filas", "YY total"}, {"n", "n", "s", "5", "n", "s", "n"});
    ASSERT_EQ(s.ended, std::nullopt);
    EXPECT_TRUE(s.a.Showed(Refusal("AA", "BB", "AA")));
    EXPECT_EQ(s.a.TimesAsked("Vaya introduciéndolas.  d1="), 1);
    EXPECT_TRUE(s.SimHas(" 100 line input #1,uc:redim \xF1" "BB(5):for i1=1 to 5:input #1,\xF1" "BB(i1):next:"
                         "redim BB(5):for i1=1 to 5:BB(i1)=\xF1" "BB(i1):next"));
  }
  {
    // An earlier input that is an array itself, the element itself, the calculated element: each refused.
    Setting s({"AA lista [ndim=1;d1=3;", "BB pesos [ndim=1;d1=AA*2;", "YY total"},
            {"n", "n", "s", "BB", "YY", "N", "n"});
    ASSERT_EQ(s.ended, std::nullopt);
    EXPECT_TRUE(s.a.Showed(Refusal("AA*2", "BB", "AA")));
    EXPECT_TRUE(s.a.Showed(Refusal("BB", "BB", "BB")));
    EXPECT_TRUE(s.a.Showed(Refusal("YY", "BB", "YY")));
    EXPECT_TRUE(s.DataHas("   redim \xF1" "BB(N)")) << "a name that is no element is taken as written";
  }
}

}  // namespace
}  // namespace korva
