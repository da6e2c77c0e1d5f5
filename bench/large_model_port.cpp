#include "large_model_port.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "vbrun/number_text.h"

namespace korva::bench {

namespace {

using vbrun::NumberKind;
using vbrun::WriteText;

// The step at which a record is due, as the simulator works it out: a Long
// times a Single is a Double, and so is everything after it.
double DueStep(long ngrab, float rg, float dt) { return -std::floor(.001 - ngrab * double{rg} / double{dt} * .9999997); }

}  // namespace

bool RunLargeModelPort(const std::filesystem::path& dir, int n, int periods) {
  const int inputs = n / 3;
  std::vector<float> e(static_cast<size_t>(n) + 1, 0.0f);
  {
    std::ifstream data(dir / "datos1.txt", std::ios::binary);
    std::string name, value;
    for (int i = 1; i <= inputs; ++i) {
      if (!std::getline(data, name) || !std::getline(data, value)) return false;
      e[static_cast<size_t>(i)] = static_cast<float>(std::stod(value));
    }
  }
  const float pp = static_cast<float>(periods), dt = 1, rg = 1;
  long nfin = static_cast<long>(-std::floor(.001 - double{pp / dt} * .9999997));
  const long ngrabEnd = static_cast<long>(DueStep(std::lrint(pp / rg), rg, dt));
  if (ngrabEnd > nfin) nfin = ngrabEnd;

  std::FILE* out = std::fopen((dir / "resul1").c_str(), "wb");
  if (out == nullptr) return false;
  std::string text;
  long ngrab = 1;
  for (long npaso = 1; npaso <= nfin; ++npaso) {
    float dt0 = 1;
    const float dt0a = 0;
    if (static_cast<double>(npaso) >= DueStep(ngrab, rg, dt)) {
      dt0 = 0;
      ++ngrab;
    }
    const bool record = dt0 <= dt0a;
    text.clear();
    for (int i = inputs + 1; i <= n; ++i) {
      const float input = e[static_cast<size_t>((i - 1) % inputs + 1)];
      e[static_cast<size_t>(i)] = i > 2 * inputs ? input + e[static_cast<size_t>(i - inputs)] : input + 1.0f;
      if (record) {
        text += WriteText(e[static_cast<size_t>(i)], NumberKind::kSingle);
        text += "\r\n";
      }
    }
    std::fwrite(text.data(), 1, text.size(), out);
  }
  const bool written = std::fclose(out) == 0;
  std::FILE* control = std::fopen((dir / "R1ic").c_str(), "wb");
  if (control == nullptr) return false;
  std::fprintf(control, "%d,\"s\",%s,1,0,0\r\n", n - inputs, WriteText(pp, NumberKind::kSingle).c_str());
  return std::fclose(control) == 0 && written;
}

}  // namespace korva::bench
