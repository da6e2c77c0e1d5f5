#include "files/folder_files.h"

#include <memory>

namespace korva {

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  const char last = directory.back();
  return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

bool ReadLines(FileSystem& files, const std::string& name, std::vector<std::string>& lines) {
  FileError error;
  std::unique_ptr<InputFile> in = files.OpenInput(name, error);
  if (!in) return false;
  for (std::string line; in->ReadLine(line);) lines.push_back(line);
  return true;
}

}  // namespace korva
