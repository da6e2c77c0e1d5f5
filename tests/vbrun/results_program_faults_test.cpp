// Runs of the results program that used to stop or show the wrong records.
// Most go end to end: korva writes the three modules of a small model, and
// korva-vbrun runs the data entry, the simulator and the results program
// through pipes; the numbers shown are worked out here from the model. The
// rest run a results program laid out as the generator writes it, over
// control and results files written here.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "text/cp1252.h"
#include "variables/create_run.h"
#include "vbrun/results_harness.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using namespace results_harness;
using testing::DialogueRun;
using testing::TextLinesOf;

const char* const kNotANumber = "La respuesta no es un número. Escriba un número.";

// A model that korva has written in a folder of its own, and runs of its modules.
class GeneratedModel {
 public:
  // From the model's files (name and text) and the answers that follow the
  // working directory.
  GeneratedModel(const std::vector<std::pair<std::string, std::string>>& files, std::string model, Lines answers)
      : model_(std::move(model)) {
    for (const auto& [name, text] : files) dir.Write(name, text);
    Generate(std::move(answers));
  }
  // From a copy of an example's folder, answered as its stdin.txt says.
  GeneratedModel(const fs::path& example, std::string model) : model_(std::move(model)) {
    fs::copy(example, dir.dir(), fs::copy_options::recursive);
    Generate(TextLinesOf(dir.Read("stdin.txt")));
  }

