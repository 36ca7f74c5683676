#pragma once

#include "platform/Ui.h"

#include <filesystem>
#include <string>

namespace kx::archive {

/// Extracts every entry of the archive archiveName (".GOB" is added to a file name without a
/// ".") into targetDir, recreating the entries' folders, with the progress window. Folders and
/// files that differ from an existing one only in letter case are merged into it, as on the
/// game's own file system. Returns false after an "Error" box when the archive does not exist.
/// Throws CommandError: "Not a GOB2 archive", "Damaged GOB2 archive: ...", or
/// "Unsafe entry name in GOB2 archive: NAME" before anything is written; the runtime's text when
/// writing fails (files already extracted stay, the file being written is removed).
bool Ungob(const std::string& archiveName, const std::filesystem::path& targetDir,
           platform::Ui& ui);

/// The archive file that Ungob opens for archiveName: ".GOB" appended when the file name holds
/// no "." at all.
std::filesystem::path UngobArchivePath(const std::string& archiveName);

}  // namespace kx::archive
