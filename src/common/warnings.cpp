// The process-wide warning sink.
#include "common/warnings.h"

namespace tq {
namespace {

WarningSink& CurrentSink() {
  static WarningSink sink;
  return sink;
}

}  // namespace

void ReportWarning(const Text& warning) {
  if (CurrentSink()) CurrentSink()(warning);
}

ScopedWarningSink::ScopedWarningSink(WarningSink sink) : previous_(std::move(CurrentSink())) {
  CurrentSink() = std::move(sink);
}

ScopedWarningSink::~ScopedWarningSink() { CurrentSink() = std::move(previous_); }

}  // namespace tq
