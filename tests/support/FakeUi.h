#pragma once

#include "platform/Ui.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

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
  int busyDepth = 0;  // current busy-cursor nesting
  int maxBusyDepth = 0;
  bool progressShown = false;

  // Answers, taken from the front; an empty queue gives the default: No, Cancel, none
  // highlighted, Cancel.
  std::deque<bool> yesNoAnswers;
  std::deque<platform::YesNoCancel> yesNoCancelAnswers;
  std::deque<std::optional<platform::NewProjectAnswer>> newProjectAnswers;
  std::deque<std::optional<int>> jklChoices;
  std::deque<std::optional<platform::ProjectChoice>> projectChoices;
  // What the list dialogs were shown.
  std::vector<std::vector<std::string>> jklListsShown;
  std::vector<std::vector<std::string>> projectListsShown;

  std::vector<std::string> notes;  // Note

  void ShowMessage(platform::BoxKind kind, const std::string& text) override {
    boxes.push_back({kind, text});
  }
  void Note(const std::string& text) override { notes.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    boxes.push_back({platform::BoxKind::Confirm, text});
    return TakeFront(yesNoAnswers, false);
  }
  platform::YesNoCancel AskYesNoCancel(const std::string& text) override {
    boxes.push_back({platform::BoxKind::Confirm, text});
    return TakeFront(yesNoCancelAnswers, platform::YesNoCancel::Cancel);
  }
  void ProgressBegin(const std::string& caption, const std::string& groupCaption,
                     int maximum) override {
    progress.push_back("begin " + caption + "|" + groupCaption + "|" + std::to_string(maximum));
    progressShown = true;
  }
  void ProgressSetMaximum(int maximum) override {
    progress.push_back("max " + std::to_string(maximum));
  }
  void ProgressSetItem(const std::string& text) override { progress.push_back("item " + text); }
  void ProgressSetPosition(int position) override { positions.push_back(position); }
  void ProgressEnd() override {
    progress.push_back("end");
    progressShown = false;
  }
  void ProcessEvents() override { ++processEventsCalls; }
  void SetBusyCursor(bool busy) override {
    busyDepth += busy ? 1 : -1;
    maxBusyDepth = std::max(maxBusyDepth, busyDepth);
  }
  void SetMainCaption(const std::string& caption) override { captions.push_back(caption); }
  std::optional<platform::NewProjectAnswer> AskNewProject() override {
    return TakeFront(newProjectAnswers, std::optional<platform::NewProjectAnswer>{});
  }
  std::optional<int> ChooseJkl(const std::vector<std::string>& jklNames) override {
    jklListsShown.push_back(jklNames);
    return TakeFront(jklChoices, std::optional<int>{});
  }
  std::optional<platform::ProjectChoice> ChooseProject(
      const std::vector<std::string>& levelNames) override {
    projectListsShown.push_back(levelNames);
    return TakeFront(projectChoices, std::optional<platform::ProjectChoice>{});
  }

 private:
  template <typename T>
  static T TakeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace kx::test
