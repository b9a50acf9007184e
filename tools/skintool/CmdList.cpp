// skintool list ARCHIVE
#include <cstdio>

#include "skin/data/SkinRead.h"
#include "tools/skintool/ToolCommon.h"

namespace {

int RunList(const std::vector<std::string>& args) {
  ExpectArgs(args, 1);
  TSkinReader reader;
  LoadArchiveFile(args[0], reader);
  for (int i = 0; i < reader.Count(); ++i)
    std::printf("%s\t%d\n", reader.Names()[static_cast<size_t>(i)].c_str(),
                static_cast<int>(reader.EntrySize(i)));
  return ExitOk;
}

const TRegisterCommand reg({"list", "ARCHIVE",
                            "      Prints one line per entry, NAME<TAB>SIZE, in archive order.", &RunList});

}  // namespace
