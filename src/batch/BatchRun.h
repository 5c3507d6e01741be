#pragma once
// A batch run: the rows of a CSV or TSV stream computed on worker threads and written in input
// order, with a fixed number of chunks of rows in flight, so that memory does not grow with the
// number of rows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "batch/BatchReader.h"
#include "batch/BatchRow.h"
#include "batch/BatchWriter.h"

namespace tulo::batch {

// Computes one row into result. Rows the reader could not read (BatchRow::error set) never reach
// it: their status is the reader's message. An exception it throws becomes the row's status.
// result is the one the thread's row before was computed into, so that its cells' storage is
// reused rather than allocated per row: the computer sizes `cells` and sets every one of them;
// `status` is empty on entry.
using RowComputer = std::function<void(const BatchRow&, BatchResult&)>;
// Called once on each worker thread, on that thread; the computer it returns is used by that
// thread alone, so it may own a calculation session that is not thread-safe.
using RowComputerFactory = std::function<RowComputer()>;

inline constexpr std::size_t kChunkRows = 4096;
inline constexpr unsigned kMaxThreads = 256;

struct BatchOptions {
  OutputFormat format = OutputFormat::kCsv;
  // The output header: the cells' columns, then the status column (e.g. condition, items...,
  // status).
  std::vector<std::string> columns;
  // When set, the output header for the input's header, in place of `columns` (columns that
  // depend on the input, such as those of the steam quality). Called once, after the header is
  // read and before the first computer is made: the place to fit the run to the input.
  std::function<std::vector<std::string>(const BatchHeader&)> columnsFor;
  ColumnRules columnRules;             // how the header's columns are read
  char csvSeparator = ',';             // ';' for numbers written with a decimal comma
  unsigned threads = 0;                // worker threads, at most kMaxThreads; 0: one per core
  std::size_t chunkRows = kChunkRows;  // rows handed to a worker at a time
  std::size_t chunksInFlight = 0;      // chunks read and not yet written; 0: 2 per thread + 1
  std::size_t maxRecordBytes = kMaxRecordBytes;
};

enum class BatchOutcome {
  kAllRowsGood,       // every row was good
  kSomeRowsBad,       // at least one row has a status
  kUnreadableHeader,  // nothing was written; message says why
  kPipeClosed,        // the reader of the output went away: the run ended quietly
  kWriteFailed,       // the output failed otherwise (a full disk...); message says how
  kReadFailed,        // the input failed after the header; the rows before are written
};

// The exit status of the command: 0 all rows good, 4 some bad, 2 unreadable header, 1 an output
// or input failure (the closed pipe included, without a message).
int ExitStatus(BatchOutcome outcome);

struct BatchReport {
  BatchOutcome outcome = BatchOutcome::kAllRowsGood;
  std::string message;        // the message for stderr; empty for a good run and a closed pipe
  std::uint64_t rows = 0;     // rows written
  std::uint64_t badRows = 0;  // rows written with a status
};

// Reads the header, writes the output header and then one row per input record, in order.
// Writes are flushed chunk by chunk; the first write that fails ends the run.
BatchReport RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer);

// Makes a write to a closed pipe fail with EPIPE instead of ending the process with SIGPIPE; the
// command calls it before RunBatch.
void IgnoreBrokenPipeSignal();

}  // namespace tulo::batch
