#include "app/ConfigRecord.h"

#include <algorithm>
#include <span>

#include "app/SearchPanel.h"
#include "common/Real6.h"

namespace tulo {
namespace {

constexpr std::size_t kSatGivenTemperatureAt = 612;
constexpr std::size_t kFullPropertyListAt = 613;
constexpr std::size_t kSpareFlagAt = 614;
constexpr std::size_t kEntrySeenAt = 615;
constexpr std::size_t kReserved616At = 616;
constexpr std::size_t kSavedUnitsAt = 642;
constexpr std::size_t kReserved654At = 654;
constexpr std::size_t kSaveCountAt = 656;
constexpr std::size_t kSteamQualityAt = 660;
constexpr std::size_t kSearchItemAt = 666;
constexpr std::size_t kSearchGivenItemAt = 667;
constexpr std::size_t kReserved668At = 668;
static_assert(kReserved616At + 26 == kSavedUnitsAt && kSavedUnitsAt + kQuantityCount == kReserved654At);
static_assert(kReserved668At + 364 == kConfigRecordSize);

template <std::size_t N>
void CopyOut(const ConfigBytes& bytes, std::size_t at, std::array<std::uint8_t, N>& to) {
  std::copy_n(bytes.begin() + at, N, to.begin());
}

template <std::size_t N>
void CopyIn(const std::array<std::uint8_t, N>& from, std::size_t at, ConfigBytes& bytes) {
  std::copy_n(from.begin(), N, bytes.begin() + at);
}

std::string Holds(std::size_t at, int value, const std::string& expected) {
  return "byte " + std::to_string(at) + " holds " + std::to_string(value) + ", " + expected + " expected";
}

// The byte at `at` is 0 (nothing chosen yet) or the code of one of `items`.
std::string ItemProblem(const ConfigBytes& bytes, std::size_t at, std::span<const Item> items) {
  std::string codes = "0";
  for (Item item : items) {
    if (bytes[at] == ItemCode(item)) return {};
    codes.append(", ").append(std::to_string(ItemCode(item)));
  }
  return bytes[at] == 0 ? std::string() : Holds(at, bytes[at], "one of " + codes);
}

}  // namespace

std::string ConfigRecordProblem(const ConfigBytes& bytes) {
  for (std::size_t at : {kSatGivenTemperatureAt, kFullPropertyListAt, kEntrySeenAt})
    if (bytes[at] > 1) return Holds(at, bytes[at], "0 or 1");
  for (int q = 0; q < kQuantityCount; ++q) {
    const std::size_t at = kSavedUnitsAt + static_cast<std::size_t>(q);
    if (bytes[at] < 1 || bytes[at] > UnitCount(q))
      return Holds(at, bytes[at], "1 to " + std::to_string(UnitCount(q)));
  }
  if (std::string problem = ItemProblem(bytes, kSearchItemAt, kSearchItems); !problem.empty()) return problem;
  if (std::string problem = ItemProblem(bytes, kSearchGivenItemAt, kGivenItems); !problem.empty())
    return problem;
  Real6Bytes quality;
  CopyOut(bytes, kSteamQualityAt, quality);
  const double percent = Real6::Decode(quality).Value();
  if (!(percent >= 0.0 && percent <= 100.0)) return "bytes 660 to 665 hold no steam quality from 0 to 100 %";
  return {};
}

ConfigRecord ConfigRecord::Parse(const ConfigBytes& bytes) {
  ConfigRecord r;
  CopyOut(bytes, 0, r.Reserved0);
  r.SatGivenTemperature = bytes[kSatGivenTemperatureAt] != 0;
  r.FullPropertyList = bytes[kFullPropertyListAt] != 0;
  r.SpareFlag = bytes[kSpareFlagAt];
  r.EntrySeen = bytes[kEntrySeenAt];
  CopyOut(bytes, kReserved616At, r.Reserved616);
  CopyOut(bytes, kSavedUnitsAt, r.SavedUnits);
  CopyOut(bytes, kReserved654At, r.Reserved654);
  r.SaveCount = 0;
  for (int i = 3; i >= 0; --i) r.SaveCount = (r.SaveCount << 8) | bytes[kSaveCountAt + i];
  Real6Bytes quality;
  CopyOut(bytes, kSteamQualityAt, quality);
  r.SteamQuality = Real6::Decode(quality).Value();
  r.SearchItem = bytes[kSearchItemAt];
  r.SearchGivenItem = bytes[kSearchGivenItemAt];
  CopyOut(bytes, kReserved668At, r.Reserved668);
  return r;
}

ConfigBytes ConfigRecord::Serialise() const {
  ConfigBytes bytes{};
  CopyIn(Reserved0, 0, bytes);
  bytes[kSatGivenTemperatureAt] = SatGivenTemperature ? 1 : 0;
  bytes[kFullPropertyListAt] = FullPropertyList ? 1 : 0;
  bytes[kSpareFlagAt] = SpareFlag;
  bytes[kEntrySeenAt] = EntrySeen;
  CopyIn(Reserved616, kReserved616At, bytes);
  CopyIn(SavedUnits, kSavedUnitsAt, bytes);
  CopyIn(Reserved654, kReserved654At, bytes);
  for (int i = 0; i < 4; ++i) bytes[kSaveCountAt + i] = static_cast<std::uint8_t>(SaveCount >> (8 * i));
  auto quality = Real6::From(SteamQuality);
  CopyIn(quality ? quality->Encode() : Real6Bytes{}, kSteamQualityAt, bytes);
  bytes[kSearchItemAt] = SearchItem;
  bytes[kSearchGivenItemAt] = SearchGivenItem;
  CopyIn(Reserved668, kReserved668At, bytes);
  return bytes;
}

ConfigRecord ConfigRecord::Fresh() {
  ConfigRecord r;
  r.SavedUnits.fill(1);
  return r;
}

}  // namespace tulo
