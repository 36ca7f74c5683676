#include "properties/CopyrightForm.h"

#include "editing/Editor.h"
#include "level/Capacities.h"
#include "level/JklReader.h"

#include <algorithm>

namespace kx::properties {

namespace {

constexpr char kEndOfText = 26;  // a reader of the game's text files stops at it

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

/// Why line (numbered from 1) does not read back as typed, or empty when it does.
std::string ReadBackLoss(int number, std::string_view line) {
  const std::string_view readable = level::ReadableText(line);
  if (readable == line && !readable.empty()) return {};
  const std::string name = "Line " + std::to_string(number);
  const bool hasHash = line.find('#') != std::string_view::npos;
  if (readable.empty()) {
    return name + (hasHash ? " holds nothing before its \"#\" and is skipped when the level is "
                             "read."
                           : " is empty and is skipped when the level is read.");
  }
  return name + " reads back as " + Quoted(readable) +
         (hasHash ? ": a line ends at \"#\"." : ": the blanks at its ends are dropped.");
}

}  // namespace

std::string CopyrightText(const level::Table<std::string>& copyright) {
  std::string text;
  const int count = copyright.Used();
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += '\n';
    text += copyright[i];
  }
  // A last empty line needs a line end of its own, or the box would not count it.
  if (count > 0 && copyright[count - 1].empty()) text += '\n';
  return text;
}

std::vector<std::string> SplitCopyrightText(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

CopyrightCheck CheckCopyright(std::string_view text) {
  CopyrightCheck check;
  const std::vector<std::string> typed = SplitCopyrightText(text);
  const int total = static_cast<int>(typed.size());
  const int kept = std::min(total, level::capacity::kCopyrightLines);
  for (int i = 0; i < kept; ++i) {
    const std::string& line = typed[static_cast<std::size_t>(i)];
    const int number = i + 1;
    const std::string name = "Line " + std::to_string(number);
    std::string stored = level::CutTo(line, level::capacity::kCopyrightText);
    if (stored.find(kEndOfText) != std::string::npos) {
      check.refusal = name +
                      " of the copyright text holds the character of code 26, which "
                      "ends the level file: nothing after it could be read. Remove it.";
      return check;
    }
    if (level::StartsSection(level::ReadableText(stored))) {
      check.refusal = name + " of the copyright text, " + Quoted(stored) +
                      ", would be read as the start of another section of the level, which "
                      "could then not be read as it was saved. Change that line.";
      return check;
    }
    if (stored.size() < line.size()) {
      check.losses.push_back(name + " is cut to its first " +
                             std::to_string(level::capacity::kCopyrightText) + " characters.");
    }
    if (std::string loss = ReadBackLoss(number, stored); !loss.empty()) {
      check.losses.push_back(std::move(loss));
    }
    check.lines.push_back(std::move(stored));
  }
  if (total > kept) {
    const std::string limit = std::to_string(level::capacity::kCopyrightLines);
    const std::string first = std::to_string(kept + 1);
    check.losses.push_back((total == kept + 1
                                ? "Line " + first + " is"
                                : "Lines " + first + " to " + std::to_string(total) + " are") +
                           " left out: a level holds " + limit + " lines of copyright.");
  }
  return check;
}

std::string LossesQuestion(const std::vector<std::string>& losses) {
  std::string text = "Not all of the copyright text is kept as it is typed:\r";
  for (const std::string& loss : losses) text += "\r" + loss;
  text += "\r\rKeep the text anyway?";
  return text;
}

void StoreCopyright(editing::Editor& editor, const std::vector<std::string>& lines) {
  auto change = editor.Change("Change Copyright");
  level::Table<std::string>& copyright = change.Copyright();
  const int count = std::min(static_cast<int>(lines.size()), copyright.Capacity());
  for (int i = 0; i < count; ++i) copyright[i] = lines[static_cast<std::size_t>(i)];
  copyright.count = count;
  change.Commit();
}

}  // namespace kx::properties
