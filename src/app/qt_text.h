// Conversions between the program's texts and Qt's strings.
#pragma once

#include <QString>

#include "common/text.h"

namespace tq {

inline QString ToQString(const Text& text) {
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text FromQString(const QString& string) {
  QList<uint> codePoints = string.toUcs4();
  return Text(codePoints.begin(), codePoints.end());
}

}  // namespace tq
