#include "variables/initial_value_notice.h"

#include "text/vb_text.h"

namespace korva {

std::string CertainInitialValuesNotice(const ModelTables& model, const SimulationState& sim,
                                       const std::vector<ElementSpec>& states) {
  if (!sim.WithUncertainty()) return {};
  std::string names;
  for (const ElementSpec& state : states) {
    if (sim.IsUncertainInput(FindElement(model, state.InitialValueName))) continue;
    names += LF + "   " + state.Id + " (valor inicial " + state.InitialValueName + ")";
  }
  if (names.empty()) return {};
  return "Este modelo repite cada simulación, y los valores iniciales de estos elementos de estado" + LF +
         "no se declararon con incertidumbre, como se le aconsejó:" + names + LF +
         "No se sortean en cada repetición: todas parten del mismo dato. Si debe variar de una" + LF +
         "repetición a otra, declare su valor inicial con incertidumbre.";
}

}  // namespace korva
