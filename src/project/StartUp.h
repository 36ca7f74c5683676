#pragma once

#include "platform/SettingsFile.h"
#include "platform/Ui.h"
#include "project/ProjectValues.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace kx::project {

inline constexpr std::string_view kPreviewWarning =
    "This is a preview version of Orbandel Kelvarix. It might not work on your system.\r\r"
    "Please read the README.TXT file for important information about how to use Kelvarix";
inline constexpr std::string_view kExitQuestion = "Do you want to exit Kelvarix?";

/// The settings file beside the program.
std::filesystem::path SettingsPath(const std::filesystem::path& programDir);

/// The start-up steps of the main window's first showing: the preview warning, ProgramDir, the
/// settings file, JKDir (either separator) and the preview size (320 x 240 unless the settings
/// say otherwise). Returns the settings object, which lives until the exit is confirmed.
platform::SettingsFile StartUp(ProjectValues& values, const std::filesystem::path& programDir,
                               platform::Ui& ui);

/// Asks whether to exit; on Yes releases the settings object and returns true.
bool ConfirmExit(platform::Ui& ui, std::optional<platform::SettingsFile>& settings);

}  // namespace kx::project
