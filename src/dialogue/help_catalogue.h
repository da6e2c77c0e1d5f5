#pragma once
// The help texts of the questions, one entry per question, read from a text
// embedded at build time: korva's own questions (help/preguntas.txt) and those
// of the programs it generates (templates/preguntas.txt). An entry opens with
// one or more headers and its text runs to the next header:
//   @pregunta <prompt>   "*" in it stands for any text (an identifier, a number)
//   @etiqueta <label>    the question's label in the answers log
// Lines that begin with "#" are comments. Prompts and labels are compared by
// their keys (text/label_key.h), so blanks, signs and accents do not matter.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class HelpCatalogue {
 public:
  explicit HelpCatalogue(std::string_view resource);

  // The help of the question: the most specific entry whose prompt matches
  // `prompt`, or else the entry of `label`; empty when there is none.
  std::string_view Find(std::string_view prompt, std::string_view label = {}) const;

  struct Entry {
    std::string header;               // the header line as written
    bool isPrompt = false;            // @pregunta (else @etiqueta)
    std::vector<std::string> pieces;  // the keys of the text between the "*"
    size_t text = 0;                  // index into texts_
  };
  const std::vector<Entry>& entries() const { return entries_; }
  std::string_view TextOf(const Entry& entry) const { return texts_[entry.text]; }

 private:
  std::vector<Entry> entries_;
  std::vector<std::string> texts_;
};

// The catalogues embedded in the program.
const HelpCatalogue& KorvaHelp();
const HelpCatalogue& ProgramsHelp();

// Whether an answer asks for the question's help: "?" or "ayuda", in any case,
// blanks around it allowed.
bool IsHelpRequest(std::string_view answer);

}  // namespace korva
