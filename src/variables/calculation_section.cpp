#include "variables/calculation_section.h"

#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva {

std::vector<std::string> ElementStatementTexts(const ElementStatementInput& in) {
  const ElementSpec& element = in.element;
  std::vector<std::string> out;
  out.reserve(in.lines.size() + in.lookup.size() + 8);
  if (!in.previousCloser.empty()) out.push_back(" " + in.previousCloser);
  if (element.IsDimensional) {
    const std::string flag = "k" + PlainNum(in.guardNumber);
    out.push_back(" if " + flag + "=0 then ");
    out.push_back("  re" + DeclarationText(element));
    out.push_back("  " + flag + "=1");
    out.push_back(" endif");
  }
  const std::string prefix = LoopPrefix(element);
  if (!prefix.empty()) out.push_back((in.chromosome ? " : : ALGGEN : " : " ") + prefix);
  for (size_t k = 0; k < in.lines.size(); ++k) {
    const std::string& line = in.lines[k];
    const bool header = k == 0 && line.find("=f(") != std::string::npos;
    out.push_back(header ? " REM " + line : " " + line);
  }
  for (const std::string& statement : in.lookup) out.push_back(statement);
  if (element.HasUncertainty) {
    out.push_back((element.IsDimensional ? "  nsw=1::gs210:" : " nsw=1::gs210:") + element.Id + Subscripts(element) +
                  "=y1");
  }
  if (!element.IsTable) out.push_back(" " + in.output);
  return out;
}

std::vector<std::string> ClosingStatements(const SpecificationState& state, const SimulationState& sim,
                                           ResultsFile results) {
  const bool records = results == ResultsFile::kRecords;
  std::vector<std::string> out;
  if (!state.PreviousLoopCloser.empty()) out.push_back(" " + state.PreviousLoopCloser);
  out.push_back(" REM Fin del calculo de las variables");
  // With repetitions, every repetition starts from the states the data give:
  // the initial values are kept at the first step, before they take the new
  // states, and given back after the last step. (Uncertain ones are drawn
  // again anyway.)
  const bool keepStarts = records && sim.IsDynamic() && !state.StateElements.empty();
  if (keepStarts) {
    out.push_back(" if npaso=1 then");
    for (const ElementSpec& element : state.StateElements) {
      if (element.IsDimensional) {
        out.push_back("  redim " + StartValueName(element) + DeclarationText(element).substr(4 + element.Id.size()));
      }
      out.push_back("  " + KeepStartValueStatement(element));
    }
    out.push_back(" endif");
  }
  for (const std::string& slot : state.InitialValueSlots) {
    if (!slot.empty()) out.push_back(" " + slot);
  }
  if (sim.GeneticAlgorithm) out.push_back(" rem restore");

  out.push_back(" if uu=" + Quoted("s") + " then");
  std::string progress = "  debug.print " + Quoted("Sim ") + ";nsi;" + Quoted("/") + ";ns2";
  if (sim.IsDynamic()) progress += "; " + Quoted(sim.TimeUnit) + ";t;" + Quoted("/") + ";pp";
  if (records) progress += "; " + Quoted("Rep ") + ";ir;" + Quoted("/") + ";nr";
  out.push_back(progress);
  out.push_back(" endif");
  if (sim.IsDynamic()) out.push_back(" next npaso");
  if (keepStarts) {
    for (const ElementSpec& element : state.StateElements) out.push_back(" " + RestoreStartValueStatement(element));
  }
  for (const std::string& init : sim.ValueChangeInits) {
    if (!init.empty()) out.push_back(" " + init);
  }

  // The control file of the simulation: the values of a record, the unit, the
  // periods, the interval, the initial time and the repetitions, then the
  // values of the size variables, which the results program reads after them.
  std::string recordSize = state.Record.Simplified();
  if (recordSize.empty()) recordSize = "0";
  std::string sizeVariables;
  for (const std::string& name : state.SizeVariables) sizeVariables += "," + name;
  const std::string open = " open " + Quoted("R") + "+uns+" + Quoted("ic") + " for output as #1";
  const std::string write = " write #1,ic,udi,pp,rg,rini,nr" + sizeVariables + ":close #1";
  if (records) {
    out.push_back(" next ir:close #1,#2:ic=" + recordSize);
    out.push_back(open);
    out.push_back(write);
  } else {
    out.push_back(" close #1,#2:ic=" + recordSize);
    out.push_back(open);
    out.push_back(write + ":nx=nx+1:next");
    out.push_back(" v1=inputbox(" + Quoted("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)") + ")" +
                  ":if v1=" + Quoted("s") + " or v1=" + Quoted("S") + " goto 20");
  }
  return out;
}

}  // namespace korva
