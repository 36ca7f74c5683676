#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::archive {

/// The parts of an entry name that extraction may write below its target folder (the name is
/// trimmed of blanks at both ends first). An archive is untrusted, so a name that holds a
/// control character anywhere (bytes below 32 and 127), is empty, absolute, starts with a drive
/// letter, holds a ":", or has a part made only of dots ("..", ".") gives an empty list.
std::vector<std::string> SafeEntryParts(std::string_view name);

/// Whether name is one safe part as it stands: a plain file name without folders.
bool IsPlainFileName(std::string_view name);

/// name for a listing of one entry per line: control characters (bytes below 32 and 127) and
/// "%" itself become "%" and two upper-case hexadecimal digits ("a\tb" -> "a%09b"), so a name
/// never spans lines or forges a column, and no two names print alike.
std::string PrintableEntryName(std::string_view name);

}  // namespace kx::archive
