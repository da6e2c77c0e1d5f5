// The community's public test models simulated with `korva-xmile simular`,
// every column compared with the reference output at every time.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/temp_dir.h"
#include "xmile/results_table.h"
#include "xmile/xmile_run.h"

namespace korva {
namespace {

using testing::ReferenceModel;
using testing::RunXmile;
using testing::TempDir;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Reference {
  const char* model;
  const char* output;
};

class ReferenceModel_ : public ::testing::TestWithParam<Reference> {};

TEST_P(ReferenceModel_, SimulatesToTheReferenceOutput) {
  const Reference reference = GetParam();
  TempDir dir;
  const testing::XmileRun run = RunXmile({"simular", ReferenceModel(reference.model), "-o", dir / "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string output = reference.output;
  const testing::ResultsTable ours = testing::ParseResults(FileText(dir / "out.csv"), ',');
  const testing::ResultsTable expected =
      testing::ParseResults(FileText(ReferenceModel(output)), output.ends_with(".tab") ? '\t' : ',');
  ASSERT_FALSE(ours.columns.empty());
  ASSERT_FALSE(ours.times.empty());
  int compared = 0;
  const std::vector<std::string> differences = testing::Differences(ours, expected, &compared);
  EXPECT_TRUE(differences.empty()) << ::testing::PrintToString(differences);
  // Every value of every row was compared (each row's time is in the
  // reference); some references leave out constants and settings.
  size_t shared = 0;
  for (const std::string& column : ours.columns) shared += expected.Column(column).has_value();
  EXPECT_GE(shared, 1u);
  EXPECT_EQ(compared, static_cast<int>(ours.times.size() * shared));
  EXPECT_EQ(ours.times.front(), expected.times.front());
  EXPECT_EQ(ours.times.back(), expected.times.back());
}

INSTANTIATE_TEST_SUITE_P(
    Public, ReferenceModel_,
    ::testing::Values(Reference{"abs/test_abs.xmile", "abs/output.csv"},
                      Reference{"builtin_max/builtin_max.xmile", "builtin_max/output.csv"},
                      Reference{"builtin_min/builtin_min.xmile", "builtin_min/output.csv"},
                      Reference{"chained_initialization/test_chained_initialization.xmile",
                                "chained_initialization/output.tab"},
                      Reference{"comparisons/comparisons.xmile", "comparisons/output.csv"},
                      Reference{"constant_expressions/test_constant_expressions.xmile",
                                "constant_expressions/output.tab"},
                      Reference{"exp/test_exp.xmile", "exp/output.csv"},
                      Reference{"if_stmt/if_stmt.xmile", "if_stmt/output.csv"},
                      Reference{"ln/test_ln.xmile", "ln/output.tab"},
                      Reference{"lookups/test_lookups.xmile", "lookups/output.tab"},
                      Reference{"lookups/test_lookups_no-indirect.xmile", "lookups/output.tab"},
                      Reference{"lookups/test_lookups_xpts_sep.xmile", "lookups/output.tab"},
                      Reference{"lookups/test_lookups_xscale.xmile", "lookups/output.tab"},
                      Reference{"lookups/test_lookups_ypts_sep.xmile", "lookups/output.tab"},
                      Reference{"teacup/teacup.xmile", "teacup/output.csv"},
                      Reference{"teacup/teacup_w_diagram.xmile", "teacup/output.csv"}));

// Its auxiliary has no equation a tool could read ("???"): refused, the
// variable and the construct named, nothing left behind.
TEST(ReferenceModelRefused, AnEquationNoToolCanReadIsNamedAndNothingIsWritten) {
  TempDir dir;
  const testing::XmileRun run =
      RunXmile({"importar", ReferenceModel("subscript_1d_arrays/test_subscript_1d_arrays.xmile"), dir / "modelo"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Rate A: "), std::string::npos) << run.err;
  EXPECT_FALSE(dir.Has("modelo"));
}

}  // namespace
}  // namespace korva
