// Which elements of a library model the keywords select, in which order, and
// what the proposed model receives from them.
#include "analogy/selection.h"

#include <gtest/gtest.h>

#include "analogy/library_model.h"

namespace korva {
namespace {

LibraryModel Library(const std::vector<std::string>& names, const std::vector<std::string>& rows) {
  LibraryModel model;
  BuildLibraryTables(model, names, rows);
  return model;
}

std::vector<std::string> SelectedIds(const LibraryModel& model, const std::vector<std::string>& keywords) {
  std::vector<std::string> ids;
  for (int i : SelectElements(model.Tables, keywords)) ids.push_back(model.Tables.ElementIds[i]);
  return ids;
}

TEST(AnalogySelection, KeywordsAreFoundCaseSensitivelyAndInfluencesFollowDepthFirst) {
  LibraryModel model = Library(
      {"POI poblacion inicial", "TNA tasa de natalidad", "NAC nacimientos", "POB poblacion final", "OTR otra cosa"},
      {"NAC    POI,TNA", "POB    POI,NAC"});
  EXPECT_TRUE(SelectedIds(model, {"POBLA"}).empty()) << "the search tells upper from lower case";
  // POI (level 1) first; then POB (level 3) and, depth first, what it needs.
  EXPECT_EQ(SelectedIds(model, {"pobla"}), (std::vector<std::string>{"POI", "POB", "NAC", "TNA"}));
  EXPECT_EQ(SelectedIds(model, {"nada", "nacim"}), (std::vector<std::string>{"NAC", "POI", "TNA"}));
}

TEST(AnalogySelection, AnInfluenceSharedByTwoSelectedElementsIsAddedOnce) {
  LibraryModel model =
      Library({"BAS base", "UNO primero", "DOS segundo", "TOT total"}, {"UNO    BAS", "DOS    BAS", "TOT    UNO,DOS"});
  EXPECT_EQ(SelectedIds(model, {"total"}), (std::vector<std::string>{"TOT", "UNO", "BAS", "DOS"}));
  ProposedModel proposed;
  AddSelectedElements(model, SelectElements(model.Tables, {"total"}), proposed);
  EXPECT_EQ(proposed.List, (std::vector<std::string>{"TOT total", "UNO primero", "BAS base", "DOS segundo"}));
  EXPECT_EQ(proposed.Matrix, (std::vector<std::string>{"TOT    UNO,DOS", "UNO    BAS", "BAS    ", "DOS    BAS"}));
}

TEST(AnalogySelection, LoopsAndLongChainsEnd) {
  // A loop: the keyword element is reached again through it, and its level is 0.
  LibraryModel loop = Library({"LLU lluvia", "CAU caudal", "EVA evaporacion"}, {"CAU    LLU,EVA", "EVA    CAU"});
  EXPECT_TRUE(loop.HasLoops);
  EXPECT_EQ(SelectedIds(loop, {"evapo"}), (std::vector<std::string>{"EVA", "CAU", "LLU"}));
  EXPECT_EQ(LoopReportLines(loop.Tables), (std::vector<std::string>{"LLU 1", "CAU 0", "EVA 0"}));

  // A chain of 30,000 elements, each influenced by the next: one keyword at
  // its head selects all of it.
  const int n = 30000;
  std::vector<std::string> names;
  std::vector<std::string> rows;
  for (int i = 1; i <= n; ++i) {
    names.push_back("E" + std::to_string(i) + (i == 1 ? " cabeza" : " eslabon"));
    if (i < n) rows.push_back("E" + std::to_string(i) + "    E" + std::to_string(i + 1));
  }
  LibraryModel chain = Library(names, rows);
  std::vector<int> selected = SelectElements(chain.Tables, {"cabeza"});
  ASSERT_EQ(selected.size(), static_cast<size_t>(n));
  EXPECT_EQ(selected.front(), 1);
  EXPECT_EQ(selected.back(), n);
}

TEST(AnalogySelection, AnElementBringsItsEquationsAndItsGroupOfRecords) {
  LibraryModel model = Library({"TAS tasa", "CRE crecimiento"}, {"CRE    TAS"});
  model.Equations = {"CRE CRE = TAS * 2", "   + 1", "CREX otra", "TAS TAS = 3", "CRE CRE = CRE + 0"};
  model.Specifications = {"\"Nombre del simulador\",\"X\"",
                          "\"TAS tasa\"",
                          "\"   Cambios de valor\",\"0\"",
                          "\"CRE crecimiento\"",
                          "\"   La funcion\",\"CRE=f(TAS)\",\"¿Lleva incertidumbre?\",\"n\"",
                          "\"   ¿De estado?\",\"n\"",
                          "\"¿Funciones grabadas?\",\"s\""};
  ProposedModel proposed;
  AddSelectedElements(model, {2}, proposed);
  EXPECT_EQ(proposed.Equations, (std::vector<std::string>{"CRE CRE = TAS * 2", "   + 1", "CRE CRE = CRE + 0"}));
  EXPECT_EQ(proposed.Specifications,
            (std::vector<std::string>{"\"CRE crecimiento\"",
                                      "\"   La funcion\",\"CRE=f(TAS)\",\"¿Lleva incertidumbre?\",\"n\"",
                                      "\"   ¿De estado?\",\"n\""}));
}

// Two library models that define TEM: the second one's is left, and so is
// what only that definition needs; one that defines it alike is passed over
// without a note.
TEST(AnalogySelection, AnIdentifierAlreadyProposedIsTakenOnceAndADifferentDefinitionNoted) {
  LibraryModel riego = Library({"SOL sol", "TEM temperatura", "EVA evaporacion"}, {"TEM    SOL", "EVA    TEM"});
  riego.Name = "RIEGO";
  riego.Equations = {"TEM TEM = 2 * SOL", "EVA EVA = 0.1 * TEM"};
  LibraryModel huerta = Library({"ALT altitud", "TEM temperatura", "COS cosecha"}, {"TEM    ALT", "COS    TEM"});
  huerta.Name = "HUERTA";
  huerta.Equations = {"TEM TEM = 20 - ALT", "COS COS = 10 * TEM"};
  LibraryModel copia = riego;
  copia.Name = "COPIA";

  ProposedModel proposed;
  auto taken = [&](const std::string& id) { return proposed.Has(id); };
  EXPECT_EQ(AddSelectedElements(riego, SelectElements(riego.Tables, {"evapo"}, taken), proposed), 0u);
  const std::vector<int> fromHuerta = SelectElements(huerta.Tables, {"cosecha"}, taken);
  EXPECT_EQ(fromHuerta, (std::vector<int>{3, 2})) << "TEM is not descended into: ALT is not needed";
  EXPECT_EQ(AddSelectedElements(huerta, fromHuerta, proposed), 1u);
  EXPECT_EQ(AddSelectedElements(copia, SelectElements(copia.Tables, {"temper"}, taken), proposed), 0u);
  EXPECT_EQ(proposed.List, (std::vector<std::string>{"EVA evaporacion", "TEM temperatura", "SOL sol", "COS cosecha"}));
  EXPECT_EQ(proposed.Equations,
            (std::vector<std::string>{"EVA EVA = 0.1 * TEM", "TEM TEM = 2 * SOL", "COS COS = 10 * TEM"}));
  ASSERT_EQ(proposed.Left.size(), 1u);
  EXPECT_EQ(proposed.Left[0].Id, "TEM");
  EXPECT_EQ(proposed.Left[0].KeptFrom, "RIEGO");
  EXPECT_EQ(proposed.Left[0].LeftFrom, "HUERTA");
}

// The answers log of a create cycle used as a library model's specifications:
// its inputs' answers follow no name record.
TEST(AnalogyLibrary, AnswersOfInputsWithoutNameRecordsGoToTheInputsInListOrder) {
  LibraryModel model = Library({"SOL sol", "TEM temperatura", "DOS dosis", "HUM humedad"},
                               {"TEM    SOL", "HUM    DOS,TEM"});
  model.Specifications = {
      "\"Nombre del simulador\",\"RIEGO\"",
      "\"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"n\"",
      "\"   Cambios de valor\",\"0\"",
      "\"   ¿Dimensional?\",\"s\"",
      "\"   ¿Correcto?\",\"n\"",  // refused: asked again
      "\"   Cambios de valor\",\"0\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"   Cambios de valor\",\"2\"",
      "\"   ¿Dimensional?\",\"n\"",
      "\"   ¿Correcto?\",\"s\"",
      "\"¿Funciones grabadas?\",\"s\"",
      "\"TEM temperatura\"",
      "\"   La funcion\",\"TEM=f(SOL)\",\"¿Lleva incertidumbre?\",\"n\"",
  };
  std::vector<std::string> records = model.Specifications;
  NormaliseSpecifications(model);
  std::vector<std::string> expected(records.begin(), records.begin() + 2);
  expected.push_back(records[11]);
  expected.insert(expected.end(), records.begin() + 12, records.end());
  expected.push_back("\"SOL sol\"");
  expected.insert(expected.end(), records.begin() + 2, records.begin() + 8);
  expected.push_back("\"DOS dosis\"");
  expected.insert(expected.end(), records.begin() + 8, records.begin() + 11);
  EXPECT_EQ(model.Specifications, expected);

  // A model whose inputs were all uncertain keeps them so.
  LibraryModel all = Library({"SOL sol", "TEM temperatura"}, {"TEM    SOL"});
  all.Specifications = {"\"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"t\"",
                        "\"SOL sol\"", "\"   Cambios de valor\",\"0\"", "\"TEM temperatura\""};
  NormaliseSpecifications(all);
  EXPECT_EQ(all.Specifications,
            (std::vector<std::string>{all.Specifications[0], "\"SOL sol\"", "\"   Incertidumbre: \",\"s\"",
                                      "\"   Cambios de valor\",\"0\"", "\"TEM temperatura\""}));
}

TEST(AnalogyLibrary, EntriesNameADirectoryAndAModelInUpperCase) {
  auto entry = ParseLibraryEntry("modelos\\lagos\\Lrio");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Directory, "MODELOS\\LAGOS\\");
  EXPECT_EQ(entry->Name, "RIO");
  entry = ParseLibraryEntry("/srv/Lib/Lpob");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Directory, "/SRV/LIB/");
  EXPECT_EQ(entry->Name, "POB");
  entry = ParseLibraryEntry("Lpob");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Directory, "");
  EXPECT_FALSE(ParseLibraryEntry("modelos\\pob"));
}

}  // namespace
}  // namespace korva