  // Runs the module of this prefix ("D", "S", "R") with these answers; the exit status.
  int Run(const std::string& prefix, const Lines& answers) const {
    std::string text;
    for (const std::string& answer : answers) text += answer + "\n";
    dir.Write("answers.txt", text);
    std::string command = "cd '" + dir.path() + "' && '" + KORVA_VBRUN_BINARY + "' --seed 1 " + prefix + model_ +
                          ".bas <answers.txt >screen.txt 2>messages.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Said() const { return dir.Read("messages.txt"); }
  // What the terminal showed (UTF-8 there), in the program's own code page.
  std::string Screen() const { return Utf8ToCp1252(dir.Read("screen.txt")); }

  TempDir dir;
  bool generated = false;

 private:
  void Generate(Lines answers) {
    answers.insert(answers.begin(), dir.dir());
    DialogueRun run(answers);
    generated = run.Go() == 0;
  }
  std::string model_;
};

// The answers log of a dynamic model in weeks: AI (0) is the initial value
// of the state CU = AI + 1, so CU holds the number of the week; QQ = Val(ZZ),
// where ZZ is 5 from week 0, 7 from week 2 and 9 from week 4. With
// `uncertainFunction` the uncertainty is asked input by input (none is
// uncertain) and QQ carries a random error instead.
std::string WeeksLog(bool uncertainFunction) {
  std::string inputUncertainty = uncertainFunction ? "\"   Incertidumbre: \",\"n\"\r\n" : "";
  std::string q = uncertainFunction
                      ? "\"   La funcion\",\"QQ=f(ZZ)\",\"¿Lleva incertidumbre?\",\"s\"\r\n"
                        "\"   ¿De estado?\",\"n\"\r\n\"   ¿Dimensional?\",\"n\"\r\n"
                        "\"   ¿Lineas de la funcion?\",2\r\nh=Val(ZZ)\r\ns=0.1*h\r\n"
                      : "\"   La funcion\",\"QQ=f(ZZ)\",\"¿Lleva incertidumbre?\",\"n\"\r\n"
                        "\"   ¿De estado?\",\"n\"\r\n\"   ¿Dimensional?\",\"n\"\r\n\"   ¿Tabla?\",\"n\"\r\n"
                        "\"   ¿Lineas de la funcion?\",1\r\nQQ = Val(ZZ)\r\n";
  return std::string("\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n") +
         "\"Nombre del simulador\",\"CUE\"\r\n\"Servirá para\",\"contar semanas\"\r\n"
         "\"Lista al completo\",\"s\"\r\n\"Ver la lista por Pantalla, Fichero, o No ver\",\"n\"\r\n"
         "\"Fichero G si y fichero C no\",\"n\"\r\n\"Matriz completa\",\"s\"\r\n"
         "\"Ver la matriz por Pantalla, Fichero, o No ver\",\"n\"\r\n\"Listado en orden de calculo\",\"s\"\r\n"
         "\"Ordenar fichero de especificaciones: \",\"n\"\r\n\"¿Algoritmo genético?\",\"n\"\r\n"
         "\"¿Sistema dinámico?\",\"s\"\r\n\"  Unidad dinámica\",\"semana\"\r\n"
         "\"  Algunas, Todas o Ninguna variables de entrada con incertidumbre: \",\"" +
         (uncertainFunction ? "a" : "n") + "\"\r\n" + inputUncertainty +
         "\"   Cambios de valor\",\"0\"\r\n\"   ¿Dimensional?\",\"n\"\r\n\"   ¿Correcto?\",\"s\"\r\n" +
         inputUncertainty +
         "\"   Cambios de valor\",\"2\"\r\n\"   ¿Dimensional?\",\"n\"\r\n\"   ¿Correcto?\",\"s\"\r\n"
         "\"¿Funciones grabadas?\",\"n\"\r\n"
         "\"CU cuenta de semanas\"\r\n\"   La funcion\",\"CU=f(AI)\",\"¿Lleva incertidumbre?\",\"n\"\r\n"
         "\"   ¿De estado?\",\"s\"\r\n\"   Su valor inicial es\",\"AI\"\r\n\"   ¿Dimensional?\",\"n\"\r\n"
         "\"   ¿Tabla?\",\"n\"\r\n\"   ¿Lineas de la funcion?\",1\r\nCU = AI + 1\r\n"
         "\"   ¿Corregir alguna ecuacion?\",\"n\"\r\n\"   ¿Correcto?\",\"s\"\r\n"
         "\"QQ valor vigente del cambio\"\r\n" +
         q + "\"   ¿Corregir alguna ecuacion?\",\"n\"\r\n\"   ¿Correcto?\",\"s\"\r\n";
}

GeneratedModel Weeks(bool uncertainFunction = false) {
  return GeneratedModel({{"LCUE.txt",
                          "AI valor inicial de la cuenta [ince=n;cval=0;ndim=0;\r\n"
                          "ZZ valor con cambios [ince=n;cval=2;ndim=0;\r\n"
                          "CU cuenta de semanas\r\nQQ valor vigente del cambio\r\n"},
                         {"CCUE.txt", "CU   AI\r\nQQ   ZZ\r\n"},
                         {"MODELO1.txt", WeeksLog(uncertainFunction)}},
                        "CUE", {"1", "s", "s", "s", "s", "n", "n", "n"});
}

// QQ in week w.
int QOf(int w) { return w >= 4 ? 9 : w >= 2 ? 7 : 5; }

// The data of the weeks model stored as simulations 1 and 2, then a run of
// simulation `number`: `weeks` weeks recorded every `interval`.
void Simulate(const GeneratedModel& m, int number, int weeks, int interval) {
  ASSERT_EQ(m.Run("D", {"1", "", "0", "", "0", "5", "2", "7", "4", "9", "", "5", "1", "5", "2", "6"}), 0) << m.Said();
  const std::string n = std::to_string(number);
  ASSERT_EQ(m.Run("S", {std::to_string(weeks), "1", std::to_string(interval), "0", n, n, "n", "n"}), 0) << m.Said();
}

// A table row of the weeks model: the week and the values asked for.
std::string WeekRow(int w, const Lines& values) {
  Lines items = {Printed(w)};
  items.insert(items.end(), values.begin(), values.end());
  return Zones(items);
}

TEST(ResultsProgramRecords, AWindowAfterTheFirstWeekShowsItsOwnWeeksAndScalesFromThem) {
  GeneratedModel m = Weeks();
  ASSERT_TRUE(m.generated);
  Simulate(m, 1, 10, 1);
  // A table and a chart of CU over weeks 5 to 8.
  ASSERT_EQ(m.Run("R", {"1", "2", "1", "CU", "5", "8", "c", "e", "1", "s", "s", "5", "8", "g", "e", "n", "5"}), 0)
      << m.Said();
  Lines table = {Zones({"semana", "CU"})};
  for (int w = 5; w <= 8; ++w) table.push_back(WeekRow(w, {std::to_string(w)}));
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL1.txt")), table);

  Lines chart = ChartHeading({"CU"}, {"CU cuenta de semanas..."}, 1, 5, 8, "semana");
  for (int w = 5; w <= 8; ++w) {
    chart.push_back(Printed(w) + Bar({{w, 1}}, 5, 8));
    chart.push_back("   |");
  }
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL2.txt")), chart);

  // The simulation's number mistyped is asked again.
  ASSERT_EQ(m.Run("R", {"x", "1", "5"}), 0) << m.Said();
  EXPECT_NE(m.Screen().find(std::string(kNotANumber) + "\n\n¿Número de la simulación que desea visualizar?"),
            std::string::npos)
      << m.Screen();
}

TEST(ResultsProgramRecords, ARunRecordedEveryTwoWeeksShowsEveryRecordOfTheWindow) {
  GeneratedModel m = Weeks();
  ASSERT_TRUE(m.generated);
  Simulate(m, 1, 10, 2);
  // A table of CU and QQ over weeks 1 to 10, then a chart of QQ (7, then 9).
  ASSERT_EQ(m.Run("R", {"1", "2", "2", "CU", "QQ", "1",  "10", "c", "e", "1",
                        "s", "n", "1", "QQ", "1",  "10", "g",  "e", "n", "5"}),
            0)
      << m.Said();
  Lines table = {Zones({"semana", "CU", "QQ"})};
  for (int w = 2; w <= 10; w += 2) table.push_back(WeekRow(w, {std::to_string(w), std::to_string(QOf(w))}));
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL1.txt")), table);

  Lines chart = ChartHeading({"QQ"}, {"QQ valor vigente del cambio..."}, 1, 7, 9, "semana");
  for (int k = 1; k <= 5; ++k) {
    chart.push_back(Printed(k % 10) + Bar({{QOf(2 * k), 1}}, 7, 9));
    chart.push_back("   |");
  }
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL2.txt")), chart);
  EXPECT_EQ(m.Screen().find("No vale la pena"), std::string::npos);
}

// The weeks of simulation `number` in a complete listing.
Lines ListedWeeks(const GeneratedModel& m, int number) {
  Lines weeks;
  for (const std::string& line : LinesOf(m.dir.Read("COMPL" + std::to_string(number) + ".txt"))) {
    if (line.starts_with("      ")) weeks.push_back(line);
  }
  return weeks;
}

TEST(ResultsProgramRecords, StoredOutputsAndTheCompleteListingFollowEachRunsLength) {
  GeneratedModel m = Weeks();
  ASSERT_TRUE(m.generated);
  Simulate(m, 1, 10, 1);
  Simulate(m, 2, 6, 1);
  // An output defined on simulation 1 and stored, executed for simulations 1
  // and 2; then the complete listing of both.
  ASSERT_EQ(m.Run("R", {"1", "2", "1", "CU", "1", "10", "c", "g", "defs.txt", "n",  //
                        "1", "1", "2", "defs.txt", "1",                             //
                        "0", "1", "2", "5"}),
            0)
      << m.Said();
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    const int weeks = run == 1 ? 10 : 6;
    Lines table = {Zones({"semana", "CU"})};
    Lines listed;
    for (int w = 1; w <= weeks; ++w) {
      table.push_back(WeekRow(w, {std::to_string(w)}));
      listed.push_back(Zones({"      ", "semana", Printed(w)}));
    }
    EXPECT_EQ(LinesOf(m.dir.Read("EXCEL" + std::to_string(run) + ".txt")), table);
    EXPECT_EQ(ListedWeeks(m, run), listed);
  }
}

