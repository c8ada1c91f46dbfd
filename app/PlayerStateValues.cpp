#include "app/PlayerStateValues.h"

#include <array>
#include <string_view>
#include <vector>

#include "support/SetText.h"
#include "support/ValueText.h"

namespace nv {

namespace {

constexpr char kEqualizerSection[] = "Preferences\\Equalizer";
constexpr char kActiveFileTitleOptions[] = "Active file title options";
constexpr char kExpandedPlayerSection[] = "Expanded player";
constexpr char kLastUpdateCheck[] = "Last check updates";

constexpr std::array<std::string_view, 5> kFileTitleOptionNames = {"noShowNo", "noShowTitle", "noShowArtist",
                                                                    "noShowAlbum", "noShowDuration"};

std::string BandIdent(int band) { return "Band " + std::to_string(band); }

}  // namespace

double ReadEqualizerBand(const TXRegIniFile& store, int band) {
  return store.ReadFloat(kEqualizerSection, BandIdent(band), 0);
}

void WriteEqualizerBand(TXRegIniFile& store, int band, double gain) {
  store.WriteFloat(kEqualizerSection, BandIdent(band), gain);
}

std::uint8_t ReadActiveFileTitleOptions(const TXRegIniFile& store, std::uint8_t current) {
  const std::string section = PreferenceSection();
  if (!store.ValueExists(section, kActiveFileTitleOptions)) return kDefaultFileTitleOptions;
  const auto bits = TextToSet(store.ReadString(section, kActiveFileTitleOptions, ""), kFileTitleOptionNames);
  return bits ? static_cast<std::uint8_t>(*bits) : current;
}

void WriteActiveFileTitleOptions(TXRegIniFile& store, std::uint8_t options) {
  store.WriteString(PreferenceSection(), kActiveFileTitleOptions, SetToText(options, kFileTitleOptionNames));
}

ExpandedPlayerPlacement ReadExpandedPlayerPlacement(const TXRegIniFile& store) {
  const std::string text = store.ReadString(kExpandedPlayerSection, "", "");
  std::vector<std::int32_t> numbers;
  for (std::string_view rest = text;;) {
    const std::size_t comma = rest.find(',');
    const auto number = ParseInteger(rest.substr(0, comma));
    if (!number) return {};  // missing, empty or not numbers: centred
    numbers.push_back(*number);
    if (comma == std::string_view::npos) break;
    rest = rest.substr(comma + 1);
  }
  if (numbers.size() == 1) return {std::nullopt, std::nullopt, std::nullopt, numbers[0]};
  if (numbers.size() == 4) return {numbers[0], numbers[1], numbers[2], numbers[3]};
  return {};
}

void WriteExpandedPlayerPlacement(TXRegIniFile& store, const ExpandedPlayerPlacement& placement) {
  if (placement.Centred()) {
    store.DeleteValue(kExpandedPlayerSection, "");
    return;
  }
  std::string text;
  if (placement.left && placement.top && placement.width)
    text = FormatInteger(*placement.left) + ',' + FormatInteger(*placement.top) + ',' + FormatInteger(*placement.width) + ',';
  store.WriteString(kExpandedPlayerSection, "", text + FormatInteger(*placement.height));
}

std::chrono::sys_days ReadLastUpdateCheck(const TXRegIniFile& store) {
  return store.ReadDate("", kLastUpdateCheck, kNoDate);
}

void WriteLastUpdateCheck(TXRegIniFile& store, std::chrono::sys_days day) {
  store.WriteDate("", kLastUpdateCheck, day);
}

}  // namespace nv
