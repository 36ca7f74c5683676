#include "properties/FlagsEditorState.h"

#include "level/Numbers.h"

namespace kx::properties {

namespace {

constexpr std::uint32_t kBoxBits = 0xFFFF;

}  // namespace

std::string_view GroupCaption(FlagWord word) {
  switch (word) {
    case FlagWord::SurfaceSurfflags:
      return "Surface: Surfflags";
    case FlagWord::SurfaceFaceflags:
      return "Surface: Faceflags";
    case FlagWord::SectorFlags:
      return "Sector: Flags";
  }
  return {};
}

std::array<std::string_view, kFlagBoxes> BoxCaptions(FlagWord word) {
  std::array<std::string_view, kFlagBoxes> captions = {
      "Unknown 1",  "Unknown 2",  "Unknown 3",  "Unknown 4",  "Unknown 5",  "Unknown 6",
      "Unknown 7",  "Unknown 8",  "Unknown 9",  "Unknown 10", "Unknown 11", "Unknown 12",
      "Unknown 13", "Unknown 14", "Unknown 15", "Unknown 16"};
  if (word == FlagWord::SurfaceSurfflags) captions[2] = "Solid surface?";
  return captions;
}

std::uint16_t FlagsEditorState::Show() {
  m_loading = true;
  if (m_sum.empty()) {
    m_value = 0;
    m_sum = "0x0000";
  } else {
    m_value = level::ParseHex(m_sum);
  }
  return static_cast<std::uint16_t>(m_value & kBoxBits);
}

void FlagsEditorState::BoxesChanged(std::uint16_t boxes) {
  if (m_loading) return;
  // Real levels hold surface flags above 0xFFFF, which the game uses: the boxes change only
  // their own bits.
  m_value = (m_value & ~kBoxBits) | boxes;
  m_sum = level::FlagText(m_value);
}

std::uint32_t EditedFlagWord(std::uint32_t old, std::string_view sum) {
  return (old & ~kBoxBits) | (level::ParseHex(sum) & kBoxBits);
}

}  // namespace kx::properties
