#include "files/temporaries.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace korva {
namespace {

constexpr int kSlots = 64;
constexpr size_t kPathBytes = 4096;

// A slot is written while `used` is false and published by setting it; the
// handler reads only published slots.
struct Slot {
  std::atomic<bool> used{false};
  char path[kPathBytes];
};

Slot slots[kSlots];

extern "C" void RemoveAndReraise(int signal) {
  for (Slot& slot : slots) {
    if (slot.used.load()) ::unlink(slot.path);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

int NoteTemporary(const std::string& hostPath) {
  if (hostPath.size() >= kPathBytes) return -1;
  for (int i = 0; i < kSlots; ++i) {
    Slot& slot = slots[i];
    bool expected = false;
    // Claimed by writing the path first: a slot is published only when whole.
    if (slot.used.load()) continue;
    std::memcpy(slot.path, hostPath.c_str(), hostPath.size() + 1);
    if (slot.used.compare_exchange_strong(expected, true)) return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].used.store(false);
}

void RemoveTemporariesOnSignal() {
  // A write past the file-size limit then fails like a full disk, and is reported as one.
  ::signal(SIGXFSZ, SIG_IGN);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    action.sa_handler = RemoveAndReraise;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace korva
