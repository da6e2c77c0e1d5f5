#pragma once
// The influence diagram of a model drawn by Graphviz (layout "dot", SVG):
// one node per element, labelled with its identifier and name and shaped by
// its kind, one arrow per connection, the elements of a calculation level
// side by side, and every loop in a colour of its own, named in the legend.
#include <string>

#include "diagram/model_graph.h"
#include "run_results/checked.h"

namespace korva {

// The colour (#rrggbb) of loop `k` (from 0): a fixed palette, then hues
// spread round the colour wheel.
std::string LoopColour(size_t k);

// The SVG document (UTF-8). `title` heads the legend (the model's purpose, or
// its name). Fails only when Graphviz cannot lay out or render.
Checked<std::string> DrawDiagram(const ModelGraph& graph, const std::string& title);

}  // namespace korva
