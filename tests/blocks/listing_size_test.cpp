// The subsystems listing of a long chain: its lines are written as they are
// made, its size is known before it is written, and a listing over 100 MB is
// written only when the modeller says so.
#include <gtest/gtest.h>

#include "blocks/blocks_fixture.h"
#include "blocks/form_blocks.h"
#include "blocks/presentation.h"
#include "files/print_line.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::LevelledModel;
using Lines = std::vector<std::string>;

// A chain of `n` elements, each computed from the one before.
ModelTables Chain(int n, Lines* namesOut = nullptr) {
  Lines names, rows;
  auto id = [](int k) {
    std::string digits = std::to_string(k);
    return "E" + std::string(5 - digits.size(), '0') + digits;
  };
  for (int k = 1; k <= n; ++k) {
    names.push_back(id(k) + " eslabon");
    if (k > 1) rows.push_back(id(k) + "    " + id(k - 1));
  }
  if (namesOut != nullptr) *namesOut = names;
  return LevelledModel(names, rows);
}

std::string PromptsOf(const ScriptedDialogue& box) {
  std::string text;
  for (const std::string& p : box.Prompts()) text += "\n[" + p + "]";
  return text;
}

uint64_t BytesOf(const MemorySink& sink) {
  uint64_t bytes = 0;
  for (const std::string& line : sink.lines) bytes += line.size() + 2;
  return bytes;
}

TEST(SubsystemsListing, LongNumberLinesAreWrittenAsTheyAreMadeAndSizedBeforehand) {
  const ModelTables chain = Chain(1200);
  // One subsystem of every element (numbers of four digits overrun their
  // stops), then the elements one by one.
  Subsystems subsystems;
  subsystems.SubMembers.resize(1);
  subsystems.SubMembers.emplace_back();
  for (int e = 1; e <= chain.ElementCount; ++e) subsystems.SubMembers[1].push_back(e);
  for (int e = 1; e <= 40; ++e) subsystems.SubMembers.push_back({e});
  subsystems.SubCount = static_cast<int>(subsystems.SubMembers.size()) - 1;

  MemorySink sink;
  WriteSubsystemsListing(sink, chain, "SUBSISTEMAS ELEMENTALES", subsystems);
  size_t longest = 0;
  for (const std::string& line : sink.lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    longest = std::max(longest, line.size());
  }
  EXPECT_LE(longest, 5u * 1200 + 6) << "one number's line at most, never the whole row";
  // The same text as the row built whole, line after line.
  PrintLine whole;
  for (size_t j = 0; j < subsystems.SubMembers[1].size(); ++j) {
    whole.Number(subsystems.SubMembers[1][j]).Tab(5 * static_cast<int>(j + 1));
  }
  std::string streamed;
  for (size_t i = 4; i < sink.lines.size() && !sink.lines[i].starts_with("Nivel"); ++i) {
    streamed += (streamed.empty() ? "" : "\r\n") + sink.lines[i];
  }
  EXPECT_EQ(streamed, whole.str());

  EXPECT_EQ(ListingBytes(chain, "CAD", false, "SUBSISTEMAS ELEMENTALES", subsystems), BytesOf(sink));
  MemorySink withLevels;
  for (const std::string& line : LevelsListing(chain, "CAD")) withLevels.WriteLine(line);
  EXPECT_EQ(ListingBytes(chain, "CAD", true, "SUBSISTEMAS ELEMENTALES", subsystems),
            BytesOf(withLevels) + BytesOf(sink));
}

TEST(SubsystemsListing, AListingOverAHundredMegabytesIsWrittenOnlyWhenWanted) {
  testing::TempDir dir;
  Lines names;
  ModelTables chain = Chain(3000, &names);
  const std::string question = "El listado de estos subsistemas ocupara 150 MB en CADsub.txt.\n¿Desea escribirlo? (S/N)";
  // Elementary subsystems of a chain of 3,000: every one lists 3,000 levels.
  testing::ActivityRun run(dir.workDir(), "CAD", {"e", "f", "n", "s", ""}, "b");
  testing::LoadModel(run.run, chain);
  EXPECT_EQ(run.Try(FormBlocks), EndReason::kTerminated);
  EXPECT_EQ(run.TimesAsked(question), 1) << PromptsOf(run.box);
  EXPECT_FALSE(dir.Has("CADsub.txt"));
  EXPECT_EQ(run.box.remaining(), 0u);
}

}  // namespace
}  // namespace korva
