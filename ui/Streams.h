#pragma once
// Byte streams of the class library (portable). Reads never go past the end: a short read
// returns what there is; ReadBuffer/WriteBuffer raise EStreamError when they cannot do it all.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/SysUtils.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position; positions are clamped to 0.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t GetSize() const = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source (all of it from its start when count is 0); returns bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() const override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;

  void Clear();
  void LoadFromFile(const std::string& path);  // raises EStreamError when unreadable
  void SaveToFile(const std::string& path) const;
  const uint8_t* Memory() const { return FData.data(); }
  std::span<const uint8_t> Bytes() const { return FData; }
  std::vector<uint8_t>& Data() { return FData; }

 private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};
