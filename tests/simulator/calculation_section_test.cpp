// The statements of the calculation section, each compared with the text the
// simulator must hold.
#include "simulator/calculation_section.h"

#include <gtest/gtest.h>

#include "simulator/element_text.h"
#include "variables/record_size.h"
#include "variables/table_lookup.h"

namespace korva {
namespace {

using Lines = std::vector<std::string>;

ElementSpec Spec(const std::string& id, Lines arguments, Lines sizes = {}) {
  ElementSpec spec;
  spec.Id = id;
  spec.Arguments = std::move(arguments);
  spec.FunctionHeader = FunctionHeaderOf(spec.Id, spec.Arguments);
  spec.DimensionSizes = std::move(sizes);
  spec.IsDimensional = !spec.DimensionSizes.empty();
  return spec;
}

Lines TextsOf(const SimulatorStatements& statements) {
  Lines texts;
  for (const SimulatorStatement& statement : statements) texts.push_back(statement.text);
  return texts;
}

SimulatorStatements Statements(const ElementSpec& spec, const Lines& lines, const Lines& lookup = {},
                               std::string closer = "", int guard = 1, bool chromosome = false) {
  ElementStatementInput in{
      spec, lines, lookup, std::move(closer), guard, chromosome, OutputStatement(spec, false, ResultsFile::kText)};
  return ElementStatements(in);
}

Lines Texts(const ElementSpec& spec, const Lines& lines, const Lines& lookup = {}, std::string closer = "",
            int guard = 1, bool chromosome = false) {
  return TextsOf(Statements(spec, lines, lookup, std::move(closer), guard, chromosome));
}

// What the closing is made from, kept as the specification stage keeps it.
struct ClosingData {
  std::string previousCloser;
  std::vector<ElementSpec> stateElements;
  Lines initialValueSlots;
  std::string recordSize;
  Lines sizeVariables;
  Lines Closing(const SimulationState& sim, ResultsFile results, long restart = 20) const {
    return TextsOf(ClosingStatements(
        CalculationClosing{previousCloser, stateElements, initialValueSlots, recordSize, sizeVariables, restart}, sim,
        results));
  }
};

TEST(ElementStatements, TypedHeaderBecomesACommentAndTheOutputFollows) {
  ElementSpec spec = Spec("YY", {"AA", "BB"});
  EXPECT_EQ(Texts(spec, {"YY=f(AA,BB)", "YY = AA + BB"}),
            (Lines{" REM YY=f(AA,BB)", " YY = AA + BB", " write #2,YY"}));
  // Only the first line is the header.
  EXPECT_EQ(Texts(spec, {"YY = AA", "ZZ=f(3)"}), (Lines{" YY = AA", " ZZ=f(3)", " write #2,YY"}));
}

TEST(ElementStatements, ArrayClosesThePreviousLoopsIsSizedOnceAndLoops) {
  ElementSpec spec = Spec("XX", {"AA"}, {"10", "NN"});
  spec.HasUncertainty = true;
  EXPECT_EQ(Texts(spec, {"h=AA(i1,i2)", "s=2"}, {}, "next:", 3),
            (Lines{" next:", " if k3=0 then ", "  redim XX(10,NN)", "  k3=1", " endif",
                   " for i1=1 to 10:for i2=1 to NN:", " h=AA(i1,i2)", " s=2", "  nsw=1::gs210:XX(i1,i2)=y1",
                   " write #2,XX(i1,i2)"}));
  // The chromosome's loops run the genetic algorithm's step first.
  ElementSpec chromosome = Spec("CR", {"CI"}, {"6"});
  SimulatorStatements out = Statements(chromosome, {"CR(i1) = YYY (1 , i1)"}, {}, "", 1, true);
  EXPECT_EQ(out[4].text, " : : ALGGEN : for i1=1 to 6:");
  // What the evaluation of a candidate leaves out or changes is marked: the
  // chromosome's sizing and output, its loops' call, its function lines.
  std::vector<StatementRole> roles;
  for (const SimulatorStatement& statement : out) roles.push_back(statement.role);
  using R = StatementRole;
  EXPECT_EQ(roles, (std::vector<R>{R::kChromosomeSizing, R::kChromosomeSizing, R::kChromosomeSizing,
                                    R::kChromosomeSizing, R::kChromosomeLoops, R::kFunctionLine, R::kOutput}));
  SimulatorStatements other = Statements(spec, {"h=AA(i1,i2)"}, {}, "", 2);
  EXPECT_EQ(other[0].role, R::kSizing);
  EXPECT_EQ(other[1].role, R::kSizing);
  EXPECT_EQ(other[2].role, R::kPlain) << "the flag set once is copied with the candidate";
  EXPECT_EQ(other[4].role, R::kPlain) << "an array's own loops";
}

TEST(ElementStatements, OutputStatementsOfTheFourKindsOfSimulator) {
  ElementSpec scalar = Spec("YY", {"AA"});
  ElementSpec array = Spec("XX", {"AA"}, {"3"});
  EXPECT_EQ(OutputStatement(scalar, false, ResultsFile::kText), "write #2,YY");
  EXPECT_EQ(OutputStatement(array, true, ResultsFile::kText), "if dt0<=dt0a then write #2,XX(i1)");
  EXPECT_EQ(OutputStatement(scalar, true, ResultsFile::kRecords), "if dt0<=dt0a then put #2,, YY");
  EXPECT_EQ(OutputStatement(array, false, ResultsFile::kRecords), " put #2,, XX(i1)");
  array.InitialValueName = "XI";
  EXPECT_EQ(InitialValueStatement(array), "for i1=1 to 3:XI(i1)=XX(i1):next:");
}

TEST(TableLookup, NumericTableTakesTheNearestPointByDistance) {
  ElementSpec spec = Spec("RE", {"A", "B"});
  spec.IsTable = true;
  spec.TablePoints = 4;
  Lines lookup = TableLookupStatements(spec, false, "write #2,RE");
  EXPECT_EQ(lookup, (Lines{" open \"RE\" for input as #3: dm=1.0E+24:ym=0:wym=\"\"",
                           " npu= 4:line input #3, uc:for i=1 to npu:input #3, x1,x2,y", " d=sqr((A-x1)^2+(B-x2)^2)",
                           " if d<dm then dm=d:ym=y", " next i:close #3:RE=ym:write #2,RE"}));
  // A table has no output statement of its own: the lookup's last statement writes it.
  SimulatorStatements statements = Statements(spec, {"re=f(a,b)"}, lookup);
  EXPECT_EQ(statements.back().text, " next i:close #3:RE=ym:write #2,RE");
  EXPECT_EQ(statements.back().outputTail, std::string("write #2,RE").size()) << "the output the evaluation leaves out";
  // An array looks its table up element by element.
  ElementSpec array = Spec("RE", {"A"}, {"5"});
  array.TablePoints = 2;
  EXPECT_EQ(TableLookupStatements(array, false, "write #2,RE(i1)")[2], " d=sqr((A(i1)-x1)^2)");
}

TEST(TableLookup, LiteralTableComparesTextsJoinedByAnd) {
  EXPECT_TRUE(IsLiteralPoint("\"arena\",3"));
  EXPECT_FALSE(IsLiteralPoint("1,3"));
  ElementSpec spec = Spec("WP", {"UA", "UB"});
  spec.TablePoints = 2;
  EXPECT_EQ(TableLookupStatements(spec, true, "write #2,WP"),
            (Lines{" open \"WP\" for input as #3: dm=1.0E+24:ym=0:wym=\"\"",
                   " npu= 2:line input #3, uc:for i=1 to npu:input #3, wx1,wx2,wy", " if UA=wx1 and UB=wx2 then wym=wy",
                   " next i:close #3:WP=wym:write #2,WP"}));
}

TEST(RecordSize, ScalarsCountAndArraysAddTermsBySize) {
  RecordSize size;
  EXPECT_EQ(size.Simplified(), "");
  size.AddScalar();
  EXPECT_EQ(size.Simplified(), "1");
  size.AddScalar();
  EXPECT_EQ(size.Simplified(), "2");
  size.AddArray({"5", "3"});
  EXPECT_EQ(size.Simplified(), "2+5*3");
  size.AddScalar();
  EXPECT_EQ(size.Simplified(), "3+5*3");
  size.AddArray({"5", "3"});
  size.AddArray({"N"});
  EXPECT_EQ(size.Simplified(), "3+5*3*2+N");
  RecordSize arrays;
  arrays.AddArray({"4"});
  EXPECT_EQ(arrays.Simplified(), "4") << "a leading zero term is dropped";
}

TEST(ClosingStatements, RepeatedDynamicRunsAndASingleStaticRun) {
  ClosingData state;
  state.previousCloser = "next:next:";
  state.initialValueSlots = {"PI=PO:", ""};
  RecordSize record;
  record.AddScalar();
  record.AddArray({"NP"});
  state.recordSize = record.Simplified();
  state.sizeVariables = {"NP"};
  SimulationState sim;
  sim.DynamicChoice = "s";
  sim.TimeUnit = "mes";
  sim.ValueChangeInits = {": lAA=1: lBB=1"};
  EXPECT_EQ(state.Closing(sim, ResultsFile::kRecords),
            (Lines{" next:next:", " REM Fin del calculo de las variables", " PI=PO:", " if uu=\"s\" then",
                   "  debug.print \"Sim \";nsi;\"/\";ns2; \"mes\";t;\"/\";pp; \"Rep \";ir;\"/\";nr", " endif",
                   " next npaso", " : lAA=1: lBB=1", " next ir:close #1,#2:ic=1+NP",
                   " open \"R\"+uns+\"ic\" for output as #1", " write #1,ic,udi,pp,rg,rini,nr,NP:close #1"}));

  ClosingData plain;
  SimulationState single;
  single.DynamicChoice = "n";
  single.GeneticAlgorithm = true;
  // States keep where each repetition starts, an array state element by element.
  ElementSpec scalarState = Spec("PO", {"PI"});
  scalarState.InitialValueName = "PI";
  ElementSpec arrayState = Spec("XX", {"XI"}, {"3"});
  arrayState.InitialValueName = "XI";
  state.stateElements = {scalarState, arrayState};
  const Lines closing = state.Closing(sim, ResultsFile::kRecords);
  ASSERT_GE(closing.size(), 15u);
  EXPECT_EQ(Lines(closing.begin() + 2, closing.begin() + 7),
            (Lines{" if npaso=1 then", "  ñPI0=PI:", "  redim ñXI0(3)", "  for i1=1 to 3:ñXI0(i1)=XI(i1):next:",
                   " endif"}));
  EXPECT_EQ(Lines(closing.begin() + 11, closing.begin() + 14),
            (Lines{" next npaso", " PI=ñPI0:", " for i1=1 to 3:XI(i1)=ñXI0(i1):next:"}));
  EXPECT_EQ(state.Closing(sim, ResultsFile::kText)[2], " PI=PO:") << "one run: nothing to keep";

  EXPECT_EQ(plain.Closing(single, ResultsFile::kText),
            (Lines{" REM Fin del calculo de las variables", " rem restore", " if uu=\"s\" then",
                   "  debug.print \"Sim \";nsi;\"/\";ns2", " endif", " close #1,#2:ic=0",
                   " open \"R\"+uns+\"ic\" for output as #1", " write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next",
                   " v1=inputbox(\"He terminado. ¿Desea ejecutar alguna otra simulación (S/N)\"):if v1=\"s\" or "
                   "v1=\"S\" goto 20"}));
  EXPECT_TRUE(plain.Closing(single, ResultsFile::kText, 240).back().ends_with(" goto 240"))
      << "a new simulation starts where the module says";
}

}  // namespace
}  // namespace korva
