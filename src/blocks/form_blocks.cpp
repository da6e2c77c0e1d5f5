#include "blocks/form_blocks.h"

#include <memory>

#include "blocks/block_forming.h"
#include "blocks/subsystem_files.h"
#include "core/file_errors.h"
#include "core/guarded_files.h"
#include "core/questions.h"
#include "files/print_line.h"
#include "text/cp1252.h"
#include "text/vb_text.h"

namespace korva {
namespace {

const std::string LF = "\n";

// The questions of this activity are plain input boxes, their answers lower-cased.
std::string AskPlain(RunState& run, const std::string& prompt) { return LowerCase(Ask(run, prompt)); }

struct Limits {
  BlockLimits values;
  std::string maxSubsTyped, maxVarsTyped;  // as typed, for the listing's title
};

void AskLimits(RunState& run, Limits& limits) {
  limits.maxSubsTyped = AskPlain(run, " ¿Cuantos subsistemas desea generar como máximo?");
  limits.values.MaxSubs = static_cast<long>(Val(limits.maxSubsTyped));
  limits.values.MinSubs = static_cast<long>(Val(AskPlain(run, " Y, ¿Como mínimo?")));
  limits.maxVarsTyped = AskPlain(run, " ¿Cuantas variables desea en cada subsistema como máximo?");
  limits.values.MaxVars = static_cast<long>(Val(limits.maxVarsTyped));
  limits.values.MinVars = static_cast<long>(Val(AskPlain(run, " Y, ¿Como mínimo?")));
}

// Forms the subsystems, lowering the maximum of variables or asking the
// limits again until a forming meets them. Every pass either lowers the
// maximum (which soon falls below 1) or asks the modeller, so the loop ends
// with the answers or with the input.
void FormWithinLimits(RunState& run, BlockForming& forming, Limits& limits) {
  for (;;) {
    switch (forming.Form(limits.values)) {
      case FormingOutcome::kFormed:
        return;
      case FormingOutcome::kVarsBelowOne:
        Tell(run, "No tiene sentido generar subsistemas de menos de una variable.");
        AskLimits(run, limits);
        break;
      case FormingOutcome::kSubsBelowOne:
        Tell(run, "No tiene sentido generar menos de un subsistema.");
        AskLimits(run, limits);
        break;
      case FormingOutcome::kExcess:
        Tell(run, " Sale un número excesivo de subsistemas." + LF + " Debe usted ampliar sus máximos.");
        AskLimits(run, limits);
        break;
      case FormingOutcome::kTooFewVars:
        Tell(run, " Salen subsistemas con un número de variables" + LF +
                      "  inferior al mínimo. Reduzco su máximo y reinicio el proceso.");
        --limits.values.MaxVars;
        break;
      case FormingOutcome::kTooFewSubs:
        Tell(run, " Sale un número de subsistemas inferior al mínimo." + LF +
                      "  Reduzco el número máximo de variables y reinicio el proceso.");
        --limits.values.MaxVars;
        break;
    }
  }
}

void WriteLevels(const ModelTables& model, OutputFile& out, const std::string& name) {
  out.WriteLine("VARIABLES POR NIVELES EN " + name);
  out.WriteLine("");
  out.WriteLine("");
  for (int level = 1; level <= model.LevelCount; ++level) {
    for (int e = 1; e <= model.ElementCount; ++e) {
      if (model.CalcLevel[e] == level) out.WriteLine(" " + model.ElementIds[e]);
    }
    out.WriteLine("");
    out.WriteLine("");
  }
  out.WriteLine("");
  out.WriteLine("");
}

void WriteSubsystems(const ModelTables& model, const BlockForming& forming, OutputFile& out, char mode,
                     const Limits& limits) {
  out.WriteLine("");
  if (mode == 'n') {
    out.WriteLine("SUBSISTEMAS NATURALES");
  } else if (mode == 'e') {
    out.WriteLine("SUBSISTEMAS ELEMENTALES");
  } else {
    out.WriteLine("ENTRE " + NumText(limits.values.MinSubs) + "y" + limits.maxSubsTyped + " SUBSISTEMAS DE ENTRE " +
                  PlainNum(limits.values.MinVars) + "y" + limits.maxVarsTyped + " VARIABLES");
  }
  out.WriteLine("");
  for (int k = 1; k <= forming.SubCount; ++k) {
    out.WriteLine("Subsistema: " + NumText(k));
    PrintLine slots;
    for (size_t j = 1; j < forming.SubMembers[k].size(); ++j) {
      if (forming.SubMembers[k][j] == 0) continue;
      slots.Number(forming.SubMembers[k][j]).Tab(5 * static_cast<int>(j));
    }
    out.WriteLine(slots.str());  // the slots' line, ended by the next statement
    for (int level = 1; level <= model.LevelCount; ++level) {
      out.WriteLine("Nivel" + NumText(level) + "   ");
      bool any = false;
      for (size_t j = 1; j < forming.SubMembers[k].size(); ++j) {
        int e = forming.SubMembers[k][j];
        if (e != 0 && model.CalcLevel[e] == level) {
          out.WriteLine(" " + model.ElementIds[e]);
          any = true;
        }
      }
      out.WriteLine("");
      if (any) out.WriteLine("");
    }
    out.WriteLine("");
  }
}

}  // namespace

void FormBlocks(RunState& run) {
  const ModelTables& model = run.Model;
  for (int i = 1; i <= model.ElementCount; ++i) {
    if (model.CalcLevel[i] == 0) {
      Tell(run, "El modelo tiene bucles o dependencias desconocidas en su matriz de conexiones:" + LF +
                    "no se pueden formar subsistemas jerarquizados.");
      return;
    }
  }
  const std::string shortName = run.ModelName + "sub.txt";
  const std::string listing = run.WorkDir + shortName;
  std::string writeMode = "o";
  if (run.Files.Exists(listing)) {
    std::string keep = AskPlain(run, "¿Desea conservar el fichero " + shortName + "? (S/N/T)");
    if (keep == "t") Terminate(run);
    if (keep != "n") {
      if (AskPlain(run, "¿Puedo escribir a continuación en ‚l") != "n") {
        writeMode = "a";
      } else {
        Tell(run, "Entonces le llamaremos " + run.ModelName + "sbk.txt");
        const std::string backup = run.WorkDir + run.ModelName + "sbk.txt";
        if (run.Files.Exists(backup)) DeleteGuarded(run, backup);
        RenameGuarded(run, listing, backup);
      }
    }
  }
  std::unique_ptr<OutputFile> out;  // opened at the first presentation, kept for the activity
  std::unique_ptr<BlockForming> forming;
  for (;;) {
    std::string mode;
    do {
      mode = AskPlain(run, "¿Desea formar los subsistemas jerarquizados" + LF + " elementales (e)," + LF +
                               " naturales (n) o," + LF + " prefiere fijar su tamaño (t)?" + LF + " o terminar ()?");
    } while (mode != "e" && mode != "n" && mode != "t" && !mode.empty());
    if (mode.empty()) Terminate(run);
    Limits limits;
    if (mode == "e") {
      limits.values = {run.OtherCount, 1, model.MaxDeps + 1, 1};
    } else if (mode == "n") {
      limits.values = {run.OtherCount, 1, model.ElementCount, 1};
    } else {
      AskLimits(run, limits);
    }
    forming = std::make_unique<BlockForming>(model, mode[0]);
    FormWithinLimits(run, *forming, limits);

    std::string show;
    do {
      show = AskPlain(run, "¿Como desea que le presente los subsistemas generados ?" + LF +
                               "                  en un fichero (f),  (" + shortName + ")" + LF +
                               "                  o no lo desea (n)?");
    } while (show != "f" && show != "n");
    if (show == "f") {
      if (out == nullptr) {
        run.CurrentFileName = listing;
        FileError error;
        out = writeMode == "a" ? run.Files.OpenAppend(listing, error, true) : run.Files.OpenOutput(listing, error);
        if (out == nullptr) FailOnFileError(run, error);
        WriteLevels(model, *out, run.ModelName);
      }
      WriteSubsystems(model, *forming, *out, mode[0], limits);
    }
    if (AskPlain(run, "¿Desea repetir el proceso?") != "s") break;
  }
  if (out) CloseGuarded(run, out);
  DivideIntoSubsystems(run, *forming);
}

}  // namespace korva
