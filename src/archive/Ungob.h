#pragma once

#include "archive/GobDirectory.h"
#include "platform/Ui.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kx::archive {

/// Extracts every entry of the archive archiveName (".GOB" is added to a file name without a
/// ".") into targetDir, recreating the entries' folders, with the progress window. Folders and
/// files that differ from an existing one only in letter case are merged into it, as on the
/// game's own file system. Returns false after an "Error" box when the archive does not exist.
/// Throws CommandError: "Not a GOB2 archive", "Damaged GOB2 archive: ...",
/// "Unsafe entry name in GOB2 archive: NAME" or "Clashing entry names in GOB2 archive: A and
/// B" (names as PrintableEntryName shows them) before anything is written; the runtime's text
/// when writing fails (files already extracted stay, the file being written is removed). Each
/// file's data goes to a side file created exclusively beside it and renamed over it, so no
/// link found in the target is followed.
bool Ungob(const std::string& archiveName, const std::filesystem::path& targetDir,
           platform::Ui& ui);

/// The paths below the target that extraction writes the entries to, one list of parts per
/// entry in directory order, after the checks Ungob makes before writing anything. Throws
/// CommandError "Unsafe entry name in GOB2 archive: NAME" or "Clashing entry names in GOB2
/// archive: A and B" with the archive's path as detail.
std::vector<std::vector<std::string>> PlanEntryPaths(const std::vector<GobDirectoryEntry>& entries,
                                                     const std::filesystem::path& archivePath);

/// The archive file that Ungob opens for archiveName: ".GOB" appended when the file name holds
/// no "." at all.
std::filesystem::path UngobArchivePath(const std::string& archiveName);

}  // namespace kx::archive
