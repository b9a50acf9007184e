#include <gtest/gtest.h>

#include "ui/Streams.h"

TEST(MemoryStream, ReadsStopAtTheEndAndSeeksClamp) {
  TMemoryStream s({1, 2, 3, 4, 5});
  uint8_t buf[8] = {};
  EXPECT_EQ(s.Read(buf, 3), 3);
  EXPECT_EQ(s.Read(buf, 8), 2);  // short read, never past the end
  EXPECT_EQ(buf[1], 5);
  EXPECT_EQ(s.Read(buf, 1), 0);
  EXPECT_EQ(s.Seek(-10, TSeekOrigin::soCurrent), 0);
  EXPECT_EQ(s.Seek(-1, TSeekOrigin::soEnd), 4);
  EXPECT_THROW(s.ReadBuffer(buf, 2), EStreamError);
}

TEST(MemoryStream, WritesGrowAndCopyFromTakesWholeSource) {
  TMemoryStream a;
  const uint8_t bytes[] = {9, 8, 7};
  a.WriteBuffer(bytes, 3);
  a.SetPosition(5);
  a.WriteBuffer(bytes, 1);
  EXPECT_EQ(a.GetSize(), 6);
  EXPECT_EQ(a.Bytes()[3], 0);  // the gap is zero-filled
  TMemoryStream b;
  EXPECT_EQ(b.CopyFrom(a, 0), 6);
  EXPECT_EQ(std::vector<uint8_t>(b.Bytes().begin(), b.Bytes().end()),
            (std::vector<uint8_t>{9, 8, 7, 0, 0, 9}));
  a.SetSize(2);
  EXPECT_EQ(a.GetPosition(), 2);
}

TEST(MemoryStream, MissingFileRaises) {
  TMemoryStream s;
  EXPECT_THROW(s.LoadFromFile("/nonexistent/dir/file.bin"), EStreamError);
}
