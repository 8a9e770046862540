#include "printing/a4check.h"

#include <array>
#include <string>

#include "device/eeprom.h"
#include "device/usbid.h"
#include "printing/bidpattern.h"
#include "printing/patterns.h"
#include "printing/zlicprint.h"

namespace opal {
namespace {

constexpr std::array<std::string_view, 3> kPageHeaders{" CHECK PATTERN PRINT 1/3 ***************",
                                                       " CHECK PATTERN PRINT 2/3 ***************",
                                                       " CHECK PATTERN PRINT 3/3 ***************"};
constexpr std::string_view kHeadIdCaption = " HEAD ID = ";
constexpr std::string_view kUsbIdCaption = " USB  ID = ";
constexpr std::string_view kCounterCaption = " Protection Counter Value = ";
constexpr std::size_t kCounterFieldSize = 5;

std::string_view ModelLine(PrinterModel model) {
  const ModelEntry* entry = ModelEntryOf(model);
  return entry ? entry->sheet_line : std::string_view();
}

// The counter's digits in a field of five bytes: short values end with a NUL and blanks.
std::string CounterField(const std::string& digits) {
  std::string field = digits;
  if (field.size() < kCounterFieldSize) {
    field += '\0';
    field.resize(kCounterFieldSize, ' ');
  }
  return field;
}

// Bytes from the EEPROM as text for the printer's font. Anything outside printable ASCII would
// reach the printer as a control code (a stored 0C ejects the page, 1B 40 resets the printer),
// so it prints as "?".
std::string Printable(std::string_view bytes) {
  std::string text(bytes);
  for (char& c : text) {
    if (c < 0x20 || c > 0x7E) c = '?';
  }
  return text;
}

// The sheet's writes whose results it does not act on: it goes on, and remembers the first
// failure for its result.
class SheetWriter {
 public:
  SheetWriter(TRasterPrinter& raster, PrinterModel model)
      : raster_(raster), model_line_(ModelLine(model)) {}

  void StartPage(std::size_t page) {
    if (!model_line_.empty()) Text(model_line_);
    Text(kPageHeaders[page]);
    NewLines(2);
  }
  // "1. " to "8. " in turn.
  void Item() {
    const std::array<char, 3> number{next_item_++, '.', ' '};
    Text({number.data(), number.size()});
  }
  void Pattern(Result (*print)(TRasterPrinter&), int32_t lines_after) {
    Note(print(raster_));
    NewLines(lines_after);
  }
  void Text(std::string_view text) { Note(raster_.SendText(text)); }
  void Characters(std::string_view text) { Note(SendCharacters(raster_, text)); }
  void NewLines(int32_t count) { Note(raster_.SendNewLines(count)); }
  void FormFeed() { Note(raster_.SendFormFeed()); }
  void Note(Result result) { sent_.Note(result); }
  Result FirstFailure() const { return sent_.Get(); }

 private:
  TRasterPrinter& raster_;
  std::string_view model_line_;
  char next_item_ = '1';
  opal::FirstFailure sent_;
};

}  // namespace

Result TA4Check::PrintA4CheckSheet(PrinterModel model) {
  const PrintJob job(raster_.Port());
  SheetWriter sheet(raster_, model);

  sheet.StartPage(0);
  sheet.Item();
  sheet.Pattern(PrintBetaBlack, 1);
  sheet.Pattern(PrintBetaColor, 2);
  sheet.Item();
  sheet.Pattern(PrintNozzleCheckBlackCyan, 1);
  sheet.Pattern(PrintNozzleCheckMagentaYellow, 2);
  sheet.Item();
  sheet.Pattern(PrintHorizontalAlignmentBkOdd, 3);
  sheet.Pattern(PrintHorizontalAlignmentBkEven, 4);

  sheet.Item();
  sheet.Text(kHeadIdCaption);
  std::string head_id;
  if (const Result result = head_id_.ReadHeadId(head_id); result != PORT_OK) return result;
  sheet.Characters(Printable(head_id));
  sheet.NewLines(3);

  sheet.Item();
  sheet.Text(kUsbIdCaption);
  // The bytes as stored, whatever they are: the sheet documents the printer as it is.
  std::string usb_id;
  const EepromRange stored{kUsbIdAddress, kUsbIdAddress + kStoredUsbIdLength - 1};
  if (const Result result = ReadEepromRange(
          command_, stored, [&](uint8_t, uint8_t value) { usb_id += static_cast<char>(value); });
      result != PORT_OK) {
    return result;
  }
  sheet.Characters(Printable(usb_id));
  sheet.NewLines(3);

  sheet.Item();
  sheet.Text(kCounterCaption);
  std::string digits;
  if (const Result result = maintenance_.ReadProtectionCounter(digits); result != PORT_OK) {
    return result;
  }
  sheet.Characters(CounterField(digits));
  sheet.FormFeed();

  BidPairs pairs;
  if (const Result result = ReadBidPairs(command_, pairs); result != PORT_OK) return result;
  sheet.StartPage(1);
  sheet.Item();
  if (const Result result = PrintBidBlocks(raster_, command_, pairs); result != PORT_OK) {
    return result;
  }
  sheet.FormFeed();

  sheet.StartPage(2);
  sheet.Item();
  ChipReports reports;
  if (const Result result = zlic_.ReadAllChipInfo(reports); result != PORT_OK) return result;
  if (const Result result = SendChipReports(raster_, reports); result != PORT_OK) return result;
  return sheet.FirstFailure();
}

}  // namespace opal
