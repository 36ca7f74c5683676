#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kx::properties {

/// The flag words the flags editor edits, each with its group caption and box captions.
enum class FlagWord { SurfaceSurfflags, SurfaceFaceflags, SectorFlags };

inline constexpr int kFlagBoxes = 16;

/// "Surface: Surfflags", "Surface: Faceflags" or "Sector: Flags".
std::string_view GroupCaption(FlagWord word);
/// The captions of the sixteen boxes, the box of bit value 1 first.
std::array<std::string_view, kFlagBoxes> BoxCaptions(FlagWord word);

/// The flags editor without its window: FlagsValue, FlagsLoading and the text of lblSum. Its
/// sixteen boxes edit bits 0 to 15; the bits above them are kept as they were, and lblSum
/// shows the whole word.
class FlagsEditorState {
 public:
  /// The caller hands over the starting value as lblSum's text (empty: no single value).
  void SetSum(std::string text) { m_sum = std::move(text); }

  /// FormShow: FlagsValue from lblSum (0 and "0x0000" when it is empty; otherwise lblSum
  /// stays as given). Returns the bits whose boxes are checked; Loading() is true until
  /// BoxesLoaded, so that the boxes set from code do not count as clicks.
  std::uint16_t Show();
  void BoxesLoaded() { m_loading = false; }

  /// The shared click handler of the boxes: boxes is the sum of the checked boxes' bit values.
  /// Ignored while loading.
  void BoxesChanged(std::uint16_t boxes);

  const std::string& Sum() const { return m_sum; }
  std::uint32_t Value() const { return m_value; }
  bool Loading() const { return m_loading; }

 private:
  std::uint32_t m_value = 0;
  bool m_loading = false;
  std::string m_sum;
};

/// The flag word a record gets when the editor closes with OK and sum in lblSum: the low 16
/// bits from sum, the bits above from the record's own word old.
std::uint32_t EditedFlagWord(std::uint32_t old, std::string_view sum);

}  // namespace kx::properties
