#include "properties/HeaderForm.h"

#include "editing/Editor.h"
#include "level/Numbers.h"

#include <cmath>

namespace kx::properties {

namespace {

/// The float slots of a header in the order of kHeaderFields; slot 0 (the version) is none.
template <typename Header>
auto FloatSlots(Header& h) {
  using Slot = decltype(&h.worldGravity);
  return std::array<Slot, kHeaderFieldCount>{
      nullptr,
      &h.worldGravity,
      &h.ceilingSkyZ,
      &h.horizonDistance,
      &h.horizonPixelsPerRev,
      &h.horizonSkyOffset[0],
      &h.horizonSkyOffset[1],
      &h.ceilingSkyOffset[0],
      &h.ceilingSkyOffset[1],
      &h.mipmapDistances[0],
      &h.mipmapDistances[1],
      &h.mipmapDistances[2],
      &h.mipmapDistances[3],
      &h.lodDistances[0],
      &h.lodDistances[1],
      &h.lodDistances[2],
      &h.lodDistances[3],
      &h.perspectiveDistance,
      &h.gouraudDistance,
  };
}

}  // namespace

HeaderTexts HeaderToTexts(const level::LevelHeader& header) {
  HeaderTexts texts;
  texts[0] = std::to_string(header.version);
  const auto slots = FloatSlots(header);
  for (int i = 1; i < kHeaderFieldCount; ++i) {
    texts[static_cast<std::size_t>(i)] = level::FormatFloat6(*slots[static_cast<std::size_t>(i)]);
  }
  return texts;
}

bool IsValidFieldText(const HeaderField& field, std::string_view text) {
  if (field.kind == HeaderValueKind::Integer) return level::ParseWholeInt(text).has_value();
  const auto value = level::ParseWholeFloat(text);
  return value && std::isfinite(*value);
}

std::optional<int> FirstInvalidField(const HeaderTexts& texts) {
  for (int i = 0; i < kHeaderFieldCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (!IsValidFieldText(kHeaderFields[at], texts[at])) return i;
  }
  return std::nullopt;
}

std::string FieldErrorText(int field) {
  return "Error in field \"" + std::string(kHeaderFields.at(static_cast<std::size_t>(field)).name) +
         "\"";
}

level::LevelHeader HeaderFromTexts(const level::LevelHeader& original, const HeaderTexts& texts) {
  const HeaderTexts opened = HeaderToTexts(original);
  level::LevelHeader header = original;
  if (texts[0] != opened[0]) header.version = level::ParseWholeInt(texts[0]).value_or(0);
  const auto slots = FloatSlots(header);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    if (texts[i] != opened[i]) *slots[i] = level::ParseFloat(texts[i]);
  }
  return header;
}

void StoreHeader(editing::Editor& editor, const level::LevelHeader& header) {
  auto change = editor.Change("Change Header");
  change.Header() = header;
  change.Commit();
}

}  // namespace kx::properties
