// The text of an uncertain input, end to end: typed in the data-entry program
// (beginning with a double quote, as its help message tells), saved, read by
// the simulator and drawn from. The azar model: X uncertain, Y = X; records
// per repetition and week: Y, then Q (the value of a changing input).
#include <gtest/gtest.h>

#include <cmath>

#include "support/generated_model.h"

namespace korva {
namespace {

using testing::GeneratedModel;
using testing::TextLinesOf;

std::vector<std::string> DataWithX(const std::string& x) {
  return {"1", "", x, "", "0", "5", "2", "7", "4", "9", "", "5", "1", "6"};
}

// One week, `repetitions` repetitions, simulation 1 alone, no report, then the
// degrees of freedom of the normality test and no other simulation.
std::vector<std::string> Repetitions(int repetitions) {
  return {"1", "1", "1", std::to_string(repetitions), "0", "1", "1", "n", "4", "n"};
}

// The values of Y (that is, of X) drawn in each repetition.
std::vector<float> Draws(const GeneratedModel& model) {
  std::vector<float> records = model.Records("resul1.ale");
  std::vector<float> draws;
  for (size_t i = 0; i < records.size(); i += 2) draws.push_back(records[i]);
  return draws;
}

TEST(UncertainText, ALeadingQuoteIsNotPartOfTheData) {
  struct Case {
    const char* typed;
    const char* saved;  // the record of the data file
  } cases[] = {{"\"1;0.05", "\"1;0.05\""}, {"\"7", "\"7\""}, {"\"1;25/2;75\"", "\"1;25/2;75\""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    GeneratedModel model = GeneratedModel::Example("azar");
    ASSERT_EQ(model.status, 0);
    ASSERT_EQ(model.Run("DAZA.bas", DataWithX(c.typed)), 0) << model.Messages();
    std::vector<std::string> data = TextLinesOf(model.dir.Read("DATOS1.txt"));
    ASSERT_GE(data.size(), 2u);
    EXPECT_EQ(data[1], c.saved);
    const int n = 400;
    ASSERT_EQ(model.Run("SAZA.bas", Repetitions(n), 5), 0) << model.Messages();
    std::vector<float> draws = Draws(model);
    ASSERT_EQ(draws.size(), static_cast<size_t>(n));
    double sum = 0;
    for (float v : draws) sum += v;
    if (std::string(c.typed) == "\"1;0.05") {
      EXPECT_NEAR(sum / n, 1.0, 4 * 0.05 / std::sqrt(n));
    } else if (std::string(c.typed) == "\"7") {
      EXPECT_EQ(sum, 7.0 * n);
    } else {
      for (float v : draws) EXPECT_TRUE(v == 1.0f || v == 2.0f) << v;
      EXPECT_NEAR(sum / n, 1.75, 4 * std::sqrt(0.25 * 0.75 / n));
    }
  }
}

TEST(UncertainText, ATextThatIsNoDistributionStopsTheSimulatorNamingTheInput) {
  for (const char* wrong : {"", "mucho", "1;x", "10;2;3", "1;20/2", "1;20//2;80"}) {
    SCOPED_TRACE(wrong);
    GeneratedModel model = GeneratedModel::Example("azar");
    ASSERT_EQ(model.status, 0);
    ASSERT_EQ(model.Run("DAZA.bas", DataWithX(wrong)), 0) << model.Messages();
    model.Run("SAZA.bas", Repetitions(3));
    EXPECT_NE(model.Screen().find("El dato de la variable X no es válido: \"" + std::string(wrong) + "\""),
              std::string::npos)
        << model.Screen();
    EXPECT_TRUE(model.Records("resul1.ale").empty()) << "nothing is drawn from it";
  }
  // The forms that are distributions pass, the closing "/" of the last pair optional.
  for (const char* right : {"12.5", " 3 ", "10;2", "1;20/2;80", "1;20/2;80/"}) {
    SCOPED_TRACE(right);
    GeneratedModel model = GeneratedModel::Example("azar");
    ASSERT_EQ(model.Run("DAZA.bas", DataWithX(right)), 0) << model.Messages();
    ASSERT_EQ(model.Run("SAZA.bas", Repetitions(3)), 0) << model.Messages();
    EXPECT_EQ(model.Screen().find("no es válido"), std::string::npos);
    EXPECT_EQ(Draws(model).size(), 3u);
  }
}

}  // namespace
}  // namespace korva
