#pragma once
// Skinned header bars (the column header of a list view): which image an item shows, how
// its text is aligned, and the part of the bar right of the last item that still gets the
// header frame.
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/forms/SkinDraw.h"

enum class TItemAlign { Left, Centre, Right };

// An item's image index counts only with HDF_IMAGE or HDF_OWNERDRAW in its format; -1 else.
int HeaderItemImage(uint32_t format, int imageIndex);

// HDF_RIGHT -> right, HDF_CENTER -> centre, anything else left.
TItemAlign HeaderItemAlign(uint32_t format);

// From the largest right edge of the items (the bar's left edge when there are none) to the
// bar's right edge; nothing when the items reach it.
std::optional<TSkinRect> HeaderFillRect(const TSkinRect& bar, const std::vector<TSkinRect>& items);
