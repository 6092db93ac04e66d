#pragma once
// Text helpers with the framework's conversion rules. Free of windows.h.

#include <cstdint>
#include <string>

// Whole decimal (or $hex) text to a signed 32-bit integer; surrounding blanks
// are not allowed. Raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
// The same, without raising: false when the text is not an integer.
bool TryStrToInt(const std::string& text, int32_t& value);
std::string IntToStr(long long value);
std::string Trim(const std::string& text);
bool SameText(const std::string& a, const std::string& b);
std::string UpperCase(const std::string& text);
// The accelerator of a caption: the character after a single '&' ("&&" is a
// literal ampersand), upper-cased; 0 when there is none.
char AcceleratorChar(const std::string& caption);
// True when key (any case) is the caption's accelerator.
bool IsAccel(char key, const std::string& caption);
