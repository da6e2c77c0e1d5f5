// The help texts of the questions: how an entry is found, and that every
// question korva and its generated programs ask has one.
#include "dialogue/help_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "dialogue/scripted_dialogue.h"
#include "text/cp1252.h"
#include "text/label_key.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

std::string SourceText(const fs::path& path) {
  std::ifstream in(fs::path(KORVA_SOURCE_DIR) / path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return Utf8ToCp1252(text.str());
}

TEST(HelpCatalogue, FindsTheMostSpecificPromptThenTheLabel) {
  const HelpCatalogue help(
      "# a comment line\n"
      "@pregunta ¿La variable * es dimensional?(S/N/T)\n"
      "Dimensional.\n"
      "\n"
      "@pregunta *¿Es correcto? (S/N/T)\n"
      "Correcto, en general.\n"
      "@pregunta ¿Es correcto? (S/N/T)\n"
      "Correcto, solo.\n"
      "@etiqueta Nombre del simulador\n"
      "@etiqueta Otro nombre\n"
      "Dos etiquetas,\n"
      "un texto.\n\n\n");
  EXPECT_EQ(help.Find("¿La variable PIN es dimensional?(S/N/T)"), "Dimensional.");
  EXPECT_EQ(help.Find("  ¿la variable  x es DIMENSIONAL? (s/n/t) "), "Dimensional.") << "blanks, signs and case aside";
  EXPECT_EQ(help.Find("¿La variable es dimensional?"), "") << "the pieces in order, whole";
  EXPECT_EQ(help.Find("XPR = 1\n¿Es correcto? (S/N/T)"), "Correcto, en general.");
  EXPECT_EQ(help.Find("¿Es correcto? (S/N/T)"), "Correcto, solo.") << "the pattern that matches more text wins";
  EXPECT_EQ(help.Find("¿Cómo se llama?", "Nombre del simulador"), "Dos etiquetas,\nun texto.");
  EXPECT_EQ(help.Find("¿Cómo se llama?", "OTRO  nombre"), "Dos etiquetas,\nun texto.");
  EXPECT_EQ(help.Find("¿Cómo se llama?", "   "), "") << "a blank label finds nothing";
  EXPECT_EQ(help.Find("¿La variable PIN es dimensional?(S/N/T)", "Nombre del simulador"), "Dimensional.")
      << "the prompt first";
  EXPECT_EQ(help.entries().size(), 5u);
}

TEST(HelpCatalogue, AHelpRequestIsAQuestionMarkOrAyudaAlone) {
  for (const char* request : {"?", "ayuda", " Ayuda ", "AYUDA", "\t?"}) EXPECT_TRUE(IsHelpRequest(request)) << request;
  for (const char* answer : {"", "??", "ayudas", "s", "? s", "a"}) EXPECT_FALSE(IsHelpRequest(answer)) << answer;
}

// Every label of the answers log names a question, and every question has a
// help text: found by its label where its prompt does not find one.
TEST(HelpCatalogue, EveryLabelOfTheAnswersLogHasItsHelp) {
  const std::string header = SourceText("src/core/log_labels.h");
  const std::regex label(R"re(constexpr std::string_view (kLabel\w+) =\s*"([^"]*)")re");
  int labels = 0;
  for (auto it = std::sregex_iterator(header.begin(), header.end(), label); it != std::sregex_iterator(); ++it) {
    const std::string text = (*it)[2];
    if (LabelKey(text).empty()) continue;  // a blank label: its questions are found by their prompts
    ++labels;
    EXPECT_FALSE(KorvaHelp().Find("", text).empty()) << (*it)[1] << " \"" << Cp1252ToUtf8(text) << "\"";
  }
  EXPECT_GT(labels, 50) << "the labels are read";
}

// Each text says what the question asks, the answers it takes, an example
// and the README section to read, and that section exists.
TEST(HelpCatalogue, EveryTextGivesAnswersAnExampleAndAReadmeSection) {
  const std::string readme = SourceText("README.md");
  const std::regex section("«([^»]+)»");
  for (const HelpCatalogue* catalogue : {&KorvaHelp(), &ProgramsHelp()}) {
    ASSERT_GT(catalogue->entries().size(), 40u);
    for (const HelpCatalogue::Entry& entry : catalogue->entries()) {
      const std::string text(catalogue->TextOf(entry));
      const std::string header = Cp1252ToUtf8(entry.header);
      EXPECT_NE(text.find("Respuestas:"), std::string::npos) << header;
      EXPECT_NE(text.find("Ejemplo:"), std::string::npos) << header;
      std::smatch named;
      ASSERT_TRUE(std::regex_search(text, named, section)) << header;
      EXPECT_NE(readme.find(named[1].str()), std::string::npos) << header << ": " << Cp1252ToUtf8(named[1].str());
    }
  }
}

// The questions of the generated programs written in their templates: each
// has an entry of its own, not only the one every data question shares.
TEST(HelpCatalogue, EveryQuestionOfTheTemplatesHasItsOwnHelp) {
  const std::string shared(ProgramsHelp().Find("PIN poblacion inicial"));
  ASSERT_FALSE(shared.empty());
  const std::regex box(R"re(InputBox\("([^"]+)"\))re", std::regex::icase);
  int prompts = 0;
  for (const auto& file : fs::recursive_directory_iterator(fs::path(KORVA_SOURCE_DIR) / "templates")) {
    if (file.path().extension() != ".bas") continue;
    const std::string text = SourceText(fs::relative(file.path(), KORVA_SOURCE_DIR));
    for (auto it = std::sregex_iterator(text.begin(), text.end(), box); it != std::sregex_iterator(); ++it) {
      ++prompts;
      EXPECT_NE(ProgramsHelp().Find((*it)[1].str()), shared) << Cp1252ToUtf8((*it)[1].str());
    }
  }
  EXPECT_GT(prompts, 20);
  // Questions the emitters write, as the programs show them.
  for (const char* prompt : {"¿Cuantos dias desea simular?", "¿Con que paso desea integrar?",
                             " ¿Cada cuantos dias desea ver los resultados?", "¿Cuantas repeticiones desea?",
                             "¿Cual es el dia inicial?", "¿Número de la primera simulación que desea efectuar?",
                             "¿Número de la simulación que desea visualizar?",
                             "He terminado. ¿Desea ejecutar alguna otra simulación (S/N)",
                             "1000¿Desea seguir (), corregir (n), o volver al principio (p)?",
                             " 1. Rellenado inicial secuencial.       \n 3. Corrección parcial individualizada. \n"
                             " 5. Grabación de datos.                 \n 6. Terminar de trabajar con datos.     \n"}) {
    EXPECT_NE(ProgramsHelp().Find(prompt), shared) << prompt;
  }
}

// Every question the tests have walked through a scripted dialogue carried a
// help text: checked when the whole suite has run.
class EveryQuestionAskedHadHelp : public ::testing::Environment {
 public:
  void TearDown() override {
    const std::vector<std::string>& missing = ScriptedDialogue::PromptsWithoutHelp();
    for (const std::string& prompt : std::set<std::string>(missing.begin(), missing.end())) {
      ADD_FAILURE() << "a question without help: " << Cp1252ToUtf8(prompt);
    }
  }
};
[[maybe_unused]] ::testing::Environment* const kCensus =
    ::testing::AddGlobalTestEnvironment(new EveryQuestionAskedHadHelp);

}  // namespace
}  // namespace korva
