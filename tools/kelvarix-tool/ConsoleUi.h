#pragma once

#include "platform/NullUi.h"

namespace kx::tool {

/// The Ui of the command-line tool: message boxes go to stderr, progress is not shown, and
/// dialogs take their default answer (the first entry of a list, No to questions).
class ConsoleUi : public platform::NullUi {
public:
  void ShowMessage(platform::BoxKind kind, const std::string& text) override;
  void Note(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::optional<int> ChooseJkl(const std::vector<std::string>& names) override;
  std::optional<platform::ProjectChoice> ChooseProject(
      const std::vector<std::string>& names) override;
};

}  // namespace kx::tool
