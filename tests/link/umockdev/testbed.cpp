#include "tests/link/umockdev/testbed.h"

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

// usblp's device-ID request, as the port code spells it.
#define LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

namespace opal::testing {

namespace {

// The caller's data behind the call's pointer argument, copied here; written back when the call
// completes.
UMockdevIoctlData* Resolve(UMockdevIoctlClient* client, std::size_t size) {
  return umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr);
}

void Complete(UMockdevIoctlClient* client, long result = 0, int error = 0) {
  umockdev_ioctl_client_complete(client, result, error);
}

usbdevfs_urb* Urb(UMockdevIoctlData* data) {
  return reinterpret_cast<usbdevfs_urb*>(data->data);
}

constexpr uint8_t kClassInterfaceIn = 0xA1;

}  // namespace

gboolean NodeHandler::IoctlCall(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  return static_cast<NodeHandler*>(self)->OnIoctl(client);
}

gboolean NodeHandler::ReadCall(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  return static_cast<NodeHandler*>(self)->OnRead(client);
}

NodeHandler::NodeHandler() : base_(umockdev_ioctl_base_new()) {
  g_signal_connect(base_, "handle-ioctl", G_CALLBACK(IoctlCall), this);
  g_signal_connect(base_, "handle-read", G_CALLBACK(ReadCall), this);
}

NodeHandler::~NodeHandler() {
  g_signal_handlers_disconnect_by_data(base_, this);
  g_object_unref(base_);
}

std::vector<std::string> NodeHandler::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

bool NodeHandler::OnRead(UMockdevIoctlClient*) {
  return false;
}

void NodeHandler::Record(std::string call) {
  calls_.push_back(std::move(call));
}

bool NodeHandler::Accept(UMockdevIoctlClient* client, std::string call) {
  Record(std::move(call));
  Complete(client);
  return true;
}

bool NodeHandler::Refuse(UMockdevIoctlClient* client, std::string call, int error) {
  Record(std::move(call));
  Complete(client, -1, error);
  return true;
}

Testbed::Testbed() : bed_(umockdev_testbed_new()) {
  if (!umockdev_in_mock_environment()) {
    throw std::runtime_error("run under umockdev-wrapper: the preload library is missing");
  }
}

Testbed::~Testbed() {
  g_object_unref(bed_);
}

void Testbed::Add(std::string_view description) {
  GError* error = nullptr;
  if (!umockdev_testbed_add_from_string(bed_, std::string(description).c_str(), &error)) {
    const std::string text = error ? error->message : "unknown";
    g_clear_error(&error);
    throw std::runtime_error("umockdev cannot add the device: " + text);
  }
}

void Testbed::Attach(std::string_view node, NodeHandler& handler) {
  GError* error = nullptr;
  if (!umockdev_testbed_attach_ioctl(bed_, std::string(node).c_str(), handler.base(), &error)) {
    const std::string text = error ? error->message : "unknown";
    g_clear_error(&error);
    throw std::runtime_error("umockdev cannot attach to the node: " + text);
  }
}

void Testbed::Remove(std::string_view sys_path) {
  umockdev_testbed_remove_device(bed_, std::string(sys_path).c_str());
}

