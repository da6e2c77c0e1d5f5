#pragma once
// The texts of the generated modules that more than one place depends on: the
// statements that mark the parts of the simulator, its output statements, the
// loops and subscripts of arrays, the control file a simulation leaves for the
// results program, and the line labels that code and templates jump to.
// Everything else is written where it is emitted.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korva::emitted {

// --- The simulator's parts.
// Before the per-repetition lines, with uncertainty.
inline constexpr std::string_view kRepetitionLoopHead = " FOR IR=1 TO NR";
// Before the per-step lines of a model that is not dynamic.
inline constexpr std::string_view kStaticEquationsMark = " REM Ecuaciones";
// The lines that open the time loop of a dynamic model, the last one its head.
// The loop counts whole steps: t is the step count times dt, so that it never
// drifts from the reporting instants however dt is written in binary. A record
// is written at the first step at or past each instant rg, 2*rg, ...; the loop
// runs to pp and on to the last instant the statistics read, CLng(pp/rg), so
// that every repetition writes the same number of records. The steps to an
// instant are rounded up with a margin a little wider than the rounding of dt
// and rg to single precision. A reporting interval shorter than the step is
// taken as the step.
inline constexpr std::string_view kReportingIntervalFloor = " if rg<dt then rg=dt";
inline constexpr std::string_view kStepCount =
    " nfin=-int(.001-pp/dt*.9999997):ngrab=-int(.001-CLng(pp/rg)*rg/dt*.9999997):if ngrab>nfin then nfin=ngrab";
inline constexpr std::string_view kTimeLoopHead =
    " dt0=0:ngrab=1:for npaso=1 to nfin:t=npaso*dt:dt0a=0:dt0=1:if npaso>=-int(.001-ngrab*rg/dt*.9999997) then "
    "dt0=0:ngrab=ngrab+1";
inline constexpr std::string_view kTimeLoopEnd = " next npaso";
inline constexpr std::string_view kCalculationEnd = " REM Fin del calculo de las variables";
// The count of uncertain quantities, after the opening of the results file.
inline constexpr std::string_view kUncertainCountStatement = " :nvi=";
// The genetic algorithm, run before the loops of the chromosome variable; in
// the evaluation of a candidate the same loops come without it.
inline constexpr std::string_view kAlgorithmCallBeforeLoops = " : : ALGGEN : ";
inline constexpr std::string_view kLoopsWithoutAlgorithmCall = " : : : ";
// The population the chromosome variable takes its best individual from.
inline constexpr std::string_view kPopulationArray = "YYY";
// The variable every candidate's genes are held in while it is evaluated.
inline constexpr std::string_view kCandidateArray = "XXX";

// --- Output of a value.
// Only at a reporting instant of a dynamic model.
inline constexpr std::string_view kAtReportingInstant = "if dt0<=dt0a then";
inline constexpr std::string_view kWriteValue = "write #2,";
inline constexpr std::string_view kPutValue = " put #2,, ";
// The single-precision variable a whole number or a text is put through.
inline constexpr std::string_view kSingleHolder = "YYS";

// --- The control file "R" + simulation + "ic": the values of a record, the
// unit, the periods, the interval, the initial time and the repetitions, then
// the values of the size variables. The simulator writes it with its own
// variables, the results program reads it into its own.
std::string ControlFileOpen(std::string_view mode);  // " open "R"+uns+"ic" for <mode> as #1"
inline constexpr std::string_view kControlFieldsWritten = "ic,udi,pp,rg,rini,nr";
inline constexpr std::string_view kControlFieldsRead = "ic,udi,pp,rg,inic,nr";

// --- Arrays: loops over the dimensions and subscripts.
// "i2" for the second dimension.
std::string IndexName(size_t dimension);
// "for i1=1 to 10:for i2=1 to n:" (empty for no sizes).
std::string ForLoops(const std::vector<std::string>& sizes);
// "next:" once per dimension.
std::string NextStatements(size_t dimensions);
// "(i1,i2)"; empty for no dimension.
std::string SubscriptList(size_t dimensions);

// --- Lists.
// The items separated by ",".
std::string CommaJoined(const std::vector<std::string>& items);
// Adds `piece` to the last of `lines`, or to a new line once the last is
// longer than `width` characters (and fewer than `maxLines` lines are held).
void AppendWrapped(std::vector<std::string>& lines, const std::string& piece, size_t width = 76,
                   size_t maxLines = static_cast<size_t>(-1));

// --- Line labels.
// The simulator with uncertainty: the normal table numbers its lines up to
// 110, after which the counter is set so that the programme title is 230.
inline constexpr int kSimulatorCounterAfterNormalTable = 22;
// The data-entry program: the menu line (19) that every pass returns to, and
// the counter once the menu is written: the first input's section is 140.
inline constexpr long kDataEntryMenuLabel = 19;
inline constexpr int kDataSectionsStart = 13;
// The results program: the first line of its main procedure, which ends the
// program when asked, and the line that asks for a new simulation.
inline constexpr long kResultsProgramStartLabel = 10;
inline constexpr long kResultsNewSimulationLabel = 55;

}  // namespace korva::emitted
