#include "batch/BatchReader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "units/UnitSymbols.h"

namespace tulo::batch {
namespace {

// A row's strings keep their buffers from one record to the next up to this size; a longer one
// (a record near the limit) is given back so that chunks of rows do not hoard memory.
constexpr std::size_t kKeptCapacity = 256;

struct ColumnName {
  std::string_view name;
  InputColumn column;
};
constexpr std::array<ColumnName, 9> kColumnNames{{
    {"t", InputColumn::kTemperature},
    {"temperature", InputColumn::kTemperature},
    {"p", InputColumn::kPressure},
    {"pressure", InputColumn::kPressure},
    {"x", InputColumn::kQuality},
    {"h", InputColumn::kEnthalpy},
    {"enthalpy", InputColumn::kEnthalpy},
    {"s", InputColumn::kEntropy},
    {"entropy", InputColumn::kEntropy},
}};

// The quantity of an input column's unit (the quality's is unused: x is in percent), and the
// name the state evaluator's pairs give the column.
constexpr Quantity kColumnQuantities[kInputColumns] = {kTemperature, kPressure, kTemperature, kEnthalpyQ,
                                                       kEntropyQ};
constexpr PairName kColumnPairNames[kInputColumns] = {PairName::kT, PairName::kP, PairName::kX, PairName::kH,
                                                      PairName::kS};

std::string_view TrimBlanks(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// A header name split into the name and the unit in brackets or parentheses at its end ("T",
// "degC" of "T [degC]"; "P", "bar(a)" of "P [bar(a)]"), blanks around each dropped.
struct SplitName {
  std::string_view name;
  std::string_view unit;
};

SplitName SplitUnit(std::string_view header) {
  header = TrimBlanks(header);
  if (header.empty() || (header.back() != ']' && header.back() != ')')) return {header, {}};
  const char close = header.back();
  const char open = close == ']' ? '[' : '(';
  int depth = 0;
  for (std::size_t i = header.size(); i-- > 0;) {
    if (header[i] == close) ++depth;
    if (header[i] == open && --depth == 0)
      return {TrimBlanks(header.substr(0, i)), TrimBlanks(header.substr(i + 1, header.size() - i - 2))};
  }
  return {header, {}};
}

// Whether a header name is the one given (by a rule): as written, or without its unit.
bool NamesColumn(std::string_view header, std::string_view given) {
  given = TrimBlanks(given);
  return EqualsIgnoringCase(TrimBlanks(header), given) || EqualsIgnoringCase(SplitUnit(header).name, given);
}

const char* ColumnTitle(InputColumn column) {
  switch (column) {
    case InputColumn::kTemperature:
      return "temperature";
    case InputColumn::kPressure:
      return "pressure";
    case InputColumn::kQuality:
      return "steam quality";
    case InputColumn::kEnthalpy:
      return "enthalpy";
    case InputColumn::kEntropy:
      return "entropy";
    case InputColumn::kOther:
      break;
  }
  return "other";
}

// The unit number of an input column's bracket (none when it has none), or the message.
std::optional<int> ColumnUnit(InputColumn column, std::size_t index, std::string_view header,
                              std::string& error) {
  const std::string_view unit = SplitUnit(header).unit;
  if (unit.empty()) return std::nullopt;
  if (column == InputColumn::kQuality) {
    if (unit != "%")
      error = "unknown steam quality unit \"" + std::string(unit) + "\" in column " +
              std::to_string(index + 1) + " (" + std::string(TrimBlanks(header)) +
              "); known: % (the steam quality in percent)";
    return std::nullopt;
  }
  const Quantity q = kColumnQuantities[static_cast<std::size_t>(column)];
  const std::optional<int> number = UnitFromSymbol(q, unit);
  if (!number)
    error = std::string("unknown ") + ColumnTitle(column) + " unit \"" + std::string(unit) + "\" in column " +
            std::to_string(index + 1) + " (" + std::string(TrimBlanks(header)) +
            "); known: " + KnownUnitSymbols(q);
  return number;
}

void ClearRowText(std::string& text) {
  if (text.capacity() > kKeptCapacity)
    std::string().swap(text);
  else
    text.clear();
}

}  // namespace

std::string_view ColumnUnitText(std::string_view name) {
  return SplitUnit(name).unit;
}

InputColumn ClassifyColumnName(std::string_view name) {
  name = SplitUnit(name).name;
  for (const auto& known : kColumnNames)
    if (EqualsIgnoringCase(name, known.name)) return known.column;
  return InputColumn::kOther;
}

BatchReader::BatchReader(std::istream& in, std::size_t maxRecordBytes, std::size_t readBytes)
    : in_(in),
      maxRecordBytes_(std::max<std::size_t>(maxRecordBytes, 1)),
      buffer_(std::max<std::size_t>(readBytes, 1)) {}

bool BatchReader::Fill(std::size_t wanted) {
  if (end_ - pos_ >= wanted) return true;
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (buffer_.size() < wanted) buffer_.resize(wanted);
  while (end_ < wanted && !inputEnded_) {
    in_.read(buffer_.data() + end_, static_cast<std::streamsize>(buffer_.size() - end_));
    end_ += static_cast<std::size_t>(in_.gcount());
    if (!in_) {
      inputEnded_ = true;
      inputFailed_ = in_.bad();
    }
  }
  return end_ > pos_;
}

void BatchReader::SkipByteOrderMark() {
  Fill(3);
  std::string_view start(buffer_.data() + pos_, std::min<std::size_t>(end_ - pos_, 3));
  if (start == "\xEF\xBB\xBF") pos_ += 3;
  utf16_ = start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF");
  const int first = utf16_ ? -1 : Peek();
  jsonLike_ = first == '[' || first == '{';
}

char BatchReader::DetectDelimiter() {
  Fill(maxRecordBytes_);
  const std::size_t limit = std::min(end_, pos_ + maxRecordBytes_);
  std::size_t i = pos_;
  while (i < limit) {
    bool content = false;
    bool tab = false;
    bool comma = false;
    bool semicolon = false;
    for (; i < limit && buffer_[i] != '\n' && buffer_[i] != '\r'; ++i) {
      const char c = buffer_[i];
      tab = tab || c == '\t';
      comma = comma || c == ',';
      semicolon = semicolon || c == ';';
      content = content || (c != '\t' && c != ' ' && c != ',');
    }
    if (content) return tab ? '\t' : (comma || !semicolon) ? ',' : ';';
    ++i;
  }
  return ',';
}

template <class Target>
bool BatchReader::ReadRecord(Target target) {
  if (Peek() < 0) return false;
  recordLine_ = line_;
  fieldCount_ = 0;
  recordBytes_ = 0;
  blank_ = true;
  fault_ = Fault::kNone;
  const int delimiter = static_cast<unsigned char>(header_.delimiter);
  for (;;) {
    std::string* text = target(fieldCount_);
    ++fieldCount_;
    // Counts the byte to the record and keeps it in the field while the record is short enough:
    // a record over the limit costs no more memory than one at the limit.
    auto keep = [&](int c) {
      if (text != nullptr && recordBytes_ <= maxRecordBytes_) text->push_back(static_cast<char>(c));
    };
    int c = Get();
    if (c == '"') {
      blank_ = false;
      ++recordBytes_;
      for (;;) {
        c = Get();
        if (c < 0) {
          fault_ = Fault::kUnclosedQuote;
          lineEnded_ = false;
          return true;
        }
        ++recordBytes_;
        if (c == '"') {
          if (Peek() != '"') break;
          Get();
          ++recordBytes_;
        } else if (c == '\n') {
          ++line_;
        }
        keep(c);
      }
      c = Get();
      if (c >= 0 && c != delimiter && c != '\n' && c != '\r') fault_ = Fault::kTextAfterQuote;
    }
    if (c >= 0 && c != delimiter && c != '\n' && c != '\r') {
      ++recordBytes_;
      if (c != ' ' && c != '\t' && c != ',') blank_ = false;
      keep(c);
      c = ReadPlain(text, delimiter);
    }
    if (c == delimiter) {
      ++recordBytes_;
      continue;
    }
    if (c == '\r' && Peek() == '\n') Get();
    if (c >= 0) ++line_;
    lineEnded_ = c >= 0;
    return true;
  }
}

int BatchReader::ReadPlain(std::string* text, int delimiter) {
  for (;;) {
    if (pos_ == end_ && !Fill(1)) return -1;
    const char* const begin = buffer_.data() + pos_;
    const char* const stop = buffer_.data() + end_;
    const char* at = begin;
    bool content = false;
    for (; at < stop; ++at) {
      const int c = static_cast<unsigned char>(*at);
      if (c == delimiter || c == '\n' || c == '\r') break;
      content = content || (c != ' ' && c != '\t' && c != ',');
    }
    const auto n = static_cast<std::size_t>(at - begin);
    // As byte by byte: the bytes of the record up to its limit are kept, the rest only counted.
    if (text != nullptr && recordBytes_ < maxRecordBytes_)
      text->append(begin, std::min(n, maxRecordBytes_ - recordBytes_));
    recordBytes_ += n;
    blank_ = blank_ && !content;
    pos_ += n;
    if (at < stop) {
      ++pos_;
      return static_cast<unsigned char>(*at);
    }
  }
}

std::string BatchReader::ReadHeader(const ColumnRules& rules) {
  SkipByteOrderMark();
  if (utf16_) return "unreadable header: the input is UTF-16 text; save it as UTF-8";
  header_.delimiter = DetectDelimiter();
  auto target = [this](std::size_t i) {
    if (i >= headerFields_.size()) headerFields_.resize(i + 1);
    headerFields_[i].clear();
    return &headerFields_[i];
  };
  do {
    if (!ReadRecord(target))
      return inputFailed_ ? "unreadable header: the input cannot be read"
                          : "unreadable header: the input has no header row";
  } while (blank_);
  header_.line = recordLine_;
  header_.fieldCount = fieldCount_;
  if (recordBytes_ > maxRecordBytes_)
    return "unreadable header: longer than " + std::to_string(maxRecordBytes_) + " bytes";
  if (fault_ == Fault::kUnclosedQuote) return "unreadable header: a quoted name is not closed";
  if (fault_ == Fault::kTextAfterQuote) return "unreadable header: text after the closing quote of a name";

  std::string error = MapColumns(rules);
  std::vector<std::string>().swap(headerFields_);
  header_.decimalComma = rules.decimalComma || header_.delimiter == ';';
  return error;
}

std::string BatchReader::MapColumns(const ColumnRules& rules) {
  // Indexed by InputColumn: temperature, pressure, quality, enthalpy, entropy. A column a rule names holds
  // its input; the default names hold the inputs no rule names.
  std::array<std::optional<std::size_t>, kInputColumns> found;
  for (std::size_t i = 0; i < fieldCount_; ++i) {
    InputColumn column = InputColumn::kOther;
    for (std::size_t k = 0; k < kInputColumns; ++k)
      if (!rules.names[k].empty() && NamesColumn(headerFields_[i], rules.names[k])) column = InputColumn(k);
    if (column == InputColumn::kOther) {
      column = ClassifyColumnName(headerFields_[i]);
      if (column != InputColumn::kOther && !rules.names[static_cast<std::size_t>(column)].empty())
        column = InputColumn::kOther;
    }
    if (column == InputColumn::kOther) continue;
    auto& slot = found[static_cast<std::size_t>(column)];
    if (slot)
      return std::string("unreadable header: two ") + ColumnTitle(column) + " columns (" +
             std::to_string(*slot + 1) + " and " + std::to_string(i + 1) + ")";
    slot = i;
  }
  for (std::size_t k = 0; k < kInputColumns; ++k)
    if (!found[k] && !rules.names[k].empty())
      return "no column named " + rules.names[k] + ", given for the " + ColumnTitle(InputColumn(k)) +
             " by --columns";
  if (std::string error = MapPair(found); !error.empty()) return error;
  header_.temperatureColumn = found[0].value_or(0);
  header_.pressureColumn = found[1].value_or(0);
  header_.qualityColumn = found[2];
  fieldTargets_.assign(fieldCount_, kNoTarget);
  std::string error;
  for (std::size_t k = 0; k < kInputColumns; ++k) {
    if (!found[k]) continue;
    fieldTargets_[*found[k]] = k;
    const std::optional<int> unit = ColumnUnit(InputColumn(k), *found[k], headerFields_[*found[k]], error);
    if (!error.empty()) return error;
    if (k == 0) header_.temperatureUnit = unit;
    if (k == 1) header_.pressureUnit = unit;
    if (k == 3) header_.enthalpyUnit = unit;
    if (k == 4) header_.entropyUnit = unit;
  }
  return MapKeptColumns(rules);
}

std::string BatchReader::MapPair(const std::array<std::optional<std::size_t>, kInputColumns>& found) {
  const bool t = found[0].has_value(), p = found[1].has_value(), x = found[2].has_value();
  const bool hOrS = found[3].has_value() || found[4].has_value();
  if (t && p && !hOrS) return {};
  if (!hOrS && (t ? 1 : 0) + (p ? 1 : 0) + (x ? 1 : 0) <= 1) {
    if (!t)
      return "unreadable header: no temperature column (named T or temperature, or given by --columns "
             "T=NAME)";
    return "unreadable header: no pressure column (named P or pressure, or given by --columns P=NAME)";
  }
  std::vector<PairName> names;
  std::vector<std::size_t> columns;  // in header order, for the message
  for (std::size_t k = 0; k < kInputColumns; ++k) {
    if (!found[k]) continue;
    names.push_back(kColumnPairNames[k]);
    columns.push_back(*found[k]);
  }
  std::sort(columns.begin(), columns.end());
  std::string listed;
  for (std::size_t i : columns)
    listed.append(listed.empty() ? "" : ", ").append(TrimBlanks(headerFields_[i]));
  if (names.size() == 2)
    if (const std::optional<InputPair> pair = PairOf(names[0], names[1])) {
      header_.pair = pair;
      return {};
    }
  return "unreadable header: the input columns " + listed +
         " make no input pair; give T and P (x optional) or one of the pairs T and x, P and x, P and h, "
         "P and s, h and s, T and h, T and s";
}

std::string BatchReader::MapKeptColumns(const ColumnRules& rules) {
  auto keep = [&](std::size_t i) -> std::string {
    const std::string name(TrimBlanks(headerFields_[i]));
    if (std::find(rules.reservedNames.begin(), rules.reservedNames.end(), name) != rules.reservedNames.end())
      return "--keep: the column " + name +
             " has the name of an output column; rename it in the input or keep the others by name";
    fieldTargets_[i] = kInputColumns + header_.keptColumns.size();
    header_.keptColumns.push_back(i);
    header_.keptNames.push_back(name);
    return {};
  };
  for (std::size_t i = 0; rules.keepAll && i < fieldCount_; ++i)
    if (fieldTargets_[i] == kNoTarget)
      if (std::string error = keep(i); !error.empty()) return error;
  for (const std::string& given : rules.keep) {
    std::optional<std::size_t> column;
    for (std::size_t i = 0; i < fieldCount_; ++i) {
      if (!NamesColumn(headerFields_[i], given)) continue;
      if (column)
        return "two columns named " + given + " (" + std::to_string(*column + 1) + " and " +
               std::to_string(i + 1) + "), given by --keep";
      column = i;
    }
    if (!column) return "no column named " + given + ", given by --keep";
    if (fieldTargets_[*column] < kInputColumns)
      return "--keep " + given + ": an input column; the output has its value";
    if (fieldTargets_[*column] != kNoTarget) return "--keep names " + given + " twice";
    if (std::string error = keep(*column); !error.empty()) return error;
  }
  return {};
}

bool BatchReader::Next(BatchRow& row) {
  row.kept.resize(header_.keptColumns.size());
  auto target = [this, &row](std::size_t i) -> std::string* {
    const std::size_t to = i < fieldTargets_.size() ? fieldTargets_[i] : kNoTarget;
    switch (to) {
      case 0:
        return &row.t;
      case 1:
        return &row.p;
      case 2:
        return &row.quality;
      case 3:
        return &row.h;
      case 4:
        return &row.s;
      case kNoTarget:
        return nullptr;
      default:
        return &row.kept[to - kInputColumns];
    }
  };
  for (;;) {
    ClearRowText(row.t);
    ClearRowText(row.p);
    ClearRowText(row.quality);
    ClearRowText(row.h);
    ClearRowText(row.s);
    ClearRowText(row.error);
    for (std::string& text : row.kept) ClearRowText(text);
    if (!ReadRecord(target)) return false;
    if (inputFailed_ && !lineEnded_) {
      // The input failed inside this record: what was read of it is cut short, not a record.
      line_ = recordLine_;
      return false;
    }
    if (blank_) continue;
    row.line = recordLine_;
    if (recordBytes_ > maxRecordBytes_)
      row.error = "row longer than " + std::to_string(maxRecordBytes_) + " bytes";
    else if (fault_ == Fault::kUnclosedQuote)
      row.error = "a quoted field is not closed before the end of the input";
    else if (fault_ == Fault::kTextAfterQuote)
      row.error = "text after the closing quote of a field";
    else if (fieldCount_ != header_.fieldCount)
      row.error = "wrong number of fields: " + std::to_string(fieldCount_) + " where the header has " +
                  std::to_string(header_.fieldCount);
    if (!row.error.empty()) {
      ClearRowText(row.t);
      ClearRowText(row.p);
      ClearRowText(row.quality);
      ClearRowText(row.h);
      ClearRowText(row.s);
      for (std::string& text : row.kept) ClearRowText(text);
    }
    return true;
  }
}

}  // namespace tulo::batch
