// The traps an element list sets for the generated programs, found when the
// list is read or typed: the language's own names refused, the rest told once
// in one notice before the matrix.
#include "model/identifier_traps.h"

#include <gtest/gtest.h>

#include "model/element_list.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::TempDir;

ModelTables ListOf(const std::vector<std::string>& names) {
  ModelTables model;
  SizeElementTables(model, static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) model.ElementList[i + 1] = names[i];
  DeriveIdentifiers(model);
  return model;
}

std::vector<std::string> Ids(const ModelTables& model, const std::vector<int>& elements) {
  std::vector<std::string> ids;
  for (int j : elements) ids.push_back(model.ElementIds[j]);
  return ids;
}

TEST(IdentifierTraps, EachKindFoundOnceInListOrder) {
  const ModelTables model = ListOf({"POBL poblacion", "imp impuesto", "INTE intereses", "PO parte", "D densidad",
                                    "VEL velocidad", "KAP capital", "Val valor", "POBL repetida", "OBL otra"});
  const IdentifierTraps traps = FindIdentifierTraps(model);
  EXPECT_EQ(Ids(model, traps.reserved), (std::vector<std::string>{"imp", "Val"}))
      << "a reserved word, and a function the programs call, whatever the case";
  EXPECT_TRUE(traps.builtin.empty()) << "INTE is no function";
  ASSERT_EQ(traps.held.size(), 3u) << "PO and OBL in POBL (once, though POBL is twice), D in dt";
  EXPECT_EQ(model.ElementIds[traps.held[0].element], "PO");
  EXPECT_EQ(traps.held[0].where, "POBL");
  EXPECT_EQ(model.ElementIds[traps.held[1].element], "D");
  EXPECT_EQ(traps.held[1].where, "dt");
  EXPECT_EQ(model.ElementIds[traps.held[2].element], "OBL");
  EXPECT_EQ(Ids(model, traps.whole), (std::vector<std::string>{"imp", "INTE", "KAP"}));
  EXPECT_EQ(Ids(model, traps.text), (std::vector<std::string>{"VEL", "Val"}));
}

TEST(IdentifierTraps, OtherFunctionsAreToldNotRefusedAndTimeIsFoundAlone) {
  const ModelTables model = ListOf({"INT entero", "COS coste", "T temperatura", "XDT otra"});
  const IdentifierTraps traps = FindIdentifierTraps(model);
  EXPECT_TRUE(traps.reserved.empty());
  EXPECT_EQ(Ids(model, traps.builtin), (std::vector<std::string>{"INT", "COS"}));
  ASSERT_EQ(traps.held.size(), 1u);
  EXPECT_EQ(model.ElementIds[traps.held[0].element], "T");
  EXPECT_EQ(traps.held[0].where, "t") << "found in t first, and named once";
  EXPECT_EQ(TrapsNoticeText(model, traps),
            "Revise estos identificadores antes de seguir (puede cambiarlos en la lista):\n"
            "- Son nombres de funciones de Visual Basic: las ecuaciones no podrán usar esas funciones.\n"
            "   INT, COS\n"
            "- Contenidos en otro identificador o en t o dt: la matriz deducida de las ecuaciones\n"
            "  los tomaría por influencias donde aparezca el otro.\n"
            "   T (en t)\n"
            "- Empiezan por una letra de la I a la N: en los programas generados son números enteros\n"
            "  (se redondean en cada paso); cámbielos si son cantidades con decimales.\n"
            "   INT");
}

TEST(IdentifierTraps, ALongListOfOneKindIsCutWithACount) {
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) names.push_back("N" + std::to_string(100 + i) + " n");
  const ModelTables model = ListOf(names);
  const std::string notice = TrapsNoticeText(model, FindIdentifierTraps(model));
  EXPECT_NE(notice.find("N148, N149 y 10 más"), std::string::npos) << notice;
}

TEST(IdentifierTraps, AListFileWithAReservedWordIsRefusedWithTheReason) {
  TempDir dir;
  dir.Write("LTAX.txt", "BAS base\r\nTIP tipo\r\nIMP impuesto\r\n");
  ActivityRun a(dir.workDir(), "TAX", {"s", "n", "s"});
  EXPECT_EQ(a.Try(ElementListDialogue), EndReason::kErrorReported);
  EXPECT_TRUE(a.Showed("Estos identificadores son palabras reservadas o nombres de funciones de Visual Basic:\n"
                       "los programas generados no compilarían con ellos.\n"
                       "   IMP, elemento 3\n"
                       "Cámbielos en la lista de elementos."));
  EXPECT_EQ(a.TimesAsked("¿Seguimos?"), 0) << "the matrix is never reached";
}

TEST(IdentifierTraps, ATypedReservedWordIsRefusedAtOnceAndTheNoticeComesOnce) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "TAX", {"n", "e", "5", "BAS base", "Mod modulo", "MOD modulo", "MDL modulo", "",
                                       "n", "s"});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_EQ(a.box.remaining(), 0u);
  EXPECT_EQ(dir.Read("LTAX.txt"), "BAS base\r\nMDL modulo\r\n");
  EXPECT_TRUE(a.Showed("La respuesta «Mod modulo» no vale aquí: Mod es una palabra reservada de Visual Basic y los "
                       "programas generados no compilarían; escriba otro identificador."));
  int notices = 0;
  for (const std::string& m : a.box.Messages()) notices += m.starts_with("Revise estos identificadores");
  EXPECT_EQ(notices, 1) << "MDL is a whole number";
  // The refused answers are not in the log: a replay meets the accepted ones.
  EXPECT_EQ(dir.Read("MODELO1.txt").find("Mod modulo"), std::string::npos);
}

}  // namespace
}  // namespace korva
