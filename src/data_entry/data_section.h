#pragma once
// The lines of an input's section of the data-entry program, before they are
// numbered.
#include <string>
#include <vector>

namespace korva {

// Some lines end in a jump whose line number is known only when the section
// is numbered: to the next input's first line, or back to the line a
// correction returns to (five before the section's last).
enum class DataJump { kNone, kNextInput, kCorrection };
struct DataLine {
  std::string text;  // after its number
  DataJump jump = DataJump::kNone;
};

using DataSection = std::vector<DataLine>;

// The text with every data marker "ñ" removed: where the data are read
// straight into the variable itself.
std::string StripMarkers(const std::string& text);

}  // namespace korva
