// What the rows of a section say that their author probably did not mean: values that are no
// numbers, depths too long for their form, records that do not fill their line, rows of another kind.
#pragma once

#include <cstdint>

#include "common/findings.h"
#include "common/section_table.h"
#include "common/text.h"

namespace tq {

// The forms in which a writer takes a value of a section's row.
enum class ValueForm {
  kNumber,          // the value of the text
  kMarkedNumber,    // the same, unless the text begins with "*"
  kDepth,           // the depth text: integer part in four characters
  kExponentNumber,  // the exponent number text, which also reads full-width exponent letters
};

// The findings of count rows of a section of the given record kind (as the run normalises it).
// Rows from the first one that begins with another record kind on are taken from a later
// section: that row is reported once, and none of their values.
void NoteSectionRows(FindingList& findings, const Text& kind, const SectionTable& table, std::int16_t count);

// How a message names a value ("C の深度"), put together only when there is a finding to note.
class ValueName {
 public:
  ValueName(const Text& name) : name_(name) {}  // NOLINT: a whole name converts
  ValueName(TextView kind, TextView name) : kind_(kind), name_(name) {}
  Text Whole() const { return kind_.empty() ? Text(name_) : Text(kind_) + U" の" + Text(name_); }

 private:
  TextView kind_;
  TextView name_;
};

// The finding of one value in the given form, named for the message; none when it reads as meant.
void NoteValue(FindingList& findings, TextView text, long line, ValueForm form, const ValueName& name);

// The number of fields of a record of the given kind.
int FieldsPerRecord(const Text& kind);

}  // namespace tq
