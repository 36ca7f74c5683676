#include "ConsoleUi.h"

#include <iostream>

namespace kx::tool {

static const char* KindName(platform::BoxKind kind) {
  switch (kind) {
    case platform::BoxKind::Warning:
      return "Warning";
    case platform::BoxKind::Error:
      return "Error";
    case platform::BoxKind::Information:
      return "Information";
    case platform::BoxKind::Confirm:
      return "Confirm";
    case platform::BoxKind::Plain:
      break;
  }
  return "Message";
}

static std::string OnConsole(std::string text) {
  // Boxes use CR as their line break; a terminal wants LF.
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  return text;
}

void ConsoleUi::ShowMessage(platform::BoxKind kind, const std::string& text) {
  std::cerr << KindName(kind) << ": " << OnConsole(text) << '\n';
}

void ConsoleUi::Note(const std::string& text) {
  std::cerr << "Note: " << OnConsole(text) << '\n';
}

bool ConsoleUi::AskYesNo(const std::string& text) {
  std::cerr << "Confirm: " << OnConsole(text) << " (answered No)\n";
  return false;
}

std::optional<int> ConsoleUi::ChooseJkl(const std::vector<std::string>& names) {
  if (names.empty()) return std::nullopt;
  return 0;
}

std::optional<platform::ProjectChoice> ConsoleUi::ChooseProject(
    const std::vector<std::string>& names) {
  if (names.empty()) return std::nullopt;
  return 0;
}

}  // namespace kx::tool
