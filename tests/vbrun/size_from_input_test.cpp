// An input whose dimension is sized by another input, end to end: the
// data-entry program asks as many values as the earlier input says, saves
// them, and the simulator reads and uses them.
#include <gtest/gtest.h>

#include "support/generated_model.h"

namespace korva {
namespace {

using testing::GeneratedModel;
using testing::TextLinesOf;

// NFI, an input; PES, an input of NFI values; TOT = PES(1) + PES(NFI). A
// static model: the data variables keep their marker.
const char kLog[] =
    "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n"
    "\"Nombre del simulador\",\"DIM\"\r\n"
    "\"Servir\xE1 para\",\"probar tama\xF1os dados por otra variable\"\r\n"
    "\"Lista al completo\",\"s\"\r\n"
    "\"Ver la lista por Pantalla, Fichero, o No ver\",\"n\"\r\n"
    "\"Fichero G si y fichero C no\",\"n\"\r\n"
    "\"Matriz completa\",\"s\"\r\n"
    "\"Ver la matriz por Pantalla, Fichero, o No ver\",\"n\"\r\n"
    "\"Listado en orden de calculo\",\"s\"\r\n"
    "\"Ordenar fichero de especificaciones: \",\"n\"\r\n"
    "\"\xBF" "Algoritmo gen\xE9tico?\",\"n\"\r\n"
    "\"\xBFSistema din\xE1mico?\",\"n\"\r\n"
    "\"   \xBF" "Dimensional?\",\"n\"\r\n"
    "\"   \xBF" "Correcto?\",\"s\"\r\n"
    "\"   \xBF" "Dimensional?\",\"s\"\r\n"
    "\"   Dimensiones\",\"1\"\r\n"
    "\"   \",\"NFI\"\r\n"
    "\"   \xBF" "Correcto?\",\"s\"\r\n"
    "\"\xBF" "Funciones grabadas?\",\"n\"\r\n"
    "\"TOT peso de la primera y la ultima fila\"\r\n"
    "\"   La funcion\",\"TOT=f(PES,NFI)\",\"\xBFLleva incertidumbre?\",\"n\"\r\n"
    "\"   \xBF" "Dimensional?\",\"n\"\r\n"
    "\"   \xBFTabla?\",\"n\"\r\n"
    "\"   \xBFLineas de la funcion?\",1\r\n"
    "TOT = PES(1) + PES(NFI)\r\n"
    "\"   \xBF" "Corregir alguna ecuacion?\",\"n\"\r\n"
    "\"   \xBF" "Correcto?\",\"s\"\r\n";

GeneratedModel SizedModel() {
  return GeneratedModel({{"LDIM.txt", "NFI numero de filas\r\nPES peso de cada fila\r\n"
                                      "TOT peso de la primera y la ultima fila\r\n"},
                         {"CDIM.txt", "TOT   PES,NFI\r\n"},
                         {"MODELO1.txt", kLog}},
                        {"1", "s", "s", "s", "s", "n", "n"});
}

TEST(SizeFromInput, TheDataEntryAsksAsManyValuesAsTheEarlierInputSays) {
  GeneratedModel model = SizedModel();
  ASSERT_EQ(model.status, 0);
  // First filling: NFI, then its four values of PES, one confirmation each.
  std::vector<std::string> answers = {"1", "", "4", "", "10", "20", "30", "40", "", "5", "1", "6"};
  ASSERT_EQ(model.Run("DDIM.bas", answers), 0) << model.Messages();
  EXPECT_EQ(TextLinesOf(model.dir.Read("DATOS1.txt")),
            (std::vector<std::string>{"NFI numero de filas", "\"4\"", "PES peso de cada fila", "\"10\"", "\"20\"",
                                      "\"30\"", "\"40\""}));
  ASSERT_EQ(model.Run("SDIM.bas", {"1", "1", "n", "n"}), 0) << model.Messages();
  EXPECT_EQ(TextLinesOf(model.dir.Read("resul1")), std::vector<std::string>{"50"});

  // Corrected from the saved file: the sizes come from the data read back.
  answers = {"3", "1", "PES", "", "5", "2", "6"};
  ASSERT_EQ(model.Run("DDIM.bas", answers), 0) << model.Messages();
  EXPECT_EQ(model.dir.Read("DATOS2.txt"), model.dir.Read("DATOS1.txt"));
}

TEST(SizeFromInput, ALaterFillingWithMoreValuesSizesTheArrayAgain) {
  GeneratedModel model = SizedModel();
  ASSERT_EQ(model.status, 0);
  // Simulation 1 with two values, then, in the same session, simulation 2 with three.
  std::vector<std::string> answers = {"1", "", "2", "", "1", "2", "", "5", "1",
                                      "1", "", "3", "", "5", "6", "7", "", "5", "2", "6"};
  ASSERT_EQ(model.Run("DDIM.bas", answers), 0) << model.Messages();
  EXPECT_EQ(TextLinesOf(model.dir.Read("DATOS2.txt")),
            (std::vector<std::string>{"NFI numero de filas", "\"3\"", "PES peso de cada fila", "\"5\"", "\"6\"",
                                      "\"7\""}));
  ASSERT_EQ(model.Run("SDIM.bas", {"1", "2", "n", "n"}), 0) << model.Messages();
  EXPECT_EQ(TextLinesOf(model.dir.Read("resul1")), std::vector<std::string>{"3"});
  EXPECT_EQ(TextLinesOf(model.dir.Read("resul2")), std::vector<std::string>{"12"});
}

}  // namespace
}  // namespace korva
