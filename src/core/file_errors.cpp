#include "core/file_errors.h"

#include "core/program_end.h"
#include "core/questions.h"
#include "files/file_error.h"
#include "text/vb_text.h"

namespace korva {
namespace {

// The name without its extension: what the message for an existing file names.
std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
  return path.substr(0, dot);
}

}  // namespace

std::string FileErrorText(int number, const std::string& currentFileName, const std::string& failedPath) {
  switch (number) {
    case vberr::kFileAlreadyOpen:
    case 72:
      return "LLAME A MANTENIMIENTO    ";
    case vberr::kFileAlreadyExists:
      return "EL FICHERO " + BaseName(failedPath.empty() ? currentFileName : failedPath) + ".BAK YA EXISTE";
    case vberr::kDiskNotReady:
    case vberr::kDeviceUnavailable:
      return "UNIDAD DESACTIVADA       ";
    case vberr::kFileNotFound:
      return "FICHERO " + currentFileName + " NO ENCONTRADO    ";
    case vberr::kPermissionDenied:
      return "DISCO PROTEGIDO          ";
    default:
      return "";
  }
}

void ShowFileError(RunContext& run) {
  std::string text = FileErrorText(run.LastError.number, run.CurrentFileName, run.LastError.path);
  if (text.empty()) {
    Tell(run, "Error: " + NumText(run.LastError.number));
    return;
  }
  Ask(run, text + "\n" + " - PULSE UNA TECLA PARA CONTINUAR -");
}

void ReportFileError(RunContext& run, const std::string& name, const FileError& error) {
  run.CurrentFileName = name;
  run.LastError = error;
  ShowFileError(run);
}

void FailOnFileError(RunContext& run, const FileError& error) {
  run.LastError = error;
  if (run.CurrentFileName.empty()) run.CurrentFileName = error.path;
  ShowFileError(run);
  EndProgram(EndReason::kErrorReported);
}

}  // namespace korva
