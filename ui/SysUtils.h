#pragma once
// Errors and small helpers shared by the whole class library (portable).
#include <cstdarg>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>

// Base of every error the class library and the program raise; carries the message
// shown to the user by the application's handler of uncaught errors.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Bad conversions of text to numbers or booleans.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// The system's text for an error code, without its line break (Windows build only).
std::string SysErrorMessage(unsigned long code);

// printf-style formatting into a std::string ("%s", "%d", ...), any length.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* fmt, va_list args);

// A small set of enumeration members (the members must be below 32), e.g. font styles.
template <class E>
class TSet {
 public:
  constexpr TSet() noexcept = default;
  constexpr TSet(std::initializer_list<E> items) noexcept {
    for (E e : items) FBits |= Bit(e);
  }
  constexpr bool Contains(E e) const noexcept { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const noexcept { return FBits == 0; }
  constexpr uint32_t Bits() const noexcept { return FBits; }
  static constexpr TSet FromBits(uint32_t bits) noexcept {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr TSet& Include(E e) noexcept {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) noexcept {
    FBits &= ~Bit(e);
    return *this;
  }
  friend constexpr TSet operator+(TSet a, TSet b) noexcept { return FromBits(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, TSet b) noexcept { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, TSet b) noexcept { return FromBits(a.FBits & b.FBits); }
  friend constexpr bool operator==(TSet a, TSet b) noexcept { return a.FBits == b.FBits; }

 private:
  static constexpr uint32_t Bit(E e) noexcept { return 1u << static_cast<unsigned>(e); }
  uint32_t FBits = 0;
};

// Stores value in field; answers whether that changed it (for setters that react to a change).
template <class T, class V>
bool Changes(T& field, const V& value) {
  if (field == value) return false;
  field = value;
  return true;
}
