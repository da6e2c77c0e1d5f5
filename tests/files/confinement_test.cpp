// The file layer keeps a run inside its working directory, reads only regular
// files, and leaves no half-written temporary behind.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "files/file_system.h"
#include "files/temporaries.h"
#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// A working directory "w" with a neighbour folder "fuera" beside it.
struct Confined {
  TempDir top;
  std::string work = top / "w";
  std::string outside = top / "fuera";
  FileSystem files;
  Confined() {
    fs::create_directory(work);
    fs::create_directory(outside);
    files.ConfineWritesTo(work + "/");
  }
  std::string In(const std::string& name) const { return work + "/" + name; }
};

TEST(Confinement, WritesLeavingTheWorkingDirectoryByNameAreRefused) {
  Confined c;
  FileError error;
  EXPECT_EQ(c.files.OpenOutput(c.In("../GRAsub.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  fs::create_directory(c.In("L.."));  // a model named "../../fuera/x" would read through it
  EXPECT_EQ(c.files.OpenAppend(c.In("L../../../fuera/x.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_EQ(c.files.OpenAppend(c.outside + "/x.txt", error), nullptr);
  EXPECT_FALSE(fs::exists(c.top / "GRAsub.txt"));
  EXPECT_FALSE(fs::exists(c.outside + "/x.txt"));

  // Within it, ".." that stays inside is harmless, and a subfolder is inside.
  fs::create_directory(c.In("sub"));
  auto out = c.files.OpenOutput(c.In("sub/../sub/a.txt"), error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("uno");
  EXPECT_TRUE(out->Close(error));
  EXPECT_TRUE(fs::exists(c.In("sub/a.txt")));

  // Renaming or deleting across the border is refused as well.
  std::ofstream(c.outside + "/viejo.txt") << "x";
  EXPECT_FALSE(c.files.Rename(c.In("sub/a.txt"), c.outside + "/a.txt", error));
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_FALSE(c.files.Delete(c.outside + "/viejo.txt", error));
  EXPECT_TRUE(fs::exists(c.outside + "/viejo.txt"));
}

TEST(Confinement, LinksLeadingOutAreNotFollowedLinksInsideAre) {
  Confined c;
  std::ofstream(c.outside + "/objetivo.txt") << "\"Crear, Ensamblar, formar Bloques, Analogia\",\"c\"\r\n";
  fs::create_symlink(c.outside + "/objetivo.txt", c.In("MODELO1.txt"));
  fs::create_symlink(c.outside + "/creado.txt", c.In("MODELO2.txt"));  // dangling
  fs::create_symlink(c.outside, c.In("enlace"));                        // a folder leading out

  FileError error;
  EXPECT_EQ(c.files.OpenInput(c.In("MODELO1.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_EQ(c.files.OpenAppend(c.In("MODELO1.txt"), error), nullptr);
  EXPECT_EQ(c.files.OpenAppend(c.In("MODELO2.txt"), error), nullptr);
  EXPECT_EQ(c.files.OpenOutput(c.In("enlace/nuevo.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_FALSE(fs::exists(c.outside + "/creado.txt"));
  EXPECT_FALSE(fs::exists(c.outside + "/nuevo.txt"));
  EXPECT_EQ(fs::file_size(c.outside + "/objetivo.txt"), 50u);

  // A file named outside is the modeller's to read (a library folder).
  EXPECT_NE(c.files.OpenInput(c.outside + "/objetivo.txt", error), nullptr);
  // A link that stays inside is followed.
  std::ofstream(c.In("LPOB.txt")) << "POB poblacion\r\n";
  fs::create_symlink(c.In("LPOB.txt"), c.In("LCOPIA.txt"));
  EXPECT_NE(c.files.OpenInput(c.In("LCOPIA.txt"), error), nullptr);
  EXPECT_NE(c.files.OpenAppend(c.In("LCOPIA.txt"), error), nullptr);
}

TEST(Confinement, OnlyRegularFilesAreReadAndNothingBlocks) {
  Confined c;
  ASSERT_EQ(::mkfifo(c.In("LPOB.txt").c_str(), 0600), 0);  // nobody writes to it
  FileError error;
  EXPECT_EQ(c.files.OpenInput(c.In("LPOB.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_EQ(c.files.OpenInput("/dev/zero", error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_EQ(c.files.OpenAppend(c.In("LPOB.txt"), error), nullptr) << "a FIFO is no log to append to";
  EXPECT_TRUE(error.failed());
  EXPECT_EQ(c.files.OpenRandom(c.In("LPOB.txt"), error), nullptr);
  // A file larger than any model's (sparse: it takes no room) is not read whole.
  { std::ofstream create(c.In("GPOB.txt")); }
  fs::resize_file(c.In("GPOB.txt"), FileSystem::kMaxInputBytes + 1);
  EXPECT_EQ(c.files.OpenInput(c.In("GPOB.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kOutOfMemory);
  fs::create_directory(c.In("CPOB.txt"));
  EXPECT_EQ(c.files.OpenInput(c.In("CPOB.txt"), error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
}

TEST(Temporaries, StaleOnesOfDeadRunsAreClearedLiveOnesKept) {
  Confined c;
  // A process that has ended: its pid is free.
  pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  fs::create_directory(c.In("sub"));
  const std::string stale = c.In(".CHNsub.txt.korva-tmp-" + std::to_string(dead));
  const std::string staleInFolder = c.In("sub/.dX.bas.korva-tmp-" + std::to_string(dead));
  const std::string live = c.In(".LPOB.txt.korva-tmp-" + std::to_string(::getppid()));
  const std::string notOurs = c.In(".notas.korva-tmp-abc");
  for (const std::string& path : {stale, staleInFolder, live, notOurs}) std::ofstream(path) << "medio";
  EXPECT_EQ(c.files.ClearStaleTemporaries(c.work + "/"), 2);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_FALSE(fs::exists(staleInFolder));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(notOurs));
}

// A run stopped by a signal in the middle of a rewrite removes its temporary
// and leaves the old file whole.
TEST(Temporaries, SignalDuringARewriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  dir.Write("CHNsub.txt", "viejo\r\n");
  pid_t child = ::fork();
  if (child == 0) {
    RemoveTemporariesOnSignal();
    FileSystem files;
    FileError error;
    auto out = files.OpenOutput(dir / "CHNsub.txt", error);
    if (out == nullptr) ::_exit(3);
    out->WriteLine("nuevo a medias");
    ::raise(SIGTERM);
    ::_exit(4);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(dir.Read("CHNsub.txt"), "viejo\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace korva
