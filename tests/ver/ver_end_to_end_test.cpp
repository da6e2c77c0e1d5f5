// korva-ver run on the examples after their modules ran: the diagram holds
// the model's elements and connections, the charts are SVG with their texts
// as text, the CSV holds the numbers the simulator wrote; and bad requests
// end with a message and status 2.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "support/example_run.h"
#include "support/examples.h"
#include "support/file_lines.h"
#include "text/cp1252.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::LinesOf;

// Runs korva-ver in `dir` with the arguments; stdout and stderr in ver.out, ver.err.
int Ver(const testing::TempDir& dir, const std::string& arguments) {
  const std::string command =
      "cd '" + dir.path() + "' && '" + KORVA_VER_BINARY + "' " + arguments + " >ver.out 2>ver.err";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

// The fields of a resul<n> line, as Input # reads them (quotes removed, blanks trimmed).
std::vector<std::string> ResultFields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.push_back(Trim(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(Trim(field));
  return fields;
}

// The nodes and edges Graphviz drew: the <g> elements of class "node" and "edge".
struct DrawnGraph {
  std::map<std::string, pugi::xml_node> nodes;  // by title (the identifier)
  std::vector<pugi::xml_node> edges;
};

bool HasClass(pugi::xml_node g, const char* name) {
  std::istringstream classes(g.attribute("class").as_string());
  for (std::string c; classes >> c;) {
    if (c == name) return true;
  }
  return false;
}

DrawnGraph Drawn(const pugi::xml_document& svg) {
  DrawnGraph drawn;
  for (pugi::xpath_node g : svg.select_nodes("//*[local-name()='g']")) {
    if (HasClass(g.node(), "node")) drawn.nodes[g.node().child_value("title")] = g.node();
    if (HasClass(g.node(), "edge")) drawn.edges.push_back(g.node());
  }
  return drawn;
}

// The stroke of a node's outline (its first shape).
std::string Stroke(pugi::xml_node node) {
  for (pugi::xml_node child : node.children()) {
    if (child.attribute("stroke")) return child.attribute("stroke").as_string();
  }
  return "";
}

// The elements and distinct connections of a model's list and matrix files.
struct ModelFiles {
  std::vector<std::string> ids;
  std::set<std::pair<std::string, std::string>> connections;
};

ModelFiles ReadModelFiles(const testing::TempDir& dir, const std::string& list, const std::string& matrix) {
  ModelFiles model;
  for (const std::string& line : testing::TextLinesOf(dir.Read(list))) {
    if (Trim(line).empty()) continue;
    model.ids.push_back(line.substr(0, line.find(' ')));
  }
  const std::set<std::string> known(model.ids.begin(), model.ids.end());
  for (const std::string& line : testing::TextLinesOf(dir.Read(matrix))) {
    const std::string id = line.substr(0, line.find(' '));
    const std::string influences = Trim(line.substr(id.size()));
    std::stringstream list(influences.substr(influences.find_last_of(' ') == std::string::npos
                                                 ? 0
                                                 : influences.find_last_of(' ') + 1));
    for (std::string from; std::getline(list, from, ',');) {
      if (known.count(from) && known.count(id)) model.connections.emplace(from, id);
    }
  }
  return model;
}

std::string TextOf(const pugi::xml_document& svg) {
  std::string all;
  for (pugi::xpath_node t : svg.select_nodes("//*[local-name()='text']")) {
    all += t.node().child_value();
    for (pugi::xml_node span : t.node().children()) all += span.child_value();
    all += "\n";
  }
  return all;
}

TEST(Ver, EveryCreateExampleDrawnChartedAndTabulated) {
  int examples = 0;
  for (const fs::path& example : testing::Examples()) {
    if (!fs::exists(example / "ejecucion")) continue;
    SCOPED_TRACE(example.filename().string());
    testing::ExampleModules ex(example);
    ASSERT_TRUE(ex.Generate());
    ASSERT_EQ(ex.RunAll(), 0) << ex.dir.Read("messages.txt");
    const std::string& model = ex.model;
    ++examples;

    // The diagram: one node per element, one edge per connection.
    ASSERT_EQ(Ver(ex.dir, "diagrama . " + model + " -o diagrama.svg"), 0) << ex.dir.Read("ver.err");
    pugi::xml_document diagram;
    ASSERT_TRUE(diagram.load_file((ex.dir / "diagrama.svg").c_str()));
    DrawnGraph drawn = Drawn(diagram);
    ModelFiles files = ReadModelFiles(ex.dir, "L" + model + ".txt", "C" + model + ".txt");
    EXPECT_EQ(drawn.nodes.size(), files.ids.size());
    for (const std::string& id : files.ids) EXPECT_EQ(drawn.nodes.count(id), 1u) << id;
    EXPECT_EQ(drawn.edges.size(), files.connections.size());
    std::set<std::pair<std::string, std::string>> edges;
    for (pugi::xml_node edge : drawn.edges) {
      const std::string title = edge.child_value("title");  // "XAN->XPR"
      edges.emplace(title.substr(0, title.find("->")), title.substr(title.find("->") + 2));
    }
    EXPECT_EQ(edges, files.connections);
    // Kinds the simulator tells: tables, an uncertain function.
    if (model == "TAB") {
      EXPECT_TRUE(HasClass(drawn.nodes["REN"], "tabla") && HasClass(drawn.nodes["WPR"], "tabla"));
    }
    if (model == "EPI") {
      EXPECT_TRUE(HasClass(drawn.nodes["CON"], "calculado") && HasClass(drawn.nodes["CON"], "incierto"));
    }

    // The CSV: a row per period with exactly the numbers of resul1.
    ASSERT_EQ(Ver(ex.dir, "csv . " + model + " -o tabla.csv"), 0) << ex.dir.Read("ver.err");
    std::vector<std::vector<std::string>> table = ParseCsv(ex.dir.Read("tabla.csv"));
    std::vector<std::string> results = LinesOf(ex.dir.Read("resul1"));
    ASSERT_GE(table.size(), 2u);
    EXPECT_EQ(table[0][0], "tiempo");
    const size_t per = ResultFields(results[0]).size();  // 1, or mean, deviation and chi-square
    const size_t width = (table[0].size() - 1) / per;
    ASSERT_EQ((table.size() - 1) * width, results.size());
    for (size_t row = 1; row < table.size(); ++row) {
      ASSERT_EQ(table[row].size(), table[0].size());
      for (size_t c = 0; c < width; ++c) {
        std::vector<std::string> written = ResultFields(results[(row - 1) * width + c]);
        for (size_t f = 0; f < per; ++f) {
          EXPECT_EQ(Cp1252ToUtf8(written[f]), table[row][1 + c * per + f]) << "row " << row << " column " << c;
        }
      }
    }
    std::vector<std::vector<std::string>> names = ParseCsv(ex.dir.Read("tabla-nombres.csv"));
    EXPECT_EQ(names.size(), table[0].size() + 1) << "a name for every column, after the header";

    // The chart of two values (or one, when the record has one number only).
    std::vector<std::string> numeric;
    for (size_t c = 0; c < width; ++c) {
      if (ResultFields(results[c])[0].find_first_of("0123456789") != std::string::npos && numeric.size() < 2) {
        numeric.push_back(table[0][1 + c * per]);
      }
    }
    ASSERT_FALSE(numeric.empty());
    const std::string two = numeric[0] + (numeric.size() > 1 ? "," + numeric[1] : "");
    ASSERT_EQ(Ver(ex.dir, "serie . " + model + " -v '" + two + "' -o serie.svg"), 0) << ex.dir.Read("ver.err");
    pugi::xml_document chart;
    ASSERT_TRUE(chart.load_file((ex.dir / "serie.svg").c_str()));
    const std::string texts = TextOf(chart);
    for (const std::string& id : numeric) {
      EXPECT_NE(texts.find(id), std::string::npos) << id << ": the legend names the values as text";
      EXPECT_NE(ex.dir.Read("serie.svg").find(id), std::string::npos) << id << ": as characters, not references";
    }
  }
  EXPECT_EQ(examples, 9) << "with epidemia, brought in from XMILE";
}

TEST(Ver, RepetitionsAsCsvAndChartsOfARepeatedModel) {
  testing::ExampleModules ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "presas");
  ASSERT_TRUE(ex.Generate());
  ASSERT_EQ(ex.RunAll(), 0);
  ASSERT_EQ(Ver(ex.dir, "csv . PRE --repeticiones -o reps.csv"), 0) << ex.dir.Read("ver.err");
  std::vector<std::vector<std::string>> table = ParseCsv(ex.dir.Read("reps.csv"));
  ASSERT_EQ(table.size(), 1u + 3 * 20);
  EXPECT_EQ(table[0], (std::vector<std::string>{"repeticion", "tiempo", "XPR", "YPR"}));
  const std::string records = ex.dir.Read("resul1.ale");
  ASSERT_EQ(records.size(), 3u * 20 * 2 * 4);
  for (size_t i = 0; i < 3 * 20 * 2; ++i) {
    float x;
    std::memcpy(&x, records.data() + 4 * i, 4);
    const std::vector<std::string>& row = table[1 + i / 2];
    EXPECT_EQ(std::stof(row[2 + i % 2]), x) << "record " << i;
    EXPECT_EQ(row[0], std::to_string(1 + i / 40));
    EXPECT_EQ(row[1], std::to_string(1 + (i / 2) % 20));
  }
  // The chart: the mean, the band and the three repetitions, in PNG as well.
  ASSERT_EQ(Ver(ex.dir, "serie . PRE -o presas.svg"), 0) << ex.dir.Read("ver.err");
  pugi::xml_document chart;
  ASSERT_TRUE(chart.load_file((ex.dir / "presas.svg").c_str()));
  const std::string texts = TextOf(chart);
  for (const char* text : {"XPR  presas", "YPR  predadores", "repeticiones (3)", "tiempo (dia)",
                           "seguir las poblaciones de presas y predadores"}) {
    EXPECT_NE(texts.find(text), std::string::npos) << text;
  }
  ASSERT_EQ(Ver(ex.dir, "serie . PRE -v YPR -o presas.png"), 0) << ex.dir.Read("ver.err");
  EXPECT_EQ(ex.dir.Read("presas.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  // States, uncertain inputs and the default name in the model's folder.
  ASSERT_EQ(Ver(ex.dir, "diagrama . PRE"), 0);
  EXPECT_EQ(ex.dir.Read("ver.out"), "./PRE.svg\n");
  pugi::xml_document diagram;
  ASSERT_TRUE(diagram.load_file((ex.dir / "PRE.svg").c_str()));
  DrawnGraph drawn = Drawn(diagram);
  EXPECT_TRUE(HasClass(drawn.nodes["XPR"], "estado"));
  EXPECT_TRUE(HasClass(drawn.nodes["XAN"], "entrada") && HasClass(drawn.nodes["XAN"], "incierto"));
  EXPECT_FALSE(HasClass(drawn.nodes["BDP"], "incierto"));
}

TEST(Ver, LoopsInTheirOwnColoursAndTheSubsystemsOfABlocksModel) {
  testing::ExampleModules ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "bucles");
  ASSERT_FALSE(ex.Generate()) << "korva stops at the loops: no modules";
  ASSERT_EQ(Ver(ex.dir, "diagrama . BUC -o bucles.svg"), 0) << ex.dir.Read("ver.err");
  pugi::xml_document svg;
  ASSERT_TRUE(svg.load_file((ex.dir / "bucles.svg").c_str()));
  DrawnGraph drawn = Drawn(svg);
  ASSERT_EQ(drawn.nodes.size(), 9u);
  const std::string first = Stroke(drawn.nodes["PRE"]);
  const std::string second = Stroke(drawn.nodes["EMP"]);
  EXPECT_NE(first, second);
  for (const char* id : {"PRE", "DEM", "OFE"}) EXPECT_EQ(Stroke(drawn.nodes[id]), first) << id;
  for (const char* id : {"EMP", "REN", "CON"}) EXPECT_EQ(Stroke(drawn.nodes[id]), second) << id;
  for (const char* id : {"ING", "LLU", "POB"}) {
    EXPECT_NE(Stroke(drawn.nodes[id]), first) << id;
    EXPECT_NE(Stroke(drawn.nodes[id]), second) << id;
  }
  int loopEdges = 0;
  for (pugi::xml_node edge : drawn.edges) loopEdges += HasClass(edge, "bucle");
  EXPECT_EQ(loopEdges, 7) << "PRE and DEM, PRE and OFE both ways; EMP, REN, CON round";
  const std::string texts = TextOf(svg);
  EXPECT_NE(texts.find("bucle 1: PRE, DEM, OFE"), std::string::npos) << texts;
  EXPECT_NE(texts.find("bucle 2: EMP, REN, CON"), std::string::npos) << texts;

  testing::ExampleModules blocks(fs::path(KORVA_SOURCE_DIR) / "examples" / "bloques");
  blocks.Generate();
  ASSERT_EQ(Ver(blocks.dir, "diagrama . BLQ --subsistemas -o sub.svg"), 0) << blocks.dir.Read("ver.err");
  pugi::xml_document subsystems;
  ASSERT_TRUE(subsystems.load_file((blocks.dir / "sub.svg").c_str()));
  DrawnGraph sub = Drawn(subsystems);
  EXPECT_EQ(sub.nodes.size(), 2u);
  ASSERT_EQ(sub.edges.size(), 1u);
  EXPECT_STREQ(sub.edges[0].child_value("title"), "SUB1->SUB2");
}

TEST(Ver, BadRequestsEndWithAMessageAndStatus2) {
  testing::ExampleModules ex(fs::path(KORVA_SOURCE_DIR) / "examples" / "presas");
  ASSERT_TRUE(ex.Generate());
  ASSERT_EQ(ex.RunAll(), 0);
  auto refused = [&](const std::string& arguments, const std::string& message) {
    EXPECT_EQ(Ver(ex.dir, arguments), 2) << arguments;
    EXPECT_NE(ex.dir.Read("ver.err").find(Cp1252ToUtf8(message)), std::string::npos)
        << arguments << ": " << ex.dir.Read("ver.err");
  };
  refused("csv . PRE -s 2", "R2ic");
  refused("serie . PRE -v XAN", "XAN no es una variable de resultados del modelo PRE (lo son: XPR, YPR).");
  refused("serie . PRE -v XPR,ZZZ", "ZZZ no es una variable de resultados");
  refused("diagrama . OTRO", "LOTRO.txt");
  refused("dibujo . PRE", "orden desconocida: dibujo");
  refused("csv . PRE -v XPR", "-v es una opción de serie");
  refused("csv .", "se necesitan la orden");
  const std::string results = ex.dir.Read("resul1");
  ex.dir.Write("resul1", results.substr(0, results.size() / 2));
  refused("csv . PRE", "está cortado");
  ex.dir.Write("resul1", results);
  const std::string records = ex.dir.Read("resul1.ale");
  ex.dir.Write("resul1.ale", records.substr(0, 100));
  refused("csv . PRE --repeticiones", "resul1.ale");
  refused("serie . PRE", "resul1.ale");
  ex.dir.Write("resul1.ale", records);
  // An output that cannot be written: status 1, whichever writes it.
  for (const char* arguments : {"serie . PRE -o falta/x.svg", "csv . PRE -o falta/x.csv", "diagrama . PRE -o falta/x.svg"}) {
    EXPECT_EQ(Ver(ex.dir, arguments), 1) << arguments;
    EXPECT_NE(ex.dir.Read("ver.err").find("no puedo escribir falta/x."), std::string::npos) << ex.dir.Read("ver.err");
  }
  EXPECT_FALSE(ex.dir.Has("PRE-1.svg")) << "nothing written on a refusal";
  EXPECT_FALSE(ex.dir.Has("PRE-1.csv"));
}

}  // namespace
}  // namespace korva
