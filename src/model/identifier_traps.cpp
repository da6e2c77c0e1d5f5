#include "model/identifier_traps.h"

#include <algorithm>
#include <unordered_set>

#include "emit/templates.h"
#include "emit/type_groups.h"
#include "text/cp1252.h"
#include "text/substring_automaton.h"
#include "text/vb_text.h"
#include "vbrun/builtins.h"
#include "vbrun/lexer.h"

namespace korva {
namespace {

// The names a notice lists of one kind: beyond these it gives the count.
constexpr size_t kNamesListed = 50;

bool IsBuiltinName(std::string_view id) { return vbrun::FindBuiltin(LowerCase(id), 0) != nullptr; }

// The built-ins the generated programs call themselves, as their templates
// name them: an element declared under one of these names hides it, and the
// programs would not compile.
const std::unordered_set<std::string>& BuiltinsThePrograms() {
  static const std::unordered_set<std::string> names = [] {
    std::unordered_set<std::string> found;
    std::string scratch;
    for (const TemplateEntry& entry : AllTemplates()) {
      std::string_view body = TemplateBody(entry.text);
      while (!body.empty()) {
        const size_t end = body.find('\n');
        vbrun::Lexer lexer(body.substr(0, end), scratch);
        body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
        vbrun::Token token;
        while (!lexer.Next(token) && token.kind != vbrun::TokenKind::kEnd) {
          if (token.kind == vbrun::TokenKind::kIdentifier && IsBuiltinName(token.lower)) found.emplace(token.lower);
        }
      }
    }
    return found;
  }();
  return names;
}

std::string NamesLine(const std::vector<std::string>& names) {
  std::string line = "   ";
  const size_t shown = std::min(names.size(), kNamesListed);
  for (size_t i = 0; i < shown; ++i) line += (i > 0 ? ", " : "") + names[i];
  if (names.size() > shown) line += " y " + PlainNum(static_cast<long long>(names.size() - shown)) + " más";
  return line;
}

std::vector<std::string> IdsOf(const ModelTables& model, const std::vector<int>& elements) {
  std::vector<std::string> ids;
  ids.reserve(elements.size());
  for (int j : elements) ids.push_back(model.ElementIds[j]);
  return ids;
}

}  // namespace

bool IsLanguageName(std::string_view id) {
  const std::string lower = LowerCase(id);
  return vbrun::IsReservedWord(lower) || BuiltinsThePrograms().count(lower) != 0;
}

std::string LanguageNameRefusal(std::string_view id) {
  if (vbrun::IsReservedWord(LowerCase(id))) {
    return std::string(id) + " es una palabra reservada de Visual Basic y los programas generados no compilarían;" +
           " escriba otro identificador";
  }
  if (IsLanguageName(id)) {
    return std::string(id) + " es el nombre de una función de Visual Basic que usan los programas generados," +
           " que no compilarían; escriba otro identificador";
  }
  return {};
}

IdentifierTraps FindIdentifierTraps(const ModelTables& model) {
  IdentifierTraps traps;
  const int n = model.ElementCount;
  std::vector<std::string_view> words;
  words.reserve(static_cast<size_t>(n));
  for (int j = 1; j <= n; ++j) words.emplace_back(model.ElementIds[j]);
  const SubstringAutomaton ids(words);
  SubstringAutomaton::Marks marks;
  std::vector<bool> held(static_cast<size_t>(n) + 1, false);
  std::vector<int> found;
  // An identifier is found where the derivation would find it: in upper-cased text.
  // `self`: the element whose identifier is scanned, 0 for t and dt.
  auto scan = [&](std::string_view container, const std::string& where, int self) {
    marks.Clear();
    found.clear();
    ids.Feed(SubstringAutomaton::kStart, UpperCase(container), marks, &found);
    for (int word : found) {
      const int j = word + 1;  // the first element of the identifier found
      if (held[static_cast<size_t>(j)] || (self != 0 && model.ElementIds[j] == model.ElementIds[self])) continue;
      held[static_cast<size_t>(j)] = true;
      traps.held.push_back({j, where});
    }
  };
  scan("T", "t", 0);
  scan("DT", "dt", 0);
  for (int k = 1; k <= n; ++k) {
    const std::string& id = model.ElementIds[k];
    if (model.Ids.First(id) != k) continue;  // a repeated identifier is warned about already
    scan(id, id, k);
    if (IsLanguageName(id)) {
      traps.reserved.push_back(k);
    } else if (IsBuiltinName(id)) {
      traps.builtin.push_back(k);
    }
    const TypeGroup group = GroupOf(id);
    if (group == TypeGroup::kWhole) traps.whole.push_back(k);
    if (group == TypeGroup::kText) traps.text.push_back(k);
  }
  std::sort(traps.held.begin(), traps.held.end(),
            [](const IdentifierTraps::Held& a, const IdentifierTraps::Held& b) { return a.element < b.element; });
  return traps;
}

std::string ReservedRefusalText(const ModelTables& model, const std::vector<int>& reserved,
                                const std::function<std::string(const std::string&)>& origin) {
  std::string text = "Estos identificadores son palabras reservadas o nombres de funciones de Visual Basic:" + LF +
                     "los programas generados no compilarían con ellos." + LF;
  for (int j : reserved) {
    const std::string& id = model.ElementIds[j];
    text += "   " + id + ", elemento" + NumText(j) + (origin ? origin(id) : std::string()) + LF;
  }
  return text + "Cámbielos en la lista de elementos.";
}

std::string TrapsNoticeText(const ModelTables& model, const IdentifierTraps& traps) {
  std::string text = "Revise estos identificadores antes de seguir (puede cambiarlos en la lista):";
  if (!traps.builtin.empty()) {
    text += LF + "- Son nombres de funciones de Visual Basic: las ecuaciones no podrán usar esas funciones." + LF +
            NamesLine(IdsOf(model, traps.builtin));
  }
  if (!traps.held.empty()) {
    std::vector<std::string> names;
    for (const IdentifierTraps::Held& held : traps.held) {
      names.push_back(model.ElementIds[held.element] + " (en " + held.where + ")");
    }
    text += LF + "- Contenidos en otro identificador o en t o dt: la matriz deducida de las ecuaciones" + LF +
            "  los tomaría por influencias donde aparezca el otro." + LF + NamesLine(names);
  }
  if (!traps.whole.empty()) {
    text += LF + "- Empiezan por una letra de la I a la N: en los programas generados son números enteros" + LF +
            "  (se redondean en cada paso); cámbielos si son cantidades con decimales." + LF +
            NamesLine(IdsOf(model, traps.whole));
  }
  if (!traps.text.empty()) {
    text += LF + "- Empiezan por una letra de la U a la W: en los programas generados son textos." + LF +
            NamesLine(IdsOf(model, traps.text));
  }
  return text;
}

}  // namespace korva
