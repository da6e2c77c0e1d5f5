// The built-ins simulated by korva's programs against the same model worked
// out here in double precision, step by step as XMILE defines them (Euler:
// flows and auxiliaries from the stocks at t, then the stocks move by dt).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "support/temp_dir.h"
#include "xmile/results_table.h"
#include "xmile/xmile_run.h"

namespace korva {
namespace {

using testing::RunXmile;
using testing::TempDir;

constexpr double kDt = 0.25;
constexpr double kStop = 8;

const char kModel[] = R"(<?xml version="1.0" encoding="utf-8"?>
<xmile version="1.0" xmlns="http://docs.oasis-open.org/xmile/ns/XMILE/v1.0">
  <header><name>builtins</name></header>
  <sim_specs method="Euler" time_units="dia"><start>1</start><stop>8</stop><dt reciprocal="true">4</dt></sim_specs>
  <model><variables>
    <aux name="step"><eqn>STEP(2, 3)</eqn></aux>
    <aux name="ramp"><eqn>ramp(1, 2, 4)</eqn></aux>
    <aux name="pulse"><eqn>PULSE(1, 2, 3)</eqn></aux>
    <aux name="once"><eqn>PULSE(3, 4)</eqn></aux>
    <aux name="input"><eqn>5 + Time</eqn></aux>
    <aux name="smooth"><eqn>SMTH1(input, 2)</eqn></aux>
    <aux name="delayed"><eqn>DELAY1(input, 2, 1)</eqn></aux>
    <aux name="modulo"><eqn>MOD(TIME, 2.5) + (TIME mod 2)</eqn></aux>
    <aux name="logs"><eqn>LOG10(100 * TIME) + LN(TIME) + EXP(-TIME) + SQRT(TIME)</eqn></aux>
    <aux name="trig"><eqn>SIN(TIME) + COS(TIME) + TAN(TIME / 10) + ARCTAN(TIME) + ARCSIN(TIME / 10) + ARCCOS(TIME / 8)</eqn></aux>
    <aux name="whole"><eqn>INT(-TIME / 3) + ABS(2 - TIME) + PI</eqn></aux>
    <aux name="logic"><eqn>IF TIME > 2 AND NOT (TIME >= 4) OR TIME = 5.5 THEN 1 ELSE -1</eqn></aux>
    <aux name="truth"><eqn>(TIME > 3) + (Time &lt;= 2) * 10 + (TIME &lt;&gt; 5) * 100 + (TIME AND 0)</eqn></aux>
    <aux name="bounded"><eqn>MAX(MIN(TIME, 4), 2) + min(time, -1) + Max(-time, 7)</eqn></aux>
    <aux name="clock"><eqn>STARTTIME + STOPTIME * 10 + DT * 100 + "Time" ^ 2</eqn></aux>
    <stock name="tank"><eqn>1</eqn><outflow>drain</outflow><non_negative/></stock>
    <flow name="drain"><eqn>0.5</eqn></flow>
    <flow name="ebb"><eqn>3 - TIME</eqn><non_negative/></flow>
    <stock name="pool"><eqn>step * 2 + 1</eqn><inflow>ebb</inflow></stock>
    <gf name="steps" type="discrete"><xpts>2,4,6</xpts><ypts>1,5,3</ypts></gf>
    <aux name="stepped"><eqn>steps(TIME)</eqn></aux>
    <aux name="line"><eqn>TIME</eqn><gf type="extrapolate"><xpts>2,3</xpts><ypts>0,2</ypts></gf></aux>
  </variables></model>
</xmile>
)";

// The model worked out here: the values of row t, keyed by variable.
std::vector<std::map<std::string, double>> Expected() {
  std::vector<std::map<std::string, double>> rows;
  double smooth = 5 + 1, delay = 1 * 2, tank = 1, pool = 0 * 2 + 1;
  for (int k = 0; 1 + k * kDt <= kStop + 1e-9; ++k) {
    const double t = 1 + k * kDt;
    std::map<std::string, double> v;
    v["step"] = t >= 3 ? 2 : 0;
    v["ramp"] = t > 2 ? std::min(t, 4.0) - 2 : 0;
    const double since = t - 2;
    const double nearest = 3 * std::floor(since / 3 + 0.5);
    v["pulse"] = since > -kDt / 2 && std::fabs(since - nearest) < kDt / 2 ? 1 / kDt : 0;
    v["once"] = std::fabs(t - 4) < kDt / 2 ? 3 / kDt : 0;
    v["input"] = 5 + t;
    v["smooth"] = smooth;
    v["delayed"] = delay / 2;
    auto mod = [](double a, double b) { return a - b * std::floor(a / b); };
    v["modulo"] = mod(t, 2.5) + mod(t, 2);
    v["logs"] = std::log10(100 * t) + std::log(t) + std::exp(-t) + std::sqrt(t);
    v["trig"] = std::sin(t) + std::cos(t) + std::tan(t / 10) + std::atan(t) + std::asin(t / 10) + std::acos(t / 8);
    v["whole"] = std::floor(-t / 3) + std::fabs(2 - t) + M_PI;
    v["logic"] = (t > 2 && !(t >= 4)) || t == 5.5 ? 1 : -1;
    v["truth"] = (t > 3) + (t <= 2) * 10 + (t != 5) * 100;
    v["bounded"] = std::max(std::min(t, 4.0), 2.0) + std::min(t, -1.0) + std::max(-t, 7.0);
    v["clock"] = 1 + 8 * 10 + kDt * 100 + t * t;
    v["tank"] = tank;
    v["drain"] = 0.5;
    v["ebb"] = std::max(0.0, 3 - t);
    v["pool"] = pool;
    v["stepped"] = t < 4 ? 1 : t < 6 ? 5 : 3;
    v["line"] = 2 * (t - 2);
    rows.push_back(v);
    smooth += kDt * (v["input"] - smooth) / 2;
    delay += kDt * (v["input"] - delay / 2);
    tank = std::max(0.0, tank - kDt * 0.5);
    pool += kDt * v["ebb"];
  }
  return rows;
}

TEST(XmileBuiltins, SimulateAsXmileDefinesThem) {
  TempDir dir;
  dir.Write("builtins.xmile", kModel);
  const testing::XmileRun run = RunXmile({"simular", dir / "builtins.xmile", "-o", dir / "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  const testing::ResultsTable table = testing::ParseResults(dir.Read("out.csv"), ',');
  const auto expected = Expected();
  ASSERT_EQ(table.times.size(), expected.size());
  for (size_t r = 0; r < expected.size(); ++r) {
    EXPECT_DOUBLE_EQ(table.times[r], 1 + static_cast<double>(r) * kDt);
    for (const auto& [name, value] : expected[r]) {
      std::optional<size_t> column = table.Column(name);
      ASSERT_TRUE(column.has_value()) << name;
      EXPECT_TRUE(testing::Close(table.values[r][*column], value))
          << name << " at " << table.times[r] << ": " << table.values[r][*column] << " instead of " << value;
    }
  }
}

// save_step: a row every so many steps, the first at the start.
TEST(XmileBuiltins, RowsFollowTheSaveStep) {
  TempDir dir;
  std::string model = kModel;
  model.replace(model.find("</sim_specs>"), 0, "<save_step>1</save_step>");
  dir.Write("builtins.xmile", model);
  const testing::XmileRun run = RunXmile({"simular", dir / "builtins.xmile", "-o", dir / "out.csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  const testing::ResultsTable table = testing::ParseResults(dir.Read("out.csv"), ',');
  EXPECT_EQ(table.times, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8}));
  const auto expected = Expected();
  EXPECT_TRUE(testing::Close(table.values[3][*table.Column("smooth")], expected[12].at("smooth")));
}

}  // namespace
}  // namespace korva
