#pragma once

#include <string>
#include <string_view>

namespace kx::project {

/// Whether the new-project dialog's three fields allow OK: none is empty, and the GOB2 name is
/// at most 12 characters long when it holds ".GOB" (any case), at most 8 otherwise.
bool NewProjectFieldsValid(std::string_view levelName, std::string_view jklName,
                           std::string_view gob2Name);

/// The GOB2 name as the field shows it once left: ".GOB" appended unless the name holds it
/// (any case), then upper case. An empty field stays empty.
std::string CompleteGob2Name(std::string_view gob2Name);

}  // namespace kx::project
