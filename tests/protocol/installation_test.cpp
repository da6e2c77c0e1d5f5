// `cmake --install` into a fresh prefix: the programs, their manual pages and
// the examples, and the installed korva runs an installed example.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(Installation, InstallsProgramsManualPagesAndExamples) {
  TempDir prefix;
  const std::string build = fs::path(KORVA_BINARY).parent_path().string();
  const std::string install =
      "cmake --install '" + build + "' --prefix '" + prefix.path() + "' >'" + (prefix / "install.log") + "' 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0) << prefix.Read("install.log");
  for (const char* file :
       {"bin/korva", "bin/korva-vbrun", "bin/korva-xmile", "share/man/man1/korva.1", "share/man/man1/korva-vbrun.1",
        "share/man/man1/korva-xmile.1",
        "share/doc/korva/examples/poblacion/MODELO1.txt", "share/doc/korva/examples/analogia/biblioteca/LDEM.txt"}) {
    EXPECT_TRUE(fs::exists(prefix / file)) << file;
  }
  // The installed program replays an installed example, its folder given on the command line.
  fs::copy(prefix / "share/doc/korva/examples/poblacion", prefix / "modelo", fs::copy_options::recursive);
  const std::string run = "'" + (prefix / "bin/korva") + "' -d '" + (prefix / "modelo") + "' <'" +
                          (prefix / "modelo/stdin.txt") + "' >/dev/null 2>&1";
  int status = std::system(run.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(prefix / "modelo/SPOB.bas"));
}

}  // namespace
}  // namespace korva
