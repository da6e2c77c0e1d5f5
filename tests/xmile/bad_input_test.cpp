// What korva-xmile is given that it cannot take: a clear message and status
// 2, or a correct model; never a crash, never a file outside the directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "xmile/xmile_run.h"

namespace korva {
namespace {

using testing::RunXmile;
using testing::TempDir;

std::string Model(const std::string& variables, const std::string& specs = "<start>0</start><stop>4</stop><dt>1</dt>") {
  return "<xmile version=\"1.0\" xmlns=\"http://docs.oasis-open.org/xmile/ns/XMILE/v1.0\"><header/><sim_specs>" +
         specs + "</sim_specs><model><variables>" + variables + "</variables></model></xmile>";
}

// Imports `text`; the directory must then hold nothing.
testing::XmileRun Refused(const std::string& text) {
  TempDir dir;
  dir.Write("model.xmile", text);
  testing::XmileRun run = RunXmile({"importar", dir / "model.xmile", dir / "modelo"});
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_FALSE(dir.Has("modelo")) << "no partial model is left";
  return run;
}

TEST(XmileBadInput, FilesThatAreNoModelAreRefusedWithTheReason) {
  EXPECT_NE(Refused("esto no es XML").err.find("no es XML válido"), std::string::npos);
  EXPECT_NE(Refused("<root><model/></root>").err.find("es XML pero no XMILE: su raíz es <root>, no <xmile>."),
            std::string::npos);
  EXPECT_NE(Refused("<xmile><sim_specs><start>0</start><stop>1</stop></sim_specs></xmile>").err.find("no tiene modelo"),
            std::string::npos);
  EXPECT_NE(Refused(Model("", "<start>0</start>")).err.find("no da <start> y <stop>"), std::string::npos);
  EXPECT_NE(Refused(Model("", "<start>0</start><stop>4</stop><dt>0</dt>")).err.find("no es positivo"),
            std::string::npos);
  EXPECT_NE(Refused(Model("")).err.find("el modelo no tiene variables"), std::string::npos);
  EXPECT_NE(Refused(Model("<aux name=\"a\"><eqn>5</eqn></aux>")).err.find("el modelo no calcula nada"),
            std::string::npos);
  TempDir dir;
  const testing::XmileRun missing = RunXmile({"importar", dir / "no-existe.xmile", dir / "modelo"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("No se encuentra el fichero"), std::string::npos);
}

TEST(XmileBadInput, EachConstructNotTakenIsNamedWithItsVariable) {
  const std::string err = Refused(Model(
                                      "<aux name=\"a\"><eqn>c + 1</eqn></aux>"
                                      "<aux name=\"x\"><eqn>DELAY3(a, 2)</eqn></aux>"
                                      "<stock name=\"s\"><eqn>1</eqn><inflow>nope</inflow></stock>"
                                      "<module name=\"m\"/>"
                                      "<aux name=\"arr\"><dimensions><dim name=\"d\"/></dimensions><eqn>1</eqn></aux>"
                                      "<aux name=\"y\"><eqn>arr * 2 + ABS(1, 2)</eqn></aux>"
                                      "<aux name=\"z\"><eqn>(1 + </eqn></aux>"))
                              .err;
  for (const char* line : {"korva-xmile:   a: usa c, que no está definida\n",
                           "korva-xmile:   x: la función DELAY3, que no se importa\n",
                           "korva-xmile:   s: su flujo nope no está definido como flujo\n",
                           "korva-xmile:   m: un módulo (<module>)\n",
                           "korva-xmile:   arr: una variable con dimensiones (matrices)\n",
                           "korva-xmile:   y: llama a ABS con 2 argumentos\n",
                           "korva-xmile:   z: ecuación ilegible (ecuación incompleta): (1 +\n"}) {
    EXPECT_NE(err.find(line), std::string::npos) << line << err;
  }
  // What reads a refused variable is not told it is undefined as well.
  EXPECT_EQ(err.find("usa arr"), std::string::npos) << err;
}

TEST(XmileBadInput, ACircularDefinitionIsShownAsItsLoop) {
  const std::string err = Refused(Model("<aux name=\"a\"><eqn>b + 1</eqn></aux><aux name=\"b\"><eqn>2 * c</eqn></aux>"
                                        "<aux name=\"c\"><eqn>a</eqn></aux>"
                                        "<stock name=\"s\"><eqn>t</eqn></stock><aux name=\"t\"><eqn>s</eqn></aux>"))
                              .err;
  EXPECT_NE(err.find("definición circular: a -> b -> c -> a"), std::string::npos) << err;
  // A loop through a stock is no loop; through its initial value it is.
  EXPECT_EQ(Refused(Model("<stock name=\"s\"><eqn>1</eqn><inflow>f</inflow></stock><flow name=\"f\"><eqn>s</eqn></flow>"
                          "<aux name=\"a\"><eqn>b</eqn></aux><aux name=\"b\"><eqn>a</eqn></aux>"))
                .err.find("s:"),
            std::string::npos);
}

TEST(XmileBadInput, AMegabyteEquationIsRefusedWithoutACrash) {
  std::string sum = "1";
  while (sum.size() < 1000000) sum += " + 1";
  EXPECT_NE(Refused(Model("<aux name=\"a\"><eqn>" + sum + "</eqn></aux>")).err.find("más de 1000 operaciones"),
            std::string::npos);
  const std::string nested = std::string(500000, '(') + "1" + std::string(500000, ')');
  EXPECT_NE(Refused(Model("<aux name=\"a\"><eqn>" + nested + "</eqn></aux>")).err.find("anida más de 1000"),
            std::string::npos);
  std::string name(1000000, 'x');
  EXPECT_NE(Refused(Model("<aux name=\"a\"><eqn>" + name + "</eqn></aux>")).err.find("que no está definida"),
            std::string::npos);
}

// The file is UTF-8: é, ñ, ú, ° and Δ are written by their bytes there.
#define E_ACUTE "\xC3\xA9"
#define N_TILDE "\xC3\xB1"
#define U_ACUTE "\xC3\xBA"
#define DEGREE "\xC2\xB0"
#define DELTA "\xCE\x94"

TEST(XmileBadInput, NamesWithQuotesAndLettersBeyondAsciiMakeACorrectModel) {
  TempDir dir;
  const std::string stock = "<stock name=\"Temperatura &quot;del t" E_ACUTE "&quot;, en " DEGREE "C\"><eqn>10</eqn>"
                            "<outflow>p" E_ACUTE "rdida</outflow></stock>";
  dir.Write("model.xmile", Model(stock + "<flow name=\"p" E_ACUTE "rdida\"><eqn>\"Temperatura \"del t" E_ACUTE
                                 "\", en " DEGREE "C\" / 2</eqn></flow>"));
  // A quote cannot stand inside a quoted name of an equation: refused, by name.
  testing::XmileRun refused = RunXmile({"importar", dir / "model.xmile", dir / "modelo"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("p\xE9rdida: ecuaci\xF3n ilegible"), std::string::npos) << refused.err;

  dir.Write("model.xmile", Model(stock + "<flow name=\"p" E_ACUTE "rdida\"><eqn>2</eqn></flow>"
                                 "<aux name=\"" DELTA " " N_TILDE "and" U_ACUTE "\"><eqn>p" E_ACUTE
                                 "rdida * TIME</eqn></aux>"));
  testing::XmileRun run = RunXmile({"simular", dir / "model.xmile", "-o", dir / "out.csv", "-d", dir / "modelo"});
  ASSERT_EQ(run.status, 0) << run.err;
  // The names as the file writes them, quoted where CSV needs it; the CSV is
  // Windows-1252, where the Greek letter has no place.
  const std::string csv = dir.Read("out.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\r')), "Time,\"Temperatura \"\"del t\xE9\"\", en \xB0"
                                            "C\",p\xE9rdida,? \xF1" "and\xFA");
  EXPECT_NE(csv.find("\r\n4,2,2,8\r\n"), std::string::npos) << csv;
  // In the element list: no quote (the answers log quotes its records), no comma.
  const std::string list = dir.Read("modelo/LMODEL.txt");
  EXPECT_NE(list.find(" Temperatura 'del t\xE9'; en \xB0" "C al empezar el paso\r\n"), std::string::npos) << list;
}

TEST(XmileBadInput, NothingIsWrittenOutsideTheDirectory) {
  TempDir dir;
  dir.Write("model.xmile", Model("<aux name=\"a\"><eqn>TIME</eqn></aux>"));
  for (const char* name : {"../FUERA", "A/B", "..", ""}) {
    const testing::XmileRun run = RunXmile({"importar", dir / "model.xmile", dir / "modelo", "-n", name});
    EXPECT_EQ(run.status, 2) << name;
  }
  EXPECT_FALSE(dir.Has("modelo"));
  EXPECT_EQ(RunXmile({"importar", dir / "model.xmile", dir / "modelo", "-r", "10"}).status, 2);
  EXPECT_EQ(RunXmile({"exportar", dir.dir(), "../x"}).status, 2);
  EXPECT_EQ(RunXmile({"simular"}).status, 2);
  EXPECT_EQ(RunXmile({"convertir", "x"}).status, 2);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), std::filesystem::directory_iterator()), 1);
}

TEST(XmileBadInput, AHundredThousandVariablesImport) {
  std::string variables;
  for (int i = 0; i < 100000; ++i) {
    const std::string k = std::to_string(i);
    variables += i % 2 == 0 ? "<aux name=\"valor " + k + "\"><eqn>" + k + "</eqn></aux>"
                            : "<aux name=\"valor " + k + "\"><eqn>valor_" + std::to_string(i - 1) + " * TIME</eqn></aux>";
  }
  TempDir dir;
  dir.Write("model.xmile", Model(variables));
  const testing::XmileRun run = RunXmile({"importar", dir / "model.xmile", dir / "modelo", "-n", "CIEN"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string list = dir.Read("modelo/LCIEN.txt");
  std::set<std::string> ids;
  size_t lines = 0, length = 0;
  for (size_t at = 0; at < list.size(); at = list.find('\n', at) + 1) {
    const std::string id = list.substr(at, list.find(' ', at) - at);
    if (length == 0) length = id.size();
    EXPECT_EQ(id.size(), length);
    ids.insert(id);
    ++lines;
  }
  EXPECT_EQ(lines, 100001u) << "the variables and the start time";
  EXPECT_EQ(ids.size(), lines) << "every identifier once";
}

}  // namespace
}  // namespace korva
