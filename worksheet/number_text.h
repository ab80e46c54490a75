#pragma once

#include <string>
#include <string_view>

// Reads the number at the start of a cell's text the way the cells have always been read:
// blanks anywhere are dropped, the longest numeric prefix counts, text without a number is 0.
// Both the period and decimalSeparator mark the decimal point, so that what FormatCellNumber
// wrote reads back unchanged. "&H" and "&O" start hexadecimal and octal whole numbers.
// Throws ArithmeticFault (overflow) for a number beyond the range of a double.
double ParseCellNumber(std::string_view text, std::string_view decimalSeparator);

// True for a text of nothing but the blanks ParseCellNumber drops, which reads as 0.
bool IsBlankCellText(std::string_view text);

// Writes a finite double like C's "%.15G": at most 15 significant digits, trailing zeros
// dropped, exponent form below 1E-04 and from 1E+15; decimalSeparator stands for the point.
std::string FormatCellNumber(double value, std::string_view decimalSeparator);
