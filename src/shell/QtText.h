#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kx::shell {

/// Text of the game's files or of the logic as the user sees it: UTF-8 when it is valid UTF-8
/// (paths, the program's own texts), else one character per byte (the game's 8-bit text).
/// A CR, the boxes' line break, becomes a line feed.
QString DisplayText(std::string_view text);

/// The game's 8-bit text of what the user typed: original when shown is still the text
/// DisplayText(original) shows; else one byte per character when every character fits in one,
/// or UTF-8 when some do not (so that nothing typed is lost).
std::string GameText(const QString& shown, std::string_view original = {});

/// A path typed or chosen by the user as the file system spells it.
std::string LocalPath(const QString& path);

}  // namespace kx::shell
