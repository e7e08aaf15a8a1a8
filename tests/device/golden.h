// Golden tables: "# case" lines followed by one hex line per frame, compared with a file in data/.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "device/frame.h"

namespace pelrin {

class GoldenWriter {
 public:
  void Case(const std::string& name) { text_ += "# " + name + "\n"; }
  void Frame(const Report& frame) { text_ += FormatReportHex(frame) + "\n"; }
  void Line(const std::string& line) { text_ += line + "\n"; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Compares with data/<name>; with PELRIN_UPDATE_GOLDEN=1 in the environment rewrites the file instead
// (review the diff before committing it).
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(PELRIN_TEST_DATA) + "/" + name;
  if (const char* update = std::getenv("PELRIN_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream expected;
  expected << in.rdbuf();
  // Line by line, so a failure names the case and the frame that changed.
  std::istringstream want(expected.str()), got(actual);
  std::string wantLine, gotLine, currentCase;
  int line = 0;
  while (true) {
    const bool moreWant = static_cast<bool>(std::getline(want, wantLine));
    const bool moreGot = static_cast<bool>(std::getline(got, gotLine));
    ++line;
    if (!moreWant && !moreGot) break;
    if (moreWant && wantLine.rfind("# ", 0) == 0) currentCase = wantLine;
    EXPECT_EQ(moreWant ? wantLine : "<end>", moreGot ? gotLine : "<end>") << name << ":" << line << " " << currentCase;
  }
}

}  // namespace pelrin
