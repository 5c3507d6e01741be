#pragma once
// Where the text of a batch run goes. The run hands over whole rows at a time (the header, one
// chunk of rows, the end of the output), so that an output cut short by a signal or a failure
// ends at the end of a row.

#include <ostream>
#include <string_view>

namespace tulo::batch {

class OutputSink {
 public:
  // A failure whose cause is not known (a stream that failed with errno 0).
  static constexpr int kUnknownError = -1;

  virtual ~OutputSink() = default;
  // Writes all of text. Returns 0, or the errno of the failure (kUnknownError when none is known).
  virtual int Write(std::string_view text) = 0;
};

// A file descriptor, written with write(2): one call for the whole text unless the descriptor
// takes less (a pipe may), and then calls for the rest until all of it is out; a call interrupted
// by a signal before it wrote anything is repeated.
class DescriptorSink final : public OutputSink {
 public:
  explicit DescriptorSink(int fd) : fd_(fd) {}
  int Write(std::string_view text) override;

 private:
  int fd_;
};

// An ostream, written and flushed. Its buffer decides the system calls: a row may be split across
// two of them.
class StreamSink final : public OutputSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  int Write(std::string_view text) override;

 private:
  std::ostream& out_;
};

}  // namespace tulo::batch
