#include "files/directory_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "text/cp1252.h"

namespace korva {
namespace {

std::string FolderKey(const std::string& dir) { return dir.empty() ? "." : dir; }

// The folder of a host path and the entry's name in it.
std::pair<std::string, std::string> Split(const std::string& hostPath) {
  size_t slash = hostPath.find_last_of('/');
  if (slash == std::string::npos) return {".", hostPath};
  return {slash == 0 ? "/" : hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}

std::string CaseKey(const std::string& name) { return LowerCase(Utf8ToCp1252(name)); }

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool DirectoryNames::Current(const std::string& dir, const Listing& listing) const {
  struct stat st;
  if (::stat(dir.c_str(), &st) != 0) return false;
  return SameTime(st.st_mtim, listing.mtime) && static_cast<unsigned long long>(st.st_ino) == listing.inode;
}

void DirectoryNames::Stamp(const std::string& dir, Listing& listing) const {
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) {
    listing.mtime = st.st_mtim;
    listing.inode = static_cast<unsigned long long>(st.st_ino);
  }
}

std::string DirectoryNames::Match(const std::string& dir, const std::string& component) {
  const std::string key = FolderKey(dir);
  auto found = folders_.find(key);
  if (found == folders_.end() || !Current(key, found->second)) {
    Listing listing;
    Stamp(key, listing);  // before reading: a change while reading shows next time
    DIR* handle = ::opendir(key.c_str());
    if (handle == nullptr) {
      if (found != folders_.end()) folders_.erase(found);
      return "";
    }
    while (struct dirent* entry = ::readdir(handle)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      listing.names[CaseKey(name)].push_back(std::move(name));
    }
    ::closedir(handle);
    found = folders_.insert_or_assign(key, std::move(listing)).first;
  }
  auto names = found->second.names.find(CaseKey(component));
  if (names == found->second.names.end() || names->second.empty()) return "";
  return *std::min_element(names->second.begin(), names->second.end());
}

void DirectoryNames::Before(const std::string& hostPath) {
  auto found = folders_.find(Split(hostPath).first);
  if (found != folders_.end() && !Current(found->first, found->second)) folders_.erase(found);
}

void DirectoryNames::Change(const std::string& hostPath, bool added) {
  auto [dir, name] = Split(hostPath);
  auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  std::vector<std::string>& names = found->second.names[CaseKey(name)];
  auto at = std::find(names.begin(), names.end(), name);
  if (added && at == names.end()) names.push_back(name);
  if (!added && at != names.end()) names.erase(at);
  Stamp(dir, found->second);
}

void DirectoryNames::Added(const std::string& hostPath) { Change(hostPath, true); }
void DirectoryNames::Removed(const std::string& hostPath) { Change(hostPath, false); }
void DirectoryNames::Forget(const std::string& hostPath) { folders_.erase(Split(hostPath).first); }

}  // namespace korva
