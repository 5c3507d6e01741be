#pragma once
// The configuration record: one 1032-byte binary record at the start of the configuration file.
// Multi-byte integers are little-endian. The reserved areas are carried byte for byte, so that a
// file written by any other build keeps whatever it holds there.
//
//   offset  size  content
//        0   612  reserved
//      612     1  SatGivenTemperature (0 or 1)
//      613     1  FullPropertyList (0 or 1)
//      614     1  SpareFlag
//      615     1  EntrySeen
//      616    26  reserved
//      642    12  SavedUnits, unit number per quantity code 0..11, from 1
//      654     2  reserved
//      656     4  SaveCount, uint32
//      660     6  SteamQuality, percent by mass, Real6
//      666     1  SearchItem
//      667     1  SearchGivenItem (34 temperature, 35 pressure)
//      668   364  reserved

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "units/Units.h"

namespace tulo {

constexpr std::size_t kConfigRecordSize = 1032;
using ConfigBytes = std::array<std::uint8_t, kConfigRecordSize>;

struct ConfigRecord {
  std::array<std::uint8_t, 612> Reserved0{};
  bool SatGivenTemperature = false;
  bool FullPropertyList = false;
  std::uint8_t SpareFlag = 0;
  std::uint8_t EntrySeen = 0;
  std::array<std::uint8_t, 26> Reserved616{};
  UnitSelection SavedUnits{};
  std::array<std::uint8_t, 2> Reserved654{};
  std::uint32_t SaveCount = 0;
  double SteamQuality = 0.0;  // percent, always a Real6 value
  std::uint8_t SearchItem = 0;
  std::uint8_t SearchGivenItem = 0;
  std::array<std::uint8_t, 364> Reserved668{};

  // A flag byte other than 0 reads as true. A Real6 with exponent byte 0 is zero whatever its
  // other bytes hold.
  static ConfigRecord Parse(const ConfigBytes& bytes);
  // The flags are written as 0 or 1. A SteamQuality that is no Real6 value is rounded to one; one
  // that cannot be stored at all (NaN, overflow) is written as zero.
  ConfigBytes Serialise() const;

  // The record of a new file: every unit number 1, everything else zero.
  static ConfigRecord Fresh();
};

// What makes `bytes` no record this program wrote, in a few words for the message ("byte 642
// holds 9, 1 to 4 expected"); empty for a valid record. The flags the program reads or sets must
// be 0 or 1, every unit number within its quantity's list, the two steam-search items entries of
// the search page's lists (0 in a fresh record: none chosen yet), and the steam quality a percentage.
// SpareFlag and the reserved areas hold whatever they hold.
std::string ConfigRecordProblem(const ConfigBytes& bytes);

}  // namespace tulo
