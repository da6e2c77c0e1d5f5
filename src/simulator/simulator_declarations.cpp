#include "simulator/simulator_declarations.h"

#include "emit/emitted_text.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

constexpr size_t kNamesPerStatement = 10;



// A " Dim " statement that is written when it holds ten names or is closed.
class DimStatement {
 public:
  DimStatement(std::vector<std::string>& out, std::string clause) : out_(out), clause_(std::move(clause)) {}
  void Add(const std::string& name) {
    text_ += (count_ ? ", " : " Dim ") + name;
    if (++count_ == kNamesPerStatement) Close();
  }
  void Close() {
    if (count_ > 0) out_.push_back(text_ + clause_);
    text_.clear();
    count_ = 0;
  }

 private:
  std::vector<std::string>& out_;
  std::string clause_;
  std::string text_;
  size_t count_ = 0;
};

}  // namespace

std::vector<std::string> SimulatorDeclarations(const ModelTables& model, const SimulationState& sim) {
  std::vector<std::string> out;
  out.push_back(" defsng a-h, o-t, x-z:deflng i-n:defstr u-w");
  out.push_back(" Dim t, dt As Single");
  const int n = model.ElementCount;
  auto dimensional = [&](int i) {
    return static_cast<size_t>(i) < sim.DimensionalFlags.size() && sim.DimensionalFlags[i] == 1;
  };
  int flagNumber = 0;
  for (TypeGroup group : {TypeGroup::kReal, TypeGroup::kWhole, TypeGroup::kText}) {
    DimStatement names(out, ClauseOf(group));
    std::vector<std::string> flagLines;
    DimStatement flags(flagLines, " As Integer");
    for (int i = 1; i <= n; ++i) {
      const std::string& id = model.ElementIds[i];
      if (GroupOf(id) != group) continue;
      names.Add(dimensional(i) ? id + "()" : id);
      if (dimensional(i)) flags.Add("k" + PlainNum(++flagNumber));
    }
    names.Close();
    flags.Close();
    out.insert(out.end(), flagLines.begin(), flagLines.end());
  }

  // The arrays the inputs' data are read into: without uncertainty the data
  // are read straight into the variable's own names, else into its marked
  // data names ("w" for an uncertain input's texts). An input with changes of
  // value has its start times and its values; an array input without them
  // has its data array, unless it is the variable itself.
  const bool stripped = sim.UncertaintyChoice == Uncertainty::kNoInputs;
  for (int i = 1; i <= n; ++i) {
    if (model.CalcLevel[i] != 1 || static_cast<size_t>(i) >= sim.ValueCounts.size()) continue;
    const std::string& id = model.ElementIds[i];
    const bool uncertain = sim.IsUncertainInput(i);
    if (sim.ValueCounts[i] <= 1) {
      if (dimensional(i) && uncertain) out.push_back(" Dim w" + id + "() As String");
      if (dimensional(i) && !uncertain && !stripped) out.push_back(" Dim ñ" + id + "()" + TypeClause(id));
      continue;
    }
    const std::string data = stripped ? id : "ñ" + id;
    out.push_back(" Dim " + data + "p(), " + data + "c()" + TypeClause(id));
    if (uncertain) out.push_back(" Dim w" + id + "c() As String");
    if (sim.GeneticAlgorithm) out.push_back(" Dim l" + id + " As Integer");
  }
  if (sim.GeneticAlgorithm) out.push_back(" Dim YYY(), YYR(), XXX() As Single");
  return out;
}

}  // namespace korva
