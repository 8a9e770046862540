#include "link/portsurvey.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace opal {
namespace {

using namespace std::chrono_literals;

// Answers the device-ID request with a fixed text; a hanging one waits until the test ends.
class AnsweringDevice final : public PortDevice {
 public:
  struct Hang {
    std::mutex mutex;
    std::condition_variable released;
    bool over = false;
  };
  AnsweringDevice(std::string answer, std::shared_ptr<Hang> hang)
      : answer_(std::move(answer)), hang_(std::move(hang)) {}
  long WriteSome(std::span<const uint8_t>) override { return 0; }
  long ReadSome(std::span<uint8_t>) override { return 0; }
  void WaitReady(Readiness, std::chrono::milliseconds) override {}
  std::string DeviceId() override {
    if (hang_) {
      std::unique_lock lock(hang_->mutex);
      hang_->released.wait(lock, [&] { return hang_->over; });
    }
    return answer_;
  }

 private:
  std::string answer_;
  std::shared_ptr<Hang> hang_;
};

// Each port either opens on a device that answers with `answer`, or fails as `failure` says.
struct PortScript {
  OpenFailure failure = OpenFailure::None;
  std::string answer{};
  bool hangs = false;
};

class ScriptedPorts final : public PortProvider {
 public:
  explicit ScriptedPorts(std::map<PortId, PortScript> ports) : ports_(std::move(ports)) {}
  ~ScriptedPorts() override {
    std::lock_guard lock(hang_->mutex);
    hang_->over = true;
    hang_->released.notify_all();
  }
  OpenOutcome Open(PortId port) override {
    const PortScript script = ports_[port];
    if (script.failure != OpenFailure::None) {
      return {nullptr, script.failure, "node " + std::string(PortEntryOf(port).name) + ": refused"};
    }
    OpenOutcome outcome;
    outcome.device =
        std::make_unique<AnsweringDevice>(script.answer, script.hangs ? hang_ : nullptr);
    return outcome;
  }

 private:
  std::map<PortId, PortScript> ports_;
  std::shared_ptr<AnsweringDevice::Hang> hang_ = std::make_shared<AnsweringDevice::Hang>();
};

TEST(SurveyPortsTest, TellsForEachPortWhatAnswersOrWhyNothingDoes) {
  UsbPrinter first;
  first.bus_path = "1-2";
  UsbPrinter second;
  second.bus_path = "1-3";
  ScriptedPorts ports({
      {PortId::Lpt1, {OpenFailure::None, "MFG:VELTA;MDL:Corvane Opal 310;"}},
      {PortId::Lpt2, {OpenFailure::PermissionDenied}},
      {PortId::Lpt3, {OpenFailure::None, ""}},
      {PortId::Vlusb1, {OpenFailure::None, "MFG:VELTA;MDL:Corvane Opal 320;"}},
      {PortId::Vlusb2, {OpenFailure::None, "MDL:Corvane Opal 320;", true}},
      {PortId::Vlusb3, {OpenFailure::NotFound}},
  });

  const std::vector<PortReport> reports = SurveyPorts(ports, {first, second}, 200ms);

  struct Expected {
    const char* port;
    const char* device_id;
    const char* problem;
    const char* usb;
  };
  const std::vector<Expected> expected{
      {"LPT1", "MFG:VELTA;MDL:Corvane Opal 310;", "", ""},
      {"LPT2", "", "cannot be reached: node LPT2: refused", ""},
      {"LPT3", "", "no printer answers", ""},
      {"VLUSB1:", "MFG:VELTA;MDL:Corvane Opal 320;", "", "1-2"},
      {"VLUSB2:", "", "no printer answers", "1-3"},
      {"VLUSB3:", "", "no printer", ""},
  };
  ASSERT_EQ(reports.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].port);
    EXPECT_EQ(reports[i].port, expected[i].port);
    EXPECT_EQ(reports[i].device_id, expected[i].device_id);
    EXPECT_EQ(reports[i].problem, expected[i].problem);
    EXPECT_EQ(reports[i].usb ? reports[i].usb->bus_path : "", expected[i].usb);
  }
}

TEST(DeviceIdValueTest, FindsAKeyInEitherSpelling) {
  struct Case {
    const char* text;
    const char* value;
  };
  const std::vector<Case> cases{
      {"MFG:VELTA;MDL:Corvane Opal 320;", "VELTA"},
      {"MANUFACTURER:VELTA;MODEL:Corvane Opal 320;", "VELTA"},
      {"CMD:ESCPL2; MFG:VELTA;", "VELTA"},
      {"MFG:VELTA", "VELTA"},
      {"XMFG:other;MFG:;", ""},
      {"MDL:Corvane Opal 320;", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DeviceIdValue(c.text, {"MFG", "MANUFACTURER"}), c.value);
  }
}

}  // namespace
}  // namespace opal
