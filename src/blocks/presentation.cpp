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

void WriteSubsystemsListing(LineSink& out, const ModelTables& model, const std::string& title,
                            const Subsystems& subsystems) {
  for (const std::string& line : {std::string(), title, std::string()}) out.WriteLine(line);
  std::vector<std::vector<int>> byLevel(static_cast<size_t>(model.LevelCount) + 1);
  for (int k = 1; k <= subsystems.SubCount; ++k) {
    const std::vector<int>& members = subsystems.SubMembers[k];
    out.WriteLine("Subsistema: " + NumText(k));
    // Every element number is followed by a tab to column 5 times its slot;
    // the empty line that follows ends the line.
    PrintLine numbers;
    for (size_t j = 0; j < members.size(); ++j) {
      numbers.Number(members[j]).Tab(5 * static_cast<int>(j + 1));
    }
    out.WriteLine(numbers.str());
    for (auto& level : byLevel) level.clear();
    for (int e : members) byLevel[model.CalcLevel[e]].push_back(e);
    // Every level, for every subsystem: a long chain cut into many subsystems
    // makes a long listing, written as it goes.
    for (int level = 1; level <= model.LevelCount; ++level) {
      out.WriteLine("Nivel" + NumText(level) + "   ");
      for (int e : byLevel[level]) out.WriteLine(" " + model.ElementIds[e]);
      out.WriteLine("");
      if (!byLevel[level].empty()) out.WriteLine("");
    }
    out.WriteLine("");
  }
}

}  // namespace korva
