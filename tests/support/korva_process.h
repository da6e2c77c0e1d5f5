#pragma once
// korva run as a process of its own, as a shell runs it: answers written to its
// standard input as its questions come, what it shows read back, and the
// process killed at a chosen moment or run under a limit on the size of the
// files it may write (RLIMIT_FSIZE, with SIGXFSZ ignored so that a write past
// the limit fails with EFBIG instead of killing it).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace korva::testing {

struct ProcessOptions {
  std::string program = KORVA_BINARY;
  std::vector<std::string> args;
  std::string cwd;               // the child's current directory; empty: the test's
  long long fileSizeLimit = -1;  // bytes; negative: no limit
  std::vector<std::string> env;  // NAME=value entries added to the inherited environment
};

class KorvaProcess {
 public:
  explicit KorvaProcess(const ProcessOptions& options) {
    // A child that ends while answers are still being written must not take
    // the test down with it.
    ::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    std::vector<std::string> argStrings{options.program};
    argStrings.insert(argStrings.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
      // An entry given in the options takes the place of the inherited one.
      const std::string entry = *e;
      bool replaced = false;
      for (const std::string& given : options.env) {
        replaced = replaced || entry.substr(0, entry.find('=') + 1) == given.substr(0, given.find('=') + 1);
      }
      if (!replaced) envStrings.push_back(entry);
    }
    envStrings.insert(envStrings.end(), options.env.begin(), options.env.end());
    std::vector<char*> envp;
    for (std::string& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string cwd = options.cwd;
    const long long limit = options.fileSizeLimit;

    pid_ = ::fork();
    if (pid_ == 0) {
      // Only async-signal-safe calls from here to exec.
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      ::signal(SIGPIPE, SIG_DFL);
      if (limit >= 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r;
        r.rlim_cur = r.rlim_max = static_cast<rlim_t>(limit);
        ::setrlimit(RLIMIT_FSIZE, &r);
      }
      if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
      ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    in_ = in[1];
    out_ = out[0];
    err_ = err[0];
    ::fcntl(in_, F_SETFL, O_NONBLOCK);
  }

  ~KorvaProcess() {
    if (pid_ > 0 && status_ == kRunning) {
      ::kill(pid_, SIGKILL);
      int raw = 0;
      ::waitpid(pid_, &raw, 0);
    }
    for (int fd : {in_, out_, err_}) {
      if (fd >= 0) ::close(fd);
    }
  }
  KorvaProcess(const KorvaProcess&) = delete;
  KorvaProcess& operator=(const KorvaProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Queues bytes for the standard input; they are written while output is read.
  void Send(const std::string& bytes) {
    pending_ += bytes;
    Pump(0);
  }
  void Answer(const std::string& line) { Send(line + "\n"); }
  // The input ends once what is queued is written.
  void CloseInput() {
    closeInput_ = true;
    Pump(0);
  }

  // How many questions the output has asked so far: each ends in an empty line and "> ".
  size_t Prompts() const {
    size_t n = 0;
    for (size_t at = out_text_.find(kPrompt); at != std::string::npos; at = out_text_.find(kPrompt, at + 1)) ++n;
    return n;
  }

  // Reads until the output has asked `count` questions; false when the process
  // closed its output first or `seconds` passed.
  bool WaitForPrompts(size_t count, double seconds = 60) {
    const auto until = Deadline(seconds);
    while (Prompts() < count) {
      if (out_ < 0 || std::chrono::steady_clock::now() > until) return false;
      Pump(50);
    }
    return true;
  }

  void Kill(int signal = SIGKILL) {
    if (pid_ > 0 && status_ == kRunning) ::kill(pid_, signal);
  }

  // Waits for the end: the exit status, 128 + the signal that ended it, or -1
  // when it had not ended after `seconds` (it is killed then).
  int Finish(double seconds = 60) {
    const auto until = Deadline(seconds);
    while (status_ == kRunning) {
      int raw = 0;
      pid_t done = ::waitpid(pid_, &raw, WNOHANG);
      if (done == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (std::chrono::steady_clock::now() > until) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &raw, 0);
        status_ = kTimedOut;
        break;
      }
      Pump(20);
    }
    while (out_ >= 0 || err_ >= 0) Pump(20);  // what is left in the pipes
    return status_ == kTimedOut ? -1 : status_;
  }

  const std::string& out() const { return out_text_; }
  const std::string& err() const { return err_text_; }

  // AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer said something.
  bool SanitizerSpoke() const {
    return err_text_.find("Sanitizer") != std::string::npos || err_text_.find("runtime error:") != std::string::npos;
  }

 private:
  static constexpr int kRunning = -2;
  static constexpr int kTimedOut = -3;
  static constexpr const char* kPrompt = "\n\n> ";

  static std::chrono::steady_clock::time_point Deadline(double seconds) {
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
  }

  // Writes what it can of the queued input and reads what there is to read,
  // waiting up to `timeoutMs` for something to happen.
  void Pump(int timeoutMs) {
    if (in_ >= 0 && !pending_.empty()) {
      ssize_t n = ::write(in_, pending_.data(), pending_.size());
      if (n > 0) {
        pending_.erase(0, static_cast<size_t>(n));
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        pending_.clear();  // the process no longer reads (EPIPE)
      }
    }
    if (in_ >= 0 && closeInput_ && pending_.empty()) {
      ::close(in_);
      in_ = -1;
    }
    struct pollfd fds[3];
    int n = 0;
    if (out_ >= 0) fds[n++] = {out_, POLLIN, 0};
    if (err_ >= 0) fds[n++] = {err_, POLLIN, 0};
    if (in_ >= 0 && !pending_.empty()) fds[n++] = {in_, POLLOUT, 0};
    if (n == 0) return;
    if (::poll(fds, static_cast<nfds_t>(n), timeoutMs) <= 0) return;
    for (int i = 0; i < n; ++i) {
      if (fds[i].fd == in_ || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      char buffer[65536];
      ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      std::string& text = fds[i].fd == out_ ? out_text_ : err_text_;
      if (got > 0) {
        text.append(buffer, static_cast<size_t>(got));
      } else {
        ::close(fds[i].fd);
        (fds[i].fd == out_ ? out_ : err_) = -1;
      }
    }
  }

  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  int status_ = kRunning;
  std::string pending_;
  bool closeInput_ = false;
  std::string out_text_, err_text_;
};

// Gives `answers` one by one, each when its question has come (the first
// when the output has asked `asked` + 1 questions); false when one did not come.
inline bool AnswerInTurn(KorvaProcess& korva, const std::vector<std::string>& answers, size_t asked = 0) {
  for (const std::string& answer : answers) {
    if (!korva.WaitForPrompts(++asked)) return false;
    korva.Answer(answer);
  }
  return true;
}

// Runs korva to its end with `input` on its standard input.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
  bool sanitizerSpoke = false;
};

inline Outcome RunToEnd(const ProcessOptions& options, const std::string& input, double seconds = 60) {
  KorvaProcess process(options);
  process.Send(input);
  process.CloseInput();
  Outcome outcome;
  outcome.status = process.Finish(seconds);
  outcome.out = process.out();
  outcome.err = process.err();
  outcome.sanitizerSpoke = process.SanitizerSpoke();
  return outcome;
}

}  // namespace korva::testing
