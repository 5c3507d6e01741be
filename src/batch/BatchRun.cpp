#include "batch/BatchRun.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>

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
  bool outOfMemory = false;  // computing it ran out of memory: it has no output
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

// One thread's row computer, and the result its rows are computed into in turn.
struct Worker {
  RowComputer compute;
  std::string startError;    // why there is no computer: every row gets it as its status
  bool outOfMemory = false;  // making the computer ran out of memory
  BatchResult result;
};

void MakeComputer(Worker& worker, const RowComputerFactory& makeComputer) {
  try {
    worker.compute = makeComputer();
    if (!worker.compute) worker.startError = InternalError("no row computer");
  } catch (const std::bad_alloc&) {
    worker.outOfMemory = true;
  } catch (const std::exception& e) {
    worker.startError = InternalError(e.what());
  } catch (...) {
    worker.startError = InternalError("unknown exception");
  }
}

// Computes one row into worker.result. std::bad_alloc goes on to the chunk: a row is not bad
// because the process ran out of memory.
void ComputeRow(Worker& worker, const BatchRow& row) {
  BatchResult& result = worker.result;
  result.status.clear();
  if (!row.error.empty()) {
    result.cells.clear();
    result.status = row.error;
  } else if (!worker.startError.empty()) {
    result.cells.clear();
    result.status = worker.startError;
  } else {
    try {
      worker.compute(row, result);
      return;
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      result.status = InternalError(e.what());
    } catch (...) {
      result.status = InternalError("unknown exception");
    }
    result.cells.clear();
  }
}

// Computes a chunk's rows into its output. Out of memory, the chunk is marked and its output
// given back.
void ProcessChunk(Chunk& chunk, Worker& worker, const BatchWriter& writer) {
  chunk.output.clear();
  chunk.badRows = 0;
  chunk.outOfMemory = worker.outOfMemory;
  if (chunk.outOfMemory) return;
  try {
    for (std::size_t i = 0; i < chunk.count; ++i) {
      ComputeRow(worker, chunk.rows[i]);
      if (!worker.result.status.empty()) ++chunk.badRows;
      writer.AppendRow(worker.result, chunk.sequence == 0 && i == 0, chunk.output);
    }
  } catch (const std::bad_alloc&) {
    chunk.outOfMemory = true;
    std::string().swap(chunk.output);
  }
}

void Work(Shared& shared, const BatchWriter& writer, const RowComputerFactory& makeComputer) {
  Worker worker;
  MakeComputer(worker, makeComputer);
  for (;;) {
    Chunk* chunk = nullptr;
    {
      std::unique_lock lock(shared.mutex);
      shared.workReady.wait(
          lock, [&] { return shared.stopping || shared.inputEnded || shared.taken < shared.published; });
      if (shared.stopping || shared.taken == shared.published) return;
      chunk = &shared.chunks[shared.taken++ % shared.chunks.size()];
    }
    ProcessChunk(*chunk, worker, writer);
    {
      std::lock_guard lock(shared.mutex);
      chunk->done = true;
    }
    shared.chunkDone.notify_one();
  }
}

// Writes text; false (with the report filled in) when the output failed.
bool WriteOut(OutputSink& out, std::string_view text, BatchReport& report) {
  const int error = out.Write(text);
  if (error == 0) return true;
  if (error == EPIPE) {
    report.outcome = BatchOutcome::kPipeClosed;
    report.message.clear();
  } else {
    report.outcome = BatchOutcome::kWriteFailed;
    report.message = "cannot write the results";
    if (error != OutputSink::kUnknownError) report.message += std::string(": ") + std::strerror(error);
  }
  return false;
}

// Tells the workers to stop and waits for them, on every way out of the pipeline.
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
  // Starts up to `count` threads running body, and no more once one cannot start.
  void Start(unsigned count, const ThreadStarter& start, const std::function<void()>& body) {
    threads_.reserve(count);  // so that keeping a started thread cannot fail
    for (unsigned i = 0; i < count; ++i) {
      try {
        threads_.push_back(start ? start(body) : std::thread(body));
      } catch (const std::system_error&) {
        return;
      } catch (const std::bad_alloc&) {
        return;
      }
    }
  }
  unsigned Size() const { return static_cast<unsigned>(threads_.size()); }

 private:
  Shared& shared_;
  std::vector<std::thread> threads_;
};

