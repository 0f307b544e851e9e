// The single-precision value of a section field, as the writers that compare depths take it.
#pragma once

#include "common/errors.h"
#include "common/values.h"

namespace tq {

// The value of a field in single precision; throws ConversionError when it lies outside that
// range.
float SingleValueOf(TextView field);

}  // namespace tq
