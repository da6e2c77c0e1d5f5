// The data-entry section of one input, from its settled answers to the exact
// numbered lines, with the jumps to the next input and back for a correction.
#include <gtest/gtest.h>

#include "data_entry/data_entry_module.h"
#include "emit/emitted_text.h"
#include "simgen/input_code.h"

namespace korva {
namespace {

TEST(DataSection, DimensionalInputWithChangesOfValue) {
  InputSettings settings;
  settings.id = "AA";
  settings.fullName = "AA entrada";
  settings.changes = 1;
  settings.sizes = {"3"};
  settings.timeUnit = "año";
  MemorySink sink;
  ModuleWriter out(sink, emitted::kDataSectionsStart);
  WriteDataSection(out, BuildInputCode(settings).dataLines, /*stripMarkers=*/false);
  EXPECT_EQ(out.Counter(), 23);
  const std::vector<std::string> expected = {
      " 140 if nx=0 then",
      " 150   redim ñAAp(2),ñAAc(3,2)",
      " 160 endif",
      " 170 ub=\"AA entrada\"",
      " 180 if nn<3 or ua=\"n\" then msgbox(ub)",
      " 190 if nn=1 or ua=\"n\" then for i1=1 to 3:for k=1 to 2:ñAAp(k)=inputbox(\"¿año?\"):"
      "ñAAc(i1,k)=inputbox(\"¿Valor?\"):next k:next",
      " 200 if (uns<>unsa or nx=0) and nn>1 and nn<5 and uns<>\"\" and ua<>\"n\" and ua<>\"p\" then line input #1,uc:"
      "for i1=1 to 3:for k=1 to 2:input #1,uc,ñAAp(k),uc,ñAAc(i1,k):next:next",
      " 210 if nn=3 and uvc<>\"AA\" goto 240",
      " 220 if nn=5 then print #2,ub: for i1=1 to 3:for k=1 to 2:write #2,\"año\",ñAAp(k),\"AA\",ñAAc(i1,k):next:next"
      ":goto 240",
      " 230 for i1=1 to 3:debug.print format$(ñAAc(i1,2));:debug.print:next:ua=inputbox(\"¿Desea seguir (), corregir (n), o "
      "volver al principio (p)?\"):if ua=\"p\" then nn=3:uvc=\"\" else if ua=\"n\" goto 180",
  };
  EXPECT_EQ(sink.lines, expected);
}

TEST(DataSection, MarkersStrippedButNeverFromTheJumps) {
  InputSettings settings;
  settings.id = "B";
  settings.fullName = "B año";
  MemorySink sink;
  ModuleWriter out(sink, 100);
  WriteDataSection(out, BuildInputCode(settings).dataLines, /*stripMarkers=*/true);
  ASSERT_EQ(sink.lines.size(), 6u);
  EXPECT_EQ(sink.lines[0], " 1010 ub=\"B ao\"") << "every \xF1 goes, the name's too";
  EXPECT_EQ(sink.lines[3], " 1040 if nn=3 and uvc<>\"B\" goto 1070");
  EXPECT_TRUE(sink.lines[5].ends_with(" else if ua=\"n\" goto 1010")) << sink.lines[5];
}

}  // namespace
}  // namespace korva
