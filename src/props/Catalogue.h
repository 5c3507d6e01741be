#pragma once
// The property catalogue: items 0..14 fixed properties, 15..33 variable properties (the rows of
// the result grids, in this order), 34 "Temperature" and 35 "Pressure" (the given quantities of
// the steam search).

#include <cstdint>
#include <span>
#include <string>

namespace tulo {

constexpr int kItemCount = 36;
constexpr int kFirstFixedItem = 0;
constexpr int kLastFixedItem = 14;
constexpr int kFirstVarItem = 15;
constexpr int kLastVarItem = 33;
constexpr int kTemperatureItem = 34;
constexpr int kPressureItem = 35;

// Display name, at most 30 characters; empty outside 0..35.
std::string PropName(int item);
// Quantity code (0..12) selecting the units of the item; 12 outside 0..35.
int PropQuantity(int item);
// Fixed value of items 0..14 in internal units, as the nearest Real6; 0 for other items.
double FixPropValue(int item);

// The items a result grid lists for a condition code (3..8), full or short; empty for other codes.
std::span<const std::uint8_t> RowSet(int condition, bool full);
// The wet-steam grid's rows: always the short set of condition 6.
std::span<const std::uint8_t> WetRowSet();

}  // namespace tulo
