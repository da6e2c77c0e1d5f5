#pragma once
// The target language's own random number generator, so that a program run
// with the same seeds gives the same numbers.
//
// The state is a 24-bit number; each step takes it to
// (state * 1140671485 + 12820163) mod 2^24 and the value is state / 2^24.
// Rnd with a negative argument makes the state from the bits of the argument
// as a Single; Randomize replaces the middle 16 bits of the state by a mix of
// the seed's bits and keeps its low 8 bits, so Randomize n repeats a sequence
// only from the same state (a fresh generator, or right after Rnd(-x)).
#include <cstdint>

namespace korva::vbrun {

class VbRandom {
 public:
  // Rnd, and Rnd(x) for x > 0: the next value.
  float Next();
  // Rnd(arg): arg < 0 makes the state from arg's bits and returns the value
  // after it, the same for the same arg; arg = 0 repeats the last value;
  // arg > 0 is Next().
  float Next(float arg);
  // Randomize n.
  void Randomize(double seed);
  // Randomize with no argument: the seed is Timer, the seconds since
  // midnight (with milliseconds) as a Single.
  void RandomizeFromTimer();

 private:
  // Puts the 16 bits mixed from `bits` in the middle of the state.
  void MixIntoState(uint32_t bits);
  float Value() const;

  uint32_t state_ = 327680;
};

}  // namespace korva::vbrun
