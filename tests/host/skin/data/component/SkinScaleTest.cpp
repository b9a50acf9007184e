// The skin model scaled for the DPI it is drawn at: pixels resampled piece by piece with the
// key colour kept exact, every pixel measure scaled with the same rounding, frame counts
// unchanged, and nothing at all changed at 96 DPI.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "SkinElements.h"
#include "SkinTestArchive.h"
#include "skin/data/SkinScale.h"

namespace {

std::set<uint32_t> Colours(const TPixelBuffer& b) {
  std::set<uint32_t> out;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) out.insert(b.GetPixel(x, y));
  return out;
}

// A frame whose corners, edges and centre each have a colour of their own; the corners
// are magenta, as skins cut them out.
TPixelBuffer NineColourFrames(int frames, int w, int h, TSkinMargins m) {
  TPixelBuffer b(w * frames, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < b.Width; ++x) {
      const int fx = x % w, f = x / w;
      const int col = fx < m.Left ? 0 : fx >= w - m.Right ? 2 : 1;
      const int row = y < m.Top ? 0 : y >= h - m.Bottom ? 2 : 1;
      const bool corner = col != 1 && row != 1;
      b.SetPixel(x, y, corner ? SkinKeyColour : static_cast<uint32_t>(0x101010 * (row * 3 + col + 1) + f));
    }
  return b;
}

}  // namespace

TEST(ScaleSkinPixels, EachPieceKeepsItsOwnColoursAndTheKeyStaysExact) {
  const TSkinMargins m{4, 3, 5, 2};
  const TPixelBuffer src = NineColourFrames(3, 17, 11, m);
  for (int dpi : {120, 144, 168, 192}) {
    SCOPED_TRACE(dpi);
    const TPixelBuffer out = ScaleSkinPixels(src, 3, false, m, dpi);
    const int fw = ScaleDpi(17, dpi), h = ScaleDpi(11, dpi);
    ASSERT_EQ(out.Width, 3 * fw);
    ASSERT_EQ(out.Height, h);
    // No colour that was not in the picture: no blends with the key or across pieces.
    for (uint32_t c : Colours(out)) EXPECT_TRUE(Colours(src).count(c)) << std::hex << c;
    // Each scaled piece is wholly its own source piece.
    const int l = ScaleDpi(m.Left, dpi), t = ScaleDpi(m.Top, dpi), r = ScaleDpi(m.Right, dpi),
              b = ScaleDpi(m.Bottom, dpi);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < out.Width; ++x) {
        const int fx = x % fw, f = x / fw;
        const int sx = f * 17 + (fx < l ? 0 : fx >= fw - r ? 16 : 8);
        const int sy = y < t ? 0 : y >= h - b ? 10 : 5;
        ASSERT_EQ(out.GetPixel(x, y), src.GetPixel(sx, sy)) << x << "," << y;
      }
  }
}

TEST(ScaleSkinPixels, DoublesAtTwiceTheDpiAndCopiesAtTheSame) {
  TPixelBuffer src(9, 5, 24);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) src.SetPixel(x, y, static_cast<uint32_t>(x * 31 + y * 1000));
  const TPixelBuffer doubled = ScaleSkinPixels(src, 3, false, {1, 1, 1, 1}, 192);
  ASSERT_EQ(doubled.Width, 18);
  ASSERT_EQ(doubled.Height, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 18; ++x) ASSERT_EQ(doubled.GetPixel(x, y), src.GetPixel(x / 2, y / 2));
  // Stacked frames, 32-bit pixels: at its own DPI the buffer comes back byte for byte.
  TPixelBuffer wide(7, 12, 32);
  for (size_t i = 0; i < wide.Bits.size(); ++i) wide.Bits[i] = static_cast<uint8_t>(i * 7);
  const TPixelBuffer same = ScaleSkinPixels(wide, 3, true, {2, 1, 2, 1}, 96);
  EXPECT_EQ(same.BitsPerPixel, 32);
  EXPECT_EQ(same.Bits, wide.Bits);
  EXPECT_TRUE(ScaleSkinPixels(TPixelBuffer(), 1, false, {}, 144).Empty());
}

