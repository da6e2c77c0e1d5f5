// The answers log the analogy search prepares for a second cycle, replayed on
// the create path. Cut after each record of its header, the replay must ask,
// at the cut, the question that the next record answers, under the same label;
// whole, it must build the model it describes without asking anything logged.
#include <gtest/gtest.h>

#include <filesystem>

#include "analogy/completion.h"
#include "core/questions.h"
#include "dispatch/main_dialogue.h"
#include "dispatch/run_state.h"
#include "files/file_system.h"
#include "files/record_fields.h"
#include "support/answering_dialogue.h"
#include "support/file_lines.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::AnsweringDialogue;
using testing::LinesOf;
using testing::TempDir;
using Lines = std::vector<std::string>;
using Rules = std::vector<std::pair<std::string, Lines>>;

const char kPurpose[] = "probar el fichero preparado";

Lines FieldsOf(const std::string& record) {
  Lines fields;
  size_t pos = 0;
  for (std::string field; ReadRecordField(record, pos, field);) fields.push_back(field);
  return fields;
}

// The questions outside the answers log of a create cycle that replays log 2,
// answered as a modeller who goes on and then stops.
Rules CreateCycleRules(const std::string& dir) {
  return {
      {"¿En que directorio", {dir}},
      {"tiene grabadas, o quiere grabar", {"2"}},
      {"¿Seguimos?", {"s"}},
      {"¿Desea continuar?", {"s"}},
      {"¿Desea dejarlo para seguir en otro momento?", {"n"}},
      {"¿Desea corregir alguna sentencia?", {"n"}},
      {"¿Desea algo más?", {"n"}},
  };
}

// Gives `answer` to the first logged question the log leaves unanswered, and
// ends the input at the next one.
class OneAnswerDialogue : public AnsweringDialogue {
 public:
  OneAnswerDialogue(Rules rules, std::string answer) : AnsweringDialogue(std::move(rules)), answer_(std::move(answer)) {}

 private:
  std::optional<std::string> Unanswered(const std::string&) override {
    if (given_) return std::nullopt;
    given_ = true;
    return answer_;
  }
  std::string answer_;
  bool given_ = false;
};

// The analogy search of the example library by `keywords`, model "PROP": the
// proposed model's files and the prepared log Modelo2.txt, in `dir`.
void Propose(const TempDir& dir, const Lines& keywords) {
  const fs::path example = fs::path(KORVA_SOURCE_DIR) / "examples" / "analogia";
  fs::copy(example / "biblioteca", fs::path(dir.dir()) / "biblioteca", fs::copy_options::recursive);
  fs::copy(example / "BIBLIO.txt", fs::path(dir.dir()) / "BIBLIO.txt");
  Rules rules = {
      {"¿En que directorio", {dir.dir()}},
      {"tiene grabadas, o quiere grabar", {"1"}},
      {"(a) que le proponga", {"a"}},
      {"¿Como quiere llamar", {"PROP"}},
      {"servirá para", {kPurpose}},
      {"GNombre", {"1000"}},
      {"¿Cuantas palabras clave", {std::to_string(keywords.size())}},
      {"fichero de nombres de los modelos", {"BIBLIO"}},
      {"¿Desea que le prepare un fichero Modelo*", {"s"}},
      {"¿En qué fichero Modelo* quiere copiar", {"2"}},
      {"¿Desea algo más?", {"n"}},
  };
  for (size_t k = 0; k < keywords.size(); ++k) {
    rules.push_back({"Introduzca la palabra clave  " + std::to_string(k + 1), {keywords[k]}});
  }
  AnsweringDialogue box(std::move(rules));
  FileSystem files;
  RunState run(box, files);
  ASSERT_EQ(MainDialogue(run), 0) << (box.unanswered.empty() ? "" : box.unanswered.front());
}

struct Variant {
  Lines keywords;
  bool dynamic;
  Uncertainty uncertainty;
};

void PrintTo(const Variant& v, std::ostream* os) {
  for (const std::string& k : v.keywords) *os << k << " ";
}

