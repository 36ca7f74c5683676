#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::platform {

/// The whole file as bytes. Throws CommandError with the runtime's text ("File not found",
/// "File access denied", ...) and the path as detail.
std::string ReadFileBytes(const std::filesystem::path& path);

/// Writes bytes to a temporary file beside path and renames it over path only when every write
/// succeeded, so a failed write leaves an existing file intact. Throws CommandError.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

/// The path as the user sees it in messages (UTF-8 / 8-bit text).
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace kx::platform
