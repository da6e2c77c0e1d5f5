#include "xmile/exporter.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <unordered_map>

#include "text/cp1252.h"
#include "xmile/expression.h"
#include "xmile/korva_model_reader.h"
#include "xmile/messages.h"
#include "xmile/vb_translation.h"

namespace korva::xmile {
namespace {

constexpr const char* kNamespace = "http://docs.oasis-open.org/xmile/ns/XMILE/v1.0";

std::string Utf8(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

// The statement without a trailing comment.
std::string WithoutComment(const std::string& line) {
  bool quoted = false;
  for (size_t k = 0; k < line.size(); ++k) {
    if (line[k] == '"') quoted = !quoted;
    if (line[k] == '\'' && !quoted) return line.substr(0, k);
  }
  const size_t first = line.find_first_not_of(' ');
  if (first != std::string::npos && LowerCase(line.substr(first, 4)) == "rem ") return "";
  return line;
}

bool IsNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end != nullptr && *end == '\0';
}

class Exporter {
 public:
  Exporter(const std::string& directory, const std::string& name) : directory_(directory), name_(name) {}

  ExportOutcome Export() {
    FileSystem files;
    std::string message;
    if (!ReadKorvaModel(files, directory_, name_, model_, message)) {
      outcome_.notes.push_back(message);
      outcome_.status = kExitRefused;
      return std::move(outcome_);
    }
    for (const std::string& note : model_.notes) outcome_.notes.push_back(note);
    NameVariables();
    for (const KorvaElement& e : model_.elements) {
      if (e.state && !e.initialId.empty()) stockOfInitial_[LowerCase(e.initialId)] = LowerCase(e.id);
      if (e.state && !e.initialId.empty() && !e.input) stateIds_.insert(LowerCase(e.id));
    }
    Document();
    outcome_.ok = true;
    return std::move(outcome_);
  }

 private:
  void NameVariables() {
    std::set<std::string> taken;
    for (const KorvaElement& e : model_.elements) {
      std::string name = e.description.empty() ? e.id : e.description;
      if (!taken.insert(CanonicalName(name)).second) {
        name = e.id + " " + name;
        taken.insert(CanonicalName(name));
      }
      names_[LowerCase(e.id)] = name;
    }
  }

  void Note(pugi::xml_node variable, const KorvaElement& e, const std::string& what) {
    outcome_.notes.push_back(e.id + " (" + names_[LowerCase(e.id)] + "): " + what);
    std::string doc = what;
    if (!e.lines.empty()) {
      doc += "\nEn korva:";
      for (const std::string& line : e.lines) doc += "\n" + line;
    }
    variable.append_child("doc").text().set(Utf8(doc).c_str());
  }

  // --- Equations: korva's statements read as expressions ------------------

  // A name of a korva statement as XMILE writes it; nothing when it is not
  // a variable of the model.
  std::optional<ExprPtr> Rewritten(const ExprPtr& e, const std::string& self, std::string& problem) {
    std::vector<ExprPtr> args;
    for (const ExprPtr& a : e->args) {
      std::optional<ExprPtr> r = Rewritten(a, self, problem);
      if (!r) return std::nullopt;
      args.push_back(*r);
    }
    Expr copy = *e;
    copy.args = args;
    if (e->kind == Expr::Kind::kName) {
      if (e->name == "t") return Binary("+", Binary("-", Name("time"), Name("starttime")), Name("dt"));
      if (e->name == "dt") return Name("dt");
      std::string id = e->name;
      const bool endOfStep = id != self && stateIds_.count(id) != 0;
      if (auto stock = stockOfInitial_.find(id); stock != stockOfInitial_.end()) id = stock->second;
      if (names_.count(id) == 0 || !e->args.empty()) {
        problem = "usa " + e->name + ", que no es un elemento escalar del modelo";
        return std::nullopt;
      }
      copy.name = "\x01" + id;
      // Another element reads a state's value at the end of the step: the
      // stock plus its change over the step.
      if (endOfStep) {
        return Binary("+", Name(copy.name), Binary("*", Name("dt"), Name("\x02" + id)));
      }
      return std::make_shared<const Expr>(std::move(copy));
    }
    if (e->kind == Expr::Kind::kCall) {
      static const std::map<std::string, std::string> kFunctions = {
          {"abs", "abs"}, {"exp", "exp"}, {"log", "ln"}, {"sqr", "sqrt"}, {"sin", "sin"},
          {"cos", "cos"}, {"tan", "tan"}, {"atn", "arctan"}, {"int", "int"},
      };
      auto found = kFunctions.find(e->name);
      if (found == kFunctions.end() || args.size() != 1) {
        problem = "usa " + e->name + "(...), que XMILE no expresa";
        return std::nullopt;
      }
      copy.name = found->second;
    }
    return std::make_shared<const Expr>(std::move(copy));
  }

