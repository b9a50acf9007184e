#include "shell/MainLogic.h"

#include <utility>

#include "ui/Convert.h"

bool ReadFlagSetting(ISettingsStore& settings) {
  return StrToBool(settings.ReadString(ImageSection, FlagKey, "False"));
}

TMainLogic::TMainLogic(ISettingsStore& settings, std::string appDir, TMainActions actions)
    : FSettings(settings), FAppDir(std::move(appDir)), FActions(std::move(actions)) {}

void TMainLogic::StartEffectFromSettings() {
  if (ReadFlagSetting(FSettings))
    FlagClick();
  else
    MagicClick();
  FActions.SetChooserFolder(ImagesDir());
  FEffectStarted = true;
}

void TMainLogic::MagicClick() {
  FSettings.WriteString(ImageSection, FlagKey, "False");
  FActions.CreateMagicParticles();
}

void TMainLogic::FlagClick() {
  FSettings.WriteString(ImageSection, FlagKey, "True");
  FActions.CreateFlagParticles();
}

std::string TMainLogic::PicturePath() {
  return FSettings.ReadString(ImageSection, PngKey, FAppDir + ImagesFolder + "/" + DefaultPicture);
}

// A choice only changes the settings; the running particles stay. Only after a start-up
// that started nothing does a choice add particles (and it does so every time).
void TMainLogic::btnMagicClick() {
  FSettings.WriteString(ImageSection, FlagKey, "False");
  if (!FEffectStarted) FActions.CreateMagicParticles();
  FActions.TriggerClear();
}

void TMainLogic::btnFlagClick() {
  FSettings.WriteString(ImageSection, FlagKey, "True");
  if (!FEffectStarted) FActions.CreateFlagParticles();
  FActions.TriggerClear();
}

void TMainLogic::ChooseImage1Click() {
  const std::optional<std::string> chosen = FActions.ChoosePicture();
  if (!chosen) return;
  FSettings.WriteString(ImageSection, PngKey, *chosen);
  FActions.TriggerClear();
}

void TMainLogic::NewProgram1Click() { FActions.Launch(FAppDir + RestartProgram); }
