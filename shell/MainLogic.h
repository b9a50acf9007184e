#pragma once
// The main window's decisions, apart from the window: which effect the settings choose,
// what each menu item writes and starts, and when the restart program is launched.
// Everything it does to the outside goes through the settings store and the actions, so
// the same code runs behind the real form and behind fakes in tests.
#include <functional>
#include <optional>
#include <string>

// The settings file, read and written through the platform's profile operations.
// WriteString raises an Exception ("Unable to write to %s") when the file cannot be written.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

inline constexpr const char* SettingsFileName = "Lumetta.ini";
inline constexpr const char* ImageSection = "Image";
inline constexpr const char* FlagKey = "Flag";
inline constexpr const char* PngKey = "PNG";
inline constexpr const char* RestartProgram = "Corvane.exe";
inline constexpr const char* ImagesFolder = "Images";
inline constexpr const char* DefaultPicture = "ball_blue.png";

// What the main window does for the logic.
struct TMainActions {
  std::function<void()> CreateMagicParticles;  // re-seed, then build and attach eight Magic particles
  std::function<void()> CreateFlagParticles;   // re-seed, then build, link and attach a Flag chain
  std::function<void()> TriggerClear;          // the hidden "Clear" item's click
  std::function<void(const std::string& program)> Launch;  // shell "open", result ignored
  // Runs the picture chooser; the chosen full path, or nothing when cancelled.
  std::function<std::optional<std::string>()> ChoosePicture;
  std::function<void(const std::string& folder)> SetChooserFolder;
};

class TMainLogic {
 public:
  // appDir: the program's folder with its trailing separator.
  TMainLogic(ISettingsStore& settings, std::string appDir, TMainActions actions);

  const std::string& AppDir() const { return FAppDir; }
  std::string ImagesDir() const { return FAppDir + ImagesFolder; }
  std::string SettingsPath() const { return FAppDir + SettingsFileName; }
  bool EffectStarted() const { return FEffectStarted; }

  // Start-up after the hook is installed: read "Flag" (a bad value raises EConvertError),
  // start that effect, point the chooser at the Images folder, mark the effect started.
  // An error anywhere stops the rest, leaving EffectStarted false.
  void StartEffectFromSettings();

  // The effect starts: write "Flag", then create the particles.
  void MagicClick();
  void FlagClick();

  // The "PNG" setting, or the default picture beside the program.
  std::string PicturePath();

  // Menu handlers.
  void btnMagicClick();
  void btnFlagClick();
  void ChooseImage1Click();
  void NewProgram1Click();

 private:
  ISettingsStore& FSettings;
  std::string FAppDir;
  TMainActions FActions;
  bool FEffectStarted = false;
};

// Reads "Flag" of section "Image" ("False" when missing) as a boolean: "True"/"False" in any
// letter case or a number, non-zero being true; anything else raises EConvertError with
// "'<value>' is not a valid boolean value".
bool ReadFlagSetting(ISettingsStore& settings);
