#pragma once
// The pages of a file open for random access, held in memory between the
// reads and writes of its records: a program that puts or gets one small
// record at a time costs a copy, not a system call.
//
// Reads see every earlier write. The file's length counts what is held. What
// is held reaches the file when Flush is called (the owner does so when the
// file is closed, when the program is about to speak to the modeller, and
// before it ends) or when more pages are held than the limit, all at once.
// The file must not be written by anyone else while it is open (the file
// system refuses a second opening of a file open for writing).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "files/file_error.h"

namespace korva {

class RecordPages {
 public:
  // `fd`: the open file (not owned); `diskSize`: its length now; `name`: the
  // name errors are reported under.
  RecordPages(int fd, unsigned long long diskSize, std::string name);

  // The bytes at `offset` (fewer, or none, past the end of the file).
  bool Read(unsigned long long offset, size_t count, std::string& bytes, FileError& error);
  bool Write(unsigned long long offset, std::string_view bytes, FileError& error);
  // Writes every changed page to the file, in the order of the file.
  bool Flush(FileError& error);
  // The length of the file with what is held.
  unsigned long long size() const { return size_; }

  static constexpr size_t kPageBytes = 4096;
  static constexpr size_t kMaxPages = 4096;  // 16 MB held at most

 private:
  struct Page {
    std::unique_ptr<char[]> bytes;
    bool dirty = false;
  };
  // The page of index `index`, read from the file when first wanted.
  Page* PageAt(uint64_t index, FileError& error);

  int fd_;
  unsigned long long diskSize_;  // the length of the file on disk
  unsigned long long size_;      // the length with what is held
  std::string name_;
  std::unordered_map<uint64_t, Page> pages_;
  uint64_t lastIndex_ = 0;  // the page used last, found again without a lookup
  Page* last_ = nullptr;
};

}  // namespace korva
