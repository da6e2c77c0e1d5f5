#pragma once
// The results of a simulation as CSV (RFC 4180: fields separated by ",",
// quoted when they hold a comma, a quote or a line end, CR LF after every
// row; UTF-8). The header row names the columns by identifier; the full
// names go to a second file of two columns, "columna,nombre".
#include <string>

#include "run_results/simulation_results.h"

namespace korva {

// One row per recorded period: "tiempo" and every value of the record as the
// simulator wrote it. With repetitions the values are the means, each
// followed by its standard deviation ("<ID>_desv") and chi-square ("<ID>_chi2").
std::string PeriodsCsv(const SimulationResults& results);

// One row per repetition and period: "repeticion,tiempo" and every value of
// that repetition's record.
std::string RepetitionsCsv(const SimulationResults& results, const Repetitions& repetitions);

// The full names of the columns of either table: "tiempo" with the time unit,
// then each column with the element's name.
std::string ColumnNamesCsv(const SimulationResults& results, bool repetitions);

// A field quoted as RFC 4180 asks (UTF-8 in, UTF-8 out).
std::string CsvField(const std::string& text);

// A number in the shortest text that reads back as the same single.
std::string SingleText(float x);

}  // namespace korva
