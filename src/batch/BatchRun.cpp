#include "batch/BatchRun.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

namespace tulo::batch {
namespace {

// A chunk also ends when its rows hold this much text, so that chunks of rows near the record
// limit stay small.
constexpr std::size_t kChunkTextBytes = std::size_t{4} << 20;
// A chunk's output buffer is given back after a write when it grew beyond this.
constexpr std::size_t kKeptOutputBytes = std::size_t{16} << 20;

struct Chunk {
  std::vector<BatchRow> rows;  // the first `count` are this chunk's; the others are spare
  std::size_t count = 0;
  std::uint64_t sequence = 0;
  std::string output;
  std::uint64_t badRows = 0;
  bool done = false;
};

// What the reading thread and the workers share; every member but the chunks' contents is
// guarded by `mutex`. A chunk belongs to the reading thread until it is published, then to the
// worker that takes it until it is done, then to the reading thread again.
struct Shared {
  std::mutex mutex;
  std::condition_variable workReady;
  std::condition_variable chunkDone;
  std::vector<Chunk> chunks;  // a ring: chunk number s is chunks[s % size]
  std::uint64_t published = 0;
  std::uint64_t taken = 0;
  bool inputEnded = false;
  bool stopping = false;
};

std::string InternalError(const char* what) {
  return std::string("internal error: ") + what;
}

void ComputeRow(const RowComputer& compute, const std::string& startError, const BatchRow& row,
                BatchResult& result) {
  result.status.clear();
  if (!row.error.empty()) {
    result.cells.clear();
    result.status = row.error;
  } else if (!startError.empty()) {
    result.cells.clear();
    result.status = startError;
  } else {
    try {
      compute(row, result);
      return;
    } catch (const std::exception& e) {
      result.status = InternalError(e.what());
    } catch (...) {
      result.status = InternalError("unknown exception");
    }
    result.cells.clear();
  }
}

void Work(Shared& shared, const BatchWriter& writer, const RowComputerFactory& makeComputer) {
  RowComputer compute;
  std::string startError;
  BatchResult result;  // every row of this thread, in turn
  try {
    compute = makeComputer();
    if (!compute) startError = InternalError("no row computer");
  } catch (const std::exception& e) {
    startError = InternalError(e.what());
  } catch (...) {
    startError = InternalError("unknown exception");
  }
  for (;;) {
    Chunk* chunk = nullptr;
    {
      std::unique_lock lock(shared.mutex);
      shared.workReady.wait(
          lock, [&] { return shared.stopping || shared.inputEnded || shared.taken < shared.published; });
      if (shared.stopping || shared.taken == shared.published) return;
      chunk = &shared.chunks[shared.taken++ % shared.chunks.size()];
    }
    chunk->output.clear();
    chunk->badRows = 0;
    for (std::size_t i = 0; i < chunk->count; ++i) {
      ComputeRow(compute, startError, chunk->rows[i], result);
      if (!result.status.empty()) ++chunk->badRows;
      writer.AppendRow(result, chunk->sequence == 0 && i == 0, chunk->output);
    }
    {
      std::lock_guard lock(shared.mutex);
      chunk->done = true;
    }
    shared.chunkDone.notify_one();
  }
}

// Writes and flushes text; false (with the report filled in) when the output failed.
bool WriteOut(std::ostream& out, const std::string& text, BatchReport& report) {
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  if (out) return true;
  const int error = errno;
  if (error == EPIPE) {
    report.outcome = BatchOutcome::kPipeClosed;
    report.message.clear();
  } else {
    report.outcome = BatchOutcome::kWriteFailed;
    report.message = "cannot write the results";
    if (error != 0) report.message += std::string(": ") + std::strerror(error);
  }
  return false;
}

// Tells the workers to stop and waits for them, on every way out of RunBatch.
class WorkerTeam {
 public:
  explicit WorkerTeam(Shared& shared) : shared_(shared) {}
  WorkerTeam(const WorkerTeam&) = delete;
  WorkerTeam& operator=(const WorkerTeam&) = delete;
  ~WorkerTeam() {
    {
      std::lock_guard lock(shared_.mutex);
      shared_.stopping = true;
    }
    shared_.workReady.notify_all();
    for (auto& thread : threads_) thread.join();
  }
  template <class... Args>
  void Start(Args&&... args) {
    threads_.emplace_back(std::forward<Args>(args)...);
  }

