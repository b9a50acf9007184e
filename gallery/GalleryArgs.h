#pragma once
// What the gallery is asked to do on its command line, and loading a skin file into the
// gallery's skin component with a reason when it fails (portable).
#include <string>
#include <vector>

class TSkinData;

inline constexpr const char* GalleryTitle = "Skin Gallery";

struct TGalleryArgs {
  std::string SkinPath;             // empty: the built-in skin
  std::string PageName;             // empty: the first page
  std::vector<std::string> Errors;  // one line for each argument that was not understood
};

// args: the command line without the program's name. Accepted: one skin file path, and
// "--page NAME" (or "--page=NAME"); a later "--page" replaces an earlier one.
TGalleryArgs ParseGalleryArgs(const std::vector<std::string>& args);
// The usage lines shown with argument errors.
std::string GalleryUsage();

// Loads the skin file into the component. On failure the answer is the reason in words and
// the component is left without a skin (NoSkin): the caller puts the built-in skin back. An
// empty answer means the skin was loaded.
std::string LoadSkinFileReason(TSkinData& data, const std::string& path);
// The message box text for a skin file that could not be loaded.
std::string SkinLoadFailureText(const std::string& path, const std::string& reason);
// What the status bar says of the skin loaded: its SkinName, else the skin file's name
// without its folder, else that the skin is the built-in one; "(off)" follows while
// skinning is switched off.
std::string SkinStatusText(const std::string& skinName, const std::string& skinFile, bool skinningOn);
