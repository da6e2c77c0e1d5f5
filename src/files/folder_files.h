#pragma once
// Small conveniences for the programs that read a model's folder after korva
// and the generated programs have written it.
#include <string>
#include <vector>

#include "files/file_system.h"

namespace korva {

// `name` inside `directory` ("" for the current folder), with one separator.
std::string InDirectory(const std::string& directory, const std::string& name);

// Appends every line of file `name` to `lines`; false when it cannot be opened.
bool ReadLines(FileSystem& files, const std::string& name, std::vector<std::string>& lines);

}  // namespace korva
