// tulo-calc diagram: the chart the window draws, written to SVG or PNG without a display; bad
// input and unwritable files with their messages and exit statuses.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/RunCalc.h"

namespace tulo {
namespace {

using testing::RunCalc;
namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A folder of its own for each test, removed at the end.
struct Folder {
  fs::path path =
      fs::temp_directory_path() / ("tulo-diagram-" + std::to_string(::getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Folder() { fs::create_directories(path); }
  ~Folder() { fs::remove_all(path); }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

#ifdef TULO_DIAGRAMS

TEST(DiagramCommand, WritesEveryKindAsSvgOrPng) {
  Folder dir;
  struct Case {
    const char* args;
    const char* file;
    const char* title;  // an SVG's title; empty for a PNG
  };
  const Case cases[] = {
      {"ts -T 773.15 -P 4000", "ts.svg", "T-s diagram, Built-in correlations"},
      {"hs -T 500 -P 40 --units European --standard iapws", "hs.png", ""},
      {"ph -T 100 --standard iapws --units Imperial", "ph.svg", "P-h diagram, IAPWS-IF97"},
      {"pt --standard builtin", "pt.png", ""},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File(c.file);
    auto run = RunCalc(std::string("diagram ") + c.args + " --output " + path);
    ASSERT_EQ(run.status, 0) << c.args << "\n" << run.err;
    EXPECT_EQ(run.err, "") << c.args;
    EXPECT_EQ(run.out, "") << c.args;
    const std::string data = Contents(path);
    ASSERT_GT(data.size(), 10000u) << c.args;
    if (std::string(c.title).empty()) {
      EXPECT_EQ(data.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << c.args;
      // The header's width and height: twice the chart's 1000 x 750.
      EXPECT_EQ(data.substr(16, 8), std::string("\0\0\x07\xd0\0\0\x05\xdc", 8)) << c.args;
    } else {
      EXPECT_EQ(data.rfind("<?xml", 0), 0u) << c.args;
      EXPECT_NE(data.find("<svg"), std::string::npos) << c.args;
      EXPECT_NE(data.find(std::string("<title>") + c.title + "</title>"), std::string::npos) << c.args;
      EXPECT_NE(data.find("</svg>"), std::string::npos) << c.args;
    }
  }
}

TEST(DiagramCommand, BadInputGetsAMessageAndStatusTwo) {
  Folder dir;
  const std::string out = dir.File("d.svg");
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"--output " + out, "which diagram? ts, hs, ph or pt"},
      {"xy --output " + out, "unknown diagram: xy (ts, hs, ph or pt)"},
      {"ts", "--output FILE.svg or FILE.png is required"},
      {"ts --output " + dir.File("d.jpg"), "the output must end in .svg or .png"},
      {"ts --output " + out + " --standard nist", "unknown standard: nist (builtin, iapws or iapws95)"},
      {"ts --output " + out + " -T abc", "not a number: abc"},
      {"ts --output " + out + " -T 1e999", "number out of range: 1e999"},
      {"ts --output " + out + " --units Metric", "unknown units: Metric"},
      {"ts --output " + out + " -T 5000", "Temperature must be between"},
      {"ts --output " + out + " -P 500000 --standard iapws", "Pressure must be between"},
      {"ts --output " + out + " --size 10", "unknown argument: --size"},
      {"ts --output", "--output needs a value"},
  };
  for (const Case& c : cases) {
    auto run = RunCalc("diagram " + c.args);
    EXPECT_EQ(run.status, 2) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << "\n" << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(out)) << c.args;
  }
}

TEST(DiagramCommand, UnwritableFileIsStatusOne) {
  Folder dir;
  auto run = RunCalc("diagram ts --output " + dir.File("missing/ts.png"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write " + dir.File("missing/ts.png")), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir.File("missing")));
}

// A disk that fills while the picture is written (a file size limit, which holds for root as well
// and fails the write as a full disk does): status 1 with the system's reason, the picture that
// was there before whole, and no temporary file left.
TEST(DiagramCommand, FullDiskKeepsTheOldPictureAndIsStatusOne) {
  for (const char* name : {"report.svg", "report.png"}) {
    SCOPED_TRACE(name);
    Folder dir;
    const std::string out = dir.File(name);
    { std::ofstream(out) << "the report's picture"; }
    // 32 blocks of 512 bytes: far less than either picture.
    auto run = RunCalc("diagram pt --standard iapws --output " + out, "trap '' XFSZ; ulimit -f 32; ");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tulo-calc diagram: cannot write " + out + ": File too large\n");
    EXPECT_EQ(Contents(out), "the report's picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
  }
}

#else

TEST(DiagramCommand, BuildWithoutTheDesktopSaysSo) {
  auto run = RunCalc("diagram ts --output /tmp/never.svg");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no diagrams"), std::string::npos);
}

#endif

}  // namespace
}  // namespace tulo
