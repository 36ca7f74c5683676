#pragma once

#include <filesystem>

namespace kx::project {

/// Deletes a folder with all its files and folders. A link is removed, never followed. Throws
/// CommandError with the runtime's text when a file cannot be deleted; a folder that cannot be
/// removed at the end is left without a report.
void DeleteTree(const std::filesystem::path& directory);

}  // namespace kx::project
