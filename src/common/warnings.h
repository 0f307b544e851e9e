// Warnings: failures that do not stop a conversion but that the user must hear of.
#pragma once

#include <functional>

#include "common/text.h"

namespace tq {

using WarningSink = std::function<void(const Text& warning)>;

// Hands a warning to the sink installed by the running command; without one it is dropped.
void ReportWarning(const Text& warning);

// Installs a sink for its lifetime and restores the one before it afterwards.
class ScopedWarningSink {
 public:
  explicit ScopedWarningSink(WarningSink sink);
  ~ScopedWarningSink();
  ScopedWarningSink(const ScopedWarningSink&) = delete;
  ScopedWarningSink& operator=(const ScopedWarningSink&) = delete;

 private:
  WarningSink previous_;
};

}  // namespace tq
