#pragma once

#include <array>
#include <cstdint>

// The form as it was designed: every control's place in twips (1/1440 inch, 15 to a pixel at
// 96 dots per inch), its colours, and the order the keyboard visits the controls in.

// The controls, each kind an array that shares one name.
enum class ControlArray { Label1, Command1, Frame1, Option1, Text2, Text1 };

struct TwipRect {
  int left, top, width, height;
};

inline constexpr int TwipsPerPixel = 15;
inline constexpr int ClientWidthInTwips = 7560;
inline constexpr int ClientHeightInTwips = 6060;

// How many elements each control array has, in ControlArray's order.
inline constexpr std::array<int, 6> ControlCounts = {7, 2, 1, 7, 42, 2};

// Where element `index` of a control array sits: inside Frame1 for Option1, in the client area
// for everything else. Throws std::out_of_range for an element the form does not have.
TwipRect PlaceInTwips(ControlArray control, int index);

struct Rgb {
  std::uint8_t red, green, blue;
};

namespace Colours {
inline constexpr Rgb Window{192, 192, 255};
inline constexpr Rgb Label{255, 192, 128};
inline constexpr Rgb Calculate{128, 255, 128};
inline constexpr Rgb Clear{255, 0, 0};
inline constexpr Rgb Option{192, 255, 192};
inline constexpr Rgb ResultCell{255, 192, 192};
// The system grey of disabled text on the desktop this look was made on: 3.3 : 1 on the pink.
inline constexpr Rgb ResultText{109, 109, 109};
// Where a result is read-only text rather than a disabled field (the page on a phone), its text
// is dark enough for 4.5 : 1 on the pink.
inline constexpr Rgb ReadableResultText{77, 77, 77};
// The segment model: the active substance hatched in black on a blue 3.6 : 1 against the white
// rest, outlines and labels black.
inline constexpr Rgb Substance{100, 130, 220};
inline constexpr Rgb Rest{255, 255, 255};
inline constexpr Rgb PictureInk{0, 0, 0};
}  // namespace Colours

struct ControlRef {
  ControlArray control;
  int index;
};

// Every control in the order the form was designed with. A face passes over those that cannot
// take the focus (labels, the frame, result cells, the hidden box) and, of the option buttons,
// all but the selected one, which is a stop at its own place.
using KeyboardOrderList = std::array<ControlRef, 61>;
const KeyboardOrderList& KeyboardOrder();
