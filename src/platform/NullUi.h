#pragma once

#include "platform/Ui.h"

namespace kx::platform {

/// A Ui that shows nothing and answers every question with its default: No, Cancel, nothing
/// chosen. For benchmarks and for programs without windows; override what should be seen.
class NullUi : public Ui {
public:
  void ShowMessage(BoxKind, const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  YesNoCancel AskYesNoCancel(const std::string&) override { return YesNoCancel::Cancel; }
  void ProgressBegin(const std::string&, const std::string&, int) override {}
  void ProgressSetMaximum(int) override {}
  void ProgressSetItem(const std::string&) override {}
  void ProgressSetPosition(int) override {}
  void ProgressEnd() override {}
  void ProcessEvents() override {}
  void SetBusyCursor(bool) override {}
  void SetMainCaption(const std::string&) override {}
  std::optional<NewProjectAnswer> AskNewProject() override { return std::nullopt; }
  std::optional<int> ChooseJkl(const std::vector<std::string>&) override { return std::nullopt; }
  std::optional<ProjectChoice> ChooseProject(const std::vector<std::string>&) override {
    return std::nullopt;
  }
};

}  // namespace kx::platform
