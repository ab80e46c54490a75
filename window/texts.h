#pragma once

#include <QString>
#include <string_view>

#include "form/texts.h"

// The form's UTF-8 texts as Qt strings.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