 private:
  Shared& shared_;
  std::vector<std::thread> threads_;
};

}  // namespace

int ExitStatus(BatchOutcome outcome) {
  switch (outcome) {
    case BatchOutcome::kAllRowsGood:
      return 0;
    case BatchOutcome::kSomeRowsBad:
      return 4;
    case BatchOutcome::kUnreadableHeader:
      return 2;
    case BatchOutcome::kPipeClosed:
    case BatchOutcome::kWriteFailed:
    case BatchOutcome::kReadFailed:
      return 1;
  }
  return 1;
}

void IgnoreBrokenPipeSignal() {
  std::signal(SIGPIPE, SIG_IGN);
}

BatchReport RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer) {
  BatchReport report;
  BatchReader reader(in, options.maxRecordBytes);
  if (std::string error = reader.ReadHeader(options.columnRules); !error.empty()) {
    report.outcome = BatchOutcome::kUnreadableHeader;
    report.message = std::move(error);
    return report;
  }
  const BatchWriter writer(options.format,
                           options.columnsFor ? options.columnsFor(reader.Header()) : options.columns,
                           options.csvSeparator);
  std::string text;
  writer.AppendHeader(text);
  if (!WriteOut(out, text, report)) return report;

  unsigned threads = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
  threads = std::clamp(threads, 1u, kMaxThreads);
  const std::size_t chunkRows = std::max<std::size_t>(options.chunkRows, 1);
  const std::size_t inFlight =
      options.chunksInFlight != 0 ? options.chunksInFlight : std::size_t{2} * threads + 1;

  Shared shared;
  shared.chunks.resize(inFlight);
  WorkerTeam team(shared);
  for (unsigned i = 0; i < threads; ++i)
    team.Start(Work, std::ref(shared), std::cref(writer), std::cref(makeComputer));

  std::uint64_t read = 0;     // chunks read and published
  std::uint64_t written = 0;  // chunks written
  bool more = true;
  for (;;) {
    // Read while a chunk is free: a chunk is free once written.
    while (more && read - written < inFlight) {
      Chunk& chunk = shared.chunks[read % inFlight];
      if (chunk.rows.size() < chunkRows) chunk.rows.resize(chunkRows);
      chunk.count = 0;
      chunk.sequence = read;
      std::size_t textBytes = 0;
      while (chunk.count < chunkRows && textBytes < kChunkTextBytes) {
        BatchRow& row = chunk.rows[chunk.count];
        if (!reader.Next(row)) {
          more = false;
          break;
        }
        textBytes += row.TextBytes();
        ++chunk.count;
      }
      {
        std::lock_guard lock(shared.mutex);
        if (chunk.count > 0) {
          chunk.done = false;
          shared.published = ++read;
        }
        shared.inputEnded = !more;
      }
      shared.workReady.notify_one();
    }
    if (written == read) break;
    Chunk& chunk = shared.chunks[written % inFlight];
    {
      std::unique_lock lock(shared.mutex);
      shared.chunkDone.wait(lock, [&] { return chunk.done; });
    }
    if (!WriteOut(out, chunk.output, report)) return report;
    report.rows += chunk.count;
    report.badRows += chunk.badRows;
    if (chunk.output.capacity() > kKeptOutputBytes) std::string().swap(chunk.output);
    ++written;
  }
  text.clear();
  writer.AppendFooter(text);
  if (!text.empty() && !WriteOut(out, text, report)) return report;
  if (reader.InputFailed()) {
    report.outcome = BatchOutcome::kReadFailed;
    report.message = "cannot read the input at line " + std::to_string(reader.CurrentLine()) +
                     "; the rows before it are written";
    return report;
  }
  report.outcome = report.badRows > 0 ? BatchOutcome::kSomeRowsBad : BatchOutcome::kAllRowsGood;
  return report;
}

}  // namespace tulo::batch
