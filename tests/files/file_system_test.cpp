#include "files/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::TempDir;

std::string ReadAllLines(InputFile& in) {
  std::string out, line;
  while (in.ReadLine(line)) out += line + "|";
  return out;
}

TEST(FileSystem, WritesWindows1252WithCrLf) {
  TempDir dir;
  FileSystem fs;
  FileError error;
  auto out = fs.OpenOutput(dir.workDir() + "Lpob.txt", error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("POB población");
  out->WriteRecord({RecordField::Text("a,b"), RecordField::Number(-2)});
  ASSERT_TRUE(out->Close(error));
  EXPECT_EQ(dir.Read("Lpob.txt"), "POB poblaci\xF3n\r\n\"a,b\",-2\r\n");
}

TEST(FileSystem, ReadsUtf8AndWindows1252WithEitherLineEnd) {
  TempDir dir;
  dir.Write("utf8.txt", "\xEF\xBB\xBFPOB poblaci\xC3\xB3n\nNAC\n");
  dir.Write("ansi.txt", "POB poblaci\xF3n\r\nNAC\r\n");
  FileSystem fs;
  FileError error;
  for (const char* name : {"utf8.txt", "ansi.txt"}) {
    auto in = fs.OpenInput(dir.workDir() + name, error);
    ASSERT_NE(in, nullptr) << name;
    EXPECT_EQ(ReadAllLines(*in), "POB poblaci\xF3n|NAC|") << name;
  }
}

TEST(FileSystem, NamesDifferingInCaseNameOneFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Trabajo");
  dir.Write("Trabajo/MODELO3.txt", "x\r\n");
  dir.Write("Trabajo/f", "ecuaciones\r\n");
  FileSystem fs;
  FileError error;
  // The folder and the file are both found whatever the case, with either separator.
  auto in = fs.OpenInput(dir.dir() + "\\TRABAJO\\Modelo3.txt", error);
  ASSERT_NE(in, nullptr);
  EXPECT_TRUE(fs.Exists(dir.workDir() + "trabajo/F"));
  // Appending to the other spelling writes into the same file, not a second one.
  in.reset();
  auto out = fs.OpenAppend(dir.workDir() + "trabajo/modelo3.TXT", error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("y");
  out->Close();
  EXPECT_EQ(dir.Read("Trabajo/MODELO3.txt"), "x\r\ny\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Trabajo"), {}), 2);
}

