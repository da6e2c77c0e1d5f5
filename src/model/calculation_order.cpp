#include "model/calculation_order.h"

#include <algorithm>

#include "core/guarded_files.h"
#include "core/log_labels.h"
#include "core/questions.h"
#include "core/step_progress.h"
#include "text/vb_text.h"

namespace korva {

Levelling LevelElements(const ModelTables& model) {
  const int n = model.ElementCount;
  Levelling result;
  result.levels.assign(static_cast<size_t>(n) + 1, 0);
  // Influence edges j -> i in compact form; `pending` counts the influences of
  // i not yet placed. An influence that names no element blocks i for good.
  std::vector<int> pending(static_cast<size_t>(n) + 1, 0);
  std::vector<int> firstOut(static_cast<size_t>(n) + 2, 0);
  std::vector<int> from;
  std::vector<int> to;
  std::vector<bool> blocked(static_cast<size_t>(n) + 1, false);
  for (int i = 1; i <= n; ++i) {
    if (i >= static_cast<int>(model.ConnectionMatrix.size())) break;
    for (const std::string& entry : model.ConnectionMatrix[i]) {
      if (entry.empty()) continue;
      int j = FindElement(model, entry);
      if (j == 0) {
        blocked[i] = true;
        continue;
      }
      from.push_back(j);
      to.push_back(i);
      ++pending[i];
      ++firstOut[j + 1];
    }
  }
  for (int j = 1; j <= n + 1; ++j) firstOut[j] += firstOut[j - 1];
  std::vector<int> out(from.size());
  {
    std::vector<int> fill(firstOut.begin(), firstOut.end() - 1);
    for (size_t e = 0; e < from.size(); ++e) out[static_cast<size_t>(fill[from[e]]++)] = to[e];
  }
  std::vector<int> ready;
  for (int i = 1; i <= n; ++i) {
    if (!blocked[i] && pending[i] == 0) {
      result.levels[i] = 1;
      ready.push_back(i);
    }
  }
  int placed = 0;
  while (!ready.empty()) {
    int j = ready.back();
    ready.pop_back();
    ++placed;
    for (int e = firstOut[j]; e < firstOut[j + 1]; ++e) {
      int i = out[static_cast<size_t>(e)];
      result.levels[i] = std::max(result.levels[i], result.levels[j] + 1);
      if (--pending[i] == 0 && !blocked[i]) ready.push_back(i);
    }
  }
  // Elements still waiting had their level raised by placed influences; only
  // placed elements keep a level.
  std::vector<int> perLevel(static_cast<size_t>(n) + 2, 0);
  for (int i = 1; i <= n; ++i) {
    if (blocked[i] || pending[i] != 0) {
      result.levels[i] = 0;
    } else {
      ++perLevel[result.levels[i]];
      result.levelCount = std::max(result.levelCount, result.levels[i]);
    }
  }
  result.widest = *std::max_element(perLevel.begin(), perLevel.end());
  result.complete = placed == n;
  if (!result.complete) result.levelCount = 0;
  return result;
}

std::vector<int> CalcOrder(const ModelTables& model, int fromLevel) {
  return CalcOrder(model, fromLevel, model.LevelCount);
}

std::vector<int> CalcOrder(const ModelTables& model, int fromLevel, int toLevel) {
  std::vector<int> count(static_cast<size_t>(std::max(toLevel, 0)) + 2, 0);
  for (int i = 1; i <= model.ElementCount; ++i) {
    int level = model.CalcLevel[i];
    if (level >= fromLevel && level <= toLevel) ++count[level + 1];
  }
  for (size_t k = 1; k < count.size(); ++k) count[k] += count[k - 1];
  std::vector<int> order(static_cast<size_t>(count.back()));
  for (int i = 1; i <= model.ElementCount; ++i) {
    int level = model.CalcLevel[i];
    if (level >= fromLevel && level <= toLevel) order[static_cast<size_t>(count[level]++)] = i;
  }
  return order;
}

std::vector<std::string> LoopReportBoxes(const ModelTables& model) {
  std::vector<std::string> boxes;
  std::string text =
      "Existen bucles en su matriz de conexiones.\nRevise las dependencias correspondientes a los ceros de esta lista.\n";
  for (int i = 1; i <= model.ElementCount; ++i) {
    text += model.ElementIds[i] + NumText(model.CalcLevel[i]) + "  ";
    if (i % 50 == 0) {
      boxes.push_back(text);
      text.clear();
    }
  }
  if (!text.empty()) boxes.push_back(text);
  return boxes;
}

bool CalculationOrderStep(RunContext& run, ModelCycle& cycle, const StructurePath& path) {
  ModelTables& model = cycle.Model;
  if (path.AnnouncesEquations) {
    Tell(run, "Ahora vamos a escribir las ecuaciones que corresponden a las relaciones establecidas.");
  }
  StepProgress progress(run, "orden de cálculo, elementos", model.ElementCount, kLongStepElements);
  Levelling levelling = LevelElements(model);
  progress.Finish();
  model.CalcLevel = std::move(levelling.levels);
  model.MaxLevelWidth = std::max(model.MaxLevelWidth, levelling.widest);
  model.LevelCount = levelling.levelCount;
  if (!levelling.complete) {
    for (const std::string& box : LoopReportBoxes(model)) Tell(run, box);
    return false;
  }
  std::string listing = AskLoggedChoice(run, kLabelCalculationOrderListing,
                                        "¿Desea un listado de los elementos en orden de cálculo? (S/N/T)(Fichero O" +
                                            cycle.ModelName + ".txt" + ")",
                                        {"s", "n", "", "t"});
  if (listing == "s") {
    std::vector<std::string> lines;
    int running = 0;
    for (int i : CalcOrder(model, 2)) {
      std::string line = PlainNum(++running);
      line.append(" ").append(PlainNum(i)).append(" ").append(model.ElementList[i], 0, 65);
      lines.push_back(std::move(line));
    }
    WriteGuardedLines(run, ModelFile(run, cycle, "O", ".txt"), lines);
  }
  return true;
}

}  // namespace korva
