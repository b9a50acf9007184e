// skintool info ARCHIVE --json
#include <cstdio>

#include "skin/data/SkinData.h"
#include "skin/data/SkinDataJson.h"
#include "skin/data/SkinRead.h"
#include "tools/skintool/ToolCommon.h"

namespace {

int RunInfo(const std::vector<std::string>& args) {
  ExpectArgs(args, 2);
  if (args[1] != "--json") throw TUsageError{"unknown option \"" + args[1] + "\" (only --json is supported)"};
  TSkinReader probe;
  LoadArchiveFile(args[0], probe);  // says why an archive is refused
  TSkinData data(nullptr, SoftwareSkinPlatform());
  data.SkinArchive.LoadFromFile(args[0]);
  if (!data.LoadSkin()) {
    // Images the load bounds refuse are listed with the reason the program gives.
    if (data.LoadResult.Status == TSkinLoadStatus::ImagesRefused)
      throw TToolError{args[0] + ": " + data.LoadResult.Reason};
    throw TToolError{args[0] + ": the archive was refused"};
  }
  const std::string json = SkinDataToJson(data);
  std::fwrite(json.data(), 1, json.size(), stdout);
  return ExitOk;
}

const TRegisterCommand reg({"info", "ARCHIVE --json",
                            "      Loads ARCHIVE as the program does and prints the skin model as JSON:\n"
                            "      colours, indexed and custom colours, every element the skin provides\n"
                            "      (margins, flags, frame counts, image sizes) and the title-bar buttons.",
                            &RunInfo});

}  // namespace
