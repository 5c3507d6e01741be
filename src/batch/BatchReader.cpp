#include "batch/BatchReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tulo::batch {
namespace {

// A row's strings keep their buffers from one record to the next up to this size; a longer one
// (a record near the limit) is given back so that chunks of rows do not hoard memory.
constexpr std::size_t kKeptCapacity = 256;

struct ColumnName {
  std::string_view name;
  InputColumn column;
};
constexpr std::array<ColumnName, 7> kColumnNames{{
    {"t", InputColumn::kTemperature},
    {"temperature", InputColumn::kTemperature},
    {"p", InputColumn::kPressure},
    {"pressure", InputColumn::kPressure},
    {"x", InputColumn::kQuality},
    {"quality", InputColumn::kQuality},
    {"steam quality", InputColumn::kQuality},
}};

std::string_view TrimBlanks(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

void ClearRowText(std::string& text) {
  if (text.capacity() > kKeptCapacity)
    std::string().swap(text);
  else
    text.clear();
}

const char* ColumnTitle(InputColumn column) {
  switch (column) {
    case InputColumn::kTemperature:
      return "temperature";
    case InputColumn::kPressure:
      return "pressure";
    case InputColumn::kQuality:
      return "steam quality";
    case InputColumn::kOther:
      break;
  }
  return "other";
}

}  // namespace

InputColumn ClassifyColumnName(std::string_view name) {
  name = TrimBlanks(name);
  if (!name.empty() && (name.back() == ']' || name.back() == ')')) {
    auto open = name.rfind(name.back() == ']' ? '[' : '(');
    if (open != std::string_view::npos) name = TrimBlanks(name.substr(0, open));
  }
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
    for (; i < limit && buffer_[i] != '\n' && buffer_[i] != '\r'; ++i) {
      if (buffer_[i] == '\t')
        tab = true;
      else if (buffer_[i] != ' ' && buffer_[i] != ',')
        content = true;
    }
    if (content) return tab ? '\t' : ',';
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
    while (c >= 0 && c != delimiter && c != '\n' && c != '\r') {
      ++recordBytes_;
      if (c != ' ' && c != '\t' && c != ',') blank_ = false;
      keep(c);
      c = Get();
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

std::string BatchReader::ReadHeader() {
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

  // Indexed by InputColumn: temperature, pressure, quality.
  std::array<std::optional<std::size_t>, 3> found;
  for (std::size_t i = 0; i < fieldCount_; ++i) {
    InputColumn column = ClassifyColumnName(headerFields_[i]);
    if (column == InputColumn::kOther) continue;
    auto& slot = found[static_cast<std::size_t>(column)];
    if (slot)
      return std::string("unreadable header: two ") + ColumnTitle(column) + " columns (" +
             std::to_string(*slot + 1) + " and " + std::to_string(i + 1) + ")";
    slot = i;
  }
  std::vector<std::string>().swap(headerFields_);
  if (!found[0]) return "unreadable header: no temperature column (named T or temperature)";
  if (!found[1]) return "unreadable header: no pressure column (named P or pressure)";
  header_.temperatureColumn = *found[0];
  header_.pressureColumn = *found[1];
  header_.qualityColumn = found[2];
  return {};
}

bool BatchReader::Next(BatchRow& row) {
  auto target = [this, &row](std::size_t i) -> std::string* {
    if (i == header_.temperatureColumn) return &row.t;
    if (i == header_.pressureColumn) return &row.p;
    if (header_.qualityColumn && i == *header_.qualityColumn) return &row.quality;
    return nullptr;
  };
  for (;;) {
    ClearRowText(row.t);
    ClearRowText(row.p);
    ClearRowText(row.quality);
    ClearRowText(row.error);
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
    }
    return true;
  }
}

}  // namespace tulo::batch
