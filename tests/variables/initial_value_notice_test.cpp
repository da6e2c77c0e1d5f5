// The notice at the end of the specification of a model with repetitions: the
// state elements whose initial values were left certain.
#include "variables/initial_value_notice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/element_list.h"
#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

struct Model {
  Model() {
    SizeElementTables(tables, 4);
    tables.ElementList = {"", "XAN presas al empezar", "YAN predadores al empezar", "XPR presas", "YPR predadores"};
    DeriveIdentifiers(tables);
    sim.UncertainFlags = {0, 1, 0, 0, 0};  // XAN uncertain
    for (const auto& [id, initial] : {std::pair{"XPR", "XAN"}, {"YPR", "YAN"}}) {
      ElementSpec state;
      state.Id = id;
      state.IsState = true;
      state.InitialValueName = initial;
      states.push_back(state);
    }
  }
  ModelTables tables;
  SimulationState sim;
  std::vector<ElementSpec> states;
};

TEST(CertainInitialValues, NamedOnlyWithRepetitionsAndOnlyWhenCertain) {
  Model m;
  m.sim.UncertaintyChoice = Uncertainty::kSomeInputs;
  EXPECT_EQ(CertainInitialValuesNotice(m.tables, m.sim, m.states),
            "Este modelo repite cada simulación, y los valores iniciales de estos elementos de estado\n"
            "no se declararon con incertidumbre, como se le aconsejó:\n"
            "   YPR (valor inicial YAN)\n"
            "No se sortean en cada repetición: todas parten del mismo dato. Si debe variar de una\n"
            "repetición a otra, declare su valor inicial con incertidumbre.");
  m.sim.UncertainFlags[2] = 1;
  EXPECT_EQ(CertainInitialValuesNotice(m.tables, m.sim, m.states), "") << "both uncertain";
  m.sim.UncertainFlags = {0, 0, 0, 0, 0};
  m.sim.UncertaintyChoice = Uncertainty::kAllInputs;
  EXPECT_EQ(CertainInitialValuesNotice(m.tables, m.sim, m.states), "") << "every input uncertain";
  m.sim.UncertaintyChoice = Uncertainty::kNoInputs;
  EXPECT_EQ(CertainInitialValuesNotice(m.tables, m.sim, m.states), "") << "no repetitions";
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

// The prey-and-predators example with the predators' initial value left
// certain: its replay ends the specification with the notice.
TEST(CertainInitialValues, TheNoticeEndsTheSpecificationOfTheExample) {
  testing::TempDir dir;
  std::filesystem::copy(std::filesystem::path(KORVA_SOURCE_DIR) / "examples" / "presas", dir.dir(),
                        std::filesystem::copy_options::recursive);
  std::string log = dir.Read("MODELO1.txt");
  const std::string uncertain = "\"   Incertidumbre: \",\"s\"\r\n\"   Aleatorios distintos: \",\"n\"\r\n";
  const size_t second = log.find(uncertain, log.find(uncertain) + 1);  // YAN, the second input
  ASSERT_NE(second, std::string::npos);
  log.replace(second, uncertain.size(), "\"   Incertidumbre: \",\"n\"\r\n");
  dir.Write("MODELO1.txt", log);
  std::vector<std::string> answers = testing::TextLinesOf(dir.Read("stdin.txt"));
  answers.insert(answers.begin(), dir.dir());
  testing::DialogueRun run(answers);
  EXPECT_EQ(run.Go(), 0);
  const std::vector<std::string> messages = run.box.Messages();
  size_t notice = 0;
  while (notice < messages.size() && messages[notice].find("(valor inicial YAN)") == std::string::npos) ++notice;
  ASSERT_LT(notice + 1, messages.size()) << "the notice is shown";
  EXPECT_EQ(messages[notice].find("XPR"), std::string::npos) << "XAN is uncertain";
  EXPECT_TRUE(messages[notice + 1].starts_with(" Ahora tiene Vd. que compilarlos")) << "at the end of the specification";
}

}  // namespace
}  // namespace korva
