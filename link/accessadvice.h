#pragma once

namespace opal {

// What a technician refused a device node does to get access. The lp, usblp and parport nodes
// belong to group lp; the usbfs nodes libusb opens belong to no group a user could join, so for
// them only the udev rule helps.
inline constexpr const char* kUdevRuleAdvice =
    "install the udev rule shipped with Opal Service (70-opal-service.rules into "
    "/etc/udev/rules.d, then sudo udevadm control --reload && sudo udevadm trigger, or plug the "
    "printer in again)";
inline constexpr const char* kLpGroupAdvice =
    "add your user to group lp (sudo usermod -aG lp $USER, then log in again) or ";

}  // namespace opal
