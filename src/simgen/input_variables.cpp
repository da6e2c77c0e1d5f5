#include "simgen/input_variables.h"

#include <cctype>

#include "core/log_labels.h"
#include "core/program_end.h"
#include "core/questions.h"
#include "simgen/bracket_codes.h"
#include "simgen/coded_questions.h"
#include "emit/emitted_text.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// A count from `low` to 32000, answered by a code up to its ";" when that code
// is closed; an unclosed code is reported when the question is asked.
CountQuestion CodedCount(std::string_view label, const std::string& prompt, long low, const DelimitedCode& code,
                         const std::string& codeName, const std::string& fullName) {
  CountQuestion question(label, prompt, low, 32000);
  if (code.present && code.closed) question.code = code.value;
  if (code.present && !code.closed) question.codeFault = "Error en código " + codeName + " de: " + LF + fullName;
  return question;
}

bool StartsName(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool InName(unsigned char c) { return StartsName(c) || std::isdigit(c); }

// Splits a size into its words (runs of letters, digits and "_"; a word that
// begins with a digit is a number, as 1E3) and the characters between them.
// `piece` is called with each, and whether it is a name.
template <class Piece>
void ForEachPiece(const std::string& size, Piece piece) {
  for (size_t i = 0; i < size.size();) {
    size_t end = i + 1;
    if (InName(static_cast<unsigned char>(size[i]))) {
      while (end < size.size() && InName(static_cast<unsigned char>(size[end]))) ++end;
    }
    piece(size.substr(i, end - i), StartsName(static_cast<unsigned char>(size[i])));
    i = end;
  }
}

// The size as the data-entry program writes it: each name of an earlier input
// replaced by the variable that holds its value there.
std::string DataSize(const std::string& size, const SizeInputs& sizeInputs) {
  std::string out;
  ForEachPiece(size, [&](const std::string& piece, bool name) {
    const std::string* variable = name ? sizeInputs.UsableVariable(UpperCase(piece)) : nullptr;
    out += variable == nullptr ? piece : *variable;
  });
  return out;
}

// The first name in the size that is an element's identifier but not one of
// the earlier inputs that may give a size; empty when there is none.
std::string UnknownSizeName(const std::string& size, const SizeInputs& sizeInputs) {
  std::string unknown;
  ForEachPiece(size, [&](const std::string& piece, bool name) {
    if (!name || !unknown.empty()) return;
    const std::string word = UpperCase(piece);
    if (sizeInputs.UsableVariable(word) == nullptr && sizeInputs.IsElement(word)) unknown = piece;
  });
  return unknown;
}

}  // namespace

const std::string* SizeInputs::UsableVariable(const std::string& upperWord) const {
  for (; usableIndexed_ < usableElements_.size(); ++usableIndexed_) {
    const std::string& id = model_->ElementIds[static_cast<size_t>(usableElements_[usableIndexed_])];
    usable_.emplace(UpperCase(id), "ñ" + id);  // the first of one name counts
  }
  auto found = usable_.find(upperWord);
  return found == usable_.end() ? nullptr : &found->second;
}

bool SizeInputs::IsElement(const std::string& upperWord) const {
  if (model_ == nullptr) return false;
  if (!elements_) {
    elements_.emplace();
    for (int i = 1; i <= model_->ElementCount; ++i) elements_->insert(UpperCase(model_->ElementIds[static_cast<size_t>(i)]));
  }
  return elements_->contains(upperWord);
}

