#include "blocks/presentation.h"

#include "files/print_line.h"
#include "text/vb_text.h"

namespace korva {

std::vector<std::string> LevelsListing(const ModelTables& model, const std::string& modelName) {
  std::vector<std::vector<int>> byLevel(static_cast<size_t>(model.LevelCount) + 1);
  for (int e = 1; e <= model.ElementCount; ++e) {
    int level = model.CalcLevel[e];
    if (level >= 1 && level <= model.LevelCount) byLevel[level].push_back(e);
  }
  std::vector<std::string> lines{"VARIABLES POR NIVELES EN " + modelName, "", ""};
  for (int level = 1; level <= model.LevelCount; ++level) {
    for (int e : byLevel[level]) lines.push_back(" " + model.ElementIds[e]);
    lines.insert(lines.end(), {"", ""});
  }
  lines.insert(lines.end(), {"", ""});
  return lines;
}

std::string FormingTitle(FormingMode mode, const FormingLimits& limits, const std::string& maxSubsTyped,
                         const std::string& maxVarsTyped) {
  switch (mode) {
    case FormingMode::kNatural:
      return "SUBSISTEMAS NATURALES";
    case FormingMode::kElementary:
      return "SUBSISTEMAS ELEMENTALES";
    case FormingMode::kSized:
      break;
  }
  return "ENTRE " + NumText(limits.MinSubs) + "y" + maxSubsTyped + " SUBSISTEMAS DE ENTRE " +
         PlainNum(limits.MinVars) + "y" + maxVarsTyped + " VARIABLES";
}

std::vector<std::string> SubsystemsListing(const ModelTables& model, const std::string& title,
                                           const Subsystems& subsystems) {
  std::vector<std::string> lines{"", title, ""};
  std::vector<std::vector<int>> byLevel(static_cast<size_t>(model.LevelCount) + 1);
  for (int k = 1; k <= subsystems.SubCount; ++k) {
    const std::vector<int>& members = subsystems.SubMembers[k];
    lines.push_back("Subsistema: " + NumText(k));
    // Every element number is followed by a tab to column 5 times its slot;
    // the empty line that follows ends the line.
    PrintLine numbers;
    for (size_t j = 0; j < members.size(); ++j) {
      numbers.Number(members[j]).Tab(5 * static_cast<int>(j + 1));
    }
    lines.push_back(numbers.str());
    for (auto& level : byLevel) level.clear();
    for (int e : members) byLevel[model.CalcLevel[e]].push_back(e);
    for (int level = 1; level <= model.LevelCount; ++level) {
      lines.push_back("Nivel" + NumText(level) + "   ");
      for (int e : byLevel[level]) lines.push_back(" " + model.ElementIds[e]);
      lines.push_back("");
      if (!byLevel[level].empty()) lines.push_back("");
    }
    lines.push_back("");
  }
  return lines;
}

}  // namespace korva
