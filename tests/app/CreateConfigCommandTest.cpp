#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Config.h"
#include "app/ConfigTestSupport.h"

namespace tulo {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Single quotes for the shell; the temporary paths hold no quote of their own.
std::string Quoted(const std::string& s) {
  std::string q(1, '\'');
  q.append(s).push_back('\'');
  return q;
}

// Runs tulo-calc with stderr captured into `errFile`; returns its exit status.
int RunCreateConfig(const std::string& args, const std::string& errFile) {
  std::string command = Quoted(TULO_CALC_PATH) + " --create-config " + args + " 2>" + Quoted(errFile);
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CreateConfigCommand, WritesAFreshFileAndNeverOverwrites) {
  TempDir dir;
  const std::string path = dir.File("tulodefw.dta");
  const std::string err = dir.File("stderr.txt");

  ASSERT_EQ(RunCreateConfig(Quoted(path), err), 0);
  Bytes created = ReadBytes(path);
  ASSERT_EQ(created.size(), kConfigRecordSize);
  for (std::size_t i = 0; i < created.size(); ++i) {
    EXPECT_EQ(created[i], (i >= 642 && i < 654) ? 1 : 0) << "byte " << i;
  }

  // It loads, with the first unit of every quantity.
  ConfigStore store(std::make_unique<StdioConfigFile>(), path);
  UnitSettings units;
  ConfigWorkingValues working;
  ASSERT_TRUE(LoadConfig(store, units, working).Ok());
  EXPECT_EQ(units.UnitText(kTemperature), "Kelvin");
  EXPECT_EQ(units.UnitText(kPressure), "kPa abs");

  // An existing file, even one that is not a configuration file, is left as it is.
  const std::string other = dir.File("other.dta");
  const Bytes text = {'k', 'e', 'e', 'p'};
  WriteBytes(other, text);
  EXPECT_EQ(RunCreateConfig(Quoted(other), err), 2);
  EXPECT_EQ(ReadBytes(other), text);
  EXPECT_NE(ReadBytes(err).size(), 0u);
}

TEST(CreateConfigCommand, RejectsBadArguments) {
  TempDir dir;
  const std::string err = dir.File("stderr.txt");
  struct Case {
    std::string args;
    int status;
  };
  const Case cases[] = {
      {"", 2},
      {Quoted(dir.File("a.dta")) + " " + Quoted(dir.File("b.dta")), 2},
      {Quoted(dir.File("no-such-dir/tulodefw.dta")), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    EXPECT_EQ(RunCreateConfig(c.args, err), c.status);
    EXPECT_NE(ReadBytes(err).size(), 0u);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.dta")));
}

}  // namespace
}  // namespace tulo
