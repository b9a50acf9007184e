// The gallery's "Scrolling" page: a memo and a list box with both bars, stand-alone
// horizontal and vertical scroll bars, and a scroll box whose content is larger than it.
#include <string>
#include <vector>

#include "gallery/Gallery.h"
#include "ui/ExtCtrls.h"
#include "ui/FormBuild.h"

namespace {

std::vector<std::string> MemoLines() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 40; ++i) {
    std::string line = "Line " + std::to_string(i) + ": ";
    line += i % 3 == 0 ? "a long line that runs past the right edge, so the memo scrolls sideways too"
                       : "some text";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

void TfrmGallery::CreateScrollingPage() {
  tsScrolling = AddPage(this, pcFamilies, "tsScrolling", "Scrolling");

  AddLabel(this, tsScrolling, "lblMemo", "Memo with both bars", 16, 12);
  auto* memo = Place<TMemo>(this, tsScrolling, "mmScrolling", 16, 32, 220, 140);
  memo->ScrollBars = ssBoth;
  memo->WordWrap = false;
  memo->SetLines(MemoLines());

  AddLabel(this, tsScrolling, "lblListBox", "List box with both bars", 252, 12);
  auto* list = Place<TListBox>(this, tsScrolling, "lbScrolling", 252, 32, 180, 140);
  for (int i = 1; i <= 50; ++i)
    list->AddItem("Item " + std::to_string(i) + (i % 4 == 0 ? " with a much longer text than the box" : ""));
  list->SetScrollWidth(360);
  list->SetItemIndex(2);

  AddLabel(this, tsScrolling, "lblBars", "Scroll bars", 448, 12);
  auto* position = AddLabel(this, tsScrolling, "lblPosition", "", 476, 60);
  auto* vert =
      Place<TScrollBar>(this, tsScrolling, "scbVertical", 448, 32, GetSystemMetrics(SM_CXVSCROLL), 140);
  vert->SetKind(sbVertical);
  vert->SetPageSize(20);
  vert->LargeChange = 20;
  vert->SetPosition(40);
  auto* horz =
      Place<TScrollBar>(this, tsScrolling, "scbHorizontal", 16, 196, 416, GetSystemMetrics(SM_CYHSCROLL));
  horz->SetPosition(30);
  horz->LargeChange = 10;
  auto* disabled =
      Place<TScrollBar>(this, tsScrolling, "scbDisabled", 16, 220, 416, GetSystemMetrics(SM_CYHSCROLL));
  disabled->SetPosition(60);
  disabled->SetEnabled(false);
  auto show = [position, horz, vert](TObject*) {
    position->SetCaption("H " + std::to_string(horz->Position()) + ", V " + std::to_string(vert->Position()));
  };
  horz->OnChange = show;
  vert->OnChange = show;
  show(nullptr);

  AddLabel(this, tsScrolling, "lblScrollBox", "Scroll box (content 600 x 360)", 16, 252);
  auto* box = Place<TScrollBox>(this, tsScrolling, "sbxScrolling", 16, 272, 416, 140);
  box->SetRange(600, 360);
  const char* names[] = {"btnBoxTopLeft", "btnBoxMiddle", "btnBoxBottomRight"};
  const char* captions[] = {"Top left", "Middle", "Bottom right"};
  const POINT at[] = {{8, 8}, {250, 160}, {480, 320}};
  for (int i = 0; i < 3; ++i) {
    auto* b =
        Place<TButton>(this, box, names[i], static_cast<int>(at[i].x), static_cast<int>(at[i].y), 110, 25);
    b->SetCaption(captions[i]);
  }
  AddLabel(this, box, "lblBoxText", "Scroll to see the other buttons.", 8, 48);
}
