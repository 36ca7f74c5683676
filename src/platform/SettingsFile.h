#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kx::platform {

/// The values of a settings file as read at one moment, for many lookups in a row.
/// Sections and keys are matched without regard to case; the first of several equal ones wins.
class SettingsSnapshot {
 public:
  explicit SettingsSnapshot(std::string_view fileText);

  /// The value (blanks around it and one pair of enclosing quotes removed, at most 1023
  /// characters), or defaultValue when the key is missing.
  std::string Text(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const;
  /// The value as a decimal integer, or hexadecimal after "0x" or "0X"; defaultValue when the
  /// key is missing or its value is not such a number within 32 bits.
  std::int32_t Int(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

 private:
  std::map<std::string, std::string> m_values;  // "SECTION\nKEY" upper-cased -> value
};

/// The settings file: lines "[Section]" open a section, lines "Key=Value" hold values. Every
/// read and write goes straight to the file; a missing file reads as empty. Writes keep every
/// other line (comments included) as it was and go through a temporary file and a rename.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return m_path; }

  std::string ReadSettingText(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const;
  std::int32_t ReadSettingInt(std::string_view section, std::string_view key,
                              std::int32_t defaultValue) const;
  /// Sets the value, adding the key (and the section) when missing. Throws CommandError
  /// "Unable to write to PATH" when the file cannot be read or written, or when a name or the
  /// value holds a line break (it would split the line).
  void WriteSettingText(std::string_view section, std::string_view key, std::string_view value);
  /// Writes the value as decimal text. Throws as WriteSettingText.
  void WriteSettingInt(std::string_view section, std::string_view key, std::int32_t value);

  /// Renames or drops whole sections in one write: newName gets each section's name as the file
  /// spells it and returns the name the section is to have, or nothing to drop the section with
  /// every line in it. Lines before the first section stay. Throws as WriteSettingText, also for
  /// a new name that cannot be stored; a missing file stays missing.
  void RenameSections(const std::function<std::optional<std::string>(std::string_view)>& newName);

  /// The file as it is now.
  SettingsSnapshot Snapshot() const;

 private:
  std::filesystem::path m_path;
};

/// The integer of a settings value (see SettingsSnapshot::Int); nothing when it is not one.
bool ParseSettingInt(std::string_view text, std::int32_t& value);

}  // namespace kx::platform