  static ExprPtr Substituted(const ExprPtr& e, const std::string& name, const ExprPtr& by) {
    if (e->kind == Expr::Kind::kName && e->name == name && e->args.empty()) return by;
    if (e->args.empty()) return e;
    Expr copy = *e;
    for (ExprPtr& a : copy.args) a = Substituted(a, name, by);
    return std::make_shared<const Expr>(std::move(copy));
  }

  // The element's value as one expression: every line an assignment of the
  // element, each later one reading the value the earlier ones left.
  std::optional<ExprPtr> Equation(const KorvaElement& e, std::string& problem) {
    const std::string self = LowerCase(e.id);
    ExprPtr value;
    bool heldAtZero = false;  // "If X < 0 Then X = 0", as korva-xmile writes a non-negative one
    for (const std::string& raw : e.lines) {
      const std::string line = WithoutComment(raw);
      if (line.find_first_not_of(' ') == std::string::npos) continue;
      if (value && CanonicalName(line) == "if " + self + " < 0 then " + self + " = 0") {
        heldAtZero = true;
        continue;
      }
      const size_t equals = line.find('=');
      if (equals == std::string::npos || CanonicalName(line.substr(0, equals)) != self) {
        problem = "función de varias sentencias que XMILE no expresa";
        return std::nullopt;
      }
      ParseResult parsed = ParseEquation(line.substr(equals + 1));
      if (!parsed.expr) {
        problem = "función que XMILE no expresa (" + parsed.error + ")";
        return std::nullopt;
      }
      value = value ? Substituted(parsed.expr, self, value) : parsed.expr;
    }
    if (!value) {
      problem = "sin función";
      return std::nullopt;
    }
    std::optional<ExprPtr> rewritten = Rewritten(value, self, problem);
    if (rewritten && heldAtZero) rewritten = Call("max", {*rewritten, Number(0)});
    // An element named I to N keeps whole numbers in korva's programs.
    if (rewritten && WholeNumber(e.id)) return Call("int", {Binary("+", *rewritten, Number(0.5))});
    return rewritten;
  }

  static bool WholeNumber(const std::string& id) {
    const char first = id.empty() ? 'A' : UpperChar(id[0]);
    return first >= 'I' && first <= 'N';
  }
  static bool IsText(const std::string& id) {
    const char first = id.empty() ? 'A' : UpperChar(id[0]);
    return first >= 'U' && first <= 'W';
  }

  std::string Text(const Expr& e) {
    return Utf8(ToXmileText(e, [&](const std::string& name) -> std::string {
      if (name == "dt") return "DT";
      if (name == "time") return "TIME";
      if (name == "starttime") return "STARTTIME";
      if (name.starts_with("\x02")) return "\"" + FlowName(name.substr(1)) + "\"";
      const std::string id = name.starts_with("\x01") ? name.substr(1) : name;
      return "\"" + names_[id] + "\"";
    }));
  }

  std::string FlowName(const std::string& id) { return names_[id] + " cambio neto"; }

  // The net flow of a state: X of "start + dt * X", else the change over dt.
  ExprPtr NetFlow(const ExprPtr& value, const std::string& stock) {
    const std::string stockName = "\x01" + stock;
    auto isName = [](const ExprPtr& e, const std::string& n) { return e->kind == Expr::Kind::kName && e->name == n; };
    if (value->kind == Expr::Kind::kBinary && value->name == "+" && isName(value->args[0], stockName)) {
      const ExprPtr& product = value->args[1];
      if (product->kind == Expr::Kind::kBinary && product->name == "*") {
        if (isName(product->args[0], "dt")) return product->args[1];
        if (isName(product->args[1], "dt")) return product->args[0];
      }
    }
    return Binary("/", Binary("-", value, Name(stockName)), Name("dt"));
  }