InputSettings SettleInput(RunContext& run, const ModelTables& model, const SimulationState& sim, int element,
                          bool useCodes, const SizeInputs& sizeInputs) {
  InputSettings s;
  s.id = model.ElementIds[element];
  s.fullName = model.ElementList[element];
  s.timeUnit = sim.TimeUnit;
  s.markersStripped = sim.UncertaintyChoice == Uncertainty::kNoInputs;
  const std::string& X = s.id;
  const std::string& name = s.fullName;
  const int width = model.IdLength;
  auto fixed = [&](const char* code) { return useCodes ? FixedCode(name, width, code, 1) : std::nullopt; };
  auto delimited = [&](const std::string& code) {
    return useCodes ? CodeToSemicolon(name, width, code) : DelimitedCode{};
  };

  if (sim.UncertaintyChoice == Uncertainty::kSomeInputs) {
    s.uncertain = AskCodedYesNo(run, kLabelInputUncertain, "¿La variable:" + X + "Lleva incertidumbre?" + "(S/N/T)",
                                fixed("ince=")) == "s";
  } else if (sim.UncertaintyChoice == Uncertainty::kAllInputs) {
    s.uncertain = true;
  }
  if (sim.IsDynamic() && s.uncertain && !(sim.GeneticAlgorithm && X == sim.InitialChromosomeVar)) {
    s.newValueEachStep =
        AskCodedYesNo(run, kLabelNewRandomEachStep,
                      "¿La variable:" + X + LF + "¿Desea que tome un valor aleatorio distinto en cada " + sim.TimeUnit +
                          "?" + "(S/N/T)",
                      fixed("aldi=")) == "s";
  }
  if (sim.IsDynamic()) {
    s.changes = AskCount(run, CodedCount(kLabelValueChanges, "¿La variable " + X + " Cuantos cambios de valor tiene?",
                                         0, delimited("cval="), "cval", name))
                    .value;
  }
  DelimitedCode ndim = delimited("ndim=");
  std::optional<std::string> dimensionalCode;
  std::optional<long> dimensionCount;
  if (ndim.present && !ndim.closed) {
    Tell(run, "Error en código ndim de: " + LF + name);
  } else if (ndim.present) {
    if (std::optional<long> value = ParseWholeNumber(ndim.value); value && *value >= 0) {
      dimensionalCode = *value >= 1 ? "s" : "n";
      if (*value >= 1) dimensionCount = *value;
    }
  }
  bool dimensional = AskCodedYesNo(run, kLabelDimensional, "¿La variable " + X + " es dimensional?" + "(S/N/T)",
                                   dimensionalCode) == "s";
  if (dimensional) {
    DelimitedCode countCode;
    if (dimensionCount && *dimensionCount <= 32000) countCode = DelimitedCode{true, true, PlainNum(*dimensionCount)};
    long count =
        AskCount(run, CodedCount(kLabelDimensionCount, "¿Cuantas dimensiones tiene", 1, countCode, "ndim", name)).value;
    // A size is a number, or names what holds a value when the data are read.
    auto acceptable = [&](const std::string& size) {
      if (size.empty()) {
        RefuseAnswer(run, size, "escriba un número o el identificador de una variable de entrada");
        return false;
      }
      const std::string unknown = UnknownSizeName(size, sizeInputs);
      if (unknown.empty()) return true;
      Tell(run, "El tamaño " + size + " de la variable " + X + " depende de " + unknown + "," + LF +
                    "que no es una variable de entrada anterior a ella, sin incertidumbre," + LF +
                    "sin cambios de valor y no dimensional: su valor no se conoce al leer los datos." + LF +
                    "Escriba un número o el identificador de una variable así.");
      return false;
    };
    for (long k = 1; k <= count; ++k) {
      DelimitedCode size = delimited("d" + PlainNum(k) + "=");
      std::optional<std::string> code = size.closed ? std::optional(size.value) : std::nullopt;
      s.sizes.push_back(AskCodedText(run, kLabelDimensionSize, "Vaya introduciéndolas." + std::string("  d") + PlainNum(k) + "=",
                                     code, acceptable));
      s.dataSizes.push_back(DataSize(s.sizes.back(), sizeInputs));
    }
  }
  return s;
}

