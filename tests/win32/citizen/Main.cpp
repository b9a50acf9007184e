// GDI+ runs for the whole test process, as it does for the whole program.
#include <gtest/gtest.h>

#include "effect/uGDIUtils_win.h"

int main(int argc, char** argv) {
  TGdiplusSession gdiplus;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
