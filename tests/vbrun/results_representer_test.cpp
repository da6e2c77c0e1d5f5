// The results representer module run in korva-vbrun at the end of a small
// results program written here by hand, over control and results files written
// here too: what it asks, and the listings, tables, charts and output
// definitions it writes, worked out here from the data.
#include <gtest/gtest.h>

#include "results_program/results_representer.h"

#include <algorithm>

#include "vbrun/results_harness.h"

namespace korva {
namespace {

using namespace results_harness;

TEST(RepresenterModule, MenuThenEighteenProceduresEachEndedByABlankLine) {
  Lines lines = RepresenterLines();
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0], "'             Modulo representador de resultados universal");
  EXPECT_EQ(lines[1], "9006 ReDim Z(IC), WZ(IC), S(IC), X(IC), JA(IC)");
  EXPECT_TRUE(Has(lines, std::string("9030 UR = InputBox(\"") + kMenu +
                             "\"): If IsNumeric(UR) Then NN = UR Else MsgBox \"La respuesta no es un número. "
                             "Escriba un número.\": GoTo 9030"));
  EXPECT_TRUE(Has(lines, "9880 NZ = 0: NX = 0: Close #1, #2, #3:  GoTo 9030"));
  EXPECT_EQ(lines.size(), 436u);
  const Lines headers = {
      "Sub ERRRS() '******************** SUBRUTINA DE ERRORES ***********************",
      "Sub LARGA() 'Determina num.periodos max. y cada cuanto se escribio como min.",
      "Sub INSPEC()",
      "Sub EJECUTAR() ' 1. Ejecutar salidas definidas",
      "Sub DEFINIR() ' 2. Definir salidas",
      "Sub GRABAR() ' Grabar una salida",
      "Sub EJESAL() ' Ejecutar una salida",
      "Sub LEEDAT() ' Lee los datos de un periodo",
      "Sub CUADRO() ' Representa un cuadro",
      "Sub CABCUA() ' Cabecera de cuadro por fichero",
      "Sub CUAFIC() ' Linea de cuadro en fichero",
      "Sub CABGRA() ' Cabecera de gráfico",
      "Sub GRAFICO()",
      "Sub GRALIN() ' Representa una linea de un gráfico por fichero",
      "Sub SUBIND()",
      "Sub COMPLETA()",
      "Sub LONGITUD() 'Calcula la longitud de cada variable dentro de izor",
      "Sub ESCRVAR() 'Escribe una variable completa en un periodo de tiempo",
  };
  Lines found;
  size_t ends = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("Sub ")) found.push_back(lines[i]);
    if (lines[i] == "End Sub" || lines[i] == "9910 End Sub") {
      ++ends;
      ASSERT_LT(i + 1, lines.size());
      EXPECT_EQ(lines[i + 1], " ") << "after line " << i + 1;
    }
  }
  EXPECT_EQ(found, headers);
  EXPECT_EQ(ends, headers.size() + 1);
  EXPECT_EQ(lines.back(), " ");
}

TEST(RepresenterMenu, OtherAnswersShowItAgainFourChoosesAnotherSimulationFiveEnds) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("R2ic", kPopulationControl);
  auto out = RunIn(dir, ResultsProgram(Population()), {"1", "7", "-1", "4", "2", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  const std::string simulation = "¿Número de la simulación que desea visualizar?";
  EXPECT_EQ(Prompts(out), (Lines{simulation, kMenu, kMenu, kMenu, simulation, kMenu}));
}

TEST(RepresenterMenu, LongestRunOverTheControlFiles) {
  TempDir dir;
  dir.Write("R0ic", "3,\"s\",6,2,0,1\r\n");
  dir.Write("R3IC", "3,\"s\",4,1,0,1\r\n");
  dir.Write("R7ic", "3,\"s\",2,0,0,1\r\n");  // no recording interval: not a minimum
  dir.Write("R100ic", "3,\"s\",5,.5,0,1\r\n");
  std::string program = std::string(kDims) + "Sub Main()\r\n :LARGA\r\n Debug.Print PP; RG\r\n End\r\n10 '\r\n55 '\r\n";
  auto out = RunIn(dir, program + Module(), {});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, " 6  .5 \n");
}