std::string DeviceIdAnswer(std::string_view text) {
  const std::size_t length = text.size() + 2;
  std::string answer{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  return answer + std::string(text);
}

ScriptedUsbPrinter::~ScriptedUsbPrinter() {
  for (UMockdevIoctlData* urb : flying_) umockdev_ioctl_data_unref(urb);
  for (UMockdevIoctlData* urb : discarded_) umockdev_ioctl_data_unref(urb);
}

void ScriptedUsbPrinter::SetKernelDriver(std::string driver) {
  std::lock_guard lock(mutex_);
  driver_ = std::move(driver);
}

void ScriptedUsbPrinter::SetBusy(bool busy) {
  std::lock_guard lock(mutex_);
  busy_ = busy;
}

void ScriptedUsbPrinter::SetDeviceId(std::string text) {
  std::lock_guard lock(mutex_);
  device_id_ = DeviceIdAnswer(text);
}

void ScriptedUsbPrinter::Unplug() {
  std::lock_guard lock(mutex_);
  unplugged_ = true;
}

void ScriptedUsbPrinter::WillReply(std::string bytes) {
  std::lock_guard lock(mutex_);
  replies_.push_back(std::move(bytes));
}

std::string ScriptedUsbPrinter::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool ScriptedUsbPrinter::OnIoctl(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  if (unplugged_ && request != USBDEVFS_RELEASEINTERFACE && request != USBDEVFS_DISCARDURB) {
    Complete(client, -1, ENODEV);
    return true;
  }
  switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
      g_autoptr(UMockdevIoctlData) data = Resolve(client, sizeof(uint32_t));
      *reinterpret_cast<uint32_t*>(data->data) =
          USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
          USBDEVFS_CAP_REAP_AFTER_DISCONNECT | USBDEVFS_CAP_ZERO_PACKET;
      Complete(client);
      return true;
    }
    case USBDEVFS_GETDRIVER: {
      if (driver_.empty()) {
        Complete(client, -1, ENODATA);
        return true;
      }
      g_autoptr(UMockdevIoctlData) data = Resolve(client, sizeof(usbdevfs_getdriver));
      auto* query = reinterpret_cast<usbdevfs_getdriver*>(data->data);
      std::snprintf(query->driver, sizeof query->driver, "%s", driver_.c_str());
      Complete(client);
      return true;
    }
    case USBDEVFS_IOCTL: {
      g_autoptr(UMockdevIoctlData) data = Resolve(client, sizeof(usbdevfs_ioctl));
      const auto* command = reinterpret_cast<const usbdevfs_ioctl*>(data->data);
      if (command->ioctl_code == static_cast<int>(USBDEVFS_DISCONNECT)) {
        Record("detach " + driver_);
        driver_.clear();
      } else if (command->ioctl_code == static_cast<int>(USBDEVFS_CONNECT)) {
        driver_ = "usblp";
        Record("attach");
      }
      Complete(client);
      return true;
    }
    case USBDEVFS_CLAIMINTERFACE:
      // The kernel refuses a claim while a driver, or another program, holds the interface.
      if (busy_ || !driver_.empty()) return Refuse(client, "claim refused", EBUSY);
      return Accept(client, "claim");
    case USBDEVFS_RELEASEINTERFACE:
      return Accept(client, "release");
    case USBDEVFS_SETINTERFACE: {
      g_autoptr(UMockdevIoctlData) data = Resolve(client, sizeof(usbdevfs_setinterface));
      Record("alt " +
             std::to_string(reinterpret_cast<usbdevfs_setinterface*>(data->data)->altsetting));
      Complete(client);
      return true;
    }
    case USBDEVFS_SUBMITURB: {
      UMockdevIoctlData* urb_data = Resolve(client, sizeof(usbdevfs_urb));
      usbdevfs_urb* urb = Urb(urb_data);
      g_autoptr(UMockdevIoctlData) buffer =
          umockdev_ioctl_data_resolve(urb_data, offsetof(usbdevfs_urb, buffer),
                                      static_cast<gsize>(urb->buffer_length), nullptr);
      if (urb->type == USBDEVFS_URB_TYPE_BULK && (urb->endpoint & 0x80) == 0) {
        received_.append(reinterpret_cast<const char*>(buffer->data),
                         static_cast<std::size_t>(urb->buffer_length));
      }
      flying_.push_back(urb_data);
      Complete(client);
      return true;
    }
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      return Reap(client);
    case USBDEVFS_DISCARDURB: {
      const auto address = reinterpret_cast<gulong>(
          *reinterpret_cast<void**>(umockdev_ioctl_client_get_arg(client)->data));
      const auto found = std::find_if(flying_.begin(), flying_.end(), [&](UMockdevIoctlData* urb) {
        return urb->client_addr == address;
      });
      if (found == flying_.end()) {
        Complete(client, -1, EINVAL);
        return true;
      }
      discarded_.push_back(*found);
      flying_.erase(found);
      Complete(client);
      return true;
    }
    default:
      return Refuse(client, "unexpected ioctl " + std::to_string(request), ENOTTY);
  }
}

