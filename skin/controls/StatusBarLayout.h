#pragma once
// Skinned status bars: the face each panel gets by its bevel, where its text goes and how it
// is aligned, and where the size grip lands.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skin/forms/SkinDraw.h"

enum class TPanelBevel { Lowered, Raised, None };
// A class-library bevel identifier ("pbLowered", "pbRaised", "pbNone"; any case).
TPanelBevel PanelBevelFromIdent(std::string_view ident);

// Frame of the 3-frame StatusBarEdges strip: lowered 1, raised 2, none 3.
int StatusPanelFrame(TPanelBevel bevel);

// Without the strip: frame 1 is a one-pixel sunken frame (shadow top-left, highlight
// bottom-right), frame 2 a raised one, frame 3 nothing.
enum class TPlainFace { Sunken, Raised, Nothing };
TPlainFace StatusPlainFace(int frame);

// A panel's face rectangle from SB_GETRECT: widened by 2 on the right, the last one to the
// bar's right edge.
TSkinRect StatusPanelRect(const TSkinRect& panel, bool last, const TSkinRect& bar);
// The text area: the face shrunk by 2 on the left and the right.
TSkinRect StatusTextRect(const TSkinRect& face);
// An empty text is drawn as one space, so the panel is still drawn through the text path.
std::wstring StatusPanelText(const std::wstring& text);

enum class TPanelAlign { Left, Right, Centre };
TPanelAlign PanelAlignFromIdent(std::string_view ident);  // "taLeftJustify", "taRightJustify", "taCenter"
// DT_LEFT, DT_RIGHT or DT_CENTER; a right-to-left panel swaps left and right.
uint32_t StatusTextFormat(TPanelAlign align, bool rightToLeft);

// The grip's cell, unscaled, one pixel in from the bar's right and bottom edges; none
// without SBARS_SIZEGRIP or without a cell.
std::optional<TSkinRect> StatusGripRect(const TSkinRect& bar, uint32_t style, int cellWidth, int cellHeight);

// The rectangle an OnDrawPanel handler receives: the panel shrunk by one pixel all round.
TSkinRect StatusDrawPanelRect(const TSkinRect& panel);
