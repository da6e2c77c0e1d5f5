#pragma once
// The names in the folders the system works in, kept so that finding a file
// without regard to letter case does not read the whole folder for every file:
// a division into thousands of subsystem files would otherwise read the folder
// once per file written.
//
// A folder's names are read once and kept while the folder's modification time
// stays what it was; the system's own additions and removals are applied to the
// kept names, so its own writing does not make it read the folder again, while a
// change made by anybody else does.
#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

namespace korva {

class DirectoryNames {
 public:
  // The entry of folder `dir` ("" for the current folder) whose name equals
  // `component` without regard to case; among several, the first in byte
  // order; empty when there is none or the folder cannot be read.
  std::string Match(const std::string& dir, const std::string& component);

  // Around a change the system makes to a folder: Before forgets the kept
  // names when the folder changed since they were read; Added and Removed
  // record the entry (a host path) and take the folder's new time.
  void Before(const std::string& hostPath);
  void Added(const std::string& hostPath);
  void Removed(const std::string& hostPath);
  // A change that failed half-way: the folder is read again next time.
  void Forget(const std::string& hostPath);

 private:
  struct Listing {
    struct timespec mtime {};
    unsigned long long inode = 0;
    // Lower-cased name to the names that lower-case to it.
    std::unordered_map<std::string, std::vector<std::string>> names;
  };
  bool Current(const std::string& dir, const Listing& listing) const;
  void Stamp(const std::string& dir, Listing& listing) const;
  void Change(const std::string& hostPath, bool added);

  std::unordered_map<std::string, Listing> folders_;
};

}  // namespace korva
