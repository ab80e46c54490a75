#pragma once

#include <string>
#include <string_view>

// Small and capital letters of Latin and Bulgarian Cyrillic text in UTF-8, by their bytes, so that
// no locale changes how a text is written or a pupil's answer read.

// Every capital in small letters: "800 ГРАМА" is "800 грама".
std::string LowerCase(std::string_view text);
// The first letter in capitals: "солта" is "Солта".
std::string FirstCapital(std::string_view text);
// The first letter in small letters: "Първият разтвор" is "първият разтвор".
std::string FirstSmall(std::string_view text);