TEST(ResultsProgramReview, AnOutputReplacedByOneExecutedAtOnce) {
  GeneratedModel m = Weeks();
  ASSERT_TRUE(m.generated);
  Simulate(m, 1, 10, 1);
  ASSERT_EQ(m.Run("R", {"1", "2", "1", "CU", "1", "10", "c", "g", "defs.txt", "n", "5"}), 0) << m.Said();
  // Review: the output is replaced by a table of QQ over weeks 3 to 6,
  // executed at once; nothing added, the name kept.
  ASSERT_EQ(m.Run("R", {"1", "3", "defs.txt", "3", "1", "QQ", "3", "6", "c", "e", "1", "n", "n", "n", "5"}), 0)
      << m.Said();
  Lines table = {Zones({"semana", "QQ"})};
  for (int w = 3; w <= 6; ++w) table.push_back(WeekRow(w, {std::to_string(QOf(w))}));
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL1.txt")), table);
  // The output replaced was not stored: the definitions file is left empty.
  EXPECT_TRUE(m.dir.Has("defs.txt"));
  EXPECT_EQ(m.dir.Read("defs.txt"), "");
  EXPECT_FALSE(m.dir.Has("defs.txt.bak"));
}

TEST(ResultsProgramStatic, CompleteListingAndChartAsTheFirstAction) {
  GeneratedModel m(fs::path(KORVA_SOURCE_DIR) / "examples" / "poblacion", "POB");
  ASSERT_TRUE(m.generated);
  ASSERT_EQ(m.Run("D", TextLinesOf(m.dir.Read("ejecucion/datos.txt"))), 0) << m.Said();
  ASSERT_EQ(m.Run("S", TextLinesOf(m.dir.Read("ejecucion/simulador.txt"))), 0) << m.Said();
  Lines results = LinesOf(m.dir.Read("resul1"));
  ASSERT_EQ(results.size(), 3u);  // NAC, MUE, POB
  const double nac = std::stod(results[0]), mue = std::stod(results[1]), pob = std::stod(results[2]);

  ASSERT_EQ(m.Run("R", {"1", "0", "1", "1", "5"}), 0) << m.Said();
  Lines listing = LinesOf(m.dir.Read("COMPL1.txt"));
  for (const std::string& value : results) EXPECT_TRUE(Has(listing, value)) << value;

  ASSERT_EQ(m.Run("R", {"1", "2", "3", "NAC", "MUE", "POB", "g", "e", "1", "n", "5"}), 0) << m.Said();
  const double lo = std::min({nac, mue, pob}), hi = std::max({nac, mue, pob});
  Lines chart = ChartHeading(
      {"NAC", "MUE", "POB"},
      {"NAC nacimientos del a\xF1o...", "MUE muertes del a\xF1o...", "POB poblaci\xF3n al final del a\xF1o..."}, 1,
      static_cast<float>(lo), static_cast<float>(hi), "");
  chart.push_back(Printed(1) + Bar({{nac, 1}, {mue, 2}, {pob, 3}}, lo, hi));
  chart.push_back("   |");
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL1.txt")), chart);
}

