// Conversions the section readers try on fields as they read them, so that a field no writer
// could convert stops the source file with the line it stands on.
#pragma once

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"

namespace tq {

// The value of a field in single precision; throws ConversionError when it lies outside that
// range.
float SingleValueOf(TextView field);

// Reads a field and runs form on it, the conversion a writer will make later; a ConversionError
// that form throws is thrown again with the field's line.
template <typename Form>
Text ReadCheckedField(SourceFile& file, Form form) {
  Text field = file.ReadField();
  try {
    form(field);
  } catch (const ConversionError& error) {
    throw ConversionError(error.Cause(), file.LastLine());
  }
  return field;
}

// A field whose value the writers take.
inline Text ReadValueField(SourceFile& file) {
  return ReadCheckedField(file, [](const Text& field) { (void)ValueOf(field); });
}

// A field whose value the writers take in single precision.
inline Text ReadSingleField(SourceFile& file) {
  return ReadCheckedField(file, [](const Text& field) { (void)SingleValueOf(field); });
}

}  // namespace tq
