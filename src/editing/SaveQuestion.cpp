#include "editing/SaveQuestion.h"

namespace kx::editing {

std::string SaveQuestionText(std::string_view levelName) {
  return "Save changes to " + std::string(levelName) + "?";
}

bool SaveChangesFirst(bool unsaved, std::string_view levelName, platform::Ui& ui,
                      const std::function<void()>& save) {
  if (!unsaved) return true;
  switch (ui.AskYesNoCancel(SaveQuestionText(levelName))) {
    case platform::YesNoCancel::Yes:
      save();
      return true;
    case platform::YesNoCancel::No:
      return true;
    case platform::YesNoCancel::Cancel:
      break;
  }
  return false;
}

}  // namespace kx::editing
