#pragma once
// The declarations of the model's elements, put in front of the simulator by
// rewriting it once every element is specified.
#include <string>
#include <vector>

#include "core/run_context.h"
#include "model/model_cycle.h"
#include "simgen/simulation_state.h"

namespace korva {

// The type group of an identifier, by its first letter, as the simulator's
// deftype line has it: whole numbers for I to N, texts for U to W, single
// precision for the rest; and its clause: " As Integer", " As String",
// " As Single".
enum class TypeGroup { kReal, kWhole, kText };
TypeGroup GroupOf(const std::string& id);
std::string TypeClause(const std::string& id);

// The declaration lines: the deftype line, t and dt, the elements by type
// group (ten names a statement, arrays with "()", the first-time flags of the
// arrays), the value arrays of the inputs with changes of value, and the
// genetic algorithm's arrays.
std::vector<std::string> SimulatorDeclarations(const ModelTables& model, const SimulationState& sim);

// Rewrites the simulator, replacing it whole at once: the declarations,
// then every line written so far, with the gene count and the number of
// alleles after the main procedure's header and the final count of uncertain
// quantities in its ":nvi=" line. The simulator is then open for appending.
void RewriteSimulator(RunContext& run, const ModelCycle& cycle, SimulationState& sim, const std::string& geneCountText);

}  // namespace korva
