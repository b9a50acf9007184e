#pragma once
// Integer arithmetic the control families share.

// a * b / c rounded to the nearest integer, halves away from zero, computed in 64 bits (the
// platform's MulDiv). A zero divisor or a result outside 32 bits answers -1, as MulDiv does;
// callers that can meet a zero range check it first.
int SkinMulDiv(int a, int b, int c);

// The platform's halving: integer division truncated toward zero.
inline int HalfOf(int v) { return v / 2; }
