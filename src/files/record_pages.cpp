#include "files/record_pages.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace korva {

RecordPages::RecordPages(int fd, unsigned long long diskSize, std::string name)
    : fd_(fd), diskSize_(diskSize), size_(diskSize), name_(std::move(name)) {}

RecordPages::Page* RecordPages::PageAt(uint64_t index, FileError& error) {
  if (last_ != nullptr && lastIndex_ == index) return last_;
  auto found = pages_.find(index);
  if (found == pages_.end()) {
    if (pages_.size() >= kMaxPages) {
      if (!Flush(error)) return nullptr;
      pages_.clear();
      last_ = nullptr;
    }
    Page page;
    page.bytes = std::make_unique<char[]>(kPageBytes);  // zeros: a page past the end of the file reads as zeros
    const unsigned long long start = index * kPageBytes;
    size_t got = 0;
    const size_t wanted = start < diskSize_ ? static_cast<size_t>(std::min<unsigned long long>(kPageBytes, diskSize_ - start)) : 0;
    while (got < wanted) {
      ssize_t n = ::pread(fd_, page.bytes.get() + got, wanted - got, static_cast<off_t>(start + got));
      if (n < 0) {
        if (errno == EINTR) continue;
        error = FileError{ErrorNumberFromErrno(errno, false), name_};
        return nullptr;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    found = pages_.emplace(index, std::move(page)).first;
  }
  lastIndex_ = index;
  last_ = &found->second;
  return last_;
}

bool RecordPages::Read(unsigned long long offset, size_t count, std::string& bytes, FileError& error) {
  const size_t available = offset < size_ ? static_cast<size_t>(std::min<unsigned long long>(count, size_ - offset)) : 0;
  bytes.resize(available);
  size_t done = 0;
  while (done < available) {
    const unsigned long long at = offset + done;
    Page* page = PageAt(at / kPageBytes, error);
    if (page == nullptr) return false;
    const size_t within = static_cast<size_t>(at % kPageBytes);
    const size_t n = std::min(available - done, kPageBytes - within);
    std::memcpy(bytes.data() + done, page->bytes.get() + within, n);
    done += n;
  }
  return true;
}

bool RecordPages::Write(unsigned long long offset, std::string_view bytes, FileError& error) {
  size_t done = 0;
  while (done < bytes.size()) {
    const unsigned long long at = offset + done;
    Page* page = PageAt(at / kPageBytes, error);
    if (page == nullptr) return false;
    const size_t within = static_cast<size_t>(at % kPageBytes);
    const size_t n = std::min(bytes.size() - done, kPageBytes - within);
    std::memcpy(page->bytes.get() + within, bytes.data() + done, n);
    page->dirty = true;
    done += n;
  }
  size_ = std::max(size_, offset + bytes.size());
  return true;
}

bool RecordPages::Flush(FileError& error) {
  std::vector<uint64_t> dirty;
  for (const auto& [index, page] : pages_) {
    if (page.dirty) dirty.push_back(index);
  }
  std::sort(dirty.begin(), dirty.end());
  for (uint64_t index : dirty) {
    Page& page = pages_[index];
    const unsigned long long start = index * kPageBytes;
    const size_t length = static_cast<size_t>(std::min<unsigned long long>(kPageBytes, size_ - start));
    size_t done = 0;
    while (done < length) {
      ssize_t n = ::pwrite(fd_, page.bytes.get() + done, length - done, static_cast<off_t>(start + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        error = FileError{ErrorNumberFromErrno(errno, false), name_};
        return false;
      }
      done += static_cast<size_t>(n);
    }
    page.dirty = false;
    diskSize_ = std::max(diskSize_, start + length);
  }
  return true;
}

}  // namespace korva
