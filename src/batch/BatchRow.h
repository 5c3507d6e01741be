#pragma once
// One record of a batch run on its way through the pipeline: the texts read, then the cells
// computed from them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tulo::batch {

// A data record of the input, its texts as typed (blanks and all).
struct BatchRow {
  std::uint64_t line = 0;         // the input line the record starts on; the first line is 1
  std::string t;                  // the temperature column
  std::string p;                  // the pressure column
  std::string quality;            // the steam quality column; empty when the input has none
  std::string h;                  // the enthalpy column; empty when the input has none
  std::string s;                  // the entropy column; empty when the input has none
  std::vector<std::string> kept;  // the columns copied to the output (BatchHeader::keptColumns)
  std::string error;              // why the record could not be read; empty when it was read well

  // The bytes of text the row holds, which bound what a chunk of rows costs.
  std::size_t TextBytes() const {
    std::size_t bytes = t.size() + p.size() + quality.size() + h.size() + s.size() + error.size();
    for (const std::string& text : kept) bytes += text.size();
    return bytes;
  }
};

// What a row computer makes of a row: the cells of the output columns before the status, and the
// status, empty for a good row and the message otherwise.
struct BatchResult {
  std::vector<std::string> cells;
  std::string status;
};

}  // namespace tulo::batch
