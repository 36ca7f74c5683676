#pragma once

#include <string_view>

/// The readers of untrusted files, each fed bytes as the program feeds it a file and made to use
/// what it read as the program does. Each returns normally when the bytes are read or refused
/// with a platform::CommandError; anything else (a crash, a sanitizer report, another exception,
/// a broken promise of the reader, thrown as std::logic_error) is a finding. The fuzzing targets
/// call them, and the test suite replays the corpus and the regression inputs through them.
namespace kx::fuzz {

/// A JKL level; what was read must be written and read back complete.
void ReadJkl(std::string_view bytes);
/// A GOB2 archive's directory, the entries' names as extraction checks them, and each entry's
/// lines as resources are read.
void ReadGobDirectory(std::string_view bytes);
/// A MAT material and the cels the selector animates drawn as its preview draws them.
void ReadMat(std::string_view bytes);
/// A CMP colormap's palette.
void ReadCmp(std::string_view bytes);
/// A 3DO model's radius.
void ReadModel(std::string_view bytes);
/// A settings file: the values start-up and the project list read, and a value written into it
/// must read back while the others stay as they were.
void ReadSettings(std::string_view bytes);

}  // namespace kx::fuzz
