#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace kx::test {

/// A scripted Ui: records every box and progress call, answers questions from queues.
class FakeUi : public platform::Ui {
public:
  struct Box {
    platform::BoxKind kind;
    std::string text;
    bool operator==(const Box&) const = default;
  };

  // What happened, in order.
  std::vector<Box> boxes;
  /// One line per progress call: "begin CAPTION|GROUP|MAX", "max N", "item TEXT", "end".
  /// Positions are kept apart in positions, since readers set one per line.
  std::vector<std::string> progress;
  std::vector<int> positions;
  std::vector<std::string> captions;  // SetMainCaption
  int processEventsCalls = 0;
  int busyDepth = 0;      // current busy-cursor nesting
  int maxBusyDepth = 0;
  bool progressShown = false;

  // Answers, taken from the front; when a queue is empty the default is used.
  std::deque<bool> yesNoAnswers;  // default: false (No)
  std::deque<std::optional<platform::NewProjectAnswer>> newProjectAnswers;  // default: Cancel
  std::deque<std::optional<int>> jklChoices;      // default: none highlighted
  std::deque<std::optional<int>> projectChoices;  // default: Cancel
  // What the list dialogs were shown.
  std::vector<std::vector<std::string>> jklListsShown;
  std::vector<std::vector<std::string>> projectListsShown;

  void ShowMessage(platform::BoxKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void ProgressBegin(const std::string& caption, const std::string& groupCaption,
                     int maximum) override;
  void ProgressSetMaximum(int maximum) override;
  void ProgressSetItem(const std::string& text) override;
  void ProgressSetPosition(int position) override;
  void ProgressEnd() override;
  void ProcessEvents() override { ++processEventsCalls; }
  void SetBusyCursor(bool busy) override;
  void SetMainCaption(const std::string& caption) override { captions.push_back(caption); }
  std::optional<platform::NewProjectAnswer> AskNewProject() override;
  std::optional<int> ChooseJkl(const std::vector<std::string>& jklNames) override;
  std::optional<int> ChooseProject(const std::vector<std::string>& levelNames) override;
};

}  // namespace kx::test
