// Every jump in a template lands on a line the template numbers, or on a label
// it declares as the generator's or as its own for others to jump to.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>

#include "emit/templates.h"

namespace korva {
namespace {

struct Found {
  std::set<std::string> labels;   // what starts a line: "110", "$S$9010", "$MENU$"
  std::set<std::string> targets;  // what a GoTo, GoSub, Then, Else or Resume names
};

Found Scan(std::string_view body) {
  static const std::regex label(R"(^ *((\$[A-Z_0-9]+\$)?[0-9]+|\$[A-Z_0-9]+\$)( |$))");
  static const std::regex jump(R"(\b(goto|gosub|then|else|resume) +((\$[A-Z_0-9]+\$)?[0-9]+|\$[A-Z_0-9]+\$))",
                               std::regex::icase);
  Found found;
  size_t at = 0;
  while (at < body.size()) {
    size_t end = body.find('\n', at);
    if (end == std::string_view::npos) end = body.size();
    const std::string line(body.substr(at, end - at));
    at = end + 1;
    std::smatch m;
    if (std::regex_search(line, m, label)) found.labels.insert(m[1]);
    for (auto it = std::sregex_iterator(line.begin(), line.end(), jump); it != std::sregex_iterator(); ++it) {
      const std::string target = (*it)[2];
      if (target != "0") found.targets.insert(target);  // "On Error GoTo 0" names no line
    }
  }
  return found;
}

bool IsMarker(const std::string& text) { return text.size() > 2 && text.front() == '$' && text.back() == '$'; }

TEST(TemplateLabels, EveryJumpLandsOnALineOrADeclaredLabel) {
  int jumps = 0;
  std::set<std::string> usedEverywhere;
  std::set<std::string> definedEverywhere;
  for (const TemplateEntry& entry : AllTemplates()) {
    SCOPED_TRACE(std::string(entry.name));
    const TemplateLabels declared = DeclaredLabels(entry.text);
    const Found found = Scan(TemplateBody(entry.text));
    auto has = [](const std::vector<std::string>& names, const std::string& name) {
      return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::string& target : found.targets) {
      ++jumps;
      if (IsMarker(target) && !found.labels.count(target)) {
        EXPECT_TRUE(has(declared.used, target.substr(1, target.size() - 2)))
            << "jumps to " << target << " without declaring it";
      } else {
        EXPECT_TRUE(found.labels.count(target)) << "jumps to " << target << ", a line it does not number";
      }
    }
    for (const std::string& name : declared.used) {
      EXPECT_TRUE(found.targets.count("$" + name + "$")) << "declares " << name << " but never jumps to it";
      usedEverywhere.insert(name);
    }
    for (const std::string& name : declared.defined) {
      EXPECT_TRUE(found.labels.count("$" + name + "$")) << "declares " << name << " but numbers no line with it";
      definedEverywhere.insert(name);
    }
    // A line numbered with a marker alone is a label others depend on: it is declared.
    for (const std::string& label : found.labels) {
      if (IsMarker(label)) {
        EXPECT_TRUE(has(declared.defined, label.substr(1, label.size() - 2))) << label;
      }
    }
  }
  EXPECT_GT(jumps, 20) << "the jumps are recognised";
  // The data-entry menu returns to the line the header numbers for it.
  EXPECT_TRUE(usedEverywhere.count("MENU") && definedEverywhere.count("MENU"));
}

TEST(TemplateLabels, DeclarationsAreNotPartOfTheText) {
  const std::string text = "#labels-used TITLE BACK\n#labels-defined MENU\n$MENU$ x=1\n110 GoTo $TITLE$\n";
  const TemplateLabels labels = DeclaredLabels(text);
  EXPECT_EQ(labels.used, (std::vector<std::string>{"TITLE", "BACK"}));
  EXPECT_EQ(labels.defined, (std::vector<std::string>{"MENU"}));
  EXPECT_EQ(ExpandTemplateText("t", text, {{"MENU", "19"}, {"TITLE", "230"}}),
            (std::vector<std::string>{"19 x=1", "110 GoTo 230"}));
  EXPECT_THROW(DeclaredLabels("#labels-other X\nx=1\n"), std::logic_error) << "a misspelt declaration is a fault";
  EXPECT_TRUE(DeclaredLabels("x=1\n#labels-used X\n").used.empty()) << "only the lines before the text declare";
}

}  // namespace
}  // namespace korva
