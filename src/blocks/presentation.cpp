#include "blocks/presentation.h"

#include <algorithm>

#include "files/print_line.h"
#include "model/calculation_order.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// Every element number is followed by a tab to column 5 times its slot, the
// line ended by what follows. Numbers of four digits or more overrun their
// stop, so that each starts a line of its own padded to its column: the lines
// are written as they are made.
void WriteElementNumbers(LineSink& out, const std::vector<int>& members) {
  PrintLine numbers(out);
  for (size_t j = 0; j < members.size(); ++j) {
    numbers.Number(members[j]).Tab(5 * static_cast<int>(j + 1));
  }
  numbers.Finish();
}

// Counts the bytes of the lines written to it, line ends included.
class ByteCount : public LineSink {
 public:
  void WriteLine(std::string_view text) override { bytes += text.size() + 2; }
  uint64_t bytes = 0;
};

}  // namespace

std::vector<std::string> LevelsListing(const ModelTables& model, const std::string& modelName) {
  const std::vector<int> order = CalcOrder(model, 1);
  std::vector<std::string> lines{"VARIABLES POR NIVELES EN " + modelName, "", ""};
  size_t next = 0;
  for (int level = 1; level <= model.LevelCount; ++level) {
    for (; next < order.size() && model.CalcLevel[order[next]] == level; ++next) {
      lines.push_back(" " + model.ElementIds[order[next]]);
    }
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
    WriteElementNumbers(out, members);
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

uint64_t ListingBytes(const ModelTables& model, const std::string& modelName, bool withLevels,
                      const std::string& title, const Subsystems& subsystems) {
  ByteCount count;
  if (withLevels) {
    for (const std::string& line : LevelsListing(model, modelName)) count.WriteLine(line);
  }
  for (const std::string& line : {std::string(), title, std::string()}) count.WriteLine(line);
  // Every subsystem has a "Nivel" line and an empty line for every level.
  uint64_t levelLines = 0;
  for (int level = 1; level <= model.LevelCount; ++level) {
    levelLines += std::string_view("Nivel").size() + NumText(level).size() + 3 + 2 + 2;
  }
  std::vector<int> levels;
  for (int k = 1; k <= subsystems.SubCount; ++k) {
    const std::vector<int>& members = subsystems.SubMembers[k];
    count.WriteLine("Subsistema: " + NumText(k));
    WriteElementNumbers(count, members);
    count.bytes += levelLines + 2;
    levels.clear();
    for (int e : members) {
      count.bytes += 1 + model.ElementIds[e].size() + 2;
      levels.push_back(model.CalcLevel[e]);
    }
    std::sort(levels.begin(), levels.end());
    // One more empty line after each level that has members.
    count.bytes += 2 * static_cast<uint64_t>(std::unique(levels.begin(), levels.end()) - levels.begin());
  }
  return count.bytes;
}

}  // namespace korva
