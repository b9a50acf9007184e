#include "ui/Streams.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  uint8_t chunk[8192];
  int64_t done = 0;
  while (done < count) {
    const int64_t want = std::min<int64_t>(count - done, sizeof chunk);
    source.ReadBuffer(chunk, want);
    WriteBuffer(chunk, want);
    done += want;
  }
  return done;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || FPosition >= GetSize()) return 0;
  const int64_t n = std::min(count, GetSize() - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (FPosition + count > GetSize()) FData.resize(static_cast<size_t>(FPosition + count));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = FPosition;
  if (origin == TSeekOrigin::soEnd) base = GetSize();
  FPosition = std::max<int64_t>(0, base + offset);
  return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
  FPosition = std::min(FPosition, GetSize());
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EStreamError("Cannot open file \"" + path + "\"");
  FData.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw EStreamError("Cannot create file \"" + path + "\"");
  out.write(reinterpret_cast<const char*>(FData.data()), static_cast<std::streamsize>(FData.size()));
  if (!out) throw EStreamError("Cannot write file \"" + path + "\"");
}
