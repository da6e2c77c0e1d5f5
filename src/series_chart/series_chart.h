#pragma once
// The chart of chosen result values of one simulation, drawn by PLplot:
// for a dynamic model each value over time (the mean with a band of one
// standard deviation either side when the simulation was repeated, and the
// repetitions themselves as thin lines when there are at most 50); for a
// static model one bar per value (with the deviation as an error bar).
// Axes with PLplot's own ticks, a legend with the full names, the model's
// purpose as title.
#include <string>
#include <vector>

#include "run_results/checked.h"
#include "run_results/simulation_results.h"

namespace korva {

enum class ChartFormat { kSvg, kPng };

// At most this many repetitions are drawn one by one.
inline constexpr size_t kMostRepetitionLines = 50;

// Draws the chart into `hostPath` (written by PLplot in place: give a
// temporary name). `repetitions` may be null. The SVG's texts are left as
// text elements holding the characters themselves.
Checked<bool> DrawSeriesChart(const SimulationResults& results, const Repetitions* repetitions,
                              const std::vector<ValueRef>& values, ChartFormat format, const std::string& hostPath);

}  // namespace korva
