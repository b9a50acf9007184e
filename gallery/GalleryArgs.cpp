#include "gallery/GalleryArgs.h"

#include "skin/data/SkinData.h"

TGalleryArgs ParseGalleryArgs(const std::vector<std::string>& args) {
  TGalleryArgs out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--page") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        out.Errors.push_back("--page needs the caption of a page");
        continue;
      }
      out.PageName = args[++i];
    } else if (a.rfind("--page=", 0) == 0) {
      if (a.size() == 7)
        out.Errors.push_back("--page needs the caption of a page");
      else
        out.PageName = a.substr(7);
    } else if (a.rfind("--", 0) == 0) {
      out.Errors.push_back("Unknown option " + a);
    } else if (a.empty()) {
      continue;  // an empty argument names nothing
    } else if (!out.SkinPath.empty()) {
      out.Errors.push_back("Only one skin file can be shown: " + a);
    } else {
      out.SkinPath = a;
    }
  }
  return out;
}

std::string GalleryUsage() {
  return "Usage: SkinGallery.exe [SKINFILE] [--page NAME]\n"
         "SKINFILE: a skin archive to show instead of the built-in skin\n"
         "--page NAME: open the page with that caption";
}

std::string LoadSkinFileReason(TSkinData& data, const std::string& path) {
  const TSkinLoadResult result = data.LoadSkinFile(path);
  if (result.Ok()) return {};
  data.NoSkin = true;  // the caller restores the built-in skin
  return result.Reason;
}

std::string SkinLoadFailureText(const std::string& path, const std::string& reason) {
  return "Cannot load the skin file\n" + path + "\n\n" + reason + "\n\nThe built-in skin is shown instead.";
}

std::string SkinStatusText(const std::string& skinName, const std::string& skinFile, bool skinningOn) {
  std::string text = skinName;
  if (text.empty()) {
    // Either separator: the path may come from the file dialog or from the command line.
    const std::size_t slash = skinFile.find_last_of("\\/");
    text = slash == std::string::npos ? skinFile : skinFile.substr(slash + 1);
  }
  if (text.empty()) text = "Built-in skin";
  return skinningOn ? text : text + " (off)";
}
