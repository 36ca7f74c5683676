#pragma once

#include <string_view>

/// The program's name and build as its windows and files show them.
namespace kx::platform {

inline constexpr std::string_view kApplicationTitle = "Orbandel Kelvarix 1.0";
inline constexpr int kBuildNumber = 631;
/// The main window's caption while no project is open; a project's caption adds " - " and the
/// level name.
inline constexpr std::string_view kIdleCaption = "Orbandel Kelvarix 1.0 Preview Release 1 Build 631";

}  // namespace kx::platform
