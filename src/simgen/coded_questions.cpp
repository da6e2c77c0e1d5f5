#include "simgen/coded_questions.h"

#include "core/questions.h"
#include "text/cp1252.h"

namespace korva {

std::string AskCodedYesNo(RunContext& run, std::string_view label, const std::string& prompt,
                          const std::optional<std::string>& code, bool* replayed) {
  return AskLogged(
      run, label,
      [&] {
        if (code) {
          std::string value = LowerCase(*code);
          if (value == "s" || value == "n") return value;
        }
        std::string answer = AskUnloggedChoice(run, prompt, {"s", "n", "t"});
        if (answer == "t") Terminate(run);
        return answer;
      },
      NumberRecord::kAsText, replayed);
}

std::string AskCodedText(RunContext& run, std::string_view label, const std::string& prompt,
                         const std::optional<std::string>& code,
                         const std::function<bool(const std::string&)>& acceptable, const std::string& expected) {
  return AskLogged(
      run, label,
      [&] {
        if (code && acceptable(*code)) return *code;
        for (;;) {
          std::string answer = Ask(run, prompt);
          if (acceptable(answer)) return answer;
          if (!expected.empty()) RefuseAnswer(run, answer, expected);
        }
      },
      NumberRecord::kAsText);
}

}  // namespace korva
