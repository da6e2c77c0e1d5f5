#include "series_chart/series_chart.h"

#include <plplot/plplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "series_chart/svg_text.h"
#include "text/cp1252.h"

namespace korva {
namespace {

struct Rgb {
  int r, g, b;
};

// The colours of the values, in order (then again from the first).
const Rgb kColours[] = {{31, 119, 180}, {214, 39, 40}, {44, 160, 44}, {148, 103, 189},
                        {255, 127, 14}, {140, 86, 75}, {227, 119, 194}, {23, 190, 207}};
constexpr size_t kColourCount = std::size(kColours);

// The indices of PLplot's first colour map: 0 background, 1 axes and text,
// 2 the grid, then for each value its line, its band and its repetitions.
constexpr PLINT kAxes = 1, kGrid = 2, kFirstValue = 3;
PLINT LineColour(size_t k) { return kFirstValue + static_cast<PLINT>(3 * (k % kColourCount)); }
PLINT BandColour(size_t k) { return LineColour(k) + 1; }
PLINT ThinColour(size_t k) { return LineColour(k) + 2; }

// PLplot's text: UTF-8, with "#" as its escape character.
std::string PlText(const std::string& cp1252) {
  std::string out;
  for (char c : Cp1252ToUtf8(cp1252)) {
    out += c;
    if (c == '#') out += '#';
  }
  return out;
}

void SetUpColours() {
  plscmap0n(static_cast<PLINT>(kFirstValue + 3 * kColourCount));
  plscolbg(255, 255, 255);
  plscol0(kAxes, 40, 40, 40);
  plscol0(kGrid, 215, 215, 215);
  for (size_t k = 0; k < kColourCount; ++k) {
    const Rgb c = kColours[k];
    plscol0(LineColour(k), c.r, c.g, c.b);
    plscol0a(BandColour(k), c.r, c.g, c.b, 0.22);
    plscol0a(ThinColour(k), c.r, c.g, c.b, 0.45);
  }
}

struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void Take(double x) {
    if (!std::isfinite(x)) return;
    low = std::min(low, x);
    high = std::max(high, x);
  }
  // Widened by a margin, and made non-empty.
  void Settle(bool fromZero) {
    if (fromZero) Take(0);
    if (!std::isfinite(low)) low = 0, high = 1;
    double span = high - low;
    if (span <= 0) span = std::max(std::fabs(high), 1.0);
    if (!(fromZero && low >= 0)) low -= 0.06 * span;
    if (!(fromZero && high <= 0)) high += 0.06 * span;
  }
};

struct LegendEntries {
  std::vector<std::string> texts;
  std::vector<PLINT> options, textColours, boxColours, boxPatterns, lineColours, lineStyles;
  std::vector<PLFLT> boxScales, boxWidths, lineWidths;
  void Add(PLINT option, PLINT colour, double width, const std::string& text) {
    texts.push_back(text);
    options.push_back(option);
    textColours.push_back(kAxes);
    boxColours.push_back(colour);
    boxPatterns.push_back(0);
    boxScales.push_back(0.8);
    boxWidths.push_back(1);
    lineColours.push_back(colour);
    lineStyles.push_back(1);
    lineWidths.push_back(width);
  }
  size_t size() const { return texts.size(); }
  void Draw(double below) {
    std::vector<const char*> text;
    for (const std::string& t : texts) text.push_back(t.c_str());
    PLFLT width = 0, height = 0;
    pllegend(&width, &height, PL_LEGEND_BACKGROUND, PL_POSITION_BOTTOM | PL_POSITION_OUTSIDE | PL_POSITION_VIEWPORT,
             0.0, below, 0.08, 0, kAxes, 1, static_cast<PLINT>(size()), 1, static_cast<PLINT>(size()), options.data(),
             1.0, 0.85, 1.9, 0.0, textColours.data(), text.data(), boxColours.data(), boxPatterns.data(),
             boxScales.data(), boxWidths.data(), lineColours.data(), lineStyles.data(), lineWidths.data(), nullptr,
             nullptr, nullptr, nullptr);
  }
};

std::string Label(const SimulationResults& r, const ValueRef& value) {
  const std::string& name = r.variables[value.variable].name;
  return PlText(value.label + (name.empty() ? "" : "  " + name));
}

void Frame(const Range& x, const Range& y, double bottom, const std::string& title, const std::string& xLabel,
           bool numberedX) {
  pladv(0);
  plvpor(0.10, 0.96, bottom, 0.90);
  plwind(x.low, x.high, y.low, y.high);
  plschr(0, 0.9);
  plcol0(kGrid);
  plwidth(0.5);
  plbox(numberedX ? "g" : "", 0, 0, "g", 0, 0);
  plcol0(kAxes);
  plwidth(1);
  plbox(numberedX ? "bcnst" : "bc", 0, 0, "bcnstv", 0, 0);
  plschr(0, 1.05);
  plmtex("t", 1.6, 0.5, 0.5, title.c_str());
  plschr(0, 0.9);
  if (!xLabel.empty()) plmtex("b", 2.6, 0.5, 0.5, xLabel.c_str());
}

void DrawTrajectories(const SimulationResults& r, const Repetitions* reps, const std::vector<ValueRef>& values,
                      const std::string& title) {
  const size_t periods = r.Periods();
  std::vector<PLFLT> t(r.times.begin(), r.times.end());
  const bool band = r.repeated;
  const bool thin = reps != nullptr && reps->count <= kMostRepetitionLines;
  Range x, y;
  for (double time : r.times) x.Take(time);
  if (x.low == x.high) x.low -= 1, x.high += 1;
  for (const ValueRef& v : values) {
    for (size_t p = 0; p < periods; ++p) {
      const double mean = r.Value(p, v.column);
      y.Take(mean);
      if (band) y.Take(mean - r.deviations[p * r.Width() + v.column]), y.Take(mean + r.deviations[p * r.Width() + v.column]);
      if (thin) {
        for (size_t k = 0; k < reps->count; ++k) y.Take(reps->at(k, p, v.column));
      }
    }
  }
  y.Settle(false);
  LegendEntries legend;
  for (size_t k = 0; k < values.size(); ++k) legend.Add(PL_LEGEND_LINE, LineColour(k), 2.2, Label(r, values[k]));
  if (band) legend.Add(PL_LEGEND_COLOR_BOX, BandColour(0), 1, PlText("media ± 1 desviación típica"));
  if (thin) {
    legend.Add(PL_LEGEND_LINE, ThinColour(0), 0.7, PlText("repeticiones (" + std::to_string(reps->count) + ")"));
  }
  const double bottom = 0.16 + 0.045 * static_cast<double>(legend.size());
  const std::string unit = r.timeUnit.empty() ? "periodo" : r.timeUnit;
  Frame(x, y, bottom, title, PlText("tiempo (" + unit + ")"), true);

  for (size_t k = 0; k < values.size(); ++k) {
    const size_t column = values[k].column;
    if (band) {
      std::vector<PLFLT> px, py;
      for (size_t p = 0; p < periods; ++p) {
        px.push_back(t[p]);
        py.push_back(r.Value(p, column) + r.deviations[p * r.Width() + column]);
      }
      for (size_t p = periods; p-- > 0;) {
        px.push_back(t[p]);
        py.push_back(r.Value(p, column) - r.deviations[p * r.Width() + column]);
      }
      plcol0(BandColour(k));
      plfill(static_cast<PLINT>(px.size()), px.data(), py.data());
    }
    if (thin) {
      plcol0(ThinColour(k));
      plwidth(0.7);
      std::vector<PLFLT> ry(periods);
      for (size_t rep = 0; rep < reps->count; ++rep) {
        for (size_t p = 0; p < periods; ++p) ry[p] = reps->at(rep, p, column);
        plline(static_cast<PLINT>(periods), t.data(), ry.data());
      }
    }
  }
  for (size_t k = 0; k < values.size(); ++k) {
    std::vector<PLFLT> my(periods);
    for (size_t p = 0; p < periods; ++p) my[p] = r.Value(p, values[k].column);
    plcol0(LineColour(k));
    plwidth(2.2);
    plline(static_cast<PLINT>(periods), t.data(), my.data());
    if (periods <= 1) plpoin(static_cast<PLINT>(periods), t.data(), my.data(), 17);
  }
  plwidth(1);
  plschr(0, 0.9);
  legend.Draw(0.11);
}

void DrawBars(const SimulationResults& r, const std::vector<ValueRef>& values, const std::string& title) {
  Range x, y;
  x.Take(0.4);
  x.Take(static_cast<double>(values.size()) + 0.6);
  for (const ValueRef& v : values) {
    const double value = r.Value(0, v.column);
    y.Take(value);
    if (r.repeated) y.Take(value - r.deviations[v.column]), y.Take(value + r.deviations[v.column]);
  }
  y.Settle(true);
  LegendEntries legend;
  for (size_t k = 0; k < values.size(); ++k) legend.Add(PL_LEGEND_COLOR_BOX, LineColour(k), 1, Label(r, values[k]));
  if (r.repeated) legend.Add(PL_LEGEND_LINE, kAxes, 1, PlText("± 1 desviación típica"));
  const double bottom = 0.14 + 0.045 * static_cast<double>(legend.size());
  Frame(x, y, bottom, title, "", false);
  for (size_t k = 0; k < values.size(); ++k) {
    const double centre = static_cast<double>(k + 1);
    const double value = r.Value(0, values[k].column);
    if (!std::isfinite(value)) continue;
    PLFLT bx[4] = {centre - 0.32, centre + 0.32, centre + 0.32, centre - 0.32};
    PLFLT by[4] = {0, 0, value, value};
    plcol0(LineColour(k));
    plfill(4, bx, by);
    plcol0(kAxes);
    plschr(0, 0.85);
    const std::string label = PlText(values[k].label);
    plmtex("b", 1.3, (centre - x.low) / (x.high - x.low), 0.5, label.c_str());
    if (r.repeated) {
      PLFLT cx = centre, low = value - r.deviations[values[k].column], high = value + r.deviations[values[k].column];
      plwidth(1.5);
      plerry(1, &cx, &low, &high);
      plwidth(1);
    }
  }
  plschr(0, 0.9);
  legend.Draw(0.07);
}

}  // namespace

