#include "simulator/simulator_declarations.h"

#include <gtest/gtest.h>

#include "model/model_fixture.h"

namespace korva {
namespace {

using Lines = std::vector<std::string>;
using testing::ModelOf;

// A model of these identifiers, all inputs, with the set-up's per-element tables.
struct Declared {
  explicit Declared(const Lines& ids) {
    Lines names;
    for (const std::string& id : ids) names.push_back(id + " elemento");
    model = ModelOf(names);
    for (int i = 1; i <= model.ElementCount; ++i) model.CalcLevel[i] = 1;
    const size_t n = ids.size() + 1;
    sim.DimensionalFlags.assign(n, 0);
    sim.UncertainFlags.assign(n, 0);
    sim.ValueCounts.assign(n, 1);
  }
  Lines Declarations() const {
    Lines all = SimulatorDeclarations(model, sim);
    return Lines(all.begin() + 2, all.end());  // after the deftype line and t, dt
  }
  ModelTables model;
  SimulationState sim;
};

TEST(SimulatorDeclarations, TenNamesAStatementByTypeGroup) {
  Declared d({"A01", "A02", "A03", "A04", "A05", "A06", "A07", "A08", "A09", "A10", "A11"});
  Lines all = SimulatorDeclarations(d.model, d.sim);
  EXPECT_EQ(all[0], " defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  EXPECT_EQ(all[1], " Dim t, dt As Single");
  EXPECT_EQ(d.Declarations(),
            (Lines{" Dim A01, A02, A03, A04, A05, A06, A07, A08, A09, A10 As Single", " Dim A11 As Single"}));
}

TEST(SimulatorDeclarations, GroupsInOrderArraysWithTheirFlagsAndNoEmptyStatement) {
  // The last element is a whole number: the real statement is still closed.
  Declared d({"PA", "NB", "XC", "ud", "MZ"});
  d.sim.DimensionalFlags = {0, 0, 1, 1, 1, 0};
  d.sim.UncertaintyChoice = Uncertainty::kNoInputs;  // data read straight into the arrays
  EXPECT_EQ(d.Declarations(), (Lines{" Dim PA, XC() As Single", " Dim k1 As Integer", " Dim NB(), MZ As Integer",
                                     " Dim k2 As Integer", " Dim ud() As String", " Dim k3 As Integer"}));
  Declared noText({"AA", "KK"});
  EXPECT_EQ(noText.Declarations(), (Lines{" Dim AA As Single", " Dim KK As Integer"}));
}

TEST(SimulatorDeclarations, ValueArraysOfChangingInputsUnderTheNamesTheyAreReadInto) {
  Declared d({"NV", "AB", "YY"});
  d.model.CalcLevel[3] = 2;
  d.sim.ValueCounts = {1, 3, 2, 1};
  d.sim.UncertaintyChoice = Uncertainty::kNoInputs;
  EXPECT_EQ(d.Declarations(), (Lines{" Dim AB, YY As Single", " Dim NV As Integer", " Dim NVp(), NVc() As Integer",
                                     " Dim ABp(), ABc() As Single"}));
  d.sim.UncertaintyChoice = Uncertainty::kSomeInputs;
  d.sim.UncertainFlags = {0, 0, 1, 0};
  d.sim.GeneticAlgorithm = true;
  EXPECT_EQ(d.Declarations(), (Lines{" Dim AB, YY As Single", " Dim NV As Integer", " Dim ñNVp(), ñNVc() As Integer",
                                     " Dim lNV As Integer", " Dim ñABp(), ñABc() As Single", " Dim wABc() As String",
                                     " Dim lAB As Integer", " Dim YYY(), YYR(), XXX() As Single"}));
}

TEST(SimulatorDeclarations, DataArraysOfArrayInputs) {
  Declared d({"PA", "WB", "YY"});
  d.model.CalcLevel[3] = 2;
  d.sim.DimensionalFlags = {0, 1, 1, 0};
  d.sim.UncertaintyChoice = Uncertainty::kSomeInputs;
  d.sim.UncertainFlags = {0, 0, 1, 0};
  EXPECT_EQ(d.Declarations(), (Lines{" Dim PA(), YY As Single", " Dim k1 As Integer", " Dim WB() As String",
                                     " Dim k2 As Integer", " Dim ñPA() As Single", " Dim wWB() As String"}));
  d.sim.UncertaintyChoice = Uncertainty::kNoInputs;
  d.sim.UncertainFlags = {0, 0, 0, 0};
  EXPECT_EQ(d.Declarations().size(), 4u) << "read straight into the variables";
}

}  // namespace
}  // namespace korva