class PreparedLogReplay : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    Propose(proposal, GetParam().keywords);
    log = LinesOf(proposal.Read("Modelo2.txt"));
    header = PreparedLogHeader("PROP", kPurpose, ImplyAnswers(LinesOf(proposal.Read("MPROP.txt"))));
  }

  // A fresh folder with the proposal's files and, as log 2, `records`.
  void CopyProposal(const TempDir& dir, const Lines& records) const {
    for (const char* kind : {"L", "C", "G", "M"}) {
      const std::string name = std::string(kind) + "PROP.txt";
      dir.Write(name, proposal.Read(name));
    }
    std::string text;
    for (const std::string& record : records) text += record + "\r\n";
    dir.Write("Modelo2.txt", text);
  }

  TempDir proposal;
  Lines log;
  Lines header;
};

TEST_P(PreparedLogReplay, EveryHeaderRecordAnswersTheQuestionAskedAtItsPlace) {
  ASSERT_GE(log.size(), header.size());
  ASSERT_EQ(Lines(log.begin(), log.begin() + static_cast<long>(header.size())), header)
      << "the prepared log opens with its header";
  for (size_t k = 0; k < header.size(); ++k) {
    SCOPED_TRACE("cut before record " + std::to_string(k + 1) + ": " + header[k]);
    const Lines expected = FieldsOf(header[k]);
    ASSERT_EQ(expected.size(), 2u);
    TempDir dir;
    const Lines kept(header.begin(), header.begin() + static_cast<long>(k));
    CopyProposal(dir, kept);
    OneAnswerDialogue box(CreateCycleRules(dir.dir()), expected[1]);
    FileSystem files;
    RunState run(box, files);
    MainDialogue(run);
    for (const std::string& m : box.messages) EXPECT_EQ(m.find("descuadre"), std::string::npos) << m;
    const Lines after = LinesOf(dir.Read("Modelo2.txt"));
    ASSERT_EQ(after.size(), k + 1) << "the cut log is replayed, then one question is asked and recorded";
    EXPECT_EQ(Lines(after.begin(), after.begin() + static_cast<long>(k)), kept);
    const Lines recorded = FieldsOf(after[k]);
    ASSERT_EQ(recorded.size(), 2u) << after[k];
    EXPECT_TRUE(SameLabel(expected[0], recorded[0])) << "prepared " << expected[0] << ", asked " << recorded[0];
    EXPECT_EQ(recorded[1], expected[1]);
  }
}

TEST_P(PreparedLogReplay, TheWholeLogBuildsTheModelItDescribesAskingNothingLogged) {
  const Variant& v = GetParam();
  TempDir dir;
  CopyProposal(dir, log);
  AnsweringDialogue box(CreateCycleRules(dir.dir()));
  FileSystem files;
  RunState run(box, files);
  ASSERT_EQ(MainDialogue(run), 0) << (box.unanswered.empty() ? "" : box.unanswered.front());
  EXPECT_TRUE(box.unanswered.empty());
  EXPECT_EQ(LinesOf(dir.Read("Modelo2.txt")), log) << "every answer came from the log";
  EXPECT_EQ(run.Cycle.ModelName, "PROP");
  EXPECT_EQ(run.Cycle.ModelPurpose, kPurpose);
  EXPECT_EQ(run.Cycle.MainChoice, Activity::kCreate);
  EXPECT_TRUE(run.Cycle.MatrixFromEquations);
  EXPECT_FALSE(run.Cycle.Sim.GeneticAlgorithm);
  EXPECT_EQ(run.Cycle.Sim.IsDynamic(), v.dynamic);
  EXPECT_EQ(run.Cycle.Sim.TimeUnit, v.dynamic ? "Periodo" : "");
  EXPECT_EQ(run.Cycle.Sim.UncertaintyChoice, v.uncertainty);
  const std::string simulator = dir.Read("SPROP.bas");
  EXPECT_NE(simulator.find("Rem Programa para simular con el modelo PROP"), std::string::npos);
  EXPECT_NE(simulator.find(v.dynamic ? "udi=\"s\"" : "udi=\"n\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ExampleLibrary, PreparedLogReplay,
                         ::testing::Values(Variant{{"renta"}, false, Uncertainty::kUnasked},
                                           Variant{{"coste"}, true, Uncertainty::kNoInputs},
                                           Variant{{"poblacion", "coste"}, true, Uncertainty::kSomeInputs}));

}  // namespace
}  // namespace korva