TEST(ScaleSkinPixels, StackedFramesAreCutAcrossTheHeight) {
  // Two stacked frames of 15 rows, red over blue, with one-row edges of their own colour.
  TPixelBuffer src(4, 30, 24);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 4; ++x) {
      const int row = y % 15;
      src.SetPixel(x, y, (y < 15 ? 0x0000C0 : 0xC00000) + (row == 0 ? 1 : row == 14 ? 2 : 0));
    }
  const TPixelBuffer out = ScaleSkinPixels(src, 2, true, {0, 1, 0, 1}, 144);
  ASSERT_EQ(out.Height, 2 * ScaleDpi(15, 144));
  const int fh = out.Height / 2;
  for (int y = 0; y < out.Height; ++y) {
    const int row = y % fh;
    const uint32_t expected = (y < fh ? 0x0000C0 : 0xC00000) + (row < 2 ? 1 : row >= fh - 2 ? 2 : 0);
    EXPECT_EQ(out.GetPixel(3, y), expected) << y;
  }
}

namespace {

struct BuiltinAt {
  explicit BuiltinAt(int dpi) : Platform(SoftwareSkinPlatform(), dpi), Data(nullptr, Platform) {
    TMemoryStream stored;
    stored.LoadFromFile(BUILTIN_SKIN_STREAM);
    stored.SetPosition(0);
    Data.ReadSkinStream(stored);
  }
  TSkinPlatformAtDpi Platform;
  TSkinData Data;
};

// Every image of the model with its name.
std::map<std::string, const TSkinImage*> Images(const TSkinData& d) {
  std::map<std::string, const TSkinImage*> out;
  auto add = [&](const std::string& name, const TDataSkinObject* e) {
    if (!e) return;
    out[name] = e->Image.get();
    if (auto* b = dynamic_cast<const TDataSkinBorder*>(e)) out[name + ".second"] = b->SecondImage.get();
  };
  for (const auto& [name, e] : skintest::SkinElements(d)) add(name, e);
  out["Buttons.check"] = d.Buttons->CheckImage.get();
  out["Buttons.radio"] = d.Buttons->RadioImage.get();
  for (size_t i = 0; i < d.SysButtons.size(); ++i) add("Sys" + std::to_string(i), d.SysButtons[i].get());
  return out;
}

}  // namespace

TEST(SkinModelDpi, At96TheModelIsTheOneLoadedByteForByte) {
  BuiltinAt plain(96);
  BuiltinAt again(96);
  ScaleSkinModel(again.Data, 96);
  EXPECT_EQ(plain.Data.Dpi, 96);
  const auto a = Images(plain.Data), b = Images(again.Data);
  for (const auto& [name, image] : a) EXPECT_EQ(image->Pixels().Bits, b.at(name)->Pixels().Bits) << name;
  // The numbers the painters use, as the file gives them.
  EXPECT_EQ(plain.Data.BorderTop->Image->Height(), 60);
  EXPECT_EQ(plain.Data.BorderLeft->TopHeight, 30);
  EXPECT_EQ(plain.Data.Title->FontHeight, 14);
  EXPECT_EQ(plain.Data.ComboButton->Image->Width(), 200);
}

