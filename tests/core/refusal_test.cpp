// A refused answer is told why, in one line, before its question is asked again.
#include <gtest/gtest.h>

#include "core/questions.h"
#include "model/element_list.h"
#include "simgen/coded_questions.h"
#include "support/dialogue_run.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::ActivityRun;
using testing::TempDir;

TEST(Refusal, AChoiceNamesTheAnswersItTakes) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "X", {"x", "", "S"});
  std::string answer;
  ASSERT_EQ(a.Try([&](RunContext& run, ModelCycle&) { answer = AskUnloggedChoice(run, "¿Son todos correctos? (S/N/T)", {"s", "n", "t"}); }),
            std::nullopt);
  EXPECT_EQ(answer, "s");
  EXPECT_EQ(a.box.Messages(), (std::vector<std::string>{"La respuesta «x» no vale aquí: conteste s, n o t.",
                                                        "La respuesta vacía no vale aquí: conteste s, n o t."}));
  ActivityRun b(dir.workDir(), "X", {"q", "n"}, "c", 2);
  ASSERT_EQ(b.Try([&](RunContext& run, ModelCycle&) { AskUnloggedChoice(run, "¿Seguimos?", {"s", "n", ""}); }),
            std::nullopt);
  EXPECT_EQ(b.box.Messages(), (std::vector<std::string>{"La respuesta «q» no vale aquí: conteste s, n o nada."}));
}

TEST(Refusal, ANumberNamesItsRangeAndTheNumberThatEnds) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "X", {"1", "dos", "30001", "7", "11", "3"});
  long first = 0;
  long second = 0;
  ASSERT_EQ(a.Try([&](RunContext& run, ModelCycle&) {
              first = AskLoggedNumber(run, "Máximo", "¿Cuantos elementos tendría, como máximo, su sistema?", 2, 30000).value;
              second = AskLoggedNumber(run, "Elemento", "Escriba el número del elemento incorrecto o 0 para terminar", 1,
                                       10, NumberRecord::kAsNumber, 0).value;
            }),
            std::nullopt);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(second, 3);
  EXPECT_EQ(a.box.Messages(),
            (std::vector<std::string>{"La respuesta «1» no vale aquí: escriba un número entero de 2 a 30000.",
                                      "La respuesta «dos» no vale aquí: escriba un número entero de 2 a 30000.",
                                      "La respuesta «30001» no vale aquí: escriba un número entero de 2 a 30000.",
                                      "La respuesta «11» no vale aquí: escriba un número entero de 1 a 10 "
                                      "(0 para terminar)."}));
  EXPECT_EQ(dir.Read("MODELO1.txt"), "\"Máximo\",\"7\"\r\n\"Elemento\",3\r\n") << "refused answers are not logged";
}

TEST(Refusal, AnInitialValueOfTheWrongLengthSaysTheLength) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "X", {"XA", "XANT", "XAN"});
  std::string name;
  ASSERT_EQ(a.Try([&](RunContext& run, ModelCycle&) {
              name = AskCodedText(run, "   Su valor inicial es", "¿Como se llama su valor inicial?", std::nullopt,
                                  [](const std::string& answer) { return answer.size() == 3; },
                                  "tiene 3 caracteres");
            }),
            std::nullopt);
  EXPECT_EQ(name, "XAN");
  EXPECT_EQ(a.box.Messages(), (std::vector<std::string>{"La respuesta «XA» no vale aquí: tiene 3 caracteres.",
                                                        "La respuesta «XANT» no vale aquí: tiene 3 caracteres."}));
}

TEST(Refusal, ATypedLineOfTheListMayNotStartWithADigit) {
  TempDir dir;
  ActivityRun a(dir.workDir(), "X", {"n", "e", "3", "1AB uno", "AB uno", "", "n", "s"});
  ASSERT_EQ(a.Try(ElementListDialogue), std::nullopt);
  EXPECT_TRUE(a.Showed("La respuesta «1AB uno» no vale aquí: una línea no puede empezar por una cifra; escriba "
                       "identificador, un blanco y nombre."));
  EXPECT_EQ(dir.Read("LX.txt"), "AB uno\r\n");
}

}  // namespace
}  // namespace korva
