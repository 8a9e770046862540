#pragma once

#include <umockdev.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace opal::testing {

// Answers the system calls made on one emulated device node. umockdev calls it on a thread of its
// own, so everything a test reads back is guarded.
class NodeHandler {
 public:
  NodeHandler();
  virtual ~NodeHandler();
  NodeHandler(const NodeHandler&) = delete;
  NodeHandler& operator=(const NodeHandler&) = delete;

  UMockdevIoctlBase* base() const { return base_; }
  // The calls seen so far, by name, in order.
  std::vector<std::string> Calls() const;

 protected:
  // Each completes the call and returns true, or returns false to refuse it.
  virtual bool OnIoctl(UMockdevIoctlClient* client) = 0;
  virtual bool OnRead(UMockdevIoctlClient* client);
  void Record(std::string call);
  // Record the call and complete it with success, or with the error.
  bool Accept(UMockdevIoctlClient* client, std::string call);
  bool Refuse(UMockdevIoctlClient* client, std::string call, int error);

  mutable std::mutex mutex_;

 private:
  static gboolean IoctlCall(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
  static gboolean ReadCall(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);

  UMockdevIoctlBase* base_;
  std::vector<std::string> calls_;
};

// An emulated sysfs tree and /dev for the calling process; gone with the object.
class Testbed {
 public:
  Testbed();
  ~Testbed();
  Testbed(const Testbed&) = delete;
  Testbed& operator=(const Testbed&) = delete;

  // Devices in umockdev's text format ("P:", "N:", "E:", "A:", "H:" lines).
  void Add(std::string_view description);
  // Routes the calls on `node` ("/dev/usb/lp0") to `handler`; before the node is added.
  void Attach(std::string_view node, NodeHandler& handler);
  void Remove(std::string_view sys_path);

 private:
  UMockdevTestbed* bed_;
};

// A device-ID answer as a printer sends it: two-byte big-endian length, then the text.
std::string DeviceIdAnswer(std::string_view text);

// The printer end of a USB printer's usbfs node: interface claims, kernel-driver detach and
// re-attach, bulk transfers and the printer class's GET_DEVICE_ID request, as libusb drives them.
class ScriptedUsbPrinter final : public NodeHandler {
 public:
  ~ScriptedUsbPrinter() override;

  void SetKernelDriver(std::string driver);
  void SetBusy(bool busy);
  void SetDeviceId(std::string text);
  void Unplug();
  void WillReply(std::string bytes);
  std::string Received() const;

 protected:
  bool OnIoctl(UMockdevIoctlClient* client) override;

 private:
  bool Reap(UMockdevIoctlClient* client);
  // Fills a finished urb; false while a read has nothing to read.
  bool Finish(UMockdevIoctlData* urb_data);

  std::string driver_;
  bool busy_ = false;
  bool unplugged_ = false;
  std::string device_id_;
  std::deque<std::string> replies_;
  std::string received_;
  std::vector<UMockdevIoctlData*> flying_;
  std::vector<UMockdevIoctlData*> discarded_;
};

// A usblp node: only the device-ID request.
class ScriptedUsblpNode final : public NodeHandler {
 public:
  explicit ScriptedUsblpNode(std::string answer) : answer_(std::move(answer)) {}

 protected:
  bool OnIoctl(UMockdevIoctlClient* client) override;

 private:
  std::string answer_;
};

// A ppdev node: claim, IEEE 1284 negotiation, the nibble-mode read of the device ID, release.
class ScriptedParport final : public NodeHandler {
 public:
  // `answer` empty: the printer refuses the device-ID negotiation.
  explicit ScriptedParport(std::string answer) : answer_(std::move(answer)) {}

 protected:
  bool OnIoctl(UMockdevIoctlClient* client) override;
  bool OnRead(UMockdevIoctlClient* client) override;

 private:
  std::string answer_;
  std::size_t sent_ = 0;
};

}  // namespace opal::testing
