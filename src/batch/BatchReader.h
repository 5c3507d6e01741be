#pragma once
// The input of a batch run: CSV or TSV text with a header row, read one record at a time from a
// stream. Memory is bounded by the longest record allowed, whatever the input.
//
// The rules:
// - A UTF-8 byte order mark at the start is skipped. UTF-16 input is refused at the header.
// - Records end at LF, CR LF or a lone CR. Fields follow RFC 4180: a field that starts with a
//   double quote is quoted, may hold delimiters, line ends and doubled quotes, and ends at the
//   next single quote; a quote elsewhere in an unquoted field is an ordinary character.
// - A record made of nothing but spaces, tabs and commas outside quotes is skipped: empty lines,
//   and the ",,," rows spreadsheets write for empty rows (in TSV as well as in CSV).
// - The header is the first record that is not skipped. The delimiter is a tab when the first
//   line that is not skipped so (looked for in the first maxRecordBytes bytes) has a tab, a comma
//   when it has a comma, a semicolon when it has a semicolon (the exports of spreadsheets and
//   historians set to a decimal comma), and a comma otherwise.
// - Header names are compared without case, blanks around them and a trailing unit in brackets
//   or parentheses ("T [degC]", "Pressure (kPa)"): "T" or "temperature" is the temperature column,
//   "P" or "pressure" the pressure column, "h" or "enthalpy" the enthalpy column, "s" or
//   "entropy" the entropy column, and "x" the steam quality column (percent). A historian's
//   "Quality" column (Good/Bad) is data like any other. ColumnRules may name the input columns
//   otherwise, and pick other columns to be copied to the output.
// - The input columns are T and P, with or without x (the window's state), or two that make an
//   input pair of the state evaluator (T-x, P-x, P-h, P-s, h-s, T-h, T-s; PairOf); any other set
//   makes the header unreadable, with the columns found in the message.
// - The unit in brackets of an input column is that column's unit when the program knows it
//   (UnitFromSymbol); an unknown one makes the header unreadable. "%" is the steam quality's one.
// - A data record must have as many fields as the header, and at most maxRecordBytes bytes
//   (quotes and delimiters counted, its line end not); otherwise its row gets the message and
//   no texts, and reading goes on after it.
//
// Bytes are taken as they come: NULs, invalid UTF-8 and control characters are field text.
//
// Debian's libcsv was considered and not used: a field grows in its buffer without limit, and the
// only way to cap it is an allocation that fails, after which the parser stays in its error state
// with no documented way to skip the rest of the record; it does not tell on which line a record
// starts either.

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchRow.h"
#include "results/StateEvaluator.h"

namespace tulo::batch {

inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;
// Bytes asked of the stream at a time.
inline constexpr std::size_t kReadBytes = std::size_t{64} << 10;

enum class InputColumn { kTemperature, kPressure, kQuality, kEnthalpy, kEntropy, kOther };
inline constexpr std::size_t kInputColumns = 5;  // the InputColumn values before kOther

// What a header name stands for by default (see the rules above).
InputColumn ClassifyColumnName(std::string_view name);
// The unit in brackets or parentheses at the end of a header name ("degC" of "T [degC]",
// "bar(a)" of "P [bar(a)]"), blanks around it dropped; empty when it has none.
std::string_view ColumnUnitText(std::string_view name);

// How a header's columns are read beyond the default names.
struct ColumnRules {
  // By InputColumn: the name of the column that holds that input, in place of the default names
  // (compared without case, with or without its unit in brackets); empty for the default.
  std::array<std::string, kInputColumns> names;
  std::vector<std::string> keep;  // columns copied to the output, in this order
  bool keepAll = false;           // every column that is not an input, in input order
  bool decimalComma = false;      // numbers have a decimal comma, whatever the delimiter
  // Output column names a kept column may not take (the output would have two of a name).
  std::vector<std::string> reservedNames;
};

struct BatchHeader {
  char delimiter = ',';
  std::uint64_t line = 0;             // the line the header starts on
  std::size_t fieldCount = 0;         // every data record must have as many
  std::size_t temperatureColumn = 0;  // 0 in an input of another pair without this column
  std::size_t pressureColumn = 0;     // likewise
  std::optional<std::size_t> qualityColumn;
  // The pair of the input columns when they are not T and P (a P-h or a T-x input); none for
  // the window's T and P, with or without x.
  std::optional<InputPair> pair;
  // The unit numbers of the brackets of the temperature, pressure, enthalpy and entropy columns
  // ("T [degC]"), in the program's lists; none when the header names none.
  std::optional<int> temperatureUnit;
  std::optional<int> pressureUnit;
  std::optional<int> enthalpyUnit;
  std::optional<int> entropyUnit;
  std::vector<std::size_t> keptColumns;  // copied to the output, in this order
  std::vector<std::string> keptNames;    // their header names, blanks around them dropped
  bool decimalComma = false;             // set by the rules, or by a semicolon delimiter
};

class BatchReader {
 public:
  // readBytes: the size of the reads (small ones let tests and the fuzzer cross the buffer's
  // ends everywhere); the buffer grows to maxRecordBytes for the look for the delimiter.
  explicit BatchReader(std::istream& in, std::size_t maxRecordBytes = kMaxRecordBytes,
                       std::size_t readBytes = kReadBytes);

