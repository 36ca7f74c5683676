#pragma once

#include "platform/Ui.h"

namespace kx::tool {

/// The Ui of the command-line tool: message boxes go to stderr, progress is not shown, and
/// dialogs take their default answer (the first entry of a list, No to questions).
class ConsoleUi : public platform::Ui {
public:
  void ShowMessage(platform::BoxKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void ProgressBegin(const std::string&, const std::string&, int) override {}
  void ProgressSetMaximum(int) override {}
  void ProgressSetItem(const std::string&) override {}
  void ProgressSetPosition(int) override {}
  void ProgressEnd() override {}
  void ProcessEvents() override {}
  void SetBusyCursor(bool) override {}
  void SetMainCaption(const std::string&) override {}
  std::optional<platform::NewProjectAnswer> AskNewProject() override { return std::nullopt; }
  std::optional<int> ChooseJkl(const std::vector<std::string>& names) override;
  std::optional<int> ChooseProject(const std::vector<std::string>& names) override;
};

}  // namespace kx::tool
