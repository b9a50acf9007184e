#pragma once
// What the tests of the skinned gallery share: the engine and the control families
// installed, and the gallery's main window, freed before the engine goes.
#include "gallery/Gallery.h"
#include "skin/controls/SkinChildren.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"

namespace gallerytest {

struct GallerySkinTest : skintest::EngineTest {
  void SetUp() override {
    EngineTest::SetUp();
    InstallControlFamilies();
  }
  void TearDown() override {
    delete Gallery;
    Gallery = nullptr;
    EngineTest::TearDown();
  }
  TfrmGallery* Gallery = nullptr;
};

}  // namespace gallerytest
