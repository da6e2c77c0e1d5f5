#include "diagram/diagram_svg.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "text/cp1252.h"

namespace korva {
namespace {

// Graphviz takes its strings as char*: it copies what it keeps.
void Set(void* object, const char* name, const std::string& value) {
  agsafeset(object, const_cast<char*>(name), const_cast<char*>(value.c_str()), const_cast<char*>(""));
}

void SetHtml(Agraph_t* g, void* object, const char* name, const std::string& html) {
  char* text = agstrdup_html(g, const_cast<char*>(html.c_str()));
  agsafeset(object, const_cast<char*>(name), text, const_cast<char*>(""));
  agstrfree(g, text);
}

std::string Utf8(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

// A label of Graphviz's own syntax: "\" is its escape character.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string Html(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// The name folded into lines of about `width` characters, at blanks.
std::string Folded(const std::string& name, size_t width) {
  std::string out, line;
  size_t at = 0;
  while (at < name.size()) {
    size_t blank = name.find(' ', at);
    std::string word = name.substr(at, blank == std::string::npos ? std::string::npos : blank - at);
    at = blank == std::string::npos ? name.size() : blank + 1;
    if (word.empty()) continue;
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line;
}

struct KindStyle {
  const char* shape;
  const char* style;
  const char* fill;
  const char* words;  // in the legend
};

KindStyle StyleOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::kInput: return {"box", "rounded,filled", "#e8f4e0", "entrada"};
    case ElementKind::kState: return {"box", "filled", "#dde8f7", "elemento de estado"};
    case ElementKind::kTable: return {"tab", "filled", "#f1e6d6", "tabla"};
    case ElementKind::kCalculated: break;
  }
  return {"ellipse", "filled", "#fbf6da", "elemento calculado"};
}

std::string LegendRow(const std::string& swatch, const std::string& words) {
  return "<TR><TD>" + swatch + "</TD><TD ALIGN=\"LEFT\">" + words + "</TD></TR>";
}

std::string Legend(const ModelGraph& graph, const std::string& title) {
  std::set<ElementKind> kinds;
  bool uncertain = false;
  for (const GraphElement& e : graph.elements) {
    kinds.insert(e.kind);
    uncertain |= e.uncertain;
  }
  std::string rows = "<TR><TD COLSPAN=\"2\" ALIGN=\"LEFT\"><B>" + Html(Utf8(title)) + "</B></TD></TR>";
  for (ElementKind kind : kinds) {
    const KindStyle style = StyleOf(kind);
    const char* shape = kind == ElementKind::kCalculated ? "elipse"
                        : kind == ElementKind::kTable    ? "carpeta"
                        : kind == ElementKind::kInput    ? "rectángulo redondeado"
                                                         : "rectángulo doble";
    rows += LegendRow(std::string("<FONT COLOR=\"#555555\">") + Utf8(shape) + "</FONT>", Utf8(style.words));
  }
  if (uncertain) rows += LegendRow("<FONT COLOR=\"#555555\">borde a trazos</FONT>", "con incertidumbre");
  for (size_t k = 0; k < graph.loops.size(); ++k) {
    std::string members;
    const std::vector<int>& loop = graph.loops[k];
    for (size_t m = 0; m < loop.size() && m < 12; ++m) {
      members += (m ? ", " : "") + Html(Utf8(graph.elements[static_cast<size_t>(loop[m])].id));
    }
    if (loop.size() > 12) members += ", ... (" + std::to_string(loop.size()) + ")";
    rows += "<TR><TD BGCOLOR=\"" + LoopColour(k) + "\"> </TD><TD ALIGN=\"LEFT\"><FONT COLOR=\"" + LoopColour(k) +
            "\">bucle " + std::to_string(k + 1) + ": " + members + "</FONT></TD></TR>";
  }
  return "<TABLE BORDER=\"0\" CELLBORDER=\"0\" CELLSPACING=\"2\">" + rows + "</TABLE>";
}

}  // namespace

std::string LoopColour(size_t k) {
  static const char* const kPalette[] = {"#d62728", "#1f77b4", "#2ca02c", "#9467bd", "#ff7f0e",
                                         "#8c564b", "#e377c2", "#17becf", "#bcbd22", "#7f7f7f"};
  if (k < std::size(kPalette)) return kPalette[k];
  // Hues a golden angle apart, saturated and dark enough to read on white.
  const double hue = std::fmod(0.61803398875 * static_cast<double>(k), 1.0) * 6.0;
  const double c = 0.75 * 0.8, x = c * (1 - std::fabs(std::fmod(hue, 2.0) - 1)), m = 0.75 - c;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>((r + m) * 255), static_cast<int>((g + m) * 255),
                static_cast<int>((b + m) * 255));
  return text;
}

