// skintool ini ARCHIVE SECTION KEY
#include <cstdio>

#include "skin/data/SkinIni.h"
#include "skin/data/SkinRead.h"
#include "tools/skintool/ToolCommon.h"

namespace {

int RunIni(const std::vector<std::string>& args) {
  ExpectArgs(args, 3);
  TSkinReader reader;
  LoadArchiveFile(args[0], reader);
  TMemoryStream description;
  std::string found;
  reader.ExtractEntryContaining(".ini", description, found);
  if (found.empty()) throw TToolError{args[0] + ": no description entry (a name containing \".ini\")"};
  TQuickIni ini;
  ini.LoadFromStream(&description);
  std::printf("%s\n", ini.ReadString(args[1], args[2], "").c_str());
  return ExitOk;
}

const TRegisterCommand reg({"ini", "ARCHIVE SECTION KEY",
                            "      Prints the value of KEY in [SECTION] of the archive's description\n"
                            "      (an empty line when it has none).",
                            &RunIni});

}  // namespace
