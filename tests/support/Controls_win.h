#pragma once
// Controls of the class library placed in a line, as a form's constructor places them.
#include "ui/Controls.h"

// A new control owned (so freed) by `owner`, inside `parent`, at these bounds.
template <class T>
T* NewControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(owner);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}