enum class Ending { kInputEnded, kStopped, kOutOfMemory, kWriteFailed };

// The reading thread's part: reads chunks while one is free, hands them to the workers and
// writes them in order.
class Pipeline {
 public:
  Pipeline(BatchReader& reader, OutputSink& out, const BatchWriter& writer, const BatchOptions& options,
           const RowComputerFactory& makeComputer, BatchReport& report);
  Ending Run();
  // The line the input failed at; 0 when it did not fail.
  std::uint64_t FailedLine() const { return failedLine_; }
  const char* StopReason() const { return stopReason_; }

 private:
  Ending Loop(WorkerTeam& team);
  void ReadChunk();
  void AwaitChunk(Chunk& chunk, const WorkerTeam& team);

  BatchReader& reader_;
  OutputSink& out_;
  const BatchWriter& writer_;
  const BatchOptions& options_;
  const RowComputerFactory& makeComputer_;
  BatchReport& report_;
  std::size_t chunkRows_;
  std::size_t inFlight_;
  unsigned workers_;
  Shared shared_;
  std::optional<Worker> own_;  // the reading thread's, when no worker thread started
  std::uint64_t read_ = 0;     // chunks read and published
  std::uint64_t written_ = 0;  // chunks written
  bool more_ = true;
  std::uint64_t failedLine_ = 0;
  const char* stopReason_ = nullptr;
};

Pipeline::Pipeline(BatchReader& reader, OutputSink& out, const BatchWriter& writer,
                   const BatchOptions& options, const RowComputerFactory& makeComputer, BatchReport& report)
    : reader_(reader),
      out_(out),
      writer_(writer),
      options_(options),
      makeComputer_(makeComputer),
      report_(report),
      chunkRows_(std::max<std::size_t>(options.chunkRows, 1)) {
  unsigned threads = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
  threads = std::clamp(threads, 1u, kMaxThreads);
  const std::size_t inFlight =
      options.chunksInFlight != 0 ? options.chunksInFlight : std::size_t{2} * threads + 1;
  inFlight_ = std::min(inFlight, kMaxChunksInFlight);
  // A worker holds one chunk at a time: more of them than chunks would only wait.
  workers_ = static_cast<unsigned>(std::min<std::size_t>(threads, inFlight_));
}

Ending Pipeline::Run() {
  try {
    shared_.chunks.resize(inFlight_);
    WorkerTeam team(shared_);
    team.Start(workers_, options_.startThread, [this] { Work(shared_, writer_, makeComputer_); });
    report_.threads = team.Size();
    return Loop(team);
  } catch (const std::bad_alloc&) {
    return Ending::kOutOfMemory;
  }
}

Ending Pipeline::Loop(WorkerTeam& team) {
  for (;;) {
    while (more_ && read_ - written_ < inFlight_) ReadChunk();
    report_.peakChunksInFlight = std::max<std::size_t>(report_.peakChunksInFlight, read_ - written_);
    if (options_.stopRequested) {
      stopReason_ = options_.stopRequested();
      if (stopReason_ != nullptr) return Ending::kStopped;
    }
    if (written_ == read_) return Ending::kInputEnded;
    Chunk& chunk = shared_.chunks[written_ % inFlight_];
    AwaitChunk(chunk, team);
    if (chunk.outOfMemory) return Ending::kOutOfMemory;
    if (!WriteOut(out_, chunk.output, report_)) return Ending::kWriteFailed;
    report_.rows += chunk.count;
    report_.badRows += chunk.badRows;
    report_.lastLine = chunk.rows[chunk.count - 1].line;
    if (chunk.output.capacity() > kKeptOutputBytes) std::string().swap(chunk.output);
    ++written_;
  }
}

void Pipeline::ReadChunk() {
  Chunk& chunk = shared_.chunks[read_ % inFlight_];
  if (chunk.rows.size() < chunkRows_) chunk.rows.resize(chunkRows_);
  chunk.count = 0;
  chunk.sequence = read_;
  std::size_t textBytes = 0;
  while (chunk.count < chunkRows_ && textBytes < kChunkTextBytes) {
    BatchRow& row = chunk.rows[chunk.count];
    if (!reader_.Next(row)) {
      more_ = false;
      if (reader_.InputFailed()) failedLine_ = reader_.CurrentLine();
      break;
    }
    textBytes += row.TextBytes();
    ++chunk.count;
  }
  {
    std::lock_guard lock(shared_.mutex);
    if (chunk.count > 0) {
      chunk.done = false;
      shared_.published = ++read_;
    }
    shared_.inputEnded = !more_;
  }
  shared_.workReady.notify_one();
}

