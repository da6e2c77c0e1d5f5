#include "vbrun/vb_random.h"

#include <bit>
#include <chrono>
#include <ctime>

namespace korva::vbrun {

namespace {

constexpr uint32_t kMask = 0xFFFFFF;  // the state keeps 24 bits
constexpr uint32_t kMultiplier = 1140671485;
constexpr uint32_t kIncrement = 12820163;

uint32_t Step(uint32_t state) { return (state * kMultiplier + kIncrement) & kMask; }

// Seconds since local midnight, with milliseconds, as Timer gives them.
float TimerNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  const int whole = (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
  return static_cast<float>(whole + static_cast<double>(millis) / 1000.0);
}

}  // namespace

float VbRandom::Value() const { return static_cast<float>(state_) / 16777216.0f; }

float VbRandom::Next() {
  state_ = Step(state_);
  return Value();
}

float VbRandom::Next(float arg) {
  if (arg == 0) return Value();
  if (arg < 0) {
    const uint32_t bits = std::bit_cast<uint32_t>(arg);
    state_ = (bits + (bits >> 24)) & kMask;
  }
  return Next();
}

void VbRandom::MixIntoState(uint32_t bits) {
  const uint32_t middle = ((bits & 0xFFFF) << 8) ^ ((bits >> 8) & 0xFFFF00);
  state_ = (middle & 0xFFFF00) | (state_ & 0xFF);
}

// The seed is taken as a Double; its high 32 bits (sign, exponent and the top
// of the mantissa) are what is mixed in.
void VbRandom::Randomize(double seed) { MixIntoState(static_cast<uint32_t>(std::bit_cast<uint64_t>(seed) >> 32)); }

void VbRandom::RandomizeFromTimer() { MixIntoState(std::bit_cast<uint32_t>(TimerNow())); }

}  // namespace korva::vbrun
