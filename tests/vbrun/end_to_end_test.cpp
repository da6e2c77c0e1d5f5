// Every example of the create path, end to end: korva replays the example's
// answers and writes the modules; korva-vbrun runs the data-entry program
// through a pipe, then the simulator, and the numbers they write are checked
// against values worked out here, from the model's own definition.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/dialogue_run.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::DialogueRun;
using testing::TempDir;
using testing::TextLinesOf;

// A fresh folder holding the example's modules, written by replaying its answers.
class Example {
 public:
  explicit Example(const std::string& name) {
    fs::path source = fs::path(KORVA_SOURCE_DIR) / "examples" / name;
    fs::copy(source, dir.dir(), fs::copy_options::recursive);
    std::vector<std::string> answers = TextLinesOf(dir.Read("stdin.txt"));
    answers.insert(answers.begin(), dir.dir());
    DialogueRun run(answers);
    generated = run.Go() == 0;
  }

  // Runs korva-vbrun on `module` with the answers piped to it; returns its exit status.
  int Run(const std::string& module, const std::vector<std::string>& answers, int seed = 1) {
    std::string piped;
    for (const std::string& a : answers) piped += a + "\n";
    dir.Write("answers.txt", piped);
    std::string command = "cd '" + dir.path() + "' && '" + KORVA_VBRUN_BINARY + "' --seed " + std::to_string(seed) +
                          " " + module + " <answers.txt >screen.txt 2>messages.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Messages() const { return dir.Read("messages.txt"); }

  // The single-precision records of a random-access results file.
  std::vector<float> Records(const std::string& name) const {
    std::string bytes = dir.Read(name);
    std::vector<float> out(bytes.size() / 4);
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
  }

  TempDir dir;
  bool generated = false;
};

// The data-entry program's answers for a first filling (menu 1) of scalar
// inputs, then saving as simulation 1 (menu 5) and leaving (menu 6).
std::vector<std::string> FillAndSave(const std::vector<std::string>& values) {
  std::vector<std::string> answers = {"1", ""};  // initial filling; no data file to read
  for (const std::string& v : values) {
    answers.push_back(v);
    answers.push_back("");  // go on
  }
  answers.insert(answers.end(), {"5", "1", "6"});
  return answers;
}

TEST(EndToEnd, PopulationModel) {
  Example ex("poblacion");
  ASSERT_TRUE(ex.generated);
  ASSERT_EQ(ex.Run("DPOB.bas", FillAndSave({"1234", "0.025", "0.0125"})), 0) << ex.Messages();
  EXPECT_EQ(ex.dir.Read("DATOS1.txt"),
            "PIN poblaci\xF3n inicial\r\n\"1234\"\r\nTNA tasa de natalidad\r\n\"0.025\"\r\n"
            "TMO tasa de mortalidad\r\n\"0.0125\"\r\n");
  ASSERT_EQ(ex.Run("SPOB.bas", {"1", "1", "n", "n"}), 0) << ex.Messages();
  // Births and deaths are whole numbers (NAC, MUE As Integer): rates times the
  // initial population in single precision, rounded half to even.
  float pin = 1234.0f;
  int births = static_cast<int>(std::nearbyint(0.025f * pin));
  int deaths = static_cast<int>(std::nearbyint(0.0125f * pin));
  EXPECT_EQ(births, 31);
  std::vector<std::string> expected = {std::to_string(births), std::to_string(deaths),
                                       std::to_string(static_cast<int>(pin) + births - deaths)};
  EXPECT_EQ(TextLinesOf(ex.dir.Read("resul1")), expected);
  EXPECT_EQ(ex.dir.Read("R1ic"), "3,\"n\",0,0,0,0\r\n");
}

// The nearest point of a numeric table, the first of equally near ones.
float Nearest(const std::string& table, float a, float b) {
  std::vector<std::string> lines = TextLinesOf(table);
  double best = 1e30;
  float value = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    float x1, x2, y;
    if (std::sscanf(lines[i].c_str(), "%f,%f,%f", &x1, &x2, &y) != 3) continue;
    double d = std::sqrt((a - x1) * (a - x1) + (b - x2) * (b - x2));
    if (d < best) best = d, value = y;
  }
  return value;
}