// The names of a folder are kept between look-ups: they must follow both the
// system's own writing, renaming and deleting and changes made by others.
TEST(FileSystem, KeptFolderNamesFollowEveryChange) {
  TempDir dir;
  FileSystem fs;
  FileError error;
  EXPECT_FALSE(fs.Exists(dir.workDir() + "lsub1.txt"));  // the folder's names are read here
  auto out = fs.OpenOutput(dir.workDir() + "LSUB1.txt", error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("a");
  ASSERT_TRUE(out->Close(error));
  EXPECT_TRUE(fs.Exists(dir.workDir() + "lsub1.TXT"));
  // Rewriting in another spelling replaces the one file.
  out = fs.OpenOutput(dir.workDir() + "Lsub1.txt", error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("b");
  ASSERT_TRUE(out->Close(error));
  EXPECT_EQ(dir.Read("LSUB1.txt"), "b\r\n");
  ASSERT_TRUE(fs.Rename(dir.workDir() + "lsub1.txt", dir.workDir() + "Otro.txt", error));
  EXPECT_FALSE(fs.Exists(dir.workDir() + "LSUB1.txt"));
  EXPECT_TRUE(fs.Exists(dir.workDir() + "OTRO.txt"));
  ASSERT_TRUE(fs.Delete(dir.workDir() + "otro.TXT", error));
  EXPECT_FALSE(fs.Exists(dir.workDir() + "Otro.txt"));
  // Another program adds and removes files meanwhile.
  dir.Write("Externo.txt", "x\r\n");
  EXPECT_TRUE(fs.Exists(dir.workDir() + "EXTERNO.TXT"));
  std::filesystem::remove(dir / "Externo.txt");
  EXPECT_FALSE(fs.Exists(dir.workDir() + "externo.txt"));
  // Everything was renamed or deleted away, and no temporary is left.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 0);
}

TEST(FileSystem, RewrittenFileStandsWholeUntilTheNewOneIsClosed) {
  TempDir dir;
  dir.Write("C.txt", "old\r\n");
  FileSystem fs;
  FileError error;
  auto out = fs.OpenOutput(dir.workDir() + "C.txt", error);
  ASSERT_NE(out, nullptr);
  out->WriteLine("new");
  EXPECT_EQ(dir.Read("C.txt"), "old\r\n");
  out.reset();  // closing by destruction keeps what was written
  EXPECT_EQ(dir.Read("C.txt"), "new\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 1) << "no temporary left";
}

TEST(FileSystem, FailuresCarryTheRunTimeErrorNumbers) {
  TempDir dir;
  FileSystem fs;
  FileError error;
  EXPECT_EQ(fs.OpenInput(dir.workDir() + "missing.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kFileNotFound);
  EXPECT_EQ(error.path, dir.workDir() + "missing.txt");
  EXPECT_EQ(fs.OpenInput(dir.workDir() + "nofolder/x.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathNotFound);
  EXPECT_EQ(fs.OpenOutput(dir.workDir() + "nofolder/x.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathNotFound);
  EXPECT_EQ(fs.OpenAppend(dir.workDir() + "nofolder/x.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kPathNotFound);
  EXPECT_EQ(fs.OpenInput(dir.dir(), error), nullptr) << "a folder is not a file";
  EXPECT_EQ(error.number, vberr::kPathFileAccess);
  EXPECT_FALSE(fs.Delete(dir.workDir() + "missing.txt", error));
  EXPECT_EQ(error.number, vberr::kFileNotFound);

  // A file open for writing cannot be opened again.
  auto out = fs.OpenAppend(dir.workDir() + "log.txt", error);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(fs.OpenOutput(dir.workDir() + "LOG.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kFileAlreadyOpen);
  EXPECT_EQ(fs.OpenInput(dir.workDir() + "log.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kFileAlreadyOpen);
  out.reset();
  EXPECT_NE(fs.OpenInput(dir.workDir() + "log.txt", error), nullptr);
}

TEST(FileSystem, RenameRefusesAnExistingName) {
  TempDir dir;
  dir.Write("a.txt", "a");
  dir.Write("b.txt", "b");
  FileSystem fs;
  FileError error;
  EXPECT_FALSE(fs.Rename(dir.workDir() + "a.txt", dir.workDir() + "B.TXT", error));
  EXPECT_EQ(error.number, vberr::kFileAlreadyExists);
  EXPECT_EQ(error.path, dir.workDir() + "B.TXT");
  EXPECT_FALSE(fs.Rename(dir.workDir() + "none.txt", dir.workDir() + "c.txt", error));
  EXPECT_EQ(error.number, vberr::kFileNotFound);
  EXPECT_TRUE(fs.Rename(dir.workDir() + "A.txt", dir.workDir() + "c.txt", error));
  EXPECT_EQ(dir.Read("c.txt"), "a");
  EXPECT_FALSE(dir.Has("a.txt"));
}

TEST(FileSystem, ProtectedFilesAndFoldersArePermissionDenied) {
  EXPECT_EQ(ErrorNumberFromErrno(EACCES, false), vberr::kPermissionDenied);
  EXPECT_EQ(ErrorNumberFromErrno(EROFS, false), vberr::kPermissionDenied);
  EXPECT_EQ(ErrorNumberFromErrno(ENOSPC, false), vberr::kDiskFull);
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempDir dir;
  dir.Write("ro.txt", "x");
  ::chmod((dir / "ro.txt").c_str(), 0444);
  FileSystem fs;
  FileError error;
  EXPECT_EQ(fs.OpenOutput(dir.workDir() + "ro.txt", error), nullptr);
  EXPECT_EQ(error.number, vberr::kPermissionDenied);
  EXPECT_EQ(dir.Read("ro.txt"), "x");
}

}  // namespace
}  // namespace korva