Checked<bool> DrawSeriesChart(const SimulationResults& r, const Repetitions* reps, const std::vector<ValueRef>& values,
                              ChartFormat format, const std::string& hostPath) {
  if (values.empty()) return Failure{"No hay ninguna variable que dibujar."};
  for (const ValueRef& v : values) {
    bool numeric = false;
    for (size_t p = 0; p < r.Periods(); ++p) numeric |= std::isfinite(r.Value(p, v.column));
    if (!numeric) return Failure{v.label + " es un texto: no se puede dibujar."};
  }
  const std::string title =
      PlText(r.purpose.empty() ? "Modelo " + r.model + ", simulación " + std::to_string(r.simulation) : r.purpose);
  plsdev(format == ChartFormat::kSvg ? "svg" : "pngcairo");
  plsfnam(hostPath.c_str());
  plsetopt("geometry", "960x640");
  SetUpColours();
  plinit();
  if (r.control.dynamic) {
    DrawTrajectories(r, reps, values, title);
  } else {
    DrawBars(r, values, title);
  }
  plend();
  if (format == ChartFormat::kSvg) {
    if (auto error = KeepTextAsCharacters(hostPath, Cp1252ToUtf8(r.purpose.empty() ? "Modelo " + r.model : r.purpose))) {
      return Failure{*error};
    }
  }
  return true;
}

}  // namespace korva
