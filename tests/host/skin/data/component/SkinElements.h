#pragma once
// Every element of the skin model that has an image strip, by its name in the description:
// null where the skin gives none. The element lists of the model tests walk this one table.
#include <utility>
#include <vector>

#include "skin/data/SkinData.h"

namespace skintest {

inline std::vector<std::pair<const char*, const TDataSkinObject*>> SkinElements(const TSkinData& d) {
  return {
      {"Progress", d.Progress.get()},
      {"MenuBar", d.MenuBar.get()},
      {"GroupBoxEdge", d.GroupBoxEdge.get()},
      {"GroupBox", d.GroupBox.get()},
      {"Toolbars", d.Toolbars.get()},
      {"Tabs", d.Tabs.get()},
      {"StatusBarEdges", d.StatusBarEdges.get()},
      {"ComboButton", d.ComboButton.get()},
      {"SunkEdge", d.SunkEdge.get()},
      {"ExtraImages", d.ExtraImages.get()},
      {"Headerbar", d.Headerbar.get()},
      {"MenuItem", d.MenuItem.get()},
      {"MenuBackground", d.MenuBackground.get()},
      {"Scrollbar", d.Scrollbar.get()},
      {"HorzScroll", d.HorzScroll.get()},
      {"VertScroll", d.VertScroll.get()},
      {"HorzScrollThumb", d.HorzScrollThumb.get()},
      {"VertScrollThumb", d.VertScrollThumb.get()},
      {"TrackbarThumbHorz", d.TrackbarThumbHorz.get()},
      {"TrackbarThumbVert", d.TrackbarThumbVert.get()},
      {"TrackbarThumbLeft", d.TrackbarThumbLeft.get()},
      {"TrackbarThumbRight", d.TrackbarThumbRight.get()},
      {"TrackbarThumbUp", d.TrackbarThumbUp.get()},
      {"TrackbarThumbDown", d.TrackbarThumbDown.get()},
      {"UpDownHorz", d.UpDownHorz.get()},
      {"UpDownVert", d.UpDownVert.get()},
      {"BorderLeft", d.BorderLeft.get()},
      {"BorderRight", d.BorderRight.get()},
      {"BorderTop", d.BorderTop.get()},
      {"BorderBottom", d.BorderBottom.get()},
      {"Title", d.Title.get()},
      {"Buttons", d.Buttons.get()},
  };
}

}  // namespace skintest
