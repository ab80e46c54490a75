#pragma once

#include <QColor>
#include <QRect>

// The window's controls, each kind a control array sharing one name.
enum class ControlArray { Label1, Command1, Frame1, Option1, Text2, Text1 };

// Positions and sizes are kept in twips, as the form was designed; this converts them to
// logical pixels at 15 twips per pixel, and Qt's high-DPI scaling does the rest.
QRect TwipsToPixels(const QRect& twips);

// Where element `index` of a control array sits, in twips: inside Frame1 for Option1, in the
// client area for everything else.
QRect PlaceInTwips(ControlArray control, int index);

inline constexpr QSize ClientSizeInTwips{7560, 6060};

namespace Colours {
inline const QColor Window{192, 192, 255};
inline const QColor Label{255, 192, 128};
inline const QColor Calculate{128, 255, 128};
inline const QColor Clear{255, 0, 0};
inline const QColor Option{192, 255, 192};
inline const QColor ResultCell{255, 192, 192};
// The system grey of disabled text on the desktop this look was made on: 3.3 : 1 on the pink,
// where Fusion's own grey all but vanishes.
inline const QColor ResultText{109, 109, 109};
}  // namespace Colours