void InputVariablesStep(RunContext& run, const ModelTables& model, SimulationState& sim, RunWideAnswers& wide,
                        SimulatorModule& simulator, DataEntryModule& data) {
  const int n = model.ElementCount;
  sim.UncertainFlags.assign(static_cast<size_t>(n) + 1, 0);
  sim.DimensionalFlags.assign(static_cast<size_t>(n) + 1, 0);
  sim.ValueCounts.assign(static_cast<size_t>(n) + 1, 1);
  const bool strip = sim.UncertaintyChoice == Uncertainty::kNoInputs;
  SizeInputs sizeInputs(model);
  for (int i = 1; i <= n; ++i) {
    if (model.CalcLevel[i] != 1) continue;
    const std::string& name = model.ElementList[i];
    const bool hasCodes = !CodeSection(name, model.IdLength).empty();
    using CodesTrust = RunWideAnswers::CodesTrust;
    if (name.find('[') != std::string::npos && wide.BracketCodesTrusted == CodesTrust::kUnasked) {
      std::string answer = AskUnloggedChoice(
          run, "¿Desea utilizar los códigos entre corchetes sin comprobar nada? (S/N/T)", {"s", "n", "t"});
      if (answer == "t") Terminate(run);
      wide.BracketCodesTrusted = answer == "s" ? CodesTrust::kTrusted : CodesTrust::kChecked;
    }
    const bool trusted = hasCodes && wide.BracketCodesTrusted == CodesTrust::kTrusted;
    SkipReplayedNameRecord(run, model.ElementIds[i]);
    InputSettings settings;
    InputCode code;
    bool useCodes = true;
    for (;;) {
      settings = SettleInput(run, model, sim, i, useCodes, sizeInputs);
      code = BuildInputCode(settings);
      std::string shown = strip ? StripMarkers(code.readingStatement) : code.readingStatement;
      Tell(run, shown);
      if (trusted) {
        // The identifier is looked for without regard to case: the check is
        // that the statement names the variable at all.
        if (UpperCase(shown).find(UpperCase(settings.id)) == std::string::npos) {
          Tell(run, "HAY ALGUN ERROR CON RESPECTO A LA VARIABLE " + name + LF +
                        "     Le sugiero corrija o suprima los códigos entre corchetes" + LF +
                        "     de los nombres de las variables de entrada posteriores a" + LF + "     dicha variable.");
          EndProgram(EndReason::kErrorReported);
        }
        AskLogged(
            run, kLabelCorrect, [] { return std::string("s"); }, NumberRecord::kAsText);
        break;
      }
      std::string answer = AskLoggedChoice(run, kLabelCorrect, "¿Es correcto? (S/N/T) ", {"s", "n", "t", ""});
      if (answer != "n") break;
      Tell(run, "Comencemos de nuevo");
      useCodes = false;  // the codes gave what was refused: this time every question is asked
    }
    // The counts and flags of the accepted input.
    if (settings.uncertain) {
      ++sim.UncertainInputCount;
      if (sim.UncertaintyChoice == Uncertainty::kSomeInputs) sim.UncertainFlags[i] = 1;
    }
    if (settings.newValueEachStep) ++sim.ChangingInputCount;
    if (settings.changes > 0) ++sim.ValueChangeInputCount;
    if (!settings.sizes.empty()) sim.DimensionalFlags[i] = 1;
    sim.ValueCounts[i] = static_cast<int>(settings.changes + 1);
    if (!settings.uncertain && settings.changes == 0 && settings.sizes.empty()) {
      // A certain input's value is read into its data variable.
      sizeInputs.AddUsable(i);
    }

    // The reading statement goes straight into the simulator.
    simulator.AddReadingStatement(strip ? StripMarkers(code.simulatorLine) : code.simulatorLine);
    for (const std::string& text : code.perRepetition) simulator.AddPerRepetition(strip ? StripMarkers(text) : text);
    for (const std::string& text : code.perStep) simulator.AddPerStep(strip ? StripMarkers(text) : text);
    if (!code.valueChangeInit.empty() && sim.WithUncertainty()) {
      emitted::AppendWrapped(sim.ValueChangeInits, code.valueChangeInit, 76, 10);
    }
    data.AddSection(code.dataLines, strip);
  }
}

}  // namespace korva
