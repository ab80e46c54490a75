#include "window/layout.h"

QRect TwipsToPixels(const TwipRect& twips) {
  return {twips.left / TwipsPerPixel, twips.top / TwipsPerPixel, twips.width / TwipsPerPixel,
          twips.height / TwipsPerPixel};
}
