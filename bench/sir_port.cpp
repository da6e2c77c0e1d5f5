#include "sir_port.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "vbrun/number_text.h"
#include "vbrun/vb_random.h"

namespace korva::bench {

namespace {

using vbrun::NumberKind;
using vbrun::WriteText;

constexpr int kTableRows = 74;

// The half-normal table of the simulator: abscissa (column 1) and area (column 2).
struct NormalTable {
  float x[kTableRows + 1] = {};
  float area[kTableRows + 1] = {};
  NormalTable() {
    static const double kAreas[kTableRows] = {
        0,    398,  796,  1192, 1585, 1974, 2358, 2736, 3108, 3472, 3829, 4176, 4514, 4843, 5160,
        5476, 5762, 6046, 6318, 6578, 6826, 7062, 7286, 7498, 7698, 7887, 8064, 8229, 8384, 8529,
        8663, 8788, 8904, 9010, 9108, 9198, 9281, 9356, 9425, 9488, 9545, 9596, 9642, 9684, 9721,
        9755, 9785, 9812, 9836, 9857, 9875, 9892, 9906, 9919, 9930, 9940, 9948, 9956, 9962, 9968,
        9973, 9977, 9980, 9983, 9986, 9988, 9990, 9991, 9993, 9995.3, 9996.8, 9997.8, 9998.6, 9999.1};
    for (int j = 1; j <= kTableRows; ++j) {
      x[j] = static_cast<float>((j - 1) * .05);
      area[j] = static_cast<float>(kAreas[j - 1]) / 20000.0f;
    }
  }
};

// A standard normal deviate drawn from the table (the simulator's gs120).
float NormalDeviate(const NormalTable& t, vbrun::VbRandom& random) {
  const float b1 = random.Next();
  const float b = static_cast<float>(std::fabs(b1 - 0.5));
  float c = t.x[kTableRows];
  for (int l = 1; l <= kTableRows; ++l) {
    if (b >= t.area[l]) continue;
    c = t.x[l - 1] + (b - t.area[l - 1]) / (t.area[l] - t.area[l - 1]) * (t.x[l] - t.x[l - 1]);
    break;
  }
  return b1 < 0.5 ? c * -1.0f : c;
}

double DueStep(long ngrab, float rg, float dt) { return -std::floor(.001 - ngrab * double{rg} / double{dt} * .9999997); }

// The record file: each value put and got at its place, as the statements do.
class RecordFile {
 public:
  explicit RecordFile(const std::filesystem::path& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
  ~RecordFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  bool ok() const { return file_ != nullptr; }
  void Put(float value) { std::fwrite(&value, sizeof value, 1, file_); }
  float Get(long record) {
    float value = 0;
    std::fseek(file_, (record - 1) * 4L, SEEK_SET);
    if (std::fread(&value, sizeof value, 1, file_) != 1) value = 0;
    return value;
  }
  bool Close() {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

 private:
  std::FILE* file_;
};

// The mean, deviation and chi-square of each recorded value over the
// repetitions (the simulator's statistics), one line of resul1 each.
bool WriteStatistics(const std::filesystem::path& dir, const SirRun& run, const NormalTable& tnor, long records) {
  RecordFile ale(dir / "resul1.ale", "rb");
  std::FILE* out = std::fopen((dir / "resul1").c_str(), "wb");
  if (!ale.ok() || out == nullptr) return false;
  const long ic = 3, nr = run.repetitions;
  const int n = run.freedom + 1;
  const float r0 = 0.000001f;
  std::vector<float> dis(static_cast<size_t>(nr) + 1), fr(static_cast<size_t>(n) + 1), ft(static_cast<size_t>(n) + 1);
  std::string line;
  for (long j = 0; j <= records - 1; ++j) {
    for (long i = 1; i <= ic; ++i) {
      float x = 0, ami = 0, ama = 0;
      for (long k = 0; k <= nr - 1; ++k) {
        const float a = ale.Get(records * ic * k + ic * j + i);
        dis[static_cast<size_t>(k + 1)] = a;
        x = x + a;
        if (k == 0) ami = ama = a;
        if (a < ami) ami = a;
        if (a > ama) ama = a;
      }
      const float xm = x / static_cast<float>(nr);
      float x2 = 0;
      for (long k = 1; k <= nr; ++k) x2 = static_cast<float>(x2 + std::pow(double{dis[static_cast<size_t>(k)] - xm}, 2.0));
      float xs = x2 / static_cast<float>(nr - 1);
      xs = xs < r0 ? 0 : static_cast<float>(std::sqrt(double{xs}));
      const float ra = (ama - ami) / static_cast<float>(n);
      float xi = 0;
      if (!(xs < r0)) {
        for (int l = 1; l <= n; ++l) fr[static_cast<size_t>(l)] = 0;
        for (long k = 1; k <= nr; ++k) {
          const float a = dis[static_cast<size_t>(k)];
          float b = ami;
          for (int l = 1; l <= n; ++l) {
            b = b + ra;
            if (a < b && a >= b - ra) {
              fr[static_cast<size_t>(l)] = fr[static_cast<size_t>(l)] + 1;
              break;
            }
          }
        }
        float a = 0.5f, b = ami;
        for (int l = 1; l <= n; ++l) {
          const float ba = b;
          b = b + ra;
          const float bt = std::fabs(b - xm) / xs;
          float h = 0.5f;
          for (int k = 1; k <= kTableRows; ++k) {
            if (tnor.x[k] == bt) {
              h = tnor.area[k];
              break;
            }
            if (tnor.x[k] > bt) {
              h = static_cast<float>(tnor.area[k - 1] +
                                     (tnor.area[k] - tnor.area[k - 1]) * (bt - tnor.x[k - 1]) / 0.05);
              break;
            }
          }
          float& f = ft[static_cast<size_t>(l)];
          f = static_cast<float>(ba < xm && b > xm ? double{a + h} * nr : double{std::fabs(a - h)} * nr);
          a = h;
          const float freq = fr[static_cast<size_t>(l)];
          if (f > r0) xi = static_cast<float>(xi + std::pow(double{freq - f}, 2.0) / f);
        }
      }
      line = WriteText(xm, NumberKind::kSingle) + "," + WriteText(xs, NumberKind::kSingle) + "," +
             WriteText(xi, NumberKind::kSingle) + "\r\n";
      std::fwrite(line.data(), 1, line.size(), out);
    }
  }
  return std::fclose(out) == 0;
}

}  // namespace

bool RunSirPort(const std::filesystem::path& dir, const SirRun& run) {
  const NormalTable tnor;
  vbrun::VbRandom random;
  random.Randomize(run.seed);

  float san = 0, ean = 0, ran = 0, gam = 0;
  float mean = 0, deviation = 0;
  {
    std::ifstream data(dir / "datos1.txt", std::ios::binary);
    std::string name, value[5];
    for (std::string& v : value) {
      if (!std::getline(data, name) || !std::getline(data, v)) return false;
      v = v.substr(1, v.find('"', 1) - 1);  // the value written between quotes
    }
    san = std::stof(value[0]);
    ean = std::stof(value[1]);
    ran = std::stof(value[2]);
    const size_t semicolon = value[3].find(';');
    mean = static_cast<float>(std::stod(value[3].substr(0, semicolon)));
    deviation = static_cast<float>(std::stod(value[3].substr(semicolon + 1)));
    gam = std::stof(value[4]);
  }
  const float pp = run.days, dt = run.step, rg = 1;
  long nfin = static_cast<long>(-std::floor(.001 - double{pp / dt} * .9999997));
  const long records = std::lrint(pp / rg);
  const long ngrabEnd = static_cast<long>(DueStep(records, rg, dt));
  if (ngrabEnd > nfin) nfin = ngrabEnd;

  RecordFile ale(dir / "resul1.ale", "wb");
  if (!ale.ok()) return false;
  for (long ir = 1; ir <= run.repetitions; ++ir) {
    const float bet = mean + NormalDeviate(tnor, random) * deviation;
    float san0 = san, ean0 = ean, ran0 = ran;
    long ngrab = 1;
    for (long npaso = 1; npaso <= nfin; ++npaso) {
      float dt0 = 1;
      const float dt0a = 0;
      if (static_cast<double>(npaso) >= DueStep(ngrab, rg, dt)) {
        dt0 = 0;
        ++ngrab;
      }
      const bool record = dt0 <= dt0a;
      const float sus = san - dt * bet * san * ean / (san + ean + ran);
      if (record) ale.Put(sus);
      const float enf = ean + dt * (bet * san * ean / (san + ean + ran) - gam * ean);
      if (record) ale.Put(enf);
      const float rec = ran + dt * gam * ean;
      if (record) ale.Put(rec);
      if (npaso == 1) san0 = san, ean0 = ean, ran0 = ran;
      san = sus;
      ean = enf;
      ran = rec;
    }
    san = san0;
    ean = ean0;
    ran = ran0;
  }
  if (!ale.Close()) return false;
  std::FILE* control = std::fopen((dir / "R1ic").c_str(), "wb");
  if (control == nullptr) return false;
  std::fprintf(control, "3,\"s\",%s,1,0,%ld\r\n", WriteText(pp, NumberKind::kSingle).c_str(), run.repetitions);
  if (std::fclose(control) != 0) return false;
  return WriteStatistics(dir, run, tnor, records);
}

}  // namespace korva::bench