TEST(RepresenterComplete, ListsEveryValueOfEveryPeriod) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("resul1", ResultsText(4, 14, PopulationValue));
  auto out = RunIn(dir, ResultsProgram(Population()), {"1", "0", "1", "1", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), Lines{"En los ficheros COMPL* tiene los resultados"});

  const Lines names = {"Poblacion total...", "Poblacion por edades...", "Poblacion por regiones...",
                       "Total de control..."};
  const int first[] = {1, 2, 8, 14, 15};  // each variable's first position, and past the last
  Lines expected;
  for (int p = 1; p <= 4; ++p) {
    expected.insert(expected.end(), {"", "", "", Zones({"      ", "mes", Printed(10 + p)}), ""});
    for (int v = 0; v < 4; ++v) {
      Lines values;
      for (int q = first[v]; q < first[v + 1]; ++q) values.push_back(PopulationValue(p, q));
      expected.insert(expected.end(), {"", "", names[v], "", Zones(values)});
    }
  }
  EXPECT_EQ(LinesOf(dir.Read("COMPL1.txt")), expected);
}

TEST(RepresenterDefine, StoresAndExecutesATableOfAScalarAndAnElementChosenBySubscripts) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("resul1", ResultsText(4, 14, PopulationValue));
  auto out = RunIn(dir, ResultsProgram(Population()),
                   {"1", "2", "2", "pob", "reg", "4", "2", "1",  // N is 3: subscript 4 is asked again
                    "13", "12", "12", "13",                      // a window backwards is asked again
                    "x", "c", "a", "defs.txt", "5", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(out.debug, "Deme los valores de los subíndices.\n");
  Lines prompts = Prompts(out);
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Subíndice  1"), 2);
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Subíndice  2"), 1);
  EXPECT_EQ(
      std::count(prompts.begin(), prompts.end(), "Entre  11 y  14¿Cual es el(la) primer(a) mes que desea visualizar?"),
      2);
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "¿Como desea los resultados? ¿Cuadro (c) o gráfico (g)?"), 2);

  // reg(2,1) of a 3 by 2 array that follows 7 values: 7 + (2-1)*2 + 1.
  EXPECT_EQ(dir.Read("defs.txt"), "4,1,2,\"pob\",\"reg(2,1)\",\"\",\"\",1,10,0,0,\"c\",2,3,0\r\n");
  // Periods 12 and 13 are the records 2 and 3.
  Lines expected = {Zones({"mes", "pob", "reg(2,1)"})};
  for (int k = 1; k <= 4; ++k) {
    if (k < 2 || k > 3) continue;
    expected.push_back(Zones({Printed(10 + k), PopulationValue(k, 1), PopulationValue(k, 10)}));
  }
  EXPECT_EQ(LinesOf(dir.Read("EXCEL5.txt")), expected);
}

TEST(RepresenterChart, SpansSeventySixColumnsAndRefusesAConstant) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("resul1", ResultsText(4, 14, PopulationValue));
  // An unknown identifier starts the identification again from the first
  // variable; the second chart has one record, so its value is a constant.
  auto out =
      RunIn(dir, ResultsProgram(Population()), {"1", "2", "2", "pob", "xyz", "pob", "tot", "11", "14", "g", "e",
                                                "1", "s", "n", "1",   "pob", "11",  "11",  "g",  "e",  "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), (Lines{"El identificador 2no existe. Comencemos de nuevo.",
                                  "No vale la pena la representación gráfica  (valor constante =  101)"}));
  Lines expected = ChartHeading({"pob", "tot"}, {"Poblacion total...", "Total de control..."}, 11, 101, 414);
  for (int k = 1; k <= 4; ++k) {
    expected.push_back(Printed(k) + Bar({{100.0 * k + 1, 1}, {100.0 * k + 14, 2}}, 101, 414));
    expected.push_back("   |");
  }
  Lines chart = LinesOf(dir.Read("EXCEL1.txt"));
  EXPECT_EQ(chart, expected);
  for (const std::string& line : chart) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_TRUE(Has(chart, "    +--------------+--------------+--------------+--------------+--------------+"));
  EXPECT_TRUE(dir.Has("EXCEL2.txt"));
  EXPECT_EQ(dir.Read("EXCEL2.txt"), "") << "nothing is drawn of a constant";
  EXPECT_EQ(out.debug, "Fichero EXCEL 2 \n");
}

