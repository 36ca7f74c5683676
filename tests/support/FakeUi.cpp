#include "support/FakeUi.h"

#include <algorithm>

namespace kx::test {

template <typename T, typename D>
static T TakeFront(std::deque<T>& queue, D fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}

bool FakeUi::AskYesNo(const std::string& text) {
  boxes.push_back({platform::BoxKind::Confirm, text});
  return TakeFront(yesNoAnswers, false);
}

void FakeUi::ProgressBegin(const std::string& caption, const std::string& groupCaption,
                           int maximum) {
  progress.push_back("begin " + caption + "|" + groupCaption + "|" + std::to_string(maximum));
  progressShown = true;
}

void FakeUi::ProgressEnd() {
  progress.push_back("end");
  progressShown = false;
}

void FakeUi::SetBusyCursor(bool busy) {
  busyDepth += busy ? 1 : -1;
  maxBusyDepth = std::max(maxBusyDepth, busyDepth);
}

std::optional<platform::NewProjectAnswer> FakeUi::AskNewProject() {
  return TakeFront(newProjectAnswers, std::optional<platform::NewProjectAnswer>{});
}

std::optional<int> FakeUi::ChooseJkl(const std::vector<std::string>& jklNames) {
  jklListsShown.push_back(jklNames);
  return TakeFront(jklChoices, std::optional<int>{});
}

std::optional<int> FakeUi::ChooseProject(const std::vector<std::string>& levelNames) {
  projectListsShown.push_back(levelNames);
  return TakeFront(projectChoices, std::optional<int>{});
}

}  // namespace kx::test
