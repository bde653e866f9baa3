#include "tools/kestrane-calc/script_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace kes::calc {
namespace {

struct ScriptResult {
  int status;
  std::string out;
  std::string err;
};

ScriptResult run(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_calc_script(in, out, err);
  return {status, out.str(), err.str()};
}

TEST(ScriptRunner, RefusesLinesItCannotRunNamingTheLine) {
  struct Case {
    const char* line;
    const char* reason;
  };
  const Case cases[] = {
      {"compute now", "unknown command"},      {"Compute", "unknown command"},
      {"leave TextPerMes(12)", "no such field"}, {"leave CheckOld", "no such field"},
      {"type Foo(1)=1", "no such field"},      {"TextPerJia(7)=1", "no such field"},
      {"WarnSet=yes", "value must be 0 or 1"}, {"CheckJi=", "value must be 0 or 1"},
      {"ComSave=1", "no such field"},
  };
  for (const Case& c : cases) {
    const ScriptResult r = run(std::string("# first\n\nTextPerMes(3)=1\n") + c.line + "\ncompute\n");
    EXPECT_EQ(r.status, 2) << c.line;
    EXPECT_EQ(r.err, std::string("kestrane-calc: line 4: ") + c.reason + ": " + c.line + "\n");
    EXPECT_EQ(r.out, "") << c.line;  // the compute after it never ran
  }
}

TEST(ScriptRunner, TypedKeysAreCharactersNotBytes) {
  struct Case {
    const char* keys;
    const char* out;
  };
  const Case cases[] = {
      {"中", "beep\n"},          // one key, one beep
      {"\\\\", "beep\n"},        // an escaped backslash is one key
      {"a\\bb", "beep\nbeep\n"},  // letters beep; the backspace between them passes
      {"\xff" "5", "beep\n"},    // a stray byte is one refused key
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(std::string("type TextPerMes(3)=") + c.keys + "\n").out, c.out) << c.keys;
  }
}

TEST(ScriptRunner, ReadsWindowsLineEndingsAndStopsAtClose) {
  const ScriptResult r = run("TextPerMes(0)=100001\r\ncompute\r\nnot a command\r\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "message 限制提示|高工资人群,软件不欢迎您使用,请退出...\nclose\n");
  EXPECT_EQ(r.err, "");
}

TEST(ScriptRunner, FieldTextsAreTakenAsWritten) {
  const ScriptResult r = run("TextZhenCe(0)= 98 00\ncompute\n");
  EXPECT_NE(r.out.find("\nTextZhenCe(0)= 98 00\n"), std::string::npos);
}

}  // namespace
}  // namespace kes::calc