  // --- The document ---------------------------------------------------------

  void SimSpecs(pugi::xml_node root) {
    pugi::xml_node specs = root.append_child("sim_specs");
    specs.append_attribute("method").set_value("Euler");
    if (!model_.timeUnit.empty()) specs.append_attribute("time_units").set_value(Utf8(model_.timeUnit).c_str());
    double start = 0, stop = 0, dt = 1;
    if (model_.control) {
      start = model_.control->start;
      stop = start + (model_.control->dynamic ? model_.control->horizon : 0);
      dt = model_.control->interval > 0 ? model_.control->interval : 1;
    } else if (model_.dynamic) {
      stop = 10;
      outcome_.notes.push_back("Sin fichero de control R1ic: el horizonte (10) y el paso (1) son supuestos.");
    }
    specs.append_child("start").text().set(PlainNumber(start).c_str());
    specs.append_child("stop").text().set(PlainNumber(stop).c_str());
    specs.append_child("dt").text().set(PlainNumber(dt).c_str());
    if (model_.control) specs.append_child("save_step").text().set(PlainNumber(dt).c_str());
  }

  void Input(pugi::xml_node variables, const KorvaElement& e) {
    pugi::xml_node aux = variables.append_child("aux");
    aux.append_attribute("name").set_value(Utf8(names_[LowerCase(e.id)]).c_str());
    std::string eqn = "0";
    double value = 0;
    const std::string datum = e.datum.value_or("");
    const size_t semicolon = datum.find(';');
    if (e.dimensional) {
      Note(aux, e, "dato dimensional (una matriz), que no se exporta");
    } else if (!e.datum) {
      Note(aux, e, "sin dato en DATOS1.txt: se toma 0");
    } else if (IsText(e.id)) {
      Note(aux, e, "dato de texto, que XMILE no expresa");
    } else if (IsNumber(datum, value)) {
      eqn = PlainNumber(WholeNumber(e.id) ? std::nearbyint(value) : value);
    } else if (semicolon != std::string::npos && datum.find('/') == std::string::npos) {
      double mean = 0, deviation = 0;
      if (IsNumber(datum.substr(0, semicolon), mean) && IsNumber(datum.substr(semicolon + 1), deviation)) {
        eqn = "NORMAL(" + PlainNumber(mean) + ", " + PlainNumber(deviation) + ")";
      } else {
        Note(aux, e, "dato que no es un número: " + datum);
      }
    } else if (semicolon != std::string::npos) {
      IsNumber(datum.substr(0, semicolon), value);
      eqn = PlainNumber(value);
      Note(aux, e, "incertidumbre discreta (" + datum + "), que XMILE no expresa: se toma su primer valor");
    } else {
      Note(aux, e, "dato literal (" + datum + "), que XMILE no expresa");
    }
    aux.prepend_child("eqn").text().set(eqn.c_str());
  }

  void Table(pugi::xml_node variables, const KorvaElement& e) {
    pugi::xml_node aux = variables.append_child("aux");
    aux.append_attribute("name").set_value(Utf8(names_[LowerCase(e.id)]).c_str());
    std::vector<std::pair<double, double>> points;
    bool numeric = !e.lines.empty();
    const std::string header = e.lines.empty() ? "" : WithoutComment(e.lines[0]);
    const size_t commas = static_cast<size_t>(std::count(header.begin(), header.end(), ','));
    for (size_t k = 1; k < e.lines.size() && numeric; ++k) {
      std::string point = e.lines[k];
      point.erase(0, point.find_first_not_of(' '));
      const size_t comma = point.find(',');
      double x = 0, y = 0;
      numeric = comma != std::string::npos && IsNumber(point.substr(0, comma), x) && IsNumber(point.substr(comma + 1), y);
      points.emplace_back(x, y);
    }
    const std::string argument = header.substr(0, header.find(','));
    if (commas != 1 || !numeric || points.empty() || names_.count(LowerCase(argument)) == 0) {
      aux.append_child("eqn").text().set("0");
      Note(aux, e, "tabla literal o de varios argumentos, que XMILE no expresa");
      return;
    }
    std::sort(points.begin(), points.end());
    std::string id = LowerCase(argument);
    if (auto stock = stockOfInitial_.find(id); stock != stockOfInitial_.end()) id = stock->second;
    aux.append_child("eqn").text().set(Utf8("\"" + names_[id] + "\"").c_str());
    pugi::xml_node gf = aux.append_child("gf");
    std::string xs, ys;
    for (const auto& [x, y] : points) {
      xs += (xs.empty() ? "" : ",") + PlainNumber(x);
      ys += (ys.empty() ? "" : ",") + PlainNumber(y);
    }
    gf.append_child("xpts").text().set(xs.c_str());
    gf.append_child("ypts").text().set(ys.c_str());
    aux.append_child("doc").text().set(
        Utf8("Tabla de korva: allí se toma el punto más cercano; aquí se interpola entre los puntos.").c_str());
  }

