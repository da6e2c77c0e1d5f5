#pragma once
// A yes/no question of an element that a bracket code may answer in advance.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/run_context.h"

namespace korva {

// Through the answers log: a code that is "s" or "n" (in any case) answers it
// and is recorded as if typed; else it is asked until "s", "n" or "t", and "t"
// ends the program. `replayed`, when given, tells whether the answer came from the log.
std::string AskCodedYesNo(RunContext& run, std::string_view label, const std::string& prompt,
                          const std::optional<std::string>& code, bool* replayed = nullptr);

// Through the answers log, recorded as text: the code's value answers it when
// `acceptable`; else it is asked until the answer is, a refused answer told
// what is `expected` (when `acceptable` does not tell it itself).
std::string AskCodedText(RunContext& run, std::string_view label, const std::string& prompt,
                         const std::optional<std::string>& code,
                         const std::function<bool(const std::string&)>& acceptable,
                         const std::string& expected = {});

}  // namespace korva
