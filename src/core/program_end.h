#pragma once
// Ending the program from anywhere in the dialogue. The dialogue is a set of
// long procedures; a "t" answer, the end of the input or an error reported to
// the modeller ends the run at once, so the end travels as an exception up to
// the main dialogue, which closes the answers log and leaves every file as it
// stands.

namespace korva {

enum class EndReason {
  kFinished,       // the dialogue came to its own end
  kTerminated,     // the modeller answered "t"
  kErrorReported,  // a message box told the modeller why the run cannot go on
  kEndOfInput,     // no more answers can come
};

struct ProgramEnd {
  EndReason reason;
};

[[noreturn]] inline void EndProgram(EndReason reason) { throw ProgramEnd{reason}; }

// 0 when the dialogue ended by itself or by a "t" answer, 1 otherwise.
inline int ExitStatus(EndReason reason) {
  return reason == EndReason::kFinished || reason == EndReason::kTerminated ? 0 : 1;
}

}  // namespace korva
