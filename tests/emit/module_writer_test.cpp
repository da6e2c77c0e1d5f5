#include "emit/module_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "emit/templates.h"

namespace korva {
namespace {

TEST(ModuleWriter, TheTwoNumberFormsAndTheCountedLines) {
  MemorySink sink;
  ModuleWriter out(sink);
  out.Line(" Sub Main()");
  out.PlainNumbered(" Rem title");
  out.CountedLine("udi=\"s\"");
  out.Numbered(" line input #1,uc");
  EXPECT_EQ(out.Counter(), 3);
  out.SetCounter(22);
  out.PlainNumbered(" x");
  EXPECT_EQ(sink.lines, (std::vector<std::string>{" Sub Main()", "10 Rem title", "udi=\"s\"",
                                                  " 30 line input #1,uc", "230 x"}));
}

TEST(ModuleWriter, FlushWritesTheBufferAfterTheCounterAndEmptiesIt) {
  MemorySink sink;
  ModuleWriter out(sink, 12);
  StatementBuffer body;
  body.Append(" FOR IR=1 TO NR");
  body.Append(" REM Ecuaciones");
  out.Flush(body, FlushRule::kNumberAlone);
  EXPECT_EQ(sink.lines, (std::vector<std::string>{" 130 FOR IR=1 TO NR", " 140 REM Ecuaciones"}));
  EXPECT_EQ(out.Counter(), 14);
  EXPECT_EQ(body.Used(), 0);
  out.Numbered(" next");
  EXPECT_EQ(sink.lines.back(), " 150 next");
}

TEST(ModuleWriter, WritingWithoutASinkIsAFaultButTheCountStays) {
  MemorySink sink;
  ModuleWriter out(sink);
  out.Numbered(" a");
  out.Detach();
  EXPECT_EQ(out.Counter(), 1);
  EXPECT_THROW(out.Line("x"), std::logic_error);
  EXPECT_THROW(ModuleWriter().Numbered(" y"), std::logic_error);
}

TEST(Templates, MarkersAreReplacedOnceAndMustMatchTheValues) {
  EXPECT_EQ(ExpandTemplateText("t", "D$MODEL$\nx=$MODEL$$N$\n", {{"MODEL", "POB"}, {"N", "$N$"}}),
            (std::vector<std::string>{"DPOB", "x=POB$N$"}))
      << "a value is put in as it is, never expanded again";
  EXPECT_EQ(ExpandTemplateText("t", "a$(str$(x)\n\nUA$ + UB$", {}),
            (std::vector<std::string>{"a$(str$(x)", "", "UA$ + UB$"}))
      << "the dollar signs of the generated language are not markers";
  EXPECT_THROW(ExpandTemplateText("t", "D$MODEL$", {}), std::logic_error) << "a marker left unreplaced";
  EXPECT_THROW(ExpandTemplateText("t", "plain", {{"MODEL", "POB"}}), std::logic_error) << "a value never used";
}

TEST(Templates, EveryTemplateHasItsNameAndTheMarkersItsEmitterGives) {
  // Every template's file name, and the values its emitter gives it: a template
  // that gains or loses a marker must change here and in its emitter together.
  struct Known {
    TemplateId id;
    std::string_view name;
    TemplateValues values;
  };
  const std::vector<Known> known = {
      {TemplateId::kDataEntryHeader, "data_entry/header.bas", {{"MODEL", "M"}}},
      {TemplateId::kDataEntryHeaderEnd, "data_entry/header_end.bas", {{"MODEL", "M"}, {"MENU", "19"}}},
      {TemplateId::kDataEntryMenu, "data_entry/menu.bas", {{"MENU", "19"}, {"FIRST_SECTION", "140"}}},
      {TemplateId::kDataEntryUncertaintyHelp, "data_entry/uncertainty_help.bas", {{"MODEL", "M"}}},
      {TemplateId::kResultsRepresenter, "results/representer.bas", {{"PROGRAM_START", "10"}, {"NEW_SIMULATION", "55"}}},
      {TemplateId::kSimulatorNormalTable, "simulator/normal_table.bas", {{"TITLE", "230"}}},
      {TemplateId::kSimulatorSamplingRoutines, "simulator/sampling_routines.bas", {}},
      {TemplateId::kSimulatorResultStatistics, "simulator/result_statistics.bas", {{"S", ""}, {"RESTART", "240"}}},
  };
  ASSERT_EQ(AllTemplates().size(), known.size()) << "a template file without a case here";
  for (const Known& k : known) {
    EXPECT_EQ(Template(k.id).name, k.name);
    EXPECT_NO_THROW(ExpandTemplate(k.id, k.values)) << k.name;
  }
}

}  // namespace
}  // namespace korva
