#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::archive {

/// The most files one archive holds, and the longest name its entries take.
inline constexpr std::size_t kMaxGobFiles = 8192;
inline constexpr std::size_t kMaxGobName = 128;
/// The ending of the editor's recovery files, which it keeps in the project folder beside the
/// files they stand for; they are never packed.
inline constexpr std::string_view kRecoveryFileSuffix = ".recover";

/// One file to pack.
struct GobSourceFile {
  std::filesystem::path source;  // the file on disk
  std::string name;              // its entry name: relative, backslash-separated
  std::uint64_t size = 0;
};

/// The files below projectDir that an archive of the project holds, sorted by entry name (case
/// ignored, then byte order) so that packing twice gives the same archive. Folders named gob in
/// any case are left out (the packed archive lives in one), and so are linked folders, the
/// editor's recovery files (kRecoveryFileSuffix, any case) and the file exclude. Entry names follow
/// the game's tools: a top-level EPISODE.JK becomes episode.jk, and a leading COG, JKL or MISC is
/// lower-cased. Throws CommandError: more than 8192 files, a name longer than 128 bytes (naming the
/// file), or the runtime's text when a folder cannot be read.
std::vector<GobSourceFile> CollectGobFiles(const std::filesystem::path& projectDir,
                                           const std::filesystem::path& exclude = {});

/// Writes the files into an archive at archivePath: header, directory, the data in directory
/// order without gaps. The archive is written to a temporary file beside it and renamed over
/// archivePath only when complete. Throws CommandError with the runtime's text (naming the
/// file) when a file cannot be read in full or the archive cannot be written, and when the
/// archive would pass the 2 GB its 32-bit offsets reach.
void WriteGob(const std::vector<GobSourceFile>& files, const std::filesystem::path& archivePath);

/// Packs projectDir into projectDir\gob\archiveName (the gob folder is created when missing)
/// and returns the archive's path. Throws as CollectGobFiles and WriteGob, and "Invalid
/// filename" when archiveName is not a plain file name.
std::filesystem::path MakeGob(const std::filesystem::path& projectDir,
                              const std::string& archiveName);

/// The entry name of the file at relativeName (backslash-separated) under the game's tools'
/// rules (see CollectGobFiles).
std::string GobEntryName(std::string relativeName);

}  // namespace kx::archive
