// skintool lzh encode|decode IN OUT
#include <cstdio>

#include "skin/data/LZH.h"
#include "tools/skintool/LzhEncode.h"
#include "tools/skintool/ToolCommon.h"

namespace {

int RunLzh(const std::vector<std::string>& args) {
  ExpectArgs(args, 3);
  const std::string& in = args[1];
  const std::string& out = args[2];
  if (args[0] == "encode") {
    const std::vector<uint8_t> data = ReadFileBytes(in);
    if (data.size() > static_cast<size_t>(LzhMaxDecodedSize))
      throw TToolError{in + ": " + std::to_string(data.size()) + " bytes, above the limit of " +
                       std::to_string(LzhMaxDecodedSize)};
    WriteFileBytes(out, LzhEncodeFramed(data));
    return ExitOk;
  }
  if (args[0] == "decode") {
    const std::vector<uint8_t> framed = ReadFileBytes(in);
    std::vector<uint8_t> data;
    try {
      if (framed.size() >= 4 && (framed[3] & 0x80))
        throw TToolError{in + ": declares a negative decoded size"};
      data = LzhUnpackFramed(framed);
    } catch (const ElzhException& e) {
      throw TToolError{in + ": " + e.what()};
    }
    WriteFileBytes(out, data);
    return ExitOk;
  }
  throw TUsageError{"unknown mode \"" + args[0] + "\" (encode or decode)"};
}

const TRegisterCommand reg(
    {"lzh", "encode|decode IN OUT",
     "      encode: compresses any file IN into OUT (4-byte little-endian size, then\n"
     "      the LZH bit stream). decode: the reverse; writes exactly the declared size.",
     &RunLzh});

}  // namespace
