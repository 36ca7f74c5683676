#include "project/StartUp.h"

#include "platform/GamePaths.h"

#include <string>

namespace kx::project {

namespace {

constexpr int kDefaultPreviewWidth = 320;
constexpr int kDefaultPreviewHeight = 240;

}  // namespace

std::filesystem::path SettingsPath(const std::filesystem::path& programDir) {
  return programDir / "Kelvarix.ini";
}

platform::SettingsFile StartUp(ProjectValues& values, const std::filesystem::path& programDir,
                               platform::Ui& ui) {
  ui.ShowMessage(platform::BoxKind::Warning, std::string(kPreviewWarning));
  values.ProgramDir = programDir;
  platform::SettingsFile settings(SettingsPath(programDir));
  const auto snapshot = settings.Snapshot();
  values.JKDir = platform::NativeDirectory(snapshot.Text("Directories", "JKDir", ""));
  // A preview without area cannot be shown; such a hand-written size falls back to the default.
  const int width = snapshot.Int("3DPreview", "Width", kDefaultPreviewWidth);
  const int height = snapshot.Int("3DPreview", "Height", kDefaultPreviewHeight);
  values.PreviewWidth = width > 0 ? width : kDefaultPreviewWidth;
  values.PreviewHeight = height > 0 ? height : kDefaultPreviewHeight;
  return settings;
}

bool ConfirmExit(platform::Ui& ui, std::optional<platform::SettingsFile>& settings) {
  if (!ui.AskYesNo(std::string(kExitQuestion))) return false;
  settings.reset();
  return true;
}

}  // namespace kx::project
