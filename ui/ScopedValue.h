#pragma once
// Temporary state that must come back, whatever passes in between (an exception included):
// a flag set while a menu is rebuilt, a switch cleared around a message.
#include <utility>

template <class T>
class TScopedValue {
 public:
  TScopedValue(T& value, T during) : FValue(value), FOld(value) { value = std::move(during); }
  // Leaves `after` behind instead of what was there (a stage that moves on when its step ends).
  TScopedValue(T& value, T during, T after) : FValue(value), FOld(std::move(after)) {
    value = std::move(during);
  }
  ~TScopedValue() { FValue = std::move(FOld); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& FValue;
  T FOld;
};