  void Calculated(pugi::xml_node variables, const KorvaElement& e) {
    const std::string name = Utf8(names_[LowerCase(e.id)]);
    std::string problem;
    std::optional<ExprPtr> value = e.dimensional || IsText(e.id) ? std::nullopt : Equation(e, problem);
    if (e.dimensional) problem = "elemento dimensional (una matriz), que no se exporta";
    if (IsText(e.id)) problem = "elemento de texto, que XMILE no expresa";
    if (!e.state || !value) {
      pugi::xml_node aux = variables.append_child("aux");
      aux.append_attribute("name").set_value(name.c_str());
      aux.append_child("eqn").text().set(value ? Text(**value).c_str() : "0");
      if (!value) Note(aux, e, problem);
      return;
    }
    const KorvaElement* initial = nullptr;
    for (const KorvaElement& other : model_.elements) {
      if (LowerCase(other.id) == LowerCase(e.initialId)) initial = &other;
    }
    double start = 0;
    pugi::xml_node stock = variables.append_child("stock");
    stock.append_attribute("name").set_value(name.c_str());
    if (initial == nullptr || !initial->datum || !IsNumber(*initial->datum, start)) {
      Note(stock, e, "su valor inicial (" + e.initialId + ") no tiene un dato numérico en DATOS1.txt: se toma 0");
    }
    stock.append_child("eqn").text().set(PlainNumber(start).c_str());
    const std::string flowName = FlowName(LowerCase(e.id));
    stock.append_child("inflow").text().set(Utf8(flowName).c_str());
    pugi::xml_node flow = variables.append_child("flow");
    flow.append_attribute("name").set_value(Utf8(flowName).c_str());
    flow.append_child("eqn").text().set(Text(*NetFlow(*value, LowerCase(e.id))).c_str());
  }

  void Document() {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("utf-8");
    pugi::xml_node root = document.append_child("xmile");
    root.append_attribute("version").set_value("1.0");
    root.append_attribute("xmlns").set_value(kNamespace);
    pugi::xml_node header = root.append_child("header");
    header.append_child("vendor").text().set("korva");
    header.append_child("name").text().set(Utf8(name_).c_str());
    pugi::xml_node product = header.append_child("product");
    product.append_attribute("version").set_value(KORVA_VERSION);
    product.text().set("korva-xmile");
    SimSpecs(root);
    pugi::xml_node variables = root.append_child("model").append_child("variables");
    for (const KorvaElement& e : model_.elements) {
      if (stockOfInitial_.count(LowerCase(e.id)) != 0) continue;  // the stock stands for it
      if (e.input) {
        Input(variables, e);
      } else if (e.table) {
        Table(variables, e);
      } else {
        Calculated(variables, e);
      }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    outcome_.xml = out.str();
  }

  std::string directory_, name_;
  KorvaModel model_;
  ExportOutcome outcome_;
  std::unordered_map<std::string, std::string> names_;            // lower-cased identifier -> XMILE name
  std::unordered_map<std::string, std::string> stockOfInitial_;   // initial value's identifier -> the state's
  std::set<std::string> stateIds_;                                // lower-cased identifiers of the states
};

}  // namespace

ExportOutcome ExportModel(const std::string& directory, const std::string& name) {
  return Exporter(directory, name).Export();
}

}  // namespace korva::xmile
