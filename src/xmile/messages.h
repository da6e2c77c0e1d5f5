#pragma once
// What korva-xmile says (Windows-1252, in Spanish as korva speaks): its
// usage, and the words around what the importer and exporter report.
#include <string>
#include <vector>

namespace korva::xmile {

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;   // a program or a file operation failed on the way
constexpr int kExitRefused = 2;  // bad usage, or input that is not a model korva-xmile can take

const char* XmileUsage();
std::string XmileVersion();

// The lines that report a refused import: a head naming the file, then one
// line per construct.
std::vector<std::string> RefusalReport(const std::string& file, const std::vector<std::string>& problems);

// The head of the mapping an import prints.
std::string MappingHead(const std::string& file, const std::string& directory, const std::string& modelName,
                        int idLength);

}  // namespace korva::xmile
