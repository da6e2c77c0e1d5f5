#pragma once
// A program run on a real terminal: a tmux session of its own (its own server
// socket), driven with send-keys and read with capture-pane, as a person at a
// terminal would use it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace korva::testing {

inline bool TmuxAvailable() { return std::system("command -v tmux >/dev/null 2>&1") == 0; }

class TmuxSession {
 public:
  // Runs `command` (a shell command) in a `width` × `height` terminal. When it
  // ends, "<<fin>>" is shown and the terminal stays for reading.
  TmuxSession(const std::string& command, int width, int height)
      : socket_("korva-test-" + std::to_string(::getpid()) + "-" + std::to_string(++Sessions())) {
    Tmux("-f /dev/null new-session -d -s t -x " + std::to_string(width) + " -y " + std::to_string(height) + " " +
         Quote(command + "; echo '<<fin>>'; sleep 600"));
  }
  ~TmuxSession() { Tmux("kill-server"); }
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  // Everything the terminal has shown (UTF-8), its wrapped lines joined.
  std::string Screen() {
    Tmux("capture-pane -p -J -S - -t t > " + Quote(dir_ / "screen.txt"));
    return dir_.Read("screen.txt");
  }
  // Text typed as it stands.
  void Type(const std::string& text) { Tmux("send-keys -t t -l " + Quote(text)); }
  // Named keys: Enter, Left, Right, Up, BSpace...
  void Keys(const std::string& keys) { Tmux("send-keys -t t " + keys); }

  // Waits until `done(screen)` holds; false after `seconds`.
  template <class Done>
  bool WaitFor(Done done, double seconds = 20) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
      if (done(Screen())) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    return false;
  }

 private:
  static int& Sessions() {
    static int count = 0;
    return count;
  }
  static std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  }
  void Tmux(const std::string& arguments) {
    std::string command = "tmux -L " + socket_ + " " + arguments + " 2>/dev/null";
    if (std::system(command.c_str()) != 0 && arguments != "kill-server") ADD_FAILURE() << "tmux " << arguments;
  }

  TempDir dir_;
  std::string socket_;
};

}  // namespace korva::testing
