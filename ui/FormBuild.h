#pragma once
// The small builders a form's constructor puts its controls together with: named, parented
// and placed in one call, as a form designer would.
#include <string>

#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

// A form's constructor starts here: loading until its EndLoading, named, captioned and given
// its border, as its designer stored them.
inline void BeginForm(TForm* form, const char* name, const std::string& caption, TFormBorderStyle border) {
  form->BeginLoading();
  form->Name = name;
  form->SetCaption(caption);
  form->SetBorderStyle(border);
}

inline TLabel* AddLabel(TComponent* owner, TWinControl* parent, const char* name, const std::string& caption,
                        int x, int y) {
  auto* l = new TLabel(owner);
  l->Name = name;
  l->SetParent(parent);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(caption);
  return l;
}

// A control named, parented, then placed.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, int h) {
  auto* c = new T(owner);
  c->Name = name;
  c->SetParent(parent);
  c->SetBounds(x, y, w, h);
  return c;
}

// The same, with a caption (buttons, choices, group boxes).
template <class T>
T* PlaceCaptioned(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x, int y,
                  int w, int h) {
  T* c = Place<T>(owner, parent, name, x, y, w, h);
  c->SetCaption(caption);
  return c;
}

// A page of the families' page control.
inline TTabSheet* AddPage(TComponent* owner, TPageControl* pages, const char* name, const char* caption) {
  auto* page = new TTabSheet(owner);
  page->Name = name;
  page->SetCaption(caption);
  page->SetPageControl(pages);
  return page;
}

inline TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const std::string& caption,
                          TNotifyEvent onClick = nullptr) {
  auto* item = new TMenuItem(owner);
  item->Name = name;
  item->SetCaption(caption);
  item->OnClick = std::move(onClick);
  parent->Add(item);
  return item;
}
