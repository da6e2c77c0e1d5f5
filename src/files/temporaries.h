#pragma once
// The temporaries that rewrites are writing at the moment, kept where a signal
// handler can reach them: a run stopped by SIGINT, SIGTERM or SIGHUP removes
// them before it ends, so the old files stand whole and nothing half-written
// is left beside them. (A run killed outright leaves them to the next run,
// which clears them at start.)
#include <string>

namespace korva {

// Notes a temporary being written; the slot to forget it by (-1 when all slots
// are taken: the temporary is then left to the next run).
int NoteTemporary(const std::string& hostPath);
void ForgetTemporary(int slot);

// Installs the handlers that remove the noted temporaries and then end the
// process by the same signal, and lets a write past the file-size limit fail
// as on a full disk instead of ending the process. Called once by the
// programs, not by the tests.
void RemoveTemporariesOnSignal();

}  // namespace korva