void Pipeline::AwaitChunk(Chunk& chunk, const WorkerTeam& team) {
  if (team.Size() == 0) {
    if (!own_) MakeComputer(own_.emplace(), makeComputer_);
    ProcessChunk(chunk, *own_, writer_);
    return;
  }
  std::unique_lock lock(shared_.mutex);
  shared_.chunkDone.wait(lock, [&] { return chunk.done; });
}

// What an early end leaves: how many rows are written, and the last one's line.
std::string WrittenRowsText(const BatchReport& report) {
  if (report.rows == 0) return "no row is written";
  return std::to_string(report.rows) + (report.rows == 1 ? " row is" : " rows are") +
         " written, the last from input line " + std::to_string(report.lastLine);
}

// Closes the output (unless it failed) and fills in the outcome.
void Finish(const Pipeline& pipeline, Ending ending, OutputSink& out, const std::string& footer,
            BatchReport& report) {
  if (ending == Ending::kWriteFailed) return;
  if (!footer.empty() && !WriteOut(out, footer, report)) return;
  switch (ending) {
    case Ending::kStopped:
      report.outcome = BatchOutcome::kStopped;
      report.message = std::string(pipeline.StopReason()) + "; " + WrittenRowsText(report);
      return;
    case Ending::kOutOfMemory:
      report.outcome = BatchOutcome::kOutOfMemory;
      report.message = "out of memory; " + WrittenRowsText(report);
      return;
    case Ending::kInputEnded:
    case Ending::kWriteFailed:
      break;
  }
  if (pipeline.FailedLine() != 0) {
    report.outcome = BatchOutcome::kReadFailed;
    report.message = "cannot read the input at line " + std::to_string(pipeline.FailedLine()) +
                     "; the rows before it are written";
    return;
  }
  report.outcome = report.badRows > 0 ? BatchOutcome::kSomeRowsBad : BatchOutcome::kAllRowsGood;
}

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
    case BatchOutcome::kStopped:
    case BatchOutcome::kOutOfMemory:
      return 1;
  }
  return 1;
}

void IgnoreBrokenPipeSignal() {
  std::signal(SIGPIPE, SIG_IGN);
}

BatchReport RunBatch(std::istream& in, OutputSink& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer) {
  BatchReport report;
  try {
    BatchReader reader(in, options.maxRecordBytes);
    if (std::string error = reader.ReadHeader(options.columnRules); !error.empty()) {
      // A signal can cut the reading of the header short: the input is not to blame then.
      if (const char* reason = options.stopRequested ? options.stopRequested() : nullptr) {
        report.outcome = BatchOutcome::kStopped;
        report.message = std::string(reason) + "; " + WrittenRowsText(report);
        return report;
      }
      report.outcome = BatchOutcome::kUnreadableHeader;
      report.message = reader.LooksLikeJson()
                           ? "unreadable header: the input looks like JSON; batch reads CSV or TSV"
                           : std::move(error);
      return report;
    }
    const BatchWriter writer(options.format,
                             options.columnsFor ? options.columnsFor(reader.Header()) : options.columns,
                             options.csvSeparator);
    std::string header;
    writer.AppendHeader(header);
    // Made before the rows: closing the JSON array must not need memory that has run out.
    std::string footer;
    writer.AppendFooter(footer);
    if (!WriteOut(out, header, report)) return report;
    Pipeline pipeline(reader, out, writer, options, makeComputer, report);
    const Ending ending = pipeline.Run();
    Finish(pipeline, ending, out, footer, report);
  } catch (const std::bad_alloc&) {
    // Out of memory before the rows, or in telling how the run ended: the short message needs
    // no allocation.
    report.outcome = BatchOutcome::kOutOfMemory;
    report.message = "out of memory";
  }
  return report;
}

BatchReport RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
                     const RowComputerFactory& makeComputer) {
  StreamSink sink(out);
  return RunBatch(in, sink, options, makeComputer);
}

}  // namespace tulo::batch
