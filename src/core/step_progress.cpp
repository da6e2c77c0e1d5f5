#include "core/step_progress.h"

#include "text/vb_text.h"

namespace korva {

StepProgress::StepProgress(RunContext& run, std::string what, long total, long threshold)
    : run_(run), what_(std::move(what)), total_(total), threshold_(threshold) {
  Advance(0);
}

StepProgress::~StepProgress() {
  // A step left midway (the program ending) leaves no line that says it finished.
  if (shown_ && !finished_) run_.Box.ClearProgress();
}

std::string StepProgress::Line() const {
  std::string line = "korva: " + what_ + ": " + PlainNum(done_);
  if (total_ > 0) line += " de " + PlainNum(total_);
  return line;
}

void StepProgress::Advance(long done) {
  done_ = done;
  const long size = total_ > 0 ? total_ : done;
  if (size < threshold_) return;
  shown_ = true;
  run_.Box.Progress(Line(), false);
}

void StepProgress::Finish() {
  if (finished_) return;
  finished_ = true;
  if (total_ > 0) done_ = total_;
  const long size = total_ > 0 ? total_ : done_;
  if (!shown_ && size < threshold_) return;
  run_.Box.Progress(Line(), true);
}

}  // namespace korva