TEST(EndToEnd, TablesPickTheNearestPointAndTheMatchingText) {
  struct Case {
    const char* sup;
    const char* alt;
    const char* soil;
    const char* expectedText;
  } cases[] = {
      {"12", "1.2", "arena", "bajo"},
      {"15", "1", "arcilla", "alto"},  // equally near (10,1) and (20,1): the first
      {"19", "1.9", "limo", ""},       // no row of the literal table matches
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sup);
    Example ex("tablas");
    ASSERT_TRUE(ex.generated);
    ASSERT_EQ(ex.Run("DTAB.bas", FillAndSave({c.sup, c.alt, c.soil})), 0) << ex.Messages();
    ASSERT_EQ(ex.Run("STAB.bas", {"1", "1", "n", "n"}), 0) << ex.Messages();
    float ren = Nearest(ex.dir.Read("REN"), std::stof(c.sup), std::stof(c.alt));
    std::vector<std::string> results = TextLinesOf(ex.dir.Read("resul1"));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(std::stof(results[0]), ren);
    EXPECT_EQ(results[1], "\"" + std::string(c.expectedText) + "\"");
  }
}

// The azar model: X uncertain (its text in the data file says how), Y = X;
// Z changes value at given weeks, Q = Val(Z). Records per repetition and week: Y, Q.
// A simulator with repetitions: weeks, step 1, every week recorded, the
// repetitions, week 0 first, simulation 1 alone, no progress report; then the
// degrees of freedom of the normality test, and no other simulation.
std::vector<std::string> SimulatorAnswers(int weeks, int repetitions) {
  return {std::to_string(weeks), "1", "1", std::to_string(repetitions), "0", "1", "1", "n", "4", "n"};
}