bool ScriptedUsbPrinter::Reap(UMockdevIoctlClient* client) {
  UMockdevIoctlData* done = nullptr;
  if (!discarded_.empty()) {
    done = discarded_.front();
    discarded_.erase(discarded_.begin());
    Urb(done)->status = -ENOENT;
    Urb(done)->actual_length = 0;
  } else {
    const auto ready = std::find_if(flying_.begin(), flying_.end(),
                                    [this](UMockdevIoctlData* urb) { return Finish(urb); });
    if (ready != flying_.end()) {
      done = *ready;
      flying_.erase(ready);
    }
  }
  if (done == nullptr) {
    Complete(client, -1, EAGAIN);
    return true;
  }
  g_autoptr(UMockdevIoctlData) pointer = Resolve(client, sizeof(void*));
  umockdev_ioctl_data_set_ptr(pointer, 0, done);
  umockdev_ioctl_data_unref(done);
  Complete(client);
  return true;
}

bool ScriptedUsbPrinter::Finish(UMockdevIoctlData* urb_data) {
  usbdevfs_urb* urb = Urb(urb_data);
  auto* buffer = static_cast<uint8_t*>(urb->buffer);
  urb->status = 0;
  if (urb->type == USBDEVFS_URB_TYPE_CONTROL) {
    // The setup packet leads the buffer; only the printer class's device-ID request is known.
    const bool device_id = buffer[0] == kClassInterfaceIn && buffer[1] == 0;
    const std::size_t room = static_cast<std::size_t>(urb->buffer_length) - 8;
    const std::size_t count = device_id ? std::min(device_id_.size(), room) : 0;
    std::memcpy(buffer + 8, device_id_.data(), count);
    urb->actual_length = static_cast<int>(count);
    if (!device_id) urb->status = -EPIPE;
    Record(device_id ? "get device id" : "unexpected control request");
    return true;
  }
  if ((urb->endpoint & 0x80) == 0) {
    urb->actual_length = urb->buffer_length;
    return true;
  }
  if (replies_.empty()) return false;
  const std::string reply = replies_.front();
  replies_.pop_front();
  const std::size_t count = std::min(reply.size(), static_cast<std::size_t>(urb->buffer_length));
  std::memcpy(buffer, reply.data(), count);
  urb->actual_length = static_cast<int>(count);
  return true;
}

bool ScriptedUsblpNode::OnIoctl(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  if (request != LPIOC_GET_DEVICE_ID(200)) {
    return Refuse(client, "unexpected ioctl " + std::to_string(request), ENOTTY);
  }
  Record("get device id");
  g_autoptr(UMockdevIoctlData) buffer = Resolve(client, 200);
  umockdev_ioctl_data_update(buffer, 0, reinterpret_cast<guint8*>(answer_.data()),
                             static_cast<gint>(answer_.size()));
  Complete(client);
  return true;
}

bool ScriptedParport::OnIoctl(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  switch (umockdev_ioctl_client_get_request(client)) {
    case PPCLAIM:
      return Accept(client, "claim");
    case PPRELEASE:
      return Accept(client, "release");
    case PPNEGOT: {
      g_autoptr(UMockdevIoctlData) data = Resolve(client, sizeof(int));
      const int mode = *reinterpret_cast<int*>(data->data);
      const bool device_id = mode == (IEEE1284_MODE_NIBBLE | IEEE1284_DEVICEID);
      Record(device_id ? "negotiate device id" : "negotiate compat");
      sent_ = 0;
      if (device_id && answer_.empty()) {
        Complete(client, -1, EIO);
      } else {
        Complete(client);
      }
      return true;
    }
    default:
      return Refuse(client, "unexpected ioctl", ENOTTY);
  }
}

bool ScriptedParport::OnRead(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
  // The nibble mode hands the answer over in small pieces.
  const std::size_t count = std::min(
      {answer_.size() - sent_, static_cast<std::size_t>(buffer->data_len), std::size_t{7}});
  umockdev_ioctl_data_update(buffer, 0, reinterpret_cast<guint8*>(answer_.data() + sent_),
                             static_cast<gint>(count));
  sent_ += count;
  if (count == 0) {
    Complete(client, -1, EAGAIN);
  } else {
    Complete(client, static_cast<long>(count));
  }
  return true;
}

}  // namespace opal::testing
