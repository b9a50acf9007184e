#pragma once
// Menus built in a line: an item of a caption under its parent, and a form's menu bar.
#include <string>

#include "ui/Forms.h"
#include "ui/Menus.h"

// A new item of the caption under `parent`, owned (so freed) by `owner`.
inline TMenuItem* AddMenuItem(TComponent* owner, TMenuItem* parent, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// A main menu of one item, owned by the form and set as its menu bar.
inline TMainMenu* GiveMenuBar(TForm& form, const std::string& caption) {
  auto* menu = new TMainMenu(&form);
  AddMenuItem(&form, menu->Items(), caption);
  form.SetMenu(menu);
  return menu;
}
