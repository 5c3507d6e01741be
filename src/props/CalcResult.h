#pragma once
// A calculator's answer: the value in the internal unit of the property, with its status.

#include <cstdint>
#include <limits>

namespace tulo {

// The codes are data: tulo-calc prints them.
enum class Status : std::uint8_t {
  kValid = 0,       // the value stands
  kNotGiven = 1,    // no such property for this phase: " -"
  kOutOfRange = 2,  // outside the correlation: "Out of Range"
};

struct CalcResult {
  long double value = 0.0L;
  Status status = Status::kNotGiven;

  bool Ok() const { return status == Status::kValid; }

  static CalcResult Valid(long double value) { return {value, Status::kValid}; }
  static CalcResult NotGiven() { return {0.0L, Status::kNotGiven}; }
  static CalcResult OutOfRange() { return {0.0L, Status::kOutOfRange}; }
  // A call ended by an inner call's failure: its status passes on, with the value 0.
  static CalcResult Failed(Status status) { return {0.0L, status}; }
  // An inner answer as the calculators use it: a failed value is NaN, so that it can never pass
  // as a number in what is formed from it.
  static CalcResult Inner(CalcResult r) {
    if (!r.Ok()) r.value = std::numeric_limits<long double>::quiet_NaN();
    return r;
  }
};

}  // namespace tulo
