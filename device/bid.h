#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "device/statusreport.h"
#include "link/factory.h"
#include "link/showntext.h"

namespace opal {

// The dot kinds as the printer numbers them in its Bi-D command.
enum class BidKind : uint8_t { Ms = 1, Pl6 = 2, Pl4 = 3 };

inline constexpr int kBidValueMin = -70;
inline constexpr int kBidValueMax = 70;
// What a text that is not a number counts as: out of range, so it is never sent.
inline constexpr int kBidNotANumber = 100;
// Sent in the slot of the ink group that is not being set.
inline constexpr int kBidSlotUnchanged = -128;
inline constexpr std::string_view kBidLimitNote =
    OPAL_TEXT("Core", "Limitaion of adjustment value is -70 to 70");

// One of the six values, in the order in which the forms read, write and list them.
struct BidRow {
  BidKind kind;
  uint8_t ink_group;
  std::string_view label;         // check box caption and "Adjusted Item" label
  std::string_view written_lead;  // first part of the line after a successful write
  std::string_view present_name;  // name in "Check present adjustment data."
  std::string_view key;           // how opalctl names it: "ms-black"
};
inline constexpr std::size_t kBidRowCount = 6;
inline constexpr std::array<BidRow, kBidRowCount> kBidRows{{
    {BidKind::Ms, INK_BLACK, OPAL_TEXT("Core", "MS Black"), "As MS Black data, ",
     "Multi shot Black", "ms-black"},
    {BidKind::Ms, INK_COLOR, OPAL_TEXT("Core", "MS Color"), "As MS Color data, ",
     "Multi shot Color", "ms-color"},
    {BidKind::Pl6, INK_BLACK, OPAL_TEXT("Core", "6pl Black"), "As 6pl Black data, ",
     "VSD 6pl Black", "6pl-black"},
    {BidKind::Pl6, INK_COLOR, OPAL_TEXT("Core", "6pl Color"), "As 6pl Color data, ",
     "VSD 6pl Color", "6pl-color"},
    {BidKind::Pl4, INK_BLACK, OPAL_TEXT("Core", "4pl Black"), "As 4pl Black data, ",
     "VSD 4pl Black", "4pl-black"},
    {BidKind::Pl4, INK_COLOR, OPAL_TEXT("Core", "4pl Color"), "As 4pl Color data, ",
     "VSD 4pl Color", "4pl-color"},
}};

// The row opalctl names `key`; nullptr for any other text.
const BidRow* BidRowKeyed(std::string_view key);

// Ink group 0 is Black, every other value Color.
std::size_t BidRowIndex(BidKind kind, uint8_t ink_group);
uint8_t BidAddress(BidKind kind, uint8_t ink_group);
// ERR_BID_RANGE_MS_BLACK and the five codes after it, in row order; these have no message text.
Result BidOutOfRangeCode(BidKind kind, uint8_t ink_group);

// The typed text as a number: leading blanks and a sign allowed, kBidNotANumber for anything else.
int BidValueFromText(std::string_view text);
bool BidValueInRange(int value);

class TBidAdjustment {
 public:
  explicit TBidAdjustment(TFactoryCommand& command) : command_(command) {}

  // The stored value as signed decimal text ("-128" at the longest); `text` is untouched when
  // the read fails.
  Result ReadBidValue(uint8_t ink_group, BidKind kind, std::string& text);
  // Sets the value of one ink group and leaves the other slot unchanged, then reads back the
  // byte where the printer keeps it. A value out of range, or a text that is not a number, sends
  // nothing and gives the value's range code.
  Result WriteBidValue(uint8_t ink_group, BidKind kind, std::string_view text);
  // The text a technician reads for a result of these operations.
  std::string Message(Result result) const { return command_.Message(result); }

 private:
  TFactoryCommand& command_;
};

// Reads the six values in row order, handing each on as it arrives, so an edit shows its value
// before the next read; stops at the first failing read and returns its code.
Result ReadAllBidValues(
    TBidAdjustment& bid,
    const std::function<void(std::size_t row, const std::string& text)>& on_value);

// "Check present adjustment data.": three lines, Black and Color of one dot kind on each, every
// value read just before it is shown. Stops at the first failing read and returns its code; the
// caller shows that code's message.
Result ReportPresentBidValues(TBidAdjustment& bid, const StatusReport& report);

struct BidEntry {
  bool ticked = false;
  std::string text;
};

// Writes every ticked row in row order. The first ticked row's report replaces the status text
// and every later one starts a new line. A failing row reports its code's message (none for a
// range code); a row out of range sends nothing and the rows after it go on, but a failed
// transfer or a value the printer does not hold stops the rows after it. `on_written` gets each
// row that was written, for its "Adjusted Item" field. Returns the first failure, or PORT_OK when
// every ticked row was written.
Result WriteTickedBidValues(TBidAdjustment& bid, const std::array<BidEntry, kBidRowCount>& entries,
                            const StatusReport& report,
                            const std::function<void(std::size_t row)>& on_written);

// The stored Black and Color Bi-D values of one dot kind, as signed bytes.
struct BidPair {
  int8_t black = 0;
  int8_t color = 0;
};

// The dot kinds in the order every Bi-D page prints them.
inline constexpr std::array<BidKind, 3> kBidKinds{BidKind::Ms, BidKind::Pl6, BidKind::Pl4};
using BidPairs = std::array<BidPair, kBidKinds.size()>;

// The pair with the checked read, Black first; `pair` is untouched on failure.
Result ReadBidPair(TFactoryCommand& command, BidKind kind, BidPair& pair);
// Every dot kind's pair, read before a page sends its first byte; `pairs` is untouched on failure.
Result ReadBidPairs(TFactoryCommand& command, BidPairs& pairs);

// Sets a pair the operation tries and will set back, and reads it back: a page printed under
// values the printer did not take would mislead the technician's choice. The values are as sent
// in the Bi-D command, which may lie a little outside a signed byte around -128.
Result TryBidPair(TFactoryCommand& command, BidKind kind, int black, int color);

// Sets the pair back as it was read. Whatever the sends give, the read-back decides: its failure
// (ERR_WRITE_NOT_HELD or ERR_WRITE_UNREADABLE) names the value that may be left at another
// setting.
Result RestoreBidPair(TFactoryCommand& command, BidKind kind, const BidPair& stored);

}  // namespace opal
