#pragma once

#include <QColor>
#include <QRect>

#include "form/layout.h"

// Twips become logical pixels at 15 twips per pixel, and Qt's high-DPI scaling does the rest.
QRect TwipsToPixels(const TwipRect& twips);

inline QColor ToQColor(Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}
