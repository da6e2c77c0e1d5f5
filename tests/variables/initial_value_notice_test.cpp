// The notice at the end of the specification of a model with repetitions: the
// state elements whose initial values were left certain.
#include "variables/initial_value_notice.h"

#include <gtest/gtest.h>

#include "model/element_list.h"

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
