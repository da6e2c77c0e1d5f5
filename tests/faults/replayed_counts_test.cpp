// A table's number of points read from an answers log that holds no such
// number (0, a text, a number past any table) cannot build the table: the run
// says why and ends with status 1, as the program itself does from a pipe.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/korva_process.h"
#include "support/temp_dir.h"
#include "text/cp1252.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

TEST(ReplayedCountFault, ATablePointCountThatIsNoCountStopsTheRunAndSaysWhy) {
  const fs::path example = fs::path(KORVA_SOURCE_DIR) / "examples" / "tablas";
  for (const std::string count : {"0", "\"x\"", "99999999999999999999", "-3", "2.5"}) {
    SCOPED_TRACE(count);
    testing::TempDir dir;
    fs::copy(example, dir.dir(), fs::copy_options::recursive);
    std::string log = dir.Read("MODELO1.txt");
    const std::string record = "\"   Puntos de la tabla\",3";
    const size_t at = log.find(record);
    ASSERT_NE(at, std::string::npos);
    log.replace(at, record.size(), "\"   Puntos de la tabla\"," + count);
    dir.Write("MODELO1.txt", log);
    testing::ProcessOptions options;
    options.args = {"-d", dir.dir(), "-r", "1"};
    options.cwd = dir.dir();
    testing::Outcome run = testing::RunToEnd(options, "s\ns\ns\ns\nn\nn\n");
    EXPECT_EQ(run.status, 1);
    const std::string shown = std::string(count == "\"x\"" ? "x" : count);
    EXPECT_NE(run.out.find("El fichero MODELO1 da a la tabla de "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" " + shown + " puntos; han de ser entre 1 y 32767."), std::string::npos) << run.out;
  }
}

}  // namespace
}  // namespace korva
