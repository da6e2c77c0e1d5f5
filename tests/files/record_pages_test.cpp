// The pages of a random-access file held in memory: what a reader sees
// before and after they reach the file, across page boundaries, holes and
// the limit of pages held.
#include "files/record_pages.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/temp_dir.h"

namespace korva {
namespace {

using testing::TempDir;

constexpr size_t kPage = RecordPages::kPageBytes;

class RecordPagesTest : public ::testing::Test {
 protected:
  // The file `name` opened for reading and writing, with pages over it.
  RecordPages Open(const std::string& bytes) {
    dir.Write("r.ale", bytes);
    fd = ::open((dir / "r.ale").c_str(), O_RDWR);
    return RecordPages(fd, bytes.size(), "r.ale");
  }
  ~RecordPagesTest() override {
    if (fd >= 0) ::close(fd);
  }
  std::string Read(RecordPages& pages, unsigned long long offset, size_t count) {
    std::string bytes;
    FileError error;
    EXPECT_TRUE(pages.Read(offset, count, bytes, error));
    return bytes;
  }
  void Write(RecordPages& pages, unsigned long long offset, const std::string& bytes) {
    FileError error;
    EXPECT_TRUE(pages.Write(offset, bytes, error));
  }

  TempDir dir;
  int fd = -1;
};

TEST_F(RecordPagesTest, ReadsSeeWritesAndTheFileOnlyAfterFlush) {
  RecordPages pages = Open("abcdefgh");
  Write(pages, 2, "XY");
  EXPECT_EQ(Read(pages, 0, 8), "abXYefgh");
  EXPECT_EQ(dir.Read("r.ale"), "abcdefgh") << "nothing reaches the file before a flush";
  FileError error;
  ASSERT_TRUE(pages.Flush(error));
  EXPECT_EQ(dir.Read("r.ale"), "abXYefgh");
}

TEST_F(RecordPagesTest, LengthAndReadsPastTheEndCountWhatIsHeld) {
  RecordPages pages = Open("abcd");
  EXPECT_EQ(Read(pages, 2, 4), "cd") << "fewer bytes at the end";
  EXPECT_EQ(Read(pages, 4, 4), "") << "none past it";
  // A record past the end leaves zeros before it, as the file system would.
  Write(pages, 10, "zz");
  EXPECT_EQ(pages.size(), 12u);
  EXPECT_EQ(Read(pages, 0, 12), std::string("abcd\0\0\0\0\0\0zz", 12));
  FileError error;
  ASSERT_TRUE(pages.Flush(error));
  EXPECT_EQ(dir.Read("r.ale"), std::string("abcd\0\0\0\0\0\0zz", 12));
}

TEST_F(RecordPagesTest, RecordsAcrossPagesAndFarHoles) {
  RecordPages pages = Open(std::string(kPage + 10, 'a'));
  Write(pages, kPage - 2, "1234");  // across the first page boundary
  Write(pages, 5 * kPage + 1, "far");
  EXPECT_EQ(Read(pages, kPage - 3, 6), "a1234a");
  EXPECT_EQ(Read(pages, 3 * kPage, 4), std::string(4, '\0')) << "a page never written is a hole";
  FileError error;
  ASSERT_TRUE(pages.Flush(error));
  const std::string file = dir.Read("r.ale");
  ASSERT_EQ(file.size(), 5 * kPage + 4);
  EXPECT_EQ(file.substr(kPage - 3, 6), "a1234a");
  EXPECT_EQ(file.substr(kPage + 10, 10), std::string(10, '\0'));
  EXPECT_EQ(file.substr(5 * kPage + 1), "far");
}

TEST_F(RecordPagesTest, MorePagesThanTheLimitReachTheFileAndStayReadable) {
  RecordPages pages = Open("");
  const size_t pageCount = RecordPages::kMaxPages + 3;
  for (size_t p = 0; p < pageCount; ++p) Write(pages, p * kPage, std::to_string(p));
  // The first pages were put into the file when the limit was reached.
  EXPECT_EQ(dir.Read("r.ale").substr(kPage, 1), "1");
  for (size_t p : {size_t{0}, size_t{7}, pageCount - 1}) {
    EXPECT_EQ(Read(pages, p * kPage, std::to_string(p).size()), std::to_string(p)) << "page " << p;
  }
  FileError error;
  ASSERT_TRUE(pages.Flush(error));
  EXPECT_EQ(dir.Read("r.ale").size(), (pageCount - 1) * kPage + std::to_string(pageCount - 1).size());
}

}  // namespace
}  // namespace korva
