#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ext/stdio_filebuf.h>
#include <ext/stdio_sync_filebuf.h>
#include <fstream>
#include <mutex>
#include <new>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/BatchRun.h"

namespace tulo::batch {
namespace {

// Echoes the texts; a row whose T is "bad" gets a status, "throw" makes the computer throw.
RowComputerFactory EchoFactory() {
  return [] {
    return [](const BatchRow& row, BatchResult& result) {
      if (row.t == "throw") throw std::runtime_error("boom");
      result = BatchResult{{row.t, row.p, row.quality}, row.t == "bad" ? "not a temperature" : ""};
    };
  };
}

BatchOptions Options(unsigned threads = 2, std::size_t chunkRows = kChunkRows, std::size_t inFlight = 0) {
  BatchOptions options;
  options.columns = {"T", "P", "x", "status"};
  options.threads = threads;
  options.chunkRows = chunkRows;
  options.chunksInFlight = inFlight;
  return options;
}

struct RunOut {
  BatchReport report;
  std::string out;
};

RunOut RunText(const std::string& input, const BatchOptions& options, const RowComputerFactory& factory) {
  std::istringstream in(input);
  std::ostringstream out;
  RunOut run;
  run.report = RunBatch(in, out, options, factory);
  run.out = out.str();
  return run;
}

TEST(BatchRun, OutcomesAndExitStatuses) {
  const struct {
    const char* name;
    std::string input;
    BatchOutcome outcome;
    int exitStatus;
    std::string out;
    std::uint64_t badRows;
  } cases[] = {
      {"all good", "T,P\n1,2\n3,4\n", BatchOutcome::kAllRowsGood, 0, "T,P,x,status\n1,2,,\n3,4,,\n", 0},
      {"header only", "T,P,x\n", BatchOutcome::kAllRowsGood, 0, "T,P,x,status\n", 0},
      {"a status from the computer", "T,P\nbad,2\n3,4\n", BatchOutcome::kSomeRowsBad, 4,
       "T,P,x,status\nbad,2,,not a temperature\n3,4,,\n", 1},
      {"a row the reader could not read", "T,P\n1,2,3\n3,4\n", BatchOutcome::kSomeRowsBad, 4,
       "T,P,x,status\n,,,wrong number of fields: 3 where the header has 2\n3,4,,\n", 1},
      {"the computer throws", "T,P\nthrow,2\n", BatchOutcome::kSomeRowsBad, 4,
       "T,P,x,status\n,,,internal error: boom\n", 1},
      {"unreadable header: nothing written", "A,B\n1,2\n", BatchOutcome::kUnreadableHeader, 2, "", 0},
      {"empty input", "", BatchOutcome::kUnreadableHeader, 2, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunOut run = RunText(c.input, Options(), EchoFactory());
    EXPECT_EQ(run.report.outcome, c.outcome);
    EXPECT_EQ(ExitStatus(run.report.outcome), c.exitStatus);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.report.badRows, c.badRows);
    EXPECT_EQ(run.report.message.empty(), c.outcome != BatchOutcome::kUnreadableHeader) << run.report.message;
  }
  EXPECT_EQ(ExitStatus(BatchOutcome::kPipeClosed), 1);
  EXPECT_EQ(ExitStatus(BatchOutcome::kWriteFailed), 1);
  EXPECT_EQ(ExitStatus(BatchOutcome::kReadFailed), 1);
}

TEST(BatchRun, AFactoryThatFailsMarksEveryRow) {
  RowComputerFactory failing = []() -> RowComputer { throw std::runtime_error("no session"); };
  RunOut run = RunText("T,P\n1,2\n3,4\n", Options(), failing);
  EXPECT_EQ(run.report.outcome, BatchOutcome::kSomeRowsBad);
  EXPECT_EQ(run.out, "T,P,x,status\n,,,internal error: no session\n,,,internal error: no session\n");
}

// The result a computer fills is its thread's previous one: cells to reuse, the status always
// empty; a computer that throws halfway leaves no cells of its own.
TEST(BatchRun, TheResultIsReusedWithAnEmptyStatus) {
  std::atomic<int> statusOnEntry = 0;
  RowComputerFactory factory = [&] {
    return [&](const BatchRow& row, BatchResult& result) {
      if (!result.status.empty()) ++statusOnEntry;
      const std::size_t before = result.cells.size();
      result.cells.resize(3);
      result.cells[0] = row.t;
      result.cells[1] = std::to_string(before);
      result.cells[2] = row.p;
      if (row.t == "throw") throw std::runtime_error("halfway");
      if (row.t == "bad") result.status = "bad row";
    };
  };
  const RunOut run = RunText("T,P\n1,a\nbad,b\n2,c\nthrow,d\n3,e\n", Options(1), factory);
  EXPECT_EQ(statusOnEntry, 0);
  EXPECT_EQ(run.out, "T,P,x,status\n1,0,a,\nbad,3,b,bad row\n2,3,c,\n,,,internal error: halfway\n3,0,e,\n");
}

// Columns may depend on the input's header (a quality column, say).
TEST(BatchRun, ColumnsForTheInputsHeader) {
  BatchOptions options = Options(1);
  options.columnsFor = [](const BatchHeader& header) {
    std::vector<std::string> columns = {"T", "P"};
    if (header.qualityColumn) columns.push_back("x");
    columns.push_back("status");
    return columns;
  };
  EXPECT_EQ(RunText("T,P\n1,2\n", options, EchoFactory()).out, "T,P,status\n1,2,\n");
  EXPECT_EQ(RunText("P,x,T\n1,2,3\n", options, EchoFactory()).out, "T,P,x,status\n3,1,2,\n");
}

TEST(BatchRun, OrderIsKeptWhateverTheThreadsAndChunks) {
  // Rows take uneven times so that chunks finish out of order.
  constexpr int kRows = 3000;
  std::string input = "T,P\n";
  std::string expected = "T,P,x,status\n";
  for (int i = 0; i < kRows; ++i) {
    input += std::to_string(i) + "," + std::to_string(i % 7) + "\n";
    expected += std::to_string(i) + "," + std::to_string(i % 7) + ",,\n";
  }
  RowComputerFactory uneven = [] {
    return [](const BatchRow& row, BatchResult& result) {
      if (row.line % 13 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
      result = BatchResult{{row.t, row.p, row.quality}, ""};
    };
  };
  const struct {
    unsigned threads;
    std::size_t chunkRows;
    std::size_t inFlight;
  } cases[] = {{1, kChunkRows, 0}, {4, 1, 0}, {4, 7, 0}, {8, 64, 3}, {3, 5, 1}, {2, 100, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.threads) + " threads, chunks of " + std::to_string(c.chunkRows));
    RunOut run = RunText(input, Options(c.threads, c.chunkRows, c.inFlight), uneven);
    EXPECT_EQ(run.report.outcome, BatchOutcome::kAllRowsGood);
    EXPECT_EQ(run.report.rows, static_cast<std::uint64_t>(kRows));
    EXPECT_EQ(run.out, expected);
  }
}

TEST(BatchRun, EachThreadGetsItsOwnComputer) {
  std::mutex mutex;
  std::set<std::thread::id> madeOn;
  std::atomic<int> wrongThread = 0;
  RowComputerFactory factory = [&] {
    const auto owner = std::this_thread::get_id();
    {
      std::lock_guard lock(mutex);
      madeOn.insert(owner);
    }
    return [owner, &wrongThread](const BatchRow& row, BatchResult& result) {
      if (std::this_thread::get_id() != owner) ++wrongThread;
      result = BatchResult{{row.t}, ""};
    };
  };
  std::string input = "T,P\n";
  for (int i = 0; i < 2000; ++i) input += "1,2\n";
  RunOut run = RunText(input, Options(4, 10), factory);
  EXPECT_EQ(run.report.rows, 2000u);
  EXPECT_EQ(madeOn.size(), 4u);  // once per thread, each on its own thread
  EXPECT_EQ(madeOn.count(std::this_thread::get_id()), 0u);
  EXPECT_EQ(wrongThread, 0);
}

std::string ManyRows(int n) {
  std::string input = "T,P\n";
  for (int i = 0; i < n; ++i) input += "300,100\n";
  return input;
}

TEST(BatchRun, AClosedPipeEndsTheRunQuietly) {
  IgnoreBrokenPipeSignal();
  // Both ways an ostream reaches a file descriptor in libstdc++: a filebuf on the descriptor
  // (std::cout after sync_with_stdio(false)) and stdio (std::cout by default).
  for (bool throughStdio : {false, true}) {
    SCOPED_TRACE(throughStdio ? "through stdio" : "through a filebuf");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    RunOut run;
    std::istringstream in(ManyRows(1000));
    if (throughStdio) {
      FILE* file = fdopen(fds[1], "w");
      __gnu_cxx::stdio_sync_filebuf<char> buffer(file);
      std::ostream out(&buffer);
      run.report = RunBatch(in, out, Options(), EchoFactory());
      std::fclose(file);
    } else {
      __gnu_cxx::stdio_filebuf<char> buffer(fds[1], std::ios::out);
      std::ostream out(&buffer);
      run.report = RunBatch(in, out, Options(), EchoFactory());
    }
    EXPECT_EQ(run.report.outcome, BatchOutcome::kPipeClosed);
    EXPECT_EQ(run.report.message, "");
    EXPECT_EQ(ExitStatus(run.report.outcome), 1);
  }
}

TEST(BatchRun, AReaderThatLeavesMidwayEndsTheRun) {
  // As `| head -c 5000`: the reader takes some output, then closes its end.
  IgnoreBrokenPipeSignal();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::thread reader([fd = fds[0]] {
    char buffer[1000];
    std::size_t total = 0;
    while (total < 5000) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      total += static_cast<std::size_t>(n);
    }
    close(fd);
  });
  std::istringstream in(ManyRows(200000));
  BatchReport report;
  {
    __gnu_cxx::stdio_filebuf<char> buffer(fds[1], std::ios::out);
    std::ostream out(&buffer);
    report = RunBatch(in, out, Options(2, 256), EchoFactory());
  }
  reader.join();
  EXPECT_EQ(report.outcome, BatchOutcome::kPipeClosed);
  EXPECT_EQ(report.message, "");
  EXPECT_LT(report.rows, 200000u);
}

TEST(BatchRun, AFullDiskEndsTheRunWithItsMessage) {
  std::ofstream out("/dev/full");
  ASSERT_TRUE(out.is_open());
  std::istringstream in(ManyRows(100000));
  BatchReport report = RunBatch(in, out, Options(), EchoFactory());
  EXPECT_EQ(report.outcome, BatchOutcome::kWriteFailed);
  EXPECT_NE(report.message.find("No space left on device"), std::string::npos) << report.message;
  EXPECT_EQ(ExitStatus(report.outcome), 1);
}

// Gives `text`, then fails as a device that stops answering. The stream loses what the failed
// read had gathered, as with a file descriptor.
class FailingBuffer : public std::streambuf {
 public:
  explicit FailingBuffer(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

 protected:
  int_type underflow() override { throw std::ios_base::failure("input/output error"); }

 private:
  std::string text_;
};

TEST(BatchRun, AnInputFailureAfterTheHeaderIsReported) {
  // Longer than one read of the reader, so that the first read succeeds and a later one fails.
  std::string input = "T,P\n";
  for (int i = 0; i < 100000; ++i) input += "1,2\n";
  FailingBuffer buffer(input);
  std::istream in(&buffer);
  std::ostringstream out;
  BatchReport report = RunBatch(in, out, Options(), EchoFactory());
  EXPECT_EQ(report.outcome, BatchOutcome::kReadFailed);
  EXPECT_GT(report.rows, 0u);
  EXPECT_LT(report.rows, 100000u);
  std::string expected = "T,P,x,status\n";
  for (std::uint64_t i = 0; i < report.rows; ++i) expected += "1,2,,\n";
  EXPECT_EQ(out.str(), expected);
  EXPECT_NE(report.message.find("cannot read the input at line " + std::to_string(report.rows + 2)),
            std::string::npos)
      << report.message;
  EXPECT_EQ(ExitStatus(report.outcome), 1);
}

TEST(BatchRun, JsonRunIsOneDocument) {
  BatchOptions options = Options(3, 2);
  options.format = OutputFormat::kJson;
  RunOut run = RunText("T,P\n1,2\nbad,x\n5,6\n7,8\n", options, EchoFactory());
  EXPECT_EQ(run.report.outcome, BatchOutcome::kSomeRowsBad);
  EXPECT_EQ(run.out,
            "[\n"
            "{\"T\":1,\"P\":2,\"x\":null,\"status\":\"\"},\n"
            "{\"T\":\"bad\",\"P\":\"x\",\"x\":null,\"status\":\"not a temperature\"},\n"
            "{\"T\":5,\"P\":6,\"x\":null,\"status\":\"\"},\n"
            "{\"T\":7,\"P\":8,\"x\":null,\"status\":\"\"}\n"
            "]\n");
}

// The input failed inside a record: the part read is not a row, and the message names its line.
TEST(BatchRun, ARecordCutByAnInputFailureIsNotComputed) {
  // Seven bytes a record: the first read of the reader (kReadBytes) ends inside one.
  std::string input = "T,P\n";
  while (input.size() < 2 * kReadBytes) input += "300,10\n";
  FailingBuffer buffer(input);
  std::istream in(&buffer);
  std::ostringstream out;
  const BatchReport report = RunBatch(in, out, Options(), EchoFactory());
  const std::uint64_t wholeRecords = (kReadBytes - 4) / 7;
  ASSERT_NE((kReadBytes - 4) % 7, 0u);
  EXPECT_EQ(report.outcome, BatchOutcome::kReadFailed);
  EXPECT_EQ(report.rows, wholeRecords);
  std::string expected = "T,P,x,status\n";
  for (std::uint64_t i = 0; i < wholeRecords; ++i) expected += "300,10,,\n";
  EXPECT_TRUE(out.str() == expected) << out.str().substr(out.str().size() - 40);
  EXPECT_EQ(report.message, "cannot read the input at line " + std::to_string(wholeRecords + 2) +
                                "; the rows before it are written");
}

// Records every write the run makes.
class RecordingSink final : public OutputSink {
 public:
  int Write(std::string_view text) override {
    writes.emplace_back(text);
    return 0;
  }
  std::vector<std::string> writes;
};

std::string NumberedRows(int n) {
  std::string input = "T,P\n";
  for (int i = 1; i <= n; ++i) input += std::to_string(i) + ",2\n";
  return input;
}

// One write for the header, one per chunk and one for the end of a JSON array: each ends at the
// end of a row, so that an output cut between two writes holds whole rows.
TEST(BatchRun, EachWriteIsWholeRows) {
  for (OutputFormat format : {OutputFormat::kCsv, OutputFormat::kJson}) {
    const bool json = format == OutputFormat::kJson;
    SCOPED_TRACE(json ? "json" : "csv");
    BatchOptions options = Options(3, 7);
    options.format = format;
    std::istringstream in(NumberedRows(100));
    RecordingSink sink;
    const BatchReport report = RunBatch(in, sink, options, EchoFactory());
    EXPECT_EQ(report.rows, 100u);
    ASSERT_EQ(sink.writes.size(), 1 + 15 + (json ? 1u : 0u));  // 100 rows in chunks of 7
    std::string all;
    for (std::size_t i = 0; i < sink.writes.size(); ++i) {
      const std::string& text = sink.writes[i];
      all += text;
      ASSERT_FALSE(text.empty());
      if (i == 0 || (json && i + 1 == sink.writes.size())) continue;  // the header, the end
      EXPECT_EQ(text.back(), json ? '}' : '\n') << "write " << i;
      const char* rowStart = json ? "{" : "\n";
      std::size_t rows = 0;
      for (std::size_t at = text.find(rowStart); at != std::string::npos; at = text.find(rowStart, at + 1))
        ++rows;
      EXPECT_EQ(rows, i < 15 ? 7u : 2u) << "write " << i;
    }
    if (json) {
      EXPECT_EQ(nlohmann::json::parse(all).size(), 100u);
    }
  }
}

// A stop asked for between chunks (a signal): the rows of the chunks before are written, and the
// message names the last of them; a JSON array is still closed.
TEST(BatchRun, AStopEndsTheRunAfterWholeChunks) {
  const struct {
    int stopAtCall;  // the call of stopRequested that says stop
    OutputFormat format;
    std::uint64_t rows;
    std::string message;
  } cases[] = {
      {3, OutputFormat::kCsv, 4, "stopped by a test; 4 rows are written, the last from input line 5"},
      {3, OutputFormat::kJson, 4, "stopped by a test; 4 rows are written, the last from input line 5"},
      {1, OutputFormat::kJson, 0, "stopped by a test; no row is written"},
      {2, OutputFormat::kCsv, 2, "stopped by a test; 2 rows are written, the last from input line 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    int calls = 0;
    BatchOptions options = Options(2, 2);
    options.format = c.format;
    options.stopRequested = [&]() -> const char* {
      return ++calls == c.stopAtCall ? "stopped by a test" : nullptr;
    };
    const RunOut run = RunText(NumberedRows(20), options, EchoFactory());
    EXPECT_EQ(run.report.outcome, BatchOutcome::kStopped);
    EXPECT_EQ(ExitStatus(run.report.outcome), 1);
    EXPECT_EQ(run.report.rows, c.rows);
    EXPECT_EQ(run.report.message, c.message);
    if (c.format == OutputFormat::kJson) {
      const nlohmann::json parsed = nlohmann::json::parse(run.out);
      ASSERT_EQ(parsed.size(), c.rows);
      if (c.rows > 0) {
        EXPECT_EQ(parsed.back().at("T"), c.rows);
      }
    } else {
      const std::string last = std::to_string(c.rows) + ",2,,\n";
      EXPECT_EQ(run.out.substr(run.out.size() - last.size()), last);
      EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), static_cast<long>(c.rows + 1));
    }
  }
}

// A signal can cut the reading of the header short: that is a stop, not a header to blame.
TEST(BatchRun, AStopWhileTheHeaderIsReadIsAStop) {
  BatchOptions options = Options();
  options.stopRequested = [] { return "stopped by a test"; };
  const RunOut run = RunText("T,", options, EchoFactory());
  EXPECT_EQ(run.report.outcome, BatchOutcome::kStopped);
  EXPECT_EQ(run.report.message, "stopped by a test; no row is written");
  EXPECT_EQ(run.out, "");
  options.stopRequested = [] { return static_cast<const char*>(nullptr); };
  EXPECT_EQ(RunText("T,", options, EchoFactory()).report.outcome, BatchOutcome::kUnreadableHeader);
}

// An allocation that fails ends the run with the rows of the chunks before; the row it failed in
// is not a bad row.
TEST(BatchRun, RunningOutOfMemoryEndsTheRunWithTheRowsWritten) {
  const RowComputerFactory oomAtRow8 = [] {
    return [](const BatchRow& row, BatchResult& result) {
      if (row.t == "8") throw std::bad_alloc();
      result = BatchResult{{row.t, row.p, row.quality}, ""};
    };
  };
  const RowComputerFactory oomInTheFactory = []() -> RowComputer { throw std::bad_alloc(); };
  const struct {
    const char* name;
    RowComputerFactory factory;
    unsigned threads;
    std::uint64_t rows;
    std::string message;
  } cases[] = {
      // Chunks of three rows: 1-3, 4-6 are written; 7-9 holds the failure.
      {"a row", oomAtRow8, 2, 6, "out of memory; 6 rows are written, the last from input line 7"},
      {"a row, one thread", oomAtRow8, 1, 6, "out of memory; 6 rows are written, the last from input line 7"},
      {"the factory", oomInTheFactory, 2, 0, "out of memory; no row is written"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchOptions options = Options(c.threads, 3);
    options.format = OutputFormat::kJson;
    const RunOut run = RunText(NumberedRows(20), options, c.factory);
    EXPECT_EQ(run.report.outcome, BatchOutcome::kOutOfMemory);
    EXPECT_EQ(ExitStatus(run.report.outcome), 1);
    EXPECT_EQ(run.report.rows, c.rows);
    EXPECT_EQ(run.report.badRows, 0u);
    EXPECT_EQ(run.report.message, c.message);
    EXPECT_EQ(nlohmann::json::parse(run.out).size(), c.rows);
  }
}

// However many threads are asked for, the chunks read and not yet written stay under one bound,
// and so do the threads and their computers.
TEST(BatchRun, ManyThreadsDoNotMultiplyTheChunksInFlight) {
  const struct {
    unsigned threads;
    std::size_t inFlight;  // asked for; 0: the default
  } cases[] = {{256, 0}, {kMaxThreads, 1000}, {40, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.threads) + " threads");
    std::atomic<unsigned> computers = 0;
    const RowComputerFactory counting = [&] {
      ++computers;
      return EchoFactory()();
    };
    const RunOut run = RunText(NumberedRows(3000), Options(c.threads, 1, c.inFlight), counting);
    EXPECT_EQ(run.report.rows, 3000u);
    EXPECT_GT(run.report.peakChunksInFlight, 1u);
    EXPECT_LE(run.report.peakChunksInFlight, kMaxChunksInFlight);
    EXPECT_LE(run.report.threads, kMaxChunksInFlight);
    EXPECT_EQ(computers.load(), run.report.threads);
    EXPECT_EQ(run.out, RunText(NumberedRows(3000), Options(1), EchoFactory()).out);
  }
}

// A thread that cannot start means fewer threads; with none, the reading thread computes.
TEST(BatchRun, ThreadsThatCannotStartMeanFewerThreads) {
  const std::string expected = RunText(NumberedRows(500), Options(1), EchoFactory()).out;
  for (unsigned startable : {0u, 1u, 3u}) {
    SCOPED_TRACE(std::to_string(startable) + " threads start");
    unsigned started = 0;
    BatchOptions options = Options(6, 16);
    options.startThread = [&](std::function<void()> body) {
      if (started == startable)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      ++started;
      return std::thread(std::move(body));
    };
    std::set<std::thread::id> computedOn;
    std::mutex mutex;
    const RowComputerFactory factory = [&] {
      std::lock_guard lock(mutex);
      computedOn.insert(std::this_thread::get_id());
      return EchoFactory()();
    };
    const RunOut run = RunText(NumberedRows(500), options, factory);
    EXPECT_EQ(run.report.outcome, BatchOutcome::kAllRowsGood);
    EXPECT_EQ(run.report.threads, startable);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(computedOn.size(), std::max(startable, 1u));
    EXPECT_EQ(computedOn.count(std::this_thread::get_id()), startable == 0 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tulo::batch
