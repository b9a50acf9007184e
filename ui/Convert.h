#pragma once
// Text to number and boolean conversions with the class library's error texts (portable).
#include <cstdint>
#include <string>

// "True"/"False" in any letter case, or a number (non-zero is true), spaces around allowed.
bool TryStrToBool(const std::string& s, bool& value);
// Raises EConvertError "'<s>' is not a valid boolean value".
bool StrToBool(const std::string& s);
bool StrToBoolDef(const std::string& s, bool def);
// "True"/"False" when useBoolStrs, otherwise "-1"/"0".
std::string BoolToStr(bool value, bool useBoolStrs = false);

// Decimal with an optional sign, or hexadecimal with "$" or "0x"; spaces around allowed;
// values outside 32 bits are invalid.
bool TryStrToInt(const std::string& s, int& value);
// The same without the "0x" form and without spaces: an optional sign, then decimal digits
// or "$" and hexadecimal digits; anything else (such as "-0x10") does not convert.
bool TryStrToIntStrict(const std::string& s, int& value);
// Raises EConvertError "'<s>' is not a valid integer value".
int StrToInt(const std::string& s);
int StrToIntDef(const std::string& s, int def);
std::string IntToStr(int64_t value);

std::string Trim(const std::string& s);
std::string UpperCase(const std::string& s);  // ASCII letters only
std::string LowerCase(const std::string& s);
// ASCII case-insensitive comparison: < 0, 0, > 0.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
