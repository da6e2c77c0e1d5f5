#include "dialogue/line_reader.h"

#ifdef KORVA_HAVE_LIBEDIT
#include <editline/readline.h>

#include <clocale>
#include <cstdlib>
#endif

namespace korva {
namespace {

class StreamReader : public LineReader {
 public:
  StreamReader(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

  std::optional<std::string> ReadLine(const std::string& prompt, bool /*remember*/) override {
    std::fputs(prompt.c_str(), out_);
    std::fflush(out_);
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(in_)) != EOF) {
      any = true;
      if (c == '\n') break;
      line += static_cast<char>(c);
    }
    if (!any) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::FILE* in_;
  std::FILE* out_;
};

#ifdef KORVA_HAVE_LIBEDIT
// libedit's readline interface: one editor for the process, on the given streams.
class EditingReader : public LineReader {
 public:
  EditingReader(std::FILE* in, std::FILE* out) {
    // The terminal's character set (UTF-8), so that the editor moves over a
    // letter such as "ñ" as one character. Only character classes are taken
    // from it; numbers are still read and written in the C form.
    std::setlocale(LC_CTYPE, "");
    rl_instream = in;
    rl_outstream = out;
    using_history();
  }

  std::optional<std::string> ReadLine(const std::string& prompt, bool remember) override {
    std::fflush(rl_outstream);
    char* line = readline(prompt.c_str());
    if (line == nullptr) return std::nullopt;
    std::string text(line);
    std::free(line);
    if (remember && !text.empty()) add_history(text.c_str());
    return text;
  }
};
#endif

}  // namespace

std::unique_ptr<LineReader> MakeStreamReader(std::FILE* in, std::FILE* out) {
  return std::make_unique<StreamReader>(in, out);
}

std::unique_ptr<LineReader> MakeEditingReader(std::FILE* in, std::FILE* out) {
#ifdef KORVA_HAVE_LIBEDIT
  return std::make_unique<EditingReader>(in, out);
#else
  return MakeStreamReader(in, out);
#endif
}

}  // namespace korva
