#include "xmile/xmile_reader.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

#include "text/cp1252.h"
#include "xmile/expression.h"

namespace korva::xmile {
namespace {

// An element's name without its namespace prefix; vendor extensions (a
// prefixed name) come out empty so that nothing matches them.
std::string Local(const pugi::xml_node& node) {
  const char* name = node.name();
  if (std::strchr(name, ':') != nullptr) return "";
  return LowerCase(name);
}

pugi::xml_node Child(const pugi::xml_node& node, const char* local) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element && Local(child) == local) return child;
  }
  return {};
}

std::string Text(const pugi::xml_node& node) { return Utf8ToCp1252(node.child_value()); }

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool ParseNumber(const std::string& text, double& out) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return false;
  char* end = nullptr;
  out = std::strtod(trimmed.c_str(), &end);
  return end != nullptr && *end == '\0' && std::isfinite(out);
}

class Reader {
 public:
  std::variant<XmileModel, ReadError> Read(const std::string& bytes) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_trim_pcdata);
    if (!parsed) {
      return ReadError{"El fichero no es XML válido (" + std::string(parsed.description()) + ", en el byte " +
                       std::to_string(parsed.offset + 1) + ")."};
    }
    const pugi::xml_node root = document.document_element();
    std::string rootName = root.name();
    if (const size_t colon = rootName.find(':'); colon != std::string::npos) rootName = rootName.substr(colon + 1);
    if (LowerCase(rootName) != "xmile") {
      return ReadError{"El fichero es XML pero no XMILE: su raíz es <" + Utf8ToCp1252(root.name()) +
                       ">, no <xmile>."};
    }
    std::vector<pugi::xml_node> models;
    for (pugi::xml_node child : root.children()) {
      const std::string name = Local(child);
      if (name == "model") models.push_back(child);
      if (name == "macro") Refuse("", "una macro (<macro>)");
    }
    if (models.empty()) return ReadError{"El fichero XMILE no tiene modelo (<model>)."};
    if (models.size() > 1) Refuse("", "varios modelos (<model>): módulos");
    if (pugi::xml_node header = Child(root, "header")) model_.modelName = Trim(Text(Child(header, "name")));
    if (!ReadSimSpecs(Child(root, "sim_specs"), error_)) return ReadError{error_};
    ReadDimensions(Child(root, "dimensions"));
    pugi::xml_node variables = Child(models[0], "variables");
    for (pugi::xml_node node : variables.children()) ReadVariable(node);
    return std::move(model_);
  }

 private:
  void Refuse(const std::string& variable, const std::string& construct) {
    model_.refusals.push_back({variable, construct});
  }

  bool ReadSimSpecs(const pugi::xml_node& specs, std::string& error) {
    if (!specs) {
      error = "El fichero XMILE no tiene <sim_specs>.";
      return false;
    }
    SimSpecs& sim = model_.sim;
    if (!ParseNumber(Text(Child(specs, "start")), sim.start) || !ParseNumber(Text(Child(specs, "stop")), sim.stop)) {
      error = "<sim_specs> no da <start> y <stop> con números.";
      return false;
    }
    if (pugi::xml_node dt = Child(specs, "dt")) {
      if (!ParseNumber(Text(dt), sim.dt)) {
        error = "<sim_specs> da un <dt> que no es un número.";
        return false;
      }
      if (LowerCase(dt.attribute("reciprocal").value()) == "true") sim.dt = sim.dt != 0 ? 1 / sim.dt : 0;
    }
    double save = 0;
    if (pugi::xml_node step = Child(specs, "save_step"); step && ParseNumber(Text(step), save)) sim.saveStep = save;
    if (ParseNumber(Utf8ToCp1252(specs.attribute("save_step").value()), save)) sim.saveStep = save;
    if (const char* method = specs.attribute("method").value(); *method) sim.method = LowerCase(method);
    sim.timeUnits = Utf8ToCp1252(specs.attribute("time_units").value());
    if (!(sim.dt > 0)) {
      error = "<sim_specs> da un paso <dt> que no es positivo.";
      return false;
    }
    if (sim.stop < sim.start) {
      error = "<sim_specs> da un <stop> anterior a su <start>.";
      return false;
    }
    if ((sim.stop - sim.start) / sim.dt > 1e7) {
      error = "<sim_specs> pide más de diez millones de pasos.";
      return false;
    }
    if (sim.saveStep && !(*sim.saveStep > 0)) sim.saveStep.reset();
    if (sim.method != "euler") Refuse("", "el método de integración " + sim.method + " (solo Euler)");
    return true;
  }

  void ReadDimensions(const pugi::xml_node& dimensions) {
    for (pugi::xml_node dim : dimensions.children()) {
      if (Local(dim) != "dim") continue;
      Dimension d;
      d.name = CanonicalName(Utf8ToCp1252(dim.attribute("name").value()));
      for (pugi::xml_node elem : dim.children()) {
        if (Local(elem) != "elem") continue;
        d.display.push_back(elem.attribute("name").value());
        d.elements.push_back(CanonicalName(Utf8ToCp1252(elem.attribute("name").value())));
      }
      if (d.elements.empty()) {
        const long size = std::strtol(dim.attribute("size").value(), nullptr, 10);
        if (size < 1 || size > 100000) {
          Refuse("", "la dimensión " + d.name + " sin elementos ni tamaño válido");
          continue;
        }
        for (long i = 1; i <= size; ++i) {
          d.elements.push_back(std::to_string(i));
          d.display.push_back(std::to_string(i));
        }
      }
      model_.dimensions.push_back(std::move(d));
    }
  }

  bool ReadGraphicalFunction(const pugi::xml_node& node, const std::string& who, GraphicalFunction& gf) {
    const std::string type = LowerCase(node.attribute("type").value());
    if (type == "extrapolate") gf.type = GraphicalFunction::Type::kExtrapolate;
    if (type == "discrete" || LowerCase(node.attribute("discrete").value()) == "true") {
      gf.type = GraphicalFunction::Type::kDiscrete;
    }
    auto points = [&](const char* what, std::vector<double>& out) {
      pugi::xml_node list = Child(node, what);
      if (!list) return true;
      std::string separator = list.attribute("sep").value();
      if (separator.empty()) separator = ",";
      return ParsePoints(Text(list), separator, out);
    };
    if (!points("xpts", gf.xs) || !points("ypts", gf.ys)) {
      Refuse(who, "una función gráfica con puntos que no son números");
      return false;
    }
    if (gf.xs.empty()) {
      pugi::xml_node scale = Child(node, "xscale");
      double low = 0, high = 0;
      if (!scale || !ParseNumber(scale.attribute("min").value(), low) ||
          !ParseNumber(scale.attribute("max").value(), high)) {
        Refuse(who, "una función gráfica sin <xpts> ni <xscale>");
        return false;
      }
      for (size_t i = 0; i < gf.ys.size(); ++i) {
        gf.xs.push_back(gf.ys.size() == 1 ? low : low + (high - low) * static_cast<double>(i) / (gf.ys.size() - 1));
      }
    }
    if (gf.ys.empty() || gf.xs.size() != gf.ys.size()) {
      Refuse(who, "una función gráfica con distinto número de abscisas y ordenadas");
      return false;
    }
    for (size_t i = 1; i < gf.xs.size(); ++i) {
      if (!(gf.xs[i] >= gf.xs[i - 1])) {
        Refuse(who, "una función gráfica con abscisas que no crecen");
        return false;
      }
    }
    return true;
  }

  void ReadVariable(const pugi::xml_node& node) {
    const std::string kind = Local(node);
    if (kind.empty() || kind == "group") return;
    Variable v;
    v.displayName = node.attribute("name").value();
    v.name = CanonicalName(Utf8ToCp1252(v.displayName));
    const std::string who = Utf8ToCp1252(v.displayName);
    if (kind == "module") {
      Refuse(who, "un módulo (<module>)");
      return;
    }
    if (kind == "stock") {
      v.kind = Variable::Kind::kStock;
    } else if (kind == "flow") {
      v.kind = Variable::Kind::kFlow;
    } else if (kind == "aux") {
      v.kind = Variable::Kind::kAux;
    } else if (kind == "gf") {
      v.kind = Variable::Kind::kGf;
    } else {
      Refuse(who, "un elemento <" + kind + ">");
      return;
    }
    if (v.name.empty()) {
      Refuse("", "un <" + kind + "> sin nombre");
      return;
    }
    for (pugi::xml_node child : node.children()) {
      const std::string part = Local(child);
      if (part == "eqn") v.equation = Text(child);
      if (part == "inflow") v.inflows.push_back(CanonicalName(Trim(Text(child))));
      if (part == "outflow") v.outflows.push_back(CanonicalName(Trim(Text(child))));
      if (part == "non_negative") v.nonNegative = true;
      if (part == "doc") v.doc = Text(child);
      if (part == "units") v.units = Text(child);
      if (part == "conveyor" || part == "queue" || part == "leak" || part == "overflow") {
        Refuse(who, "un <" + part + ">");
      }
      if (part == "gf") {
        GraphicalFunction gf;
        if (ReadGraphicalFunction(child, who, gf)) v.gf = gf;
      }
      if (part == "dimensions") ReadVariableDimensions(child, v);
      if (part == "element") {
        v.byElement.emplace_back(Utf8ToCp1252(child.attribute("subscript").value()), Text(Child(child, "eqn")));
      }
    }
    if (kind == "gf" && !v.gf) {
      if (Child(node, "xpts") || Child(node, "ypts")) {
        GraphicalFunction gf;
        if (ReadGraphicalFunction(node, who, gf)) v.gf = gf;
      } else {
        Refuse(who, "un <gf> sin puntos");
      }
    }
    model_.variables.push_back(std::move(v));
  }

  // <dimensions><dim name/>...</dimensions>, also when a tool nests them twice.
  void ReadVariableDimensions(const pugi::xml_node& node, Variable& v, int depth = 0) {
    for (pugi::xml_node dim : node.children()) {
      if (Local(dim) == "dimensions") {
        if (depth < 2) ReadVariableDimensions(dim, v, depth + 1);
      } else if (Local(dim) == "dim") {
        v.dimensions.push_back(CanonicalName(Utf8ToCp1252(dim.attribute("name").value())));
      }
    }
  }

  XmileModel model_;
  std::string error_;
};

}  // namespace

bool ParsePoints(const std::string& text, const std::string& separator, std::vector<double>& out) {
  if (separator.empty()) return ParsePoints(text, ",", out);
  size_t pos = 0;
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return true;
  for (;;) {
    const size_t next = trimmed.find(separator, pos);
    double value = 0;
    if (!ParseNumber(trimmed.substr(pos, next == std::string::npos ? std::string::npos : next - pos), value)) {
      return false;
    }
    out.push_back(value);
    if (next == std::string::npos) return true;
    pos = next + separator.size();
  }
}

std::variant<XmileModel, ReadError> ReadXmile(const std::string& bytes) { return Reader().Read(bytes); }

}  // namespace korva::xmile
