#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::archive {

/// The parts of an entry name that extraction may write below its target folder (the name is
/// trimmed of blanks and control characters at both ends first). An archive is untrusted, so a
/// name that is empty, absolute, starts with a drive letter, holds a ":" or a control
/// character, or has a part made only of dots ("..", ".") gives an empty list.
std::vector<std::string> SafeEntryParts(std::string_view name);

/// Whether name is one safe part as it stands: a plain file name without folders.
bool IsPlainFileName(std::string_view name);

}  // namespace kx::archive
