#pragma once
// The file-error messages: the run-time error number of the last failed file
// operation, put in words in capital letters for the modeller.
#include <string>

#include "core/run_context.h"

namespace korva {

// The words for an error number of the table; empty for a number outside it.
std::string FileErrorText(int number, const std::string& currentFileName, const std::string& failedPath);

// Shows the message for run.LastError: an input box with the words and
// " - PULSE UNA TECLA PARA CONTINUAR -" (the answer is ignored) for the listed
// numbers, a message box "Error: " + number for any other.
void ShowFileError(RunContext& run);

// Records the failure of an operation on file `name` and shows its message;
// the dialogue goes on.
void ReportFileError(RunContext& run, const std::string& name, const FileError& error);

// Records the failure, shows its message and ends the program.
[[noreturn]] void FailOnFileError(RunContext& run, const FileError& error);

}  // namespace korva
