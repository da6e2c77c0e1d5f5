#include "simulator/calculation_section.h"

#include "emit/emitted_text.h"
#include "emit/quoted.h"
#include "text/vb_text.h"

namespace korva {

SimulatorStatements ElementStatements(const ElementStatementInput& in) {
  using Role = StatementRole;
  const ElementSpec& element = in.element;
  SimulatorStatements out;
  out.reserve(in.lines.size() + in.lookup.size() + 8);
  auto add = [&out](std::string text, Role role = Role::kPlain, size_t outputTail = 0) {
    out.push_back(SimulatorStatement{std::move(text), role, outputTail});
  };
  if (!in.previousCloser.empty()) add(" " + in.previousCloser);
  if (element.IsDimensional) {
    const std::string flag = "k" + PlainNum(in.guardNumber);
    add(" if " + flag + "=0 then ", in.chromosome ? Role::kChromosomeSizing : Role::kSizing);
    add("  re" + DeclarationText(element), in.chromosome ? Role::kChromosomeSizing : Role::kSizing);
    add("  " + flag + "=1", in.chromosome ? Role::kChromosomeSizing : Role::kPlain);
    add(" endif", in.chromosome ? Role::kChromosomeSizing : Role::kPlain);
  }
  const std::string prefix = LoopPrefix(element);
  if (!prefix.empty()) {
    if (in.chromosome) {
      add(std::string(emitted::kAlgorithmCallBeforeLoops) + prefix, Role::kChromosomeLoops);
    } else {
      add(" " + prefix);
    }
  }
  for (size_t k = 0; k < in.lines.size(); ++k) {
    const std::string& line = in.lines[k];
    const bool header = k == 0 && line.find("=f(") != std::string::npos;
    add(header ? " REM " + line : " " + line, Role::kFunctionLine);
  }
  // A table's last lookup statement ends with the output of its value.
  for (size_t k = 0; k < in.lookup.size(); ++k) {
    const bool last = k + 1 == in.lookup.size();
    add(in.lookup[k], Role::kPlain, last && element.IsTable ? in.output.size() : 0);
  }
  if (element.HasUncertainty) {
    add((element.IsDimensional ? "  nsw=1::gs210:" : " nsw=1::gs210:") + element.Id + Subscripts(element) + "=y1");
  }
  if (!element.IsTable) add(" " + in.output, Role::kOutput);
  return out;
}

SimulatorStatements ClosingStatements(const CalculationClosing& in, const SimulationState& sim, ResultsFile results) {
  const bool records = results == ResultsFile::kRecords;
  SimulatorStatements out;
  auto add = [&out](std::string text, StatementRole role = StatementRole::kPlain) {
    out.push_back(SimulatorStatement{std::move(text), role});
  };
  if (!in.previousCloser.empty()) add(" " + in.previousCloser);
  add(std::string(emitted::kCalculationEnd), StatementRole::kCalculationEnd);
  // With repetitions, every repetition starts from the states the data give:
  // the initial values are kept at the first step, before they take the new
  // states, and given back after the last step. (Uncertain ones are drawn
  // again anyway.)
  const bool keepStarts = records && sim.IsDynamic() && !in.stateElements.empty();
  if (keepStarts) {
    add(" if npaso=1 then");
    for (const ElementSpec& element : in.stateElements) {
      if (element.IsDimensional) {
        add("  redim " + StartValueName(element) + DeclarationText(element).substr(4 + element.Id.size()));
      }
      add("  " + KeepStartValueStatement(element));
    }
    add(" endif");
  }
  for (const std::string& slot : in.initialValueSlots) {
    if (!slot.empty()) add(" " + slot);
  }
  if (sim.GeneticAlgorithm) add(" rem restore");

  add(" if uu=" + Quoted("s") + " then");
  std::string progress = "  debug.print " + Quoted("Sim ") + ";nsi;" + Quoted("/") + ";ns2";
  if (sim.IsDynamic()) progress += "; " + Quoted(sim.TimeUnit) + ";t;" + Quoted("/") + ";pp";
  if (records) progress += "; " + Quoted("Rep ") + ";ir;" + Quoted("/") + ";nr";
  add(progress);
  add(" endif");
  if (sim.IsDynamic()) add(std::string(emitted::kTimeLoopEnd));
  if (keepStarts) {
    for (const ElementSpec& element : in.stateElements) add(" " + RestoreStartValueStatement(element));
  }
  for (const std::string& init : sim.ValueChangeInits) {
    if (!init.empty()) add(" " + init);
  }

  // The control file of the simulation, which the results program reads.
  const std::string recordSize = in.recordSize.empty() ? "0" : in.recordSize;
  const std::string sizeVariables = in.sizeVariables.empty() ? "" : "," + emitted::CommaJoined(in.sizeVariables);
  const std::string open = emitted::ControlFileOpen("output");
  const std::string write = " write #1," + std::string(emitted::kControlFieldsWritten) + sizeVariables + ":close #1";
  if (records) {
    add(" next ir:close #1,#2:ic=" + recordSize);
    add(open);
    add(write);
  } else {
    add(" close #1,#2:ic=" + recordSize);
    add(open);
    add(write + ":nx=nx+1:next");
    add(" v1=inputbox(" + Quoted("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)") + ")" + ":if v1=" +
        Quoted("s") + " or v1=" + Quoted("S") + " goto " + std::to_string(in.restartLabel));
  }
  return out;
}

}  // namespace korva
