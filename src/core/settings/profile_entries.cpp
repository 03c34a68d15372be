// SPDX-License-Identifier: MIT
#include "settings/profile_entries.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "messages.h"
#include "platform/profile.h"

namespace qm {

namespace {

constexpr std::string_view kPlacementSection = "frmMain";
constexpr std::string_view kOutlineWidthKey = "OutlineWidth";

constexpr std::string_view kVBIniFileName = "VB.INI";
constexpr std::string_view kVBSection = "Visual Basic";
constexpr std::string_view kTabStopsKey = "TabStops";
constexpr int kDefaultTabStops = kDefaultTabWidth;
// The Visual Basic editor accepts tab widths of 1 to 32; anything else in VB.INI is damage.
constexpr int kMinTabStops = 1;
constexpr int kMaxTabStops = 32;

// The placement's keys with the record field each one holds.
using TPlacementField = std::pair<std::string_view, int TWindowPlacement::*>;
constexpr std::array<TPlacementField, 9> kPlacementFields = {{
    {"PlaceFlags", &TWindowPlacement::Flags},
    {"PlaceMinPosX", &TWindowPlacement::MinPosX},
    {"PlaceMinPosY", &TWindowPlacement::MinPosY},
    {"PlaceMaxPosX", &TWindowPlacement::MaxPosX},
    {"PlaceMaxPosY", &TWindowPlacement::MaxPosY},
    {"PlaceNormPosL", &TWindowPlacement::NormPosL},
    {"PlaceNormPosT", &TWindowPlacement::NormPosT},
    {"PlaceNormPosR", &TWindowPlacement::NormPosR},
    {"PlaceNormPosB", &TWindowPlacement::NormPosB},
}};

int ReadProfileInt(std::string_view section, std::string_view key, int def,
                   std::string_view fileName) {
  std::string text = GetPrivateProfileString(section, key, std::to_string(def), fileName);
  return ParseProfileInt(text).value_or(def);
}

bool Write(std::string_view section, std::string_view key, std::string_view value,
           std::string_view fileName, std::string* err) {
  if (WritePrivateProfileString(section, key, value, fileName)) return true;
  if (err) *err = msg::Format(msg::UnableToWriteTo, fileName);
  return false;
}

}  // namespace

int LoadOutlineWidth(std::string_view fileName) {
  return std::max(0, ReadProfileInt(kPlacementSection, kOutlineWidthKey, 0, fileName));
}

bool SaveOutlineWidth(int width, std::string_view fileName, std::string* err) {
  return Write(kPlacementSection, kOutlineWidthKey, std::to_string(std::max(width, 0)), fileName, err);
}

TWindowPlacement LoadWindowPlacement(std::string_view fileName) {
  TWindowPlacement placement;
  for (const auto& [key, field] : kPlacementFields)
    placement.*field = ReadProfileInt(kPlacementSection, key, 0, fileName);
  return placement;
}

bool SaveWindowPlacement(const TWindowPlacement& placement, std::string_view fileName,
                         std::string* err) {
  for (const auto& [key, field] : kPlacementFields)
    if (!Write(kPlacementSection, key, std::to_string(placement.*field), fileName, err))
      return false;
  return true;
}

int ReadVBTabStops() {
  int width = ReadProfileInt(kVBSection, kTabStopsKey, kDefaultTabStops, kVBIniFileName);
  // A width outside what the editor allows would stall or blow up tab expansion.
  return (width < kMinTabStops || width > kMaxTabStops) ? kDefaultTabStops : width;
}

}  // namespace qm
