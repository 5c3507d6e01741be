#pragma once
// A batch run: the rows of a CSV or TSV stream computed on worker threads and written in input
// order, with a bounded number of chunks of rows in flight, so that memory grows neither with the
// number of rows nor with the number of threads asked for.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "batch/BatchReader.h"
#include "batch/BatchRow.h"
#include "batch/BatchWriter.h"
#include "batch/OutputSink.h"

namespace tulo::batch {

// Computes one row into result. Rows the reader could not read (BatchRow::error set) never reach
// it: their status is the reader's message. An exception it throws becomes the row's status, but
// for std::bad_alloc, which ends the run.
// result is the one the thread's row before was computed into, so that its cells' storage is
// reused rather than allocated per row: the computer sizes `cells` and sets every one of them;
// `status` is empty on entry.
using RowComputer = std::function<void(const BatchRow&, BatchResult&)>;
// Called once on each worker thread, on that thread (on the reading thread when no worker thread
// could start); the computer it returns is used by that thread alone, so it may own a calculation
// session that is not thread-safe.
using RowComputerFactory = std::function<RowComputer()>;

inline constexpr std::size_t kChunkRows = 4096;
inline constexpr unsigned kMaxThreads = 256;
// Chunks read and not yet written, whatever the threads: a chunk holds up to kChunkRows rows and
// their output (a few megabytes with every item), so this bounds the memory of a run. A thread
// beyond it would never have a chunk to compute, so no more threads start either.
inline constexpr std::size_t kMaxChunksInFlight = 32;

// Starts a thread that runs body; throws std::system_error when the system has no thread to give,
// as std::thread does.
using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

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
  // Chunks read and not yet written, at most kMaxChunksInFlight; 0: 2 per thread + 1.
  std::size_t chunksInFlight = 0;
  std::size_t maxRecordBytes = kMaxRecordBytes;
  // Asked before each chunk is written and at the end of the input: nullptr to go on, or why the
  // run stops there ("stopped by SIGTERM"), after whole rows and with the JSON array closed.
  // Empty: never.
  std::function<const char*()> stopRequested;
  // Empty: std::thread. A thread that cannot start means fewer threads; with none, the reading
  // thread computes the rows itself.
  ThreadStarter startThread;
};

enum class BatchOutcome {
  kAllRowsGood,       // every row was good
  kSomeRowsBad,       // at least one row has a status
  kUnreadableHeader,  // nothing was written; message says why
  kPipeClosed,        // the reader of the output went away: the run ended quietly
  kWriteFailed,       // the output failed otherwise (a full disk...); message says how
  kReadFailed,        // the input failed after the header; the rows before are written
  kStopped,           // stopRequested said so; message says which rows are written
  kOutOfMemory,       // an allocation failed; message says which rows are written
};

// The exit status of the command: 0 all rows good, 4 some bad, 2 unreadable header, 1 an output
// or input failure (the closed pipe included, without a message), a stop or a lack of memory.
int ExitStatus(BatchOutcome outcome);

struct BatchReport {
  BatchOutcome outcome = BatchOutcome::kAllRowsGood;
  std::string message;        // the message for stderr; empty for a good run and a closed pipe
  std::uint64_t rows = 0;     // rows written
  std::uint64_t badRows = 0;  // rows written with a status
  std::uint64_t lastLine = 0;          // the input line of the last row written; 0 when none is
  unsigned threads = 0;                // worker threads that ran
  std::size_t peakChunksInFlight = 0;  // the most chunks that were read and not yet written
};

// Reads the header, writes the output header and then one row per input record, in order. Each
// write to out is the header, one chunk of whole rows or the end of the output; the first write
// that fails ends the run. A record that the input failed in the middle of is not computed.
BatchReport RunBatch(std::istream& in, OutputSink& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer);
// The same into a stream, each write flushed.
BatchReport RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer);

// Makes a write to a closed pipe fail with EPIPE instead of ending the process with SIGPIPE; the
// command calls it before RunBatch.
void IgnoreBrokenPipeSignal();

}  // namespace tulo::batch
