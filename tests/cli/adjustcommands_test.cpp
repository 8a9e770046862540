#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/cli/virtualopalctl.h"

namespace opal {
namespace {

using ::testing::MatchesRegex;

class AdjustCommandsTest : public testing::VirtualOpalctlTest {
 protected:
  // Runs opalctl with a terminal as standard input that already holds `typed` ("\x04" ends it).
  testing::ProgramRun RunOnTerminal(const std::vector<std::string>& args,
                                    const std::string& typed) const {
    int terminal = -1;
    int input = -1;
    if (openpty(&terminal, &input, nullptr, nullptr, nullptr) != 0) return {};
    EXPECT_EQ(write(terminal, typed.data(), typed.size()), static_cast<long>(typed.size()));
    const auto out_path = temp.path() / "out";
    const auto err_path = temp.path() / "err";
    std::vector<std::string> all = WithPrinter(args);
    std::vector<char*> argv{const_cast<char*>(OPALCTL_PATH)};
    for (auto& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      alarm(20);  // outlives execv: a program that waits for more input must not hang the test
      dup2(input, 0);
      dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      dup2(open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      execv(OPALCTL_PATH, argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(input);
    close(terminal);
    const auto slurp = [](const std::filesystem::path& path) {
      std::ifstream in(path);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out_path), slurp(err_path)};
  }
};

TEST_F(AdjustCommandsTest, HeadIdIsWrittenAsTypedInUpperCaseAndReadBack) {
  const auto write = Run({"head-id", "write", "azbcdefjklmnw"});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.out,
            "As head actuator voltage, \n\"AZBCDEFJKLMNW\"\n has been written in EEPROM.\n");
  const auto eeprom = Eeprom();
  EXPECT_EQ(eeprom[0x46], 0x5A);
  EXPECT_EQ(eeprom[0x49], 0x2C);

  const auto read = Run({"head-id", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "Head voltage ID = AZBCDEFJKLMNW\n");
}

TEST_F(AdjustCommandsTest, HeadIdReadShowsStoredControlBytesHarmlessly) {
  ASSERT_EQ(Run({"head-id", "write", "AZBCDEFJKLMNW"}).status, 0);
  SetEepromByte(0x3F, 0x7F);
  SetEepromByte(0x47, 0x1B);
  const auto read = Run({"head-id", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "Head voltage ID = \\x7FZBCDEF\\x1BKLMNJ\n");
}

TEST_F(AdjustCommandsTest, RefusedInputSendsNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{
           {{"head-id", "write", "AZ-CDEFJKLMNW"}, "Third Digit is wrong.\n"},
           {{"head-id", "write", "AZBCDEFJKLMNV"}, "Check ID is invalid.\n"},
           {{"head-id", "write", "AZBCDEFJKLMN"}, "The Number of digit is wrong.\n"},
           {{"usb-id", "write", "ab12345678"},
            "The USB ID must be 10 characters, each 0-9 or A-Z.\n"},
           {{"usb-id", "write", "AB1234567"},
            "The USB ID must be 10 characters, each 0-9 or A-Z.\n"},
       }) {
    const auto run = Run(c.args);
    EXPECT_EQ(run.status, 2) << c.args.back();
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_TRUE(Capture().empty());
}

TEST_F(AdjustCommandsTest, UsbIdIsWrittenWithItsStampAndReadBack) {
  const auto write = Run({"usb-id", "write", "AB12345678"});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_THAT(write.out, MatchesRegex("USB IDAB12345678[0-9A-Z]{6}[0-3]0 has been written in "
                                      "EEPROM\\.\n"));
  const std::string stamp = write.out.substr(16, 8);

  const auto read = Run({"usb-id", "read"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "USB ID = AB12345678" + stamp + "\n");
}

TEST_F(AdjustCommandsTest, UsbIdReadNamesTheByteThatIsNotALetterOrDigit) {
  SetEepromByte(0x57, 0x00);
  const auto read = Run({"usb-id", "read"});
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(read.out, "");
  EXPECT_EQ(read.err, "EEPROM byte 57 holds 00, which is not a letter or digit.\n");
}

TEST_F(AdjustCommandsTest, CounterIsReadAndClearedWithYes) {
  SetEepromByte(0x1A, 0x5B);
  SetEepromByte(0x1B, 0xCC);
  EXPECT_EQ(Run({"counter", "read"}).out, "Counter value = 23500\n");
  const auto clear = Run({"counter", "clear", "--yes"});
  ASSERT_EQ(clear.status, 0) << clear.err;
  EXPECT_EQ(clear.out, "The protection counter has been initialized.\n");
  EXPECT_EQ(Run({"counter", "read"}).out, "Counter value = 0\n");
}

TEST_F(AdjustCommandsTest, CounterClearWithoutYesNeedsATerminal) {
  SetEepromByte(0x1B, 0x42);
  const auto run = Run({"counter", "clear"}, "y\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, ::testing::HasSubstr("--yes"));
  EXPECT_TRUE(Capture().empty());
  EXPECT_EQ(Eeprom()[0x1B], 0x42);
}

TEST_F(AdjustCommandsTest, CounterClearAsksOnATerminal) {
  struct Case {
    std::string typed;
    int status;
    std::string out_after_question;
    std::string err;
    uint8_t low;
  };
  for (const Case& c : std::vector<Case>{
           {"n\n", 1, "", "Retry this routine from first step.\n", 0x42},
           {"\n", 1, "", "Retry this routine from first step.\n", 0x42},
           {"\x04", 1, "", "Retry this routine from first step.\n", 0x42},
           {"Yes\n", 0, "The protection counter has been initialized.\n", "", 0x00},
       }) {
    SetEepromByte(0x1B, 0x42);
    const auto run = RunOnTerminal({"counter", "clear"}, c.typed);
    EXPECT_EQ(run.status, c.status) << c.typed;
    EXPECT_EQ(run.out,
              "Have you replaced the Waste Ink Pad certainly? [y/N] " + c.out_after_question);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(Eeprom()[0x1B], c.low);
  }
}

TEST_F(AdjustCommandsTest, PrinterFailureIsReported) {
  { vp::VirtualPrinter(printer_dir).SetFaults({.corrupt_reply = true}); }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"head-id", "read"}, {"usb-id", "read"}, {"counter", "read"}}) {
    const auto run = Run(args);
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_EQ(run.err, "Receive error\n");
  }
}

}  // namespace
}  // namespace opal
