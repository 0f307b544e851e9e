// One source file converted section by section into its boring's outputs, with its findings.
#pragma once

#include <string>

#include "common/findings.h"
#include "common/text.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"
#include "run/run_data.h"

namespace tq {

// What the run knows of the source file it converts.
struct SourceToConvert {
  Text name;        // the file name as selected
  Text identifier;  // its boring identifier, already read
  std::string bytes;
};

// Converts the file's sections in their fixed order into the boring's outputs (kept until the
// caller commits them) and notes what the file probably does not say as its author meant.
// A file in another encoding than code page 932 is noted as an error and stops before any
// section is read. Throws ConversionError when the file cannot be converted.
void ConvertSource(RunData& data, SourceToConvert source, BoringFiles& files, PatternData& patterns,
                   FindingList& findings);

// Notes the outputs of an earlier conversion in the boring folder that this file's conversion
// does not replace: they stay beside the new ones, and section D's files read a stale X1.txt.
void NoteStaleOutputs(FindingList& findings, const BoringFiles& files, bool sectionDRead);

}  // namespace tq