// Output definitions as the module writes them: a table of pob over periods
// 11 and 12, and a chart of pob and tot over the whole run.
const char* const kDefinitions =
    "4,1,1,\"pob\",\"\",\"\",\"\",1,0,0,0,\"c\",1,2,0\r\n"
    "4,1,2,\"pob\",\"tot\",\"\",\"\",1,14,0,0,\"g\",1,4,0\r\n";

TEST(RepresenterExecute, RunsEveryStoredOutputForEachSimulation) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("resul1", ResultsText(4, 14, PopulationValue));
  dir.Write("R2ic", kPopulationControl);
  dir.Write("resul2", ResultsText(4, 14, [](int p, int q) { return std::to_string(1000 * p + q); }));
  dir.Write("defs.txt", kDefinitions);
  auto out = RunIn(dir, ResultsProgram(Population()),
                   {"1", "1", "1", "2", "nada.txt", "",  // a definitions file that does not exist
                    "1", "1", "2", "defs.txt", "7", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_TRUE(Has(Prompts(out), "FICHERO NO ENCONTRADO     - PULSE ENTER PARA CONTINUAR"));
  EXPECT_EQ(out.debug,
            "\n                                     Salidas:\n\n                                     Salidas:\n"
            "Fichero EXCEL 8 \nFichero EXCEL 9 \nFichero EXCEL 10 \n");
  EXPECT_EQ(LinesOf(dir.Read("EXCEL7.txt")),
            (Lines{Zones({"mes", "pob"}), Zones({" 11 ", "101"}), Zones({" 12 ", "201"})}));
  EXPECT_EQ(LinesOf(dir.Read("EXCEL9.txt")),
            (Lines{Zones({"mes", "pob"}), Zones({" 11 ", "1001"}), Zones({" 12 ", "2001"})}));
  for (const char* chart : {"EXCEL8.txt", "EXCEL10.txt"}) {
    Lines lines = LinesOf(dir.Read(chart));
    ASSERT_EQ(lines.size(), 17u) << chart;  // a heading of 9 lines, then two lines a period
    EXPECT_EQ(lines[1], " 1 = pob");
    EXPECT_EQ(lines[3], " 2 = tot");
  }
}

TEST(RepresenterReview, KeepsDropsReplacesAndRenames) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("defs.txt",
            "4,1,1,\"pob\",\"\",\"\",\"\",1,0,0,0,\"c\",1,2,0\r\n"
            "4,1,1,\"tot\",\"\",\"\",\"\",14,0,0,0,\"c\",1,4,0\r\n"
            "4,1,2,\"pob\",\"tot\",\"\",\"\",1,14,0,0,\"g\",1,4,0\r\n");
  // Keep the first (the first output kept asks where to store), drop the
  // second (after an answer that is asked again), keep the third and define
  // one more after it; add none and rename the file.
  auto out = RunIn(dir, ResultsProgram(Population()),
                   {"1", "3",  "defs.txt", "1", "defs.txt", "9", "2", "4", "1",         "eda", "1",
                    "3", "11", "12",       "c", "g",        "n", "n", "s", "final.txt", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines prompts = Prompts(out);
  EXPECT_EQ(prompts[3],
            "Se simulan 4 mess. Se graba cada 1 mess. Las variables son 1: pob,,, Cuadro o gráfico: c. Se analiza "
            "desde el(la) mes 1 hasta el(la)  2. ¿Desea  conservar (1), cancelar (2), modificar (3), o postinsertar "
            "(4) a esta salida?");
  EXPECT_EQ(std::count_if(prompts.begin(), prompts.end(),
                          [](const std::string& p) { return p.starts_with("Se simulan 4 mess."); }),
            4);
  EXPECT_FALSE(dir.Has("defs.txt"));
  EXPECT_FALSE(dir.Has("defs.txt.bak"));
  // The second slot of the new output keeps what the last record read left in it.
  EXPECT_EQ(dir.Read("final.txt"),
            "4,1,1,\"pob\",\"\",\"\",\"\",1,0,0,0,\"c\",1,2,0\r\n"
            "4,1,2,\"pob\",\"tot\",\"\",\"\",1,14,0,0,\"g\",1,4,0\r\n"
            "4,1,1,\"eda(1,3)\",\"tot\",\"\",\"\",4,14,0,0,\"c\",1,2,0\r\n");
}

TEST(RepresenterReview, StopsWhenTheBackupExists) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("defs.txt", kDefinitions);
  dir.Write("defs.txt.bak", "old");
  auto out = RunIn(dir, ResultsProgram(Population()), {"1", "3", "defs.txt", "", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines prompts = Prompts(out);
  ASSERT_EQ(prompts.size(), 5u);
  EXPECT_EQ(prompts[3], "EL FICHERO defs.txt.BAK YA EXISTE - PULSE ENTER PARA CONTINUAR");
  EXPECT_EQ(prompts[4], kMenu);
  EXPECT_EQ(dir.Read("defs.txt"), kDefinitions);
  EXPECT_EQ(dir.Read("defs.txt.bak"), "old");
}

TEST(RepresenterStatic, TableOfOneRecordAndNoChartOfAText) {
  Model m;
  m.dynamic = false;
  m.unit = "";
  m.variables = {{"cos", "Coste...", ""}, {"nom", "Material...", "1"}};
  TempDir dir;
  dir.Write("R1ic", "2,\"n\",1,1,0,1\r\n");
  dir.Write("resul1", "7.5\r\n\"arena\"\r\n");
  auto out = RunIn(dir, ResultsProgram(m), {"1", "2", "2", "cos", "nom", "c", "e", "1", "s", "s", "g", "e", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  for (const std::string& prompt : Prompts(out)) EXPECT_FALSE(prompt.starts_with("Entre")) << "no window asked";
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")), (Lines{Zones({"", "cos", "nom"}), Zones({" 1 ", "7.5", "arena"})}));
  EXPECT_EQ(Messages(out), Lines{"No puedo representar gráficamente literales."});
  EXPECT_TRUE(dir.Has("EXCEL2.txt"));
  EXPECT_EQ(dir.Read("EXCEL2.txt"), "") << "nothing is drawn of a text";
}

// Two variables with uncertainty over two periods of 5 repetitions; each value
// is a mean, a standard deviation and a chi-square.
Model Uncertain() {
  Model m;
  m.idLength = 2;
  m.uncertain = 1;
  m.variables = {{"ab", "Primera...", ""}, {"cd", "Segunda...", "1"}};
  return m;
}

const char* const kUncertainResults = "10,1,.5\r\n20,2,.25\r\n12,1.5,.75\r\n24,3,1\r\n";

TEST(RepresenterUncertainty, CompleteListingHasMeansDeviationsAndChiSquares) {
  TempDir dir;
  dir.Write("R1ic", "2,\"s\",2,1,0,5\r\n");
  dir.Write("resul1", kUncertainResults);
  auto out = RunIn(dir, ResultsProgram(Uncertain()), {"1", "0", "1", "1", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines expected;
  const char* means[2][2] = {{" 10", " 20"}, {" 12", " 24"}};
  const char* deviations[2][2] = {{" 1", " 2"}, {" 1.5", " 3"}};
  const char* chis[2][2] = {{" .5", " .25"}, {" .75", " 1"}};
  for (int p = 0; p < 2; ++p) {
    expected.insert(expected.end(),
                    {"", "", "", Zones({"      ", "mes", Printed(p + 1)}), "", "", "      VALORES MEDIOS"});
    auto variables = [&](const char* const* v) {
      expected.insert(expected.end(), {"", "", "Primera...", "", v[0], "", "", "Segunda...", "", v[1]});
    };
    variables(means[p]);
    expected.insert(expected.end(), {"", "", "      DESVIACIONES TÍPICAS O EXTREMOS INFERIORES DE INTERVALO"});
    variables(deviations[p]);
    expected.insert(expected.end(), {"", "", "      CHI CUADRADO O EXTREMOS SUPERIORES DE INTERVALO"});
    variables(chis[p]);
  }
  EXPECT_EQ(LinesOf(dir.Read("COMPL1.txt")), expected);
}

TEST(RepresenterUncertainty, TablesOfIntervalsAndOfTwoVariables) {
  TempDir dir;
  dir.Write("R1ic", "2,\"s\",2,1,0,5\r\n");
  dir.Write("resul1", kUncertainResults);
  // A table of ab with t = 2 over 5 repetitions (the mean -/+ the deviation),
  // then one of ab and cd without an interval, stored and executed.
  auto out =
      RunIn(dir, ResultsProgram(Uncertain()), {"1", "2",  "1",  "ab", "1", "2", "2", "c", "e",        "1", "s", "n",
                                               "2", "ab", "cd", "1",  "1", "0", "c", "a", "defs.txt", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")),
            (Lines{Zones({"mes", "ab"}), "          Extremos de intervalo y Chi2", Zones({" 1 ", " 9", " 11 ", " .5 "}),
                   Zones({" 2 ", " 10.5", " 13.5 ", " .75 "})}));
  EXPECT_EQ(LinesOf(dir.Read("EXCEL2.txt")),
            (Lines{Zones({"mes", "ab", "cd"}), Zones({" 1 ", " 10", " 20"}), Zones({" ", " 1 ", " 2 "}),
                   Zones({" ", " .5 ", " .25 "}), "", ""}));
  EXPECT_TRUE(Has(Prompts(out),
                  "Para estimar por intervalo introduzca el valor de la t de Student. En caso contrario introduzca un "
                  "cero."));
  EXPECT_EQ(dir.Read("defs.txt"), "2,1,2,\"ab\",\"cd\",\"\",\"\",1,2,0,0,\"c\",1,1,0\r\n");
}

TEST(RepresenterUncertainty, ChartOfIntervalsDrawsBothEndsOfEachPeriod) {
  TempDir dir;
  dir.Write("R1ic", "2,\"s\",2,1,0,5\r\n");
  // With t = 2 over 5 repetitions the ends are the mean -/+ the deviation:
  // ab 9..21 and cd 14..18, then ab 9..11 and cd 18..22.
  dir.Write("resul1", "15,6,.5\r\n16,2,.25\r\n10,1,.5\r\n20,2,.5\r\n");
  auto out =
      RunIn(dir, ResultsProgram(Uncertain()), {"1", "2", "2", "ab", "cd", "1", "2", "2", "g", "e", "1", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines expected = ChartHeading({"ab", "cd"}, {"Primera...", "Segunda..."}, 1, 9, 22);
  expected.insert(expected.end(),
                  {Printed(1) + Bar({{9, 1}, {14, 2}}, 9, 22), Printed(1) + Bar({{21, 1}, {18, 2}}, 9, 22), "   |",
                   Printed(2) + Bar({{9, 1}, {18, 2}}, 9, 22), Printed(2) + Bar({{11, 1}, {22, 2}}, 9, 22), "   |"});
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")), expected);
}

}  // namespace
}  // namespace korva