TEST(SkinModelDpi, At144EveryImageAndMeasureIsScaledOnceAndTheKeyKept) {
  BuiltinAt plain(96);
  BuiltinAt big(144);
  const TSkinData& a = plain.Data;
  const TSkinData& b = big.Data;
  ASSERT_FALSE(b.NoSkin);
  EXPECT_EQ(b.Dpi, 144);

  // Sizes of the built-in skin at 150 %: frames scaled one by one.
  struct TSize {
    const TSkinImage* Image;
    int Width, Height;
  };
  const TSize sizes[] = {
      {b.BorderTop->Image.get(), 60, 90},   // 2 stacked frames of 30 rows: the title bar is 45 high
      {b.BorderLeft->Image.get(), 12, 81},  // 2 frames of 4 columns, side by side
      {b.Title->Image.get(), 24, 90},
      {b.Buttons->Image.get(), 180, 36},           // 5 frames of 24
      {b.Buttons->CheckImage.get(), 6 * 20, 20},   // 6 glyphs of 13 x 13 become 20 x 20
      {b.SysButtons[0]->Image.get(), 6 * 45, 33},  // 6 frames of 30 x 22
      {b.Scrollbar->Image.get(), 23 * 26, 26},     // 23 frames of 17 x 17 become 26 x 26
      {b.UpDownHorz->SecondImage.get(), 8 * 8, 14},
      {b.Tabs->SecondImage.get(), 24, 24},
      // The combo composite is made after scaling, in a 75 x 32 cell per frame.
      {b.ComboButton->Image.get(), 4 * 75, 32},
      {b.SunkEdge->Image.get(), 4 * 75, 32},
  };
  for (const TSize& s : sizes) {
    EXPECT_EQ(s.Image->Width(), s.Width);
    EXPECT_EQ(s.Image->Height(), s.Height);
  }

  // Margins, offsets and the pixel font with the same rounding; frame counts as loaded.
  EXPECT_EQ(b.BorderLeft->TopHeight, 45);
  EXPECT_EQ(b.BorderLeft->BottomHeight, 8);  // 7.5 rounds up
  EXPECT_EQ(b.BorderTop->LeftWidth, 12);
  EXPECT_EQ(b.Title->LeftWidth, 33);
  EXPECT_EQ(b.Title->RightWidth, 150);
  EXPECT_EQ(b.Title->TextBackLeft, 6);
  EXPECT_EQ(b.Title->FontHeight, 21);
  EXPECT_EQ(b.Buttons->LeftWidth, 6);
  EXPECT_EQ(b.SysButtons[0]->XCoord, 54);
  EXPECT_EQ(b.SysButtons[0]->YCoord, 6);
  EXPECT_EQ(b.SysButtons.back()->XCoord, 30);
  EXPECT_EQ(b.GroupBox->LeftWidth, 9);
  EXPECT_EQ(b.TabBorderMargins.Top, 8);
  EXPECT_EQ(b.ComboButton->LeftWidth, 3);
  EXPECT_EQ(b.ComboButton->RightWidth, b.Platform().HScrollArrowWidth() + 2 + 3);
  EXPECT_EQ(b.Buttons->CheckFrameCount, a.Buttons->CheckFrameCount);
  EXPECT_EQ(b.Scrollbar->FrameCount, 23);
  EXPECT_EQ(b.BorderTop->FrameCount, 2);

  // No image gains a colour it did not have: magenta edges stay magenta, nothing blends.
  const auto before = Images(a), after = Images(b);
  for (const auto& [name, image] : after) {
    if (name == "ComboButton" || name == "SunkEdge") continue;  // composites drawn after scaling
    const std::set<uint32_t> was = Colours(before.at(name)->Pixels());
    for (uint32_t c : Colours(image->Pixels())) EXPECT_TRUE(was.count(c)) << name << " " << std::hex << c;
    EXPECT_EQ(image->Empty(), before.at(name)->Empty()) << name;
  }
  // The left-hand copy of the file's combo button (4 frames of 18) is scaled with it.
  EXPECT_EQ(b.ComboButton->SecondImage->Width(), 4 * 27);
}

TEST(SkinModelDpi, ScalingOnceMoreStartsFromTheModelsOwnDpi) {
  BuiltinAt big(144);
  ScaleSkinModel(big.Data, 144);  // already there: nothing happens
  EXPECT_EQ(big.Data.BorderTop->Image->Height(), 90);
  EXPECT_EQ(big.Data.BorderLeft->TopHeight, 45);
  ScaleSkinModel(big.Data, 192);  // 144 -> 192 is 4/3, not 2
  EXPECT_EQ(big.Data.BorderTop->Image->Height(), 120);
  EXPECT_EQ(big.Data.BorderLeft->TopHeight, 60);
  EXPECT_EQ(big.Data.Dpi, 192);
  // A reload starts again from the file.
  TMemoryStream stored;
  stored.LoadFromFile(BUILTIN_SKIN_STREAM);
  stored.SetPosition(0);
  big.Data.ReadSkinStream(stored);
  EXPECT_EQ(big.Data.Dpi, 144);
  EXPECT_EQ(big.Data.BorderTop->Image->Height(), 90);
}
