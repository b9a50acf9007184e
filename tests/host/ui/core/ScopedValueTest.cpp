// Temporary state comes back on every way out of its scope.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/ScopedValue.h"

namespace {

TEST(ScopedValue, TheOldValueComesBackAlsoWhenAnErrorPasses) {
  bool painting = true;
  std::string name = "before";
  {
    TScopedValue off(painting, false);
    TScopedValue renamed(name, std::string("during"));
    EXPECT_FALSE(painting);
    EXPECT_EQ(name, "during");
  }
  EXPECT_TRUE(painting);
  EXPECT_EQ(name, "before");
  try {
    TScopedValue off(painting, false);
    throw std::runtime_error("menu rebuild failed");
  } catch (const std::runtime_error&) {
    EXPECT_TRUE(painting) << "restored before the handler runs";
  }
  {
    TScopedValue outer(painting, false);
    {
      TScopedValue inner(painting, true);
      EXPECT_TRUE(painting);
    }
    EXPECT_FALSE(painting) << "nested scopes unwind in order";
  }
  EXPECT_TRUE(painting);
}

TEST(ScopedValue, AStageMovesOnToItsNextValueWhateverWayTheStepEnds) {
  enum { Created = 0, Sizing = 3, Ready = 4 };
  int stage = Created;
  {
    TScopedValue sizing(stage, int{Sizing}, int{Ready});
    EXPECT_EQ(stage, Sizing);
  }
  EXPECT_EQ(stage, Ready);
  stage = Created;
  try {
    TScopedValue sizing(stage, int{Sizing}, int{Ready});
    throw std::runtime_error("the window refused its size");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(stage, Ready) << "never left stuck in the step";
}

}  // namespace
