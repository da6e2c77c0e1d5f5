#include "dialogue/help_catalogue.h"

#include "text/cp1252.h"
#include "text/label_key.h"

namespace korva {

// Embedded by the build (cmake/embed_texts.cmake).
std::string_view KorvaHelpText();
std::string_view ProgramsHelpText();

namespace {

constexpr std::string_view kPromptHeader = "@pregunta ";
constexpr std::string_view kLabelHeader = "@etiqueta ";

std::vector<std::string> PatternPieces(std::string_view pattern) {
  std::vector<std::string> pieces;
  for (;;) {
    size_t star = pattern.find('*');
    pieces.push_back(LabelKey(pattern.substr(0, star)));
    if (star == std::string_view::npos) return pieces;
    pattern.remove_prefix(star + 1);
  }
}

// Whether `key` is the pieces with any text between them; how specific the
// pattern is (the literal length matched, a pattern without "*" first), or -1.
long Match(const std::vector<std::string>& pieces, std::string_view key) {
  const std::string& first = pieces.front();
  if (pieces.size() == 1) return key == first ? 2 * static_cast<long>(first.size()) + 1 : -1;
  const std::string& last = pieces.back();
  if (!key.starts_with(first) || key.size() < first.size() + last.size() || !key.ends_with(last)) return -1;
  long matched = static_cast<long>(first.size() + last.size());
  size_t at = first.size();
  const size_t end = key.size() - last.size();
  for (size_t i = 1; i + 1 < pieces.size(); ++i) {
    size_t found = key.substr(0, end).find(pieces[i], at);
    if (found == std::string_view::npos) return -1;
    at = found + pieces[i].size();
    matched += static_cast<long>(pieces[i].size());
  }
  return 2 * matched;
}

std::string TrimmedText(const std::vector<std::string_view>& lines) {
  size_t begin = 0;
  size_t end = lines.size();
  while (begin < end && lines[begin].find_first_not_of(' ') == std::string_view::npos) ++begin;
  while (end > begin && lines[end - 1].find_first_not_of(' ') == std::string_view::npos) --end;
  std::string text;
  for (size_t i = begin; i < end; ++i) {
    if (i > begin) text += '\n';
    text += lines[i];
  }
  return text;
}

}  // namespace

HelpCatalogue::HelpCatalogue(std::string_view resource) {
  std::vector<std::string_view> lines;
  bool inHeaders = false;
  auto finish = [&] {
    if (!entries_.empty() && entries_.back().text == texts_.size()) texts_.push_back(TrimmedText(lines));
    lines.clear();
  };
  while (!resource.empty()) {
    size_t end = resource.find('\n');
    std::string_view line = resource.substr(0, end);
    resource.remove_prefix(end == std::string_view::npos ? resource.size() : end + 1);
    if (line.starts_with('#')) continue;
    const bool prompt = line.starts_with(kPromptHeader);
    if (prompt || line.starts_with(kLabelHeader)) {
      if (!inHeaders) finish();
      inHeaders = true;
      Entry entry;
      entry.header = std::string(line);
      entry.isPrompt = prompt;
      std::string_view key = line.substr(kPromptHeader.size());
      entry.pieces = prompt ? PatternPieces(key) : std::vector<std::string>{LabelKey(key)};
      entry.text = texts_.size();
      entries_.push_back(std::move(entry));
      continue;
    }
    inHeaders = false;
    lines.push_back(line);
  }
  finish();
}

std::string_view HelpCatalogue::Find(std::string_view prompt, std::string_view label) const {
  const std::string promptKey = LabelKey(prompt);
  const Entry* best = nullptr;
  long bestLength = -1;
  for (const Entry& entry : entries_) {
    if (!entry.isPrompt) continue;
    long matched = Match(entry.pieces, promptKey);
    if (matched > bestLength) {
      best = &entry;
      bestLength = matched;
    }
  }
  const std::string labelKey = LabelKey(label);
  if (best == nullptr && !labelKey.empty()) {
    for (const Entry& entry : entries_) {
      if (!entry.isPrompt && entry.pieces.front() == labelKey) {
        best = &entry;
        break;
      }
    }
  }
  return best == nullptr ? std::string_view() : std::string_view(texts_[best->text]);
}

const HelpCatalogue& KorvaHelp() {
  static const HelpCatalogue catalogue(KorvaHelpText());
  return catalogue;
}

const HelpCatalogue& ProgramsHelp() {
  static const HelpCatalogue catalogue(ProgramsHelpText());
  return catalogue;
}

bool IsHelpRequest(std::string_view answer) {
  size_t begin = answer.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return false;
  size_t end = answer.find_last_not_of(" \t");
  const std::string word = LowerCase(answer.substr(begin, end - begin + 1));
  return word == "?" || word == "ayuda";
}

}  // namespace korva