  // Reads the header. Returns the message when there is no usable one (empty input, no T or P
  // column, input columns that make no pair, a column named twice, an unknown unit, a column of the rules
  // missing...), empty otherwise. Call it once, before Next.
  std::string ReadHeader(const ColumnRules& rules = {});
  const BatchHeader& Header() const { return header_; }

  // Reads the next data record into row, whose strings are reused. False at the end of the
  // input (row untouched), and at a record the input failed in the middle of: that one is cut
  // short, and CurrentLine() is the line it starts on.
  bool Next(BatchRow& row);

  // True when the stream failed (an I/O error, not the end of the input); reading then ends as
  // if the input ended there.
  bool InputFailed() const { return inputFailed_; }
  // The line the next record starts on.
  std::uint64_t CurrentLine() const { return line_; }
  // True when the input starts as a JSON document does ('[' or '{' after the byte order mark),
  // for a message that says why its header cannot be read.
  bool LooksLikeJson() const { return jsonLike_; }

 private:
  enum class Fault { kNone, kTextAfterQuote, kUnclosedQuote };

  // Ensures at least `wanted` bytes after pos_ are in the buffer, or as many as the input still
  // has. False when none is left.
  bool Fill(std::size_t wanted);
  int Get() { return (pos_ < end_ || Fill(1)) ? static_cast<unsigned char>(buffer_[pos_++]) : -1; }
  int Peek() { return (pos_ < end_ || Fill(1)) ? static_cast<unsigned char>(buffer_[pos_]) : -1; }
  void SkipByteOrderMark();
  char DetectDelimiter();
  // Reads one record, blank or not; the text of field i goes to Target(i) (nowhere when it
  // returns nullptr). False at the end of the input.
  template <class Target>
  bool ReadRecord(Target target);
  // Reads the rest of an unquoted field into text (nowhere when nullptr) a buffer's span at a
  // time, up to and including the delimiter or line end that ends it; returns that byte, -1 at
  // the end of the input.
  int ReadPlain(std::string* text, int delimiter);
  // The header's columns (headerFields_) mapped to the inputs and the kept columns.
  std::string MapColumns(const ColumnRules& rules);
  std::string MapKeptColumns(const ColumnRules& rules);
  // Whether the input columns found make T and P or a pair (setting header_.pair), or the message.
  std::string MapPair(const std::array<std::optional<std::size_t>, kInputColumns>& found);

  std::istream& in_;
  std::size_t maxRecordBytes_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool inputEnded_ = false;
  bool inputFailed_ = false;
  bool utf16_ = false;
  bool jsonLike_ = false;
  std::uint64_t line_ = 1;
  BatchHeader header_;
  std::vector<std::string> headerFields_;
  // By field: where its text goes in a row; kNoTarget for a column that is read and ignored.
  static constexpr std::size_t kNoTarget = static_cast<std::size_t>(-1);
  std::vector<std::size_t> fieldTargets_;  // below kInputColumns: an InputColumn; then kept ones

  // The record read last.
  std::uint64_t recordLine_ = 0;
  std::size_t fieldCount_ = 0;
  std::size_t recordBytes_ = 0;
  bool blank_ = true;
  bool lineEnded_ = false;  // it ended at a line end, not at the end of the input
  Fault fault_ = Fault::kNone;
};

}  // namespace tulo::batch
