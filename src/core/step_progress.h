#pragma once
// The progress of a long step, told to the dialogue's front-end (which shows
// it on a terminal): only for a step that is long by its size, so that small
// models show nothing. The line reads "korva: <what>: <done> de <total>" (or
// "<done>" when the total is not known).
#include <string>

#include "core/run_context.h"

namespace korva {

// Sizes from which a step is long enough to show its progress.
inline constexpr long kLongStepElements = 10000;
inline constexpr long kLongStepModels = 100;

class StepProgress {
 public:
  // `total` 0: not known beforehand; the progress shows once `done` reaches `threshold`.
  StepProgress(RunContext& run, std::string what, long total, long threshold);
  ~StepProgress();  // an unfinished line is taken away
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;

  void Advance(long done);
  void Finish();

 private:
  std::string Line() const;

  RunContext& run_;
  std::string what_;
  long total_;
  long threshold_;
  long done_ = 0;
  bool shown_ = false;
  bool finished_ = false;
};

}  // namespace korva
