#pragma once
// Integer arithmetic and text folding the control families share.
#include <cstdint>
#include <string>
#include <string_view>

// a * b / c rounded to the nearest integer, halves away from zero, computed in 64 bits (the
// platform's MulDiv). A zero divisor or a result outside 32 bits answers -1, as MulDiv does;
// callers that can meet a zero range check it first.
int SkinMulDiv(int a, int b, int c);
// The same with b and c over a 64-bit range (a scroll range can span more than 2^31): the
// product is exact while |b| stays within 2^32.
int SkinMulDiv64(int a, int64_t b, int64_t c);

// The platform's halving: integer division truncated toward zero.
inline int HalfOf(int v) { return v / 2; }

// The text with ASCII letters in lower case (property identifiers and class names are
// compared without case).
std::string LowerAscii(std::string_view s);
