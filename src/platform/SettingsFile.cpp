#include "platform/SettingsFile.h"

#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <optional>
#include <system_error>
#include <vector>

namespace kx::platform {

namespace {

constexpr std::size_t kTextLimit = 1023;

struct Line {
  std::string text;
  std::string end;  // "\r\n", "\n", "\r", or empty for a last line without one
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t stop = text.find_first_of("\r\n", begin);
    if (stop == std::string_view::npos) {
      lines.push_back({std::string(text.substr(begin)), ""});
      break;
    }
    std::size_t next = stop + 1;
    if (text[stop] == '\r' && next < text.size() && text[next] == '\n') ++next;
    lines.push_back({std::string(text.substr(begin, stop - begin)),
                     std::string(text.substr(stop, next - stop))});
    begin = next;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// "[Name]" opens a section; what follows the closing bracket is ignored.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

// "Key=Value"; lines starting with ';' or '#' are comments.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
    return false;
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  key = TrimBlanks(line.substr(0, equals));
  value = TrimBlanks(line.substr(equals + 1));
  return !key.empty();
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kTextLimit));
}

std::string LookupKey(std::string_view section, std::string_view key) {
  return Upper(TrimBlanks(section)) + '\n' + Upper(TrimBlanks(key));
}

std::string ReadForLookup(const std::filesystem::path& path) {
  try {
    return ReadFileBytes(path);
  } catch (const CommandError&) {
    return {};  // a missing or unreadable file reads as empty: every value is its default
  }
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::vector<Line> ReadLines(const std::filesystem::path& path, const std::string& failure) {
  std::string text;
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    try {
      text = ReadFileBytes(path);
    } catch (const CommandError& error) {
      throw CommandError(failure, error.text());
    }
  }
  return SplitLines(text);
}

void WriteLines(const std::filesystem::path& path, const std::vector<Line>& lines,
                const std::string& failure) {
  std::string out;
  for (const auto& line : lines) out += line.text + line.end;
  try {
    WriteFileAtomically(path, out);
  } catch (const CommandError& error) {
    throw CommandError(failure, error.text());
  }
}

}  // namespace

bool ParseSettingInt(std::string_view text, std::int32_t& value) {
  text = TrimBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint64_t number = 0;
    for (char c : text.substr(2)) {
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        return false;
      }
      number = number * 16 + static_cast<std::uint64_t>(digit);
      if (number > 0xffffffffu) return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    return true;
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  std::int64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
    if (number > std::int64_t{INT32_MAX} + 1) return false;
  }
  if (negative) number = -number;
  if (number < INT32_MIN || number > INT32_MAX) return false;
  value = static_cast<std::int32_t>(number);
  return true;
}

SettingsSnapshot::SettingsSnapshot(std::string_view fileText) {
  std::optional<std::string> section;
  for (const auto& line : SplitLines(fileText)) {
    if (auto name = SectionOf(line.text)) {
      section = std::string(*name);
      continue;
    }
    std::string_view key, value;
    if (section && KeyOf(line.text, key, value)) {
      m_values.emplace(LookupKey(*section, key), Unquoted(value));
    }
  }
}

std::string SettingsSnapshot::Text(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  const auto it = m_values.find(LookupKey(section, key));
  return it == m_values.end() ? std::string(defaultValue) : it->second;
}

std::int32_t SettingsSnapshot::Int(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
  const auto it = m_values.find(LookupKey(section, key));
  std::int32_t value = defaultValue;
  if (it == m_values.end() || !ParseSettingInt(it->second, value)) return defaultValue;
  return value;
}

SettingsFile::SettingsFile(std::filesystem::path path) : m_path(std::move(path)) {}

SettingsSnapshot SettingsFile::Snapshot() const {
  return SettingsSnapshot(ReadForLookup(m_path));
}

std::string SettingsFile::ReadSettingText(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const {
  return Snapshot().Text(section, key, defaultValue);
}

std::int32_t SettingsFile::ReadSettingInt(std::string_view section, std::string_view key,
                                          std::int32_t defaultValue) const {
  return Snapshot().Int(section, key, defaultValue);
}

void SettingsFile::WriteSettingText(std::string_view section, std::string_view key,
                                    std::string_view value) {
  const std::string failure = "Unable to write to " + DisplayPath(m_path);
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos) {
    throw CommandError(failure, "[" + std::string(section) + "] " + std::string(key) +
                                    ": the name or the value cannot be stored in the file");
  }
  auto lines = ReadLines(m_path, failure);
  const std::string wantedSection = Upper(section);
  const std::string wantedKey = Upper(key);
  const std::string newLine = std::string(key) + "=" + std::string(value);

  // The first section of that name, and in it the first line of that key.
  std::optional<std::size_t> sectionLine;
  std::size_t insertAt = lines.size();
  bool replaced = false;
  for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
    if (auto name = SectionOf(lines[i].text)) {
      if (sectionLine) break;
      if (Upper(*name) == wantedSection) {
        sectionLine = i;
        insertAt = i + 1;
      }
      continue;
    }
    if (!sectionLine) continue;
    std::string_view lineKey, lineValue;
    if (KeyOf(lines[i].text, lineKey, lineValue) && Upper(lineKey) == wantedKey) {
      lines[i].text =
          std::string(lineKey) + "=" + std::string(value);  // the key keeps its spelling
      replaced = true;
    } else if (!TrimBlanks(lines[i].text).empty()) {
      insertAt = i + 1;  // new keys go after the section's last line, before blank lines
    }
  }
  if (!replaced) {
    std::vector<Line> added;
    if (!sectionLine) added.push_back({"[" + std::string(section) + "]", "\r\n"});
    added.push_back({newLine, "\r\n"});
    if (insertAt > 0 && lines[insertAt - 1].end.empty()) lines[insertAt - 1].end = "\r\n";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(), added.end());
  }
  WriteLines(m_path, lines, failure);
}

void SettingsFile::WriteSettingInt(std::string_view section, std::string_view key,
                                   std::int32_t value) {
  WriteSettingText(section, key, std::to_string(value));
}

void SettingsFile::RenameSections(
    const std::function<std::optional<std::string>(std::string_view)>& newName) {
  const std::string failure = "Unable to write to " + DisplayPath(m_path);
  std::error_code ec;
  if (!std::filesystem::exists(m_path, ec)) return;
  auto lines = ReadLines(m_path, failure);
  std::vector<Line> kept;
  bool dropping = false;
  for (auto& line : lines) {
    if (const auto name = SectionOf(line.text)) {
      const auto renamed = newName(*name);
      dropping = !renamed;
      if (renamed && *renamed != *name) {
        if (renamed->empty() || HasLineBreak(*renamed) || renamed->find(']') != std::string::npos) {
          throw CommandError(failure, "[" + *renamed + "]: the name cannot be stored in the file");
        }
        line.text = "[" + *renamed + "]";
      }
    }
    if (!dropping) kept.push_back(std::move(line));
  }
  WriteLines(m_path, kept, failure);
}

}  // namespace kx::platform