// The lines "mean,deviation,chi-square" of a results file.
std::vector<std::vector<double>> Statistics(const std::string& text) {
  std::vector<std::vector<double>> rows;
  for (const std::string& line : TextLinesOf(text)) {
    std::vector<double> row;
    size_t start = 0;
    while (start <= line.size()) {
      size_t comma = line.find(',', start);
      if (comma == std::string::npos) comma = line.size();
      row.push_back(std::stod(line.substr(start, comma - start)));
      start = comma + 1;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> AzarData(const std::string& x) {
  return {"1", "", x, "", "0", "5", "2", "7", "4", "9", "", "5", "1", "6"};
}

TEST(EndToEnd, ConstantUncertainInputAndChangesOfValue) {
  Example ex("azar");
  ASSERT_TRUE(ex.generated);
  ASSERT_EQ(ex.Run("DAZA.bas", AzarData("7")), 0) << ex.Messages();
  int weeks = 5, repetitions = 3;
  ASSERT_EQ(ex.Run("SAZA.bas", SimulatorAnswers(weeks, repetitions)), 0) << ex.Messages();
  std::vector<float> records = ex.Records("resul1.ale");
  ASSERT_EQ(records.size(), static_cast<size_t>(weeks * repetitions * 2));
  // Z is 5 from week 0, 7 from week 2, 9 from week 4.
  auto valueAt = [](int week) { return week >= 4 ? 9.0f : week >= 2 ? 7.0f : 5.0f; };
  for (int r = 0; r < repetitions; ++r) {
    for (int t = 1; t <= weeks; ++t) {
      size_t at = static_cast<size_t>((r * weeks + (t - 1)) * 2);
      EXPECT_EQ(records[at], 7.0f) << "repetition " << r << " week " << t;
      EXPECT_EQ(records[at + 1], valueAt(t)) << "repetition " << r << " week " << t;
    }
  }
  EXPECT_EQ(ex.dir.Read("R1ic"), "2,\"s\",5,1,0,3\r\n");
  // The repetitions are reduced to mean, deviation and chi-square: equal
  // repetitions have deviation 0 and chi-square 0.
  std::vector<std::vector<double>> rows = Statistics(ex.dir.Read("resul1"));
  ASSERT_EQ(rows.size(), static_cast<size_t>(weeks * 2));
  for (int t = 1; t <= weeks; ++t) {
    EXPECT_EQ(rows[static_cast<size_t>(2 * (t - 1))], (std::vector<double>{7, 0, 0})) << "week " << t;
    EXPECT_EQ(rows[static_cast<size_t>(2 * (t - 1) + 1)], (std::vector<double>{valueAt(t), 0, 0})) << "week " << t;
  }
}

TEST(EndToEnd, OneRepetitionWritesEachValueWithZeros) {
  Example ex("azar");
  ASSERT_TRUE(ex.generated);
  ASSERT_EQ(ex.Run("DAZA.bas", AzarData("10;2")), 0) << ex.Messages();
  ASSERT_EQ(ex.Run("SAZA.bas", SimulatorAnswers(3, 1)), 0) << ex.Messages();
  std::vector<float> records = ex.Records("resul1.ale");
  std::vector<std::string> lines = TextLinesOf(ex.dir.Read("resul1"));
  ASSERT_EQ(lines.size(), records.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_TRUE(lines[i].ends_with(" ,0,0")) << lines[i];
    // Printed with the 7 significant digits of a Single.
    EXPECT_NEAR(std::stof(lines[i]), records[i], 1e-6 * std::fabs(records[i]) + 1e-7) << lines[i];
  }
}

std::vector<float> DrawsOfX(const std::string& x, int repetitions) {
  Example ex("azar");
  EXPECT_TRUE(ex.generated);
  EXPECT_EQ(ex.Run("DAZA.bas", AzarData(x)), 0) << ex.Messages();
  EXPECT_EQ(ex.Run("SAZA.bas", SimulatorAnswers(1, repetitions), 7), 0) << ex.Messages();
  std::vector<float> records = ex.Records("resul1.ale");
  std::vector<float> draws;
  for (size_t i = 0; i < records.size(); i += 2) draws.push_back(records[i]);
  EXPECT_EQ(draws.size(), static_cast<size_t>(repetitions));
  return draws;
}

TEST(EndToEnd, NormalInputHasItsMeanAndDeviation) {
  const int n = 4000;
  std::vector<float> draws = DrawsOfX("10;2", n);
  double sum = 0, squares = 0;
  for (float v : draws) sum += v, squares += double(v) * v;
  double mean = sum / n;
  double deviation = std::sqrt(squares / n - mean * mean);
  // Four standard errors: of the mean 2/sqrt(n), of the deviation about 2/sqrt(2n).
  EXPECT_NEAR(mean, 10.0, 4 * 2.0 / std::sqrt(n));
  EXPECT_NEAR(deviation, 2.0, 4 * 2.0 / std::sqrt(2.0 * n) + 0.02);  // plus the table's interpolation
}

TEST(EndToEnd, StatisticsOfANormalInput) {
  // The simulator's own statistics of the repetitions agree with the draws.
  const int n = 2000;
  Example ex("azar");
  ASSERT_TRUE(ex.generated);
  ASSERT_EQ(ex.Run("DAZA.bas", AzarData("10;2")), 0) << ex.Messages();
  ASSERT_EQ(ex.Run("SAZA.bas", SimulatorAnswers(1, n), 3), 0) << ex.Messages();
  std::vector<float> records = ex.Records("resul1.ale");
  double sum = 0, squares = 0;
  for (size_t i = 0; i < records.size(); i += 2) sum += records[i];
  const double mean = sum / n;
  for (size_t i = 0; i < records.size(); i += 2) squares += (records[i] - mean) * (records[i] - mean);
  const double deviation = std::sqrt(squares / (n - 1));
  std::vector<std::vector<double>> rows = Statistics(ex.dir.Read("resul1"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NEAR(rows[0][0], mean, 1e-3);
  EXPECT_NEAR(rows[0][1], deviation, 1e-3);
  EXPECT_NEAR(rows[0][0], 10.0, 4 * 2.0 / std::sqrt(n));
  EXPECT_NEAR(rows[0][1], 2.0, 0.15);
  // Four degrees of freedom: a normal sample's chi-square is rarely above 25.
  EXPECT_LT(rows[0][2], 25.0);
  EXPECT_EQ(rows[1], (std::vector<double>{5, 0, 0})) << "the changing input is the same in every repetition";
}

TEST(EndToEnd, DiscreteInputTakesItsValuesWithTheirFrequencies) {
  const int n = 4000;
  std::vector<float> draws = DrawsOfX("1;25/2;75", n);
  std::map<float, int> counts;
  for (float v : draws) counts[v]++;
  ASSERT_EQ(counts.size(), 2u) << "only the two values are drawn";
  double share = double(counts[1.0f]) / n;
  EXPECT_NEAR(share, 0.25, 4 * std::sqrt(0.25 * 0.75 / n));
}

TEST(EndToEnd, EpidemicModelWithAnUncertainFunction) {
  // CON is drawn from a normal of mean h and deviation 0.1 h, with
  // h = TAS * (POB(1) + POB(2) + POB(3)) - VAC, VAC changing at weeks 2 and 4.
  Example ex("incertidumbre");
  ASSERT_TRUE(ex.generated);
  std::vector<std::string> data = {"1", "",  "0.01", "",  "100", "200", "300", "",  "0",
                                   "5", "2", "7",    "4", "9",   "",    "5",   "1", "6"};
  ASSERT_EQ(ex.Run("DEPI.bas", data), 0) << ex.Messages();
  const int weeks = 5, repetitions = 1000;
  ASSERT_EQ(ex.Run("SEPI.bas", SimulatorAnswers(weeks, repetitions)), 0) << ex.Messages();
  std::vector<float> records = ex.Records("resul1.ale");
  ASSERT_EQ(records.size(), static_cast<size_t>(weeks * repetitions));
  for (int t = 1; t <= weeks; ++t) {
    double h = 0.01 * (100 + 200 + 300) - (t >= 4 ? 9 : t >= 2 ? 7 : 5);
    double sum = 0;
    for (int r = 0; r < repetitions; ++r) sum += records[static_cast<size_t>(r * weeks + t - 1)];
    EXPECT_NEAR(sum / repetitions, h, 4 * 0.1 * std::fabs(h) / std::sqrt(repetitions) + 1e-4) << "week " << t;
  }
  EXPECT_EQ(ex.dir.Read("R1ic"), "1,\"s\",5,1,0,1000\r\n");
}

TEST(EndToEnd, GeneticModelDataEntry) {
  Example ex("genetico");
  ASSERT_TRUE(ex.generated);
  // Arrays are asked element by element: CRI(6), then PAR(5,3) in row order.
  std::vector<std::string> answers = {"1", ""};
  for (int i = 1; i <= 6; ++i) answers.push_back(std::to_string(i));
  answers.push_back("");
  for (int i = 1; i <= 15; ++i) answers.push_back(std::to_string(10 * i));
  answers.insert(answers.end(), {"", "5", "1", "6"});
  ASSERT_EQ(ex.Run("DOPT.bas", answers), 0) << ex.Messages();
  std::vector<std::string> lines = TextLinesOf(ex.dir.Read("DATOS1.txt"));
  ASSERT_EQ(lines.size(), 1u + 6 + 1 + 15);
  EXPECT_EQ(lines[6], "\"6\"");
  EXPECT_EQ(lines[8], "\"10\"");
  EXPECT_EQ(lines[22], "\"150\"");
  // The values are shown on the debug stream before the confirmation.
  EXPECT_NE(ex.Messages().find("6\n"), std::string::npos);
}

// The genetic model: OBJ = (CRO(1) - PAR(1,1))^2 + (CRO(2) - PAR(2,1))^2, least
// where the first two genes stand at the lower limits of their ranges.
TEST(EndToEnd, GeneticAlgorithmApproachesTheKnownMinimum) {
  Example ex("genetico");
  ASSERT_TRUE(ex.generated);
  // Initial chromosome 5 (objective slot last); each gene ranges over its
  // limits (2 to 8, 1 to 9, then 0 to 10) within a window of 100 %.
  std::vector<std::string> data = {"1", "", "5", "5", "5", "5", "5", "5", ""};
  for (const char* row : {"2,8,100", "1,9,100", "0,10,50", "0,10,50", "0,10,50"}) {
    std::string text = row;
    size_t a = text.find(','), b = text.rfind(',');
    data.insert(data.end(), {text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1)});
  }
  data.insert(data.end(), {"", "5", "1", "6"});
  ASSERT_EQ(ex.Run("DOPT.bas", data), 0) << ex.Messages();
  // Population 30, half kept, 3 immigrants, 20 per thousand mutant genes,
  // 15 generations, 3 iterations; simulation 1; no report; no other.
  ASSERT_EQ(ex.Run("SOPT.bas", {"30", "50", "3", "20", "15", "3", "1", "1", "n", "n"}), 0) << ex.Messages();
  std::vector<std::string> results = TextLinesOf(ex.dir.Read("resul1"));
  ASSERT_EQ(results.size(), 7u) << "the six values of the chromosome and the objective";
  std::vector<double> genes;
  for (const std::string& line : results) genes.push_back(std::stod(line));
  const double initial = (5.0 - 2) * (5.0 - 2) + (5.0 - 1) * (5.0 - 1);
  const double found = (genes[0] - 2) * (genes[0] - 2) + (genes[1] - 1) * (genes[1] - 1);
  EXPECT_NEAR(genes[6], found, 1e-4) << "the objective written is the chromosome's";
  EXPECT_NEAR(genes[5], genes[6], 1e-4) << "the chromosome's last value holds its objective";
  EXPECT_LT(found, initial);
  EXPECT_LT(found, 0.5) << "near the minimum 0";
  EXPECT_GE(genes[0], 2.0);
  EXPECT_GE(genes[1], 1.0);
}

}  // namespace
}  // namespace korva
