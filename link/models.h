#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace opal {

// The model codes the printer's device ID and the start-up form's model choice give.
enum class PrinterModel : int32_t {
  None = 0,
  Opal320 = 0x301,
  Opal310 = 0x302,
  // A printer of the same family that answers with another name. It is recognised, so the
  // status line can name it, but it is not offered on the start-up form and nothing is written
  // for it: no model identity, no model line on the check sheet.
  Qx310C = 0x303,
};

struct ModelEntry {
  PrinterModel model;
  std::string_view name;  // as the device ID names it and the forms show it
};

// In the order a device-ID text is searched.
inline constexpr std::array<ModelEntry, 3> kModels{{
    {PrinterModel::Opal320, "Corvane Opal 320"},
    {PrinterModel::Opal310, "Corvane Opal 310"},
    {PrinterModel::Qx310C, "QX-310C"},
}};

// The first model of the table the device-ID text names; None when it names none.
PrinterModel ModelNamedIn(std::string_view device_id);
// "Corvane Opal 320" and so on, "Unknown" for None.
std::string ModelName(PrinterModel model);
// The name, for logs and test failures.
std::ostream& operator<<(std::ostream& out, PrinterModel model);

}  // namespace opal