Checked<std::string> DrawDiagram(const ModelGraph& graph, const std::string& title) {
  GVC_t* gvc = gvContext();
  Agraph_t* g = agopen(const_cast<char*>("modelo"), Agdirected, nullptr);
  Set(g, "rankdir", "LR");
  Set(g, "ranksep", "0.9");
  Set(g, "nodesep", "0.25");
  Set(g, "fontname", "DejaVu Sans");
  Set(g, "labelloc", "t");
  Set(g, "labeljust", "l");
  const bool large = graph.elements.size() > 1000;
  // Crossing reduction and spline routing grow fast with the size; a large
  // model is laid out with fewer passes and straight arrows.
  if (large) {
    Set(g, "mclimit", "0.2");
    Set(g, "nslimit", "2");
    Set(g, "nslimit1", "2");
    Set(g, "splines", "line");
    Set(g, "searchsize", "10");
  }
  SetHtml(g, g, "label", Legend(graph, title));

  std::vector<Agnode_t*> nodes(graph.elements.size());
  std::map<std::string, int> seen;
  std::map<int, Agraph_t*> levels;
  for (size_t i = 0; i < graph.elements.size(); ++i) {
    const GraphElement& e = graph.elements[i];
    std::string nodeName = Utf8(e.id);
    if (int repeat = ++seen[nodeName]; repeat > 1) nodeName += "#" + std::to_string(repeat);
    Agraph_t* owner = g;
    if (e.level > 0) {
      Agraph_t*& level = levels[e.level];
      if (!level) {
        std::string name = "nivel" + std::to_string(e.level);
        level = agsubg(g, const_cast<char*>(name.c_str()), 1);
        Set(level, "rank", "same");
      }
      owner = level;
    }
    Agnode_t* n = agnode(owner, const_cast<char*>(nodeName.c_str()), 1);
    nodes[i] = n;
    const KindStyle style = StyleOf(e.kind);
    std::string label = Escaped(Utf8(e.id));
    if (!e.name.empty()) label += "\\n" + Escaped(Utf8(Folded(e.name, 24)));
    size_t newline;
    while ((newline = label.find('\n')) != std::string::npos) label.replace(newline, 1, "\\n");
    Set(n, "label", label);
    Set(n, "shape", style.shape);
    Set(n, "style", std::string(style.style) + (e.uncertain ? ",dashed" : ""));
    Set(n, "fillcolor", style.fill);
    Set(n, "fontname", "DejaVu Sans");
    Set(n, "fontsize", "11");
    Set(n, "class", std::string(e.kind == ElementKind::kInput       ? "entrada"
                                : e.kind == ElementKind::kState     ? "estado"
                                : e.kind == ElementKind::kTable     ? "tabla"
                                                                    : "calculado") +
                        (e.uncertain ? " incierto" : "") + (e.loop >= 0 ? " bucle" : ""));
    if (e.kind == ElementKind::kState) Set(n, "peripheries", "2");
    if (e.loop >= 0) {
      Set(n, "color", LoopColour(static_cast<size_t>(e.loop)));
      Set(n, "penwidth", "2.5");
    }
  }
  for (const auto& [from, to] : graph.connections) {
    Agedge_t* edge = agedge(g, nodes[static_cast<size_t>(from)], nodes[static_cast<size_t>(to)], nullptr, 1);
    const int loop = graph.elements[static_cast<size_t>(from)].loop;
    if (loop >= 0 && loop == graph.elements[static_cast<size_t>(to)].loop) {
      Set(edge, "color", LoopColour(static_cast<size_t>(loop)));
      Set(edge, "penwidth", "2");
      Set(edge, "class", "bucle");
    } else {
      Set(edge, "color", "#555555");
    }
  }

  Checked<std::string> result = Failure{"Graphviz no ha podido dibujar el diagrama."};
  if (gvLayout(gvc, g, "dot") == 0) {
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(gvc, g, "svg", &data, &length) == 0 && data) result = std::string(data, length);
    if (data) gvFreeRenderData(data);
    gvFreeLayout(gvc, g);
  }
  agclose(g);
  gvFreeContext(gvc);
  return result;
}

}  // namespace korva
