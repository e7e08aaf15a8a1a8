// A fixture that runs the built pelrinctl as a program against a private data folder.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pelrin::testing {

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Each test gets its own folder holding XDG_CONFIG_HOME ("xdg"), HOME ("home") and the working folder ("work").
class PelrinctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("pelrinctl-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "work");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path Root() const { return folder_ / "xdg"; }
  std::filesystem::path Config(const std::string& name) const {
    return Root() / "KorvexData20240419A" / "config" / name;
  }

  // Runs pelrinctl with `input` on stdin. With `interruptWhen`, sends SIGINT once stdout contains it.
  ProgramRun Run(std::vector<std::string> args, const std::string& input = "",
                 const std::string& interruptWhen = "") {
    const auto in = folder_ / "stdin", out = folder_ / "stdout", err = folder_ / "stderr";
    std::ofstream(in) << input;
    const std::string xdg = "XDG_CONFIG_HOME=" + Root().string();
    const std::string home = "HOME=" + (folder_ / "home").string();
    std::vector<char*> argv{const_cast<char*>(PELRINCTL)};
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp{const_cast<char*>(xdg.c_str()), const_cast<char*>(home.c_str()),
                            const_cast<char*>("LANG=C"), nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::dup2(::open(in.c_str(), O_RDONLY), 0);
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      if (::chdir((folder_ / "work").c_str()) != 0) ::_exit(126);
      ::execve(PELRINCTL, argv.data(), envp.data());
      ::_exit(127);
    }
    if (!interruptWhen.empty()) {
      // A generous limit: the program's own timers run in real time.
      for (int i = 0; i < 3000 && ReadText(out).find(interruptWhen) == std::string::npos; ++i) ::usleep(10000);
      ::kill(pid, SIGINT);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
  }

  std::filesystem::path folder_;
};

}  // namespace pelrin::testing
