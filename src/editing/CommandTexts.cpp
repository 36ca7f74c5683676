#include "editing/CommandTexts.h"

#include <cstdio>

namespace kx::editing {

namespace {

std::string ItemText(const char* verb, const std::string& stepName) {
  std::string text = verb;
  if (stepName.empty()) return text;
  text += ' ';
  // An ampersand in a step's name is shown, not taken for an access key.
  for (const char c : stepName) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

std::string AtTime(std::string text, const std::tm& time) {
  char clock[32];
  std::snprintf(clock, sizeof clock, " at %02d:%02d:%02d", time.tm_hour, time.tm_min, time.tm_sec);
  return text + clock;
}

}  // namespace

std::string UndoItemText(const EditHistory& history) {
  return ItemText("&Undo", history.UndoName());
}

std::string RedoItemText(const EditHistory& history) {
  return ItemText("&Redo", history.RedoName());
}

std::string SavedText(std::string_view jklName, const std::tm& time) {
  return AtTime("Saved jkl\\" + std::string(jklName), time);
}

std::string PackedText(std::string_view gob2Name, const std::tm& time) {
  return AtTime("Packed gob\\" + std::string(gob2Name), time);
}

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace kx::editing
