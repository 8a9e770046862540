#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

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

// Everything the program knows of a model. A model is offered (on the start-up form, to opalctl
// and its completion, as a virtual printer) when it has a key.
struct ModelEntry {
  PrinterModel model;
  std::string_view name;  // as the device ID names it and the forms show it
  std::string_view key;   // how opalctl and the virtual printer name it: "320"
  // The model identity the printer takes it by: EEPROM 5E, and the text from 60 on (zeros when
  // empty); neither is written for a model that is not offered.
  uint8_t identity_variant;
  std::string_view identity_text;
  std::string_view sheet_line;  // the check sheet's model line
};

// In the order the start-up form offers them; a device-ID text is searched in this order too, and
// no name is part of another.
inline constexpr std::array<ModelEntry, 3> kModels{{
    {PrinterModel::Opal310, "Corvane Opal 310", "310", 0x02, "Corvane Opal 310",
     "    *************** Corvane Opal 310"},
    {PrinterModel::Opal320, "Corvane Opal 320", "320", 0x00, "",
     "    *************** Corvane Opal 320"},
    {PrinterModel::Qx310C, "QX-310C", "", 0x00, "", ""},
}};

// The entry of the model; nullptr for None.
const ModelEntry* ModelEntryOf(PrinterModel model);
// The models offered, in the table's order.
std::vector<PrinterModel> OfferedModels();
// Their keys, as opalctl takes them.
std::vector<std::string> OfferedModelKeys();
// The offered model with this key; None for any other text.
PrinterModel ModelKeyed(std::string_view key);

// The first model of the table the device-ID text names; None when it names none.
PrinterModel ModelNamedIn(std::string_view device_id);
// "Corvane Opal 320" and so on, "Unknown" for None.
std::string ModelName(PrinterModel model);
// The name, for logs and test failures.
std::ostream& operator<<(std::ostream& out, PrinterModel model);

}  // namespace opal
