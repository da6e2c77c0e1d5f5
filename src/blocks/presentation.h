#pragma once
// The listing of the subsystems formed, in the file <model>sub.txt: the
// variables by level (once per activity), then a title and every subsystem
// with its element numbers and its members level by level.
#include <cstdint>
#include <string>
#include <vector>

#include "blocks/forming.h"
#include "files/line_sink.h"
#include "model/model_tables.h"

namespace korva {

// "VARIABLES POR NIVELES EN " + model name, and the identifiers of every level.
std::vector<std::string> LevelsListing(const ModelTables& model, const std::string& modelName);

// The title of a forming: "SUBSISTEMAS NATURALES", "SUBSISTEMAS ELEMENTALES",
// or for fixed sizes the limits, the maxima as the modeller typed them.
std::string FormingTitle(FormingMode mode, const FormingLimits& limits, const std::string& maxSubsTyped,
                         const std::string& maxVarsTyped);

// An empty line, the title, an empty line and every subsystem, written to
// `out` line by line as the lines are made.
void WriteSubsystemsListing(LineSink& out, const ModelTables& model, const std::string& title,
                            const Subsystems& subsystems);

// The bytes that writing the listing adds to the file (the variables by level
// too when `withLevels`), worked out without making its lines.
uint64_t ListingBytes(const ModelTables& model, const std::string& modelName, bool withLevels,
                      const std::string& title, const Subsystems& subsystems);

}  // namespace korva