TEST(ResultsProgramSizes, AnArraySizedByASizeVariableTakesItsValuesFromTheControlFile) {
  // Two scalars, AR of 5 by N, then S3: korva writes the results program.
  testing::CreateRun c(
      {"AA a", "BB b", "S1 uno [ince=n;esta=n;ndim=0;tabl=n;", "S2 dos [ince=n;esta=n;ndim=0;tabl=n;",
       "AR tabla [ince=n;esta=n;ndim=2;d1=5;d2=N;tabl=n;", "S3 tres [ince=n;esta=n;ndim=0;tabl=n;"},
      {"S1   AA", "S2   BB", "AR   S1", "S3   AR,S2"},
      testing::Join(testing::StaticSetUp(2), {"n", "n", "1", "S1=AA", "n", "s", "1", "S2=BB", "n", "s", "1",
                                              "AR(i1,i2)=S1", "n", "s", "1", "S3=AR(1,1)+S2", "n", "s", "n"}));
  c.Go();
  ASSERT_EQ(c.ended, EndReason::kFinished);
  // A static run with N = 2: 2 + 5*2 + 1 values, the q-th being q.
  c.dir.Write("R1ic", "13,\"n\",0,0,0,1,2\r\n");
  c.dir.Write("resul1", ResultsText(1, 13, [](int, int q) { return std::to_string(q); }));
  auto out =
      RunIn(c.dir, c.dir.Read("RM.bas"), {"1", "0", "1", "1", "2", "2", "S3", "AR", "5", "2", "c", "e", "1", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines listing = LinesOf(c.dir.Read("COMPL1.txt"));
  Lines array;
  for (int q = 3; q <= 12; ++q) array.push_back(std::to_string(q));
  auto after = [&](const std::string& name) {
    auto at = std::find_if(listing.begin(), listing.end(), [&](const std::string& l) { return l.starts_with(name); });
    return at == listing.end() || at + 2 >= listing.end() ? std::string("(no está)") : *(at + 2);
  };
  EXPECT_EQ(after("AR tabla"), Zones(array));
  EXPECT_EQ(after("S3 tres"), "13");
  // AR(5,2) is the last element of the array: the 12th value.
  EXPECT_EQ(LinesOf(c.dir.Read("EXCEL1.txt")), (Lines{Zones({"", "S3", "AR(5,2)"}), Zones({" 1 ", "13", "12"})}));
}

TEST(ResultsProgramUncertainty, UncertainFunctionsAloneChartTheirIntervals) {
  GeneratedModel m = Weeks(true);
  ASSERT_TRUE(m.generated);
  // 4 weeks, 5 repetitions, 4 degrees of freedom for the chi-squares.
  ASSERT_EQ(m.Run("D", {"1", "", "0", "", "0", "5", "2", "7", "4", "9", "", "5", "1", "6"}), 0) << m.Said();
  ASSERT_EQ(m.Run("S", {"4", "1", "1", "5", "0", "1", "1", "n", "4", "n"}), 0) << m.Said();
  // A chart of QQ with t = 2: over 5 repetitions the ends are the mean -/+ the deviation.
  ASSERT_EQ(m.Run("R", {"1", "2", "1", "QQ", "1", "4", "2", "g", "e", "1", "n", "5"}), 0) << m.Said();
  Lines results = LinesOf(m.dir.Read("resul1"));
  ASSERT_EQ(results.size(), 8u) << "CU and QQ, four weeks";
  std::vector<std::pair<float, float>> ends;
  for (size_t w = 0; w < 4; ++w) {
    float mean = 0, deviation = 0;
    ASSERT_EQ(std::sscanf(results[2 * w + 1].c_str(), "%f,%f", &mean, &deviation), 2) << results[2 * w + 1];
    ends.emplace_back(static_cast<float>(mean - 2 * deviation / 2.0), static_cast<float>(mean + 2 * deviation / 2.0));
  }
  float lo = ends[0].first, hi = ends[0].second;
  for (const auto& [low, high] : ends) lo = std::min(lo, low), hi = std::max(hi, high);
  Lines chart = ChartHeading({"QQ"}, {"QQ valor vigente del cambio..."}, 1, lo, hi, "semana");
  for (int w = 1; w <= 4; ++w) {
    const auto& [low, high] = ends[static_cast<size_t>(w - 1)];
    chart.insert(chart.end(), {Printed(w) + Bar({{low, 1}}, lo, hi), Printed(w) + Bar({{high, 1}}, lo, hi), "   |"});
  }
  EXPECT_EQ(LinesOf(m.dir.Read("EXCEL1.txt")), chart);
}

// A dynamic model of two scalars over two months.
Model TwoScalars(const std::string& second = "cd") {
  Model m;
  m.idLength = 2;
  m.variables = {{"ab", "Primera...", ""}, {second, "Segunda...", "1"}};
  return m;
}

TEST(ResultsProgramCharts, IntervalEndsKeepTheirSymbols) {
  TempDir dir;
  Model m = TwoScalars();
  m.uncertain = 1;
  dir.Write("R1ic", "2,\"s\",2,1,0,5\r\n");
  // t = 2 over 5 repetitions: ab 19..21 and cd 8..12, then ab 14..16 and cd 9..11.
  dir.Write("resul1", "20,1,.5\r\n10,2,.5\r\n15,1,.5\r\n10,1,.5\r\n");
  auto out = RunIn(dir, ResultsProgram(m), {"1", "2", "2", "ab", "cd", "1", "2", "2", "g", "e", "1", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines expected = ChartHeading({"ab", "cd"}, {"Primera...", "Segunda..."}, 1, 8, 21);
  expected.insert(expected.end(),
                  {Printed(1) + Bar({{19, 1}, {8, 2}}, 8, 21), Printed(1) + Bar({{21, 1}, {12, 2}}, 8, 21), "   |",
                   Printed(2) + Bar({{14, 1}, {9, 2}}, 8, 21), Printed(2) + Bar({{16, 1}, {11, 2}}, 8, 21), "   |"});
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")), expected);
}

TEST(ResultsProgramCharts, ASmallRangeIsScaledInFifthsAndNeighboursAtTheMinimumBothShow) {
  TempDir dir;
  dir.Write("R1ic", "2,\"s\",2,1,0,1\r\n");
  // ab at the minimum and cd one column to its right; then cd inside the range.
  dir.Write("resul1", "0\r\n.08\r\n4.75\r\n2.1\r\n");
  auto out = RunIn(dir, ResultsProgram(TwoScalars()), {"1", "2", "2", "ab", "cd", "1", "2", "g", "e", "1", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines expected = ChartHeading({"ab", "cd"}, {"Primera...", "Segunda..."}, 1, 0, 4.75f);
  expected.insert(expected.end(),
                  {Printed(1) + "|12", "   |", Printed(2) + Bar({{4.75, 1}, {2.1, 2}}, 0, 4.75), "   |"});
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")), expected);
  EXPECT_EQ(expected[7], "    0              .95            1.9            2.85           3.8 ");
}

TEST(ResultsProgramCharts, AChartOfATextDoesNotStopLaterCharts) {
  TempDir dir;
  dir.Write("R1ic", "2,\"s\",2,1,0,1\r\n");
  dir.Write("resul1", "1\r\n\"uno\"\r\n3\r\n\"tres\"\r\n");
  auto out = RunIn(dir, ResultsProgram(TwoScalars("te")),
                   {"1", "2", "1", "te", "1", "2", "g", "e", "1", "s", "n", "1", "ab", "1", "2", "g", "e", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), Lines{"No puedo representar gráficamente literales."});
  Lines expected = ChartHeading({"ab"}, {"Primera..."}, 1, 1, 3);
  expected.insert(expected.end(), {Printed(1) + Bar({{1, 1}}, 1, 3), "   |", Printed(2) + Bar({{3, 1}}, 1, 3), "   |"});
  EXPECT_EQ(LinesOf(dir.Read("EXCEL2.txt")), expected);
}

TEST(ResultsProgramComplete, AfterAnIntervalOutputTheListingStillShowsMeansDeviationsAndChiSquares) {
  Model m = TwoScalars();
  m.uncertain = 1;
  const char* const results = "10,1,.5\r\n20,2,.25\r\n12,1.5,.75\r\n24,3,1\r\n";
  TempDir alone, after;
  for (const TempDir* dir : {&alone, &after}) {
    dir->Write("R1ic", "2,\"s\",2,1,0,5\r\n");
    dir->Write("resul1", results);
  }
  ASSERT_EQ(RunIn(alone, ResultsProgram(m), {"1", "0", "1", "1", "5"}).status, 0);
  // A table of ab with t = 2 first.
  ASSERT_EQ(
      RunIn(after, ResultsProgram(m), {"1", "2", "1", "ab", "1", "2", "2", "c", "e", "1", "n", "0", "1", "1", "5"})
          .status,
      0);
  Lines listing = LinesOf(after.Read("COMPL1.txt"));
  EXPECT_EQ(listing, LinesOf(alone.Read("COMPL1.txt")));
  // The first value under "VALORES MEDIOS" is ab's mean in month 1.
  auto means = std::find(listing.begin(), listing.end(), "      VALORES MEDIOS");
  ASSERT_LT(means + 5, listing.end());
  EXPECT_EQ(*(means + 5), " 10");
}

TEST(ResultsProgramAnswers, MistypedNumbersAreAskedAgainWithTheirReason) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  dir.Write("resul1", ResultsText(4, 14, PopulationValue));
  auto out =
      RunIn(dir, ResultsProgram(Population()), {"x",    "1",      "",  "dos", "2",              // simulation, menu
                                                "5",    "cuatro", "1", "pob",                   // how many variables
                                                "once", "11",     "",  "12",  "c",        "e",  // window
                                                "x",    "1",      "n",                          // first EXCEL file
                                                "0",    "",       "1", "uno", "1",              // complete listing
                                                "1",    "a",      "1", "1",   "nada.txt", "",   // stored outputs, none
                                                "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  Lines messages = Messages(out);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), kNotANumber), 10);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Puede visualizar de 1 a 4 variables."), 1);
  Lines prompts = Prompts(out);
  auto asked = [&](const std::string& prompt) { return std::count(prompts.begin(), prompts.end(), prompt); };
  EXPECT_EQ(asked("¿Número de la simulación que desea visualizar?"), 2);
  EXPECT_EQ(asked(kMenu), 6);
  EXPECT_EQ(asked("¿Cuantas variables desea visualizar? (Hasta 4)"), 3);
  EXPECT_EQ(asked("Entre  11 y  14¿Cual es el(la) primer(a) mes que desea visualizar?"), 2);
  EXPECT_EQ(asked("¿Y el(la) último(a)?"), 2);
  EXPECT_EQ(asked("¿Número del primer fichero EXCEL?"), 2);
  EXPECT_EQ(asked("¿Número menor de las simulaciones que desea visualizar?"), 4);
  EXPECT_EQ(asked("¿Número mayor de las simulaciones que desea visualizar?"), 3);
  EXPECT_EQ(LinesOf(dir.Read("EXCEL1.txt")),
            (Lines{Zones({"mes", "pob"}), Zones({" 11 ", "101"}), Zones({" 12 ", "201"})}));
  EXPECT_TRUE(dir.Has("COMPL1.txt"));

  // The t of Student, asked with uncertainty.
  TempDir uncertain;
  Model m = TwoScalars();
  m.uncertain = 1;
  uncertain.Write("R1ic", "2,\"s\",2,1,0,5\r\n");
  uncertain.Write("resul1", "10,1,.5\r\n20,2,.25\r\n12,1.5,.75\r\n24,3,1\r\n");
  out = RunIn(uncertain, ResultsProgram(m), {"1", "2", "1", "ab", "1", "2", "t", "0", "c", "e", "1", "n", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), Lines{kNotANumber});
  EXPECT_TRUE(uncertain.Has("EXCEL1.txt"));
}

TEST(ResultsProgramAnswers, ARenameToAnExistingNameIsAskedAgain) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  const char* const record = "4,1,1,\"pob\",\"\",\"\",\"\",1,0,0,0,\"c\",1,2,0\r\n";
  dir.Write("defs.txt", record);
  dir.Write("otro.txt", "otro\r\n");
  // Keep the output (stored under defs.txt again), add none, rename it.
  auto out = RunIn(dir, ResultsProgram(Population()),
                   {"1", "3", "defs.txt", "1", "defs.txt", "n", "s", "otro.txt", "final.txt", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), Lines{"Ya existe un fichero con ese nombre. Deme otro nombre."});
  Lines prompts = Prompts(out);
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Deme el nombre nuevo."), 2);
  EXPECT_EQ(dir.Read("final.txt"), record);
  EXPECT_EQ(dir.Read("otro.txt"), "otro\r\n");
  EXPECT_FALSE(dir.Has("defs.txt"));
}

TEST(ResultsProgramAnswers, TheErrorRoutineNumbersAnUnknownErrorAndKeepsTheLastMessage) {
  TempDir dir;
  dir.Write("R1ic", kPopulationControl);
  std::filesystem::create_directory(dir / "carpeta");
  // A definitions file that does not exist, then one that is a folder (error 75).
  auto out =
      RunIn(dir, ResultsProgram(Population()), {"1", "1", "1", "1", "nada.txt", "", "1", "1", "1", "carpeta", "", "5"});
  ASSERT_EQ(out.status, 0) << out.messages;
  EXPECT_EQ(Messages(out), Lines{"Error:  75"});
  Lines prompts = Prompts(out);
  const std::string notFound = "FICHERO NO ENCONTRADO     - PULSE ENTER PARA CONTINUAR";
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), notFound), 2);
}

}  // namespace
}  // namespace korva
