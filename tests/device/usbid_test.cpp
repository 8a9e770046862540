#include "device/usbid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>

#include "tests/support/gatedprinter.h"

namespace opal {
namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  return local;
}

std::string Stored(const vp::VirtualPrinter& printer) {
  const auto eeprom = printer.Eeprom();
  return {eeprom.begin() + kUsbIdAddress, eeprom.begin() + kUsbIdAddress + kStoredUsbIdLength};
}

TEST(UsbIdCheck, TenUpperCaseLettersOrDigits) {
  struct Case {
    std::string id;
    Result expected;
  };
  for (const Case& c : std::vector<Case>{{"AB12345678", PORT_OK},
                                         {"0123456789", PORT_OK},
                                         {"ZZZZZZZZZZ", PORT_OK},
                                         {"", ERR_USBID_LENGTH},
                                         {"AB1234567", ERR_USBID_LENGTH},
                                         {"AB123456789", ERR_USBID_LENGTH},
                                         {"ab12345678", ERR_USBID_CHARACTER},
                                         {"AB 2345678", ERR_USBID_CHARACTER},
                                         {"AB-2345678", ERR_USBID_CHARACTER},
                                         {"AB12345678\xC4", ERR_USBID_LENGTH},
                                         {"AB1234567\xC4", ERR_USBID_CHARACTER},
                                         {std::string("AB1234567") + '\0', ERR_USBID_CHARACTER}}) {
    EXPECT_EQ(CheckUsbId(c.id), c.expected) << c.id;
  }
}

TEST(UsbIdStampTest, EncodesDateAndTimeWithTheHalfMinuteRule) {
  struct Case {
    std::tm local;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{
           {LocalTime(2001, 11, 3, 14, 47, 35), "1B3EH530"},
           {LocalTime(2000, 1, 1, 0, 0, 0), "01100000"},
           {LocalTime(2002, 6, 15, 12, 30, 30), "26FC0030"},
           {LocalTime(2002, 6, 15, 12, 29, 29), "26FCTT00"},
           {LocalTime(2002, 6, 15, 12, 30, 29), "26FC0T20"},
           {LocalTime(2002, 6, 15, 12, 29, 30), "26FCT010"},
           {LocalTime(1999, 12, 31, 23, 59, 59), "9CVNTT30"},
           {LocalTime(2008, 10, 10, 10, 10, 10), "8AAAAA00"},
           {LocalTime(2009, 9, 9, 9, 9, 9), "A9999900"},
           {LocalTime(2034, 12, 31, 23, 59, 60), "ZCVNTT30"},
       }) {
    EXPECT_EQ(UsbIdStamp(c.local), c.expected) << c.expected;
  }
}

TEST(UsbIdStampTest, YearsWithoutACharacterHaveNoStamp) {
  for (const int year : {1900, 1998, 2035, 2100}) {
    EXPECT_EQ(UsbIdStamp(LocalTime(year, 6, 1, 12, 0, 0)), std::nullopt) << year;
  }
}

// Local time that moves on one second with every frame sent, so a stamp shows when it was taken.
class FrameClock final : public Clock {
 public:
  FrameClock(const testing::Gate& gate, std::tm start) : gate_(gate), start_(start) {}
  TimePoint Now() const override { return {}; }
  std::tm LocalTime() const override {
    std::tm local = start_;
    local.tm_sec += static_cast<int>(gate_.frames.size());
    const std::time_t normalised = timegm(&local);
    gmtime_r(&normalised, &local);
    return local;
  }

 private:
  const testing::Gate& gate_;
  std::tm start_;
};

class UsbIdStoreTest : public testing::GatedPrinterTest {
 protected:
  std::string Write(std::string_view id, std::tm start) {
    FrameClock frame_clock(gate, start);
    TUsbIdStore store(command, frame_clock);
    std::string stamp = "000000000";
    result = store.WriteUsbId(id, stamp);
    return stamp;
  }

  Result result = static_cast<Result>(0);
  TUsbIdStore store{command, clock};
};

TEST_F(UsbIdStoreTest, IdAndStampAreWrittenInOrderAndReadBack) {
  clock.SetLocalTime(LocalTime(2001, 11, 3, 14, 47, 35));
  std::string stamp;
  ASSERT_EQ(store.WriteUsbId("AB12345678", stamp), PORT_OK);
  EXPECT_EQ(stamp, "1B3EH530");
  std::vector<testing::Frame> expected;
  const std::string all = "AB123456781B3EH530";
  for (std::size_t k = 0; k < all.size(); ++k) {
    expected.push_back(
        testing::EepromWriteFrame(static_cast<uint8_t>(0x4C + k), static_cast<uint8_t>(all[k])));
  }
  EXPECT_EQ(EepromWrites(), expected);
  EXPECT_EQ(gate.frames.size(), 2 * all.size());  // each part read back before the next
  std::string text = std::string(19, '0');
  ASSERT_EQ(store.ReadUsbId(text), PORT_OK);
  EXPECT_EQ(text, all);
}

TEST_F(UsbIdStoreTest, TimeIsTakenBetweenTheIdAndTheStamp) {
  const std::string stamp = Write("AB12345678", LocalTime(2001, 11, 3, 14, 47, 0));
  ASSERT_EQ(result, PORT_OK);
  EXPECT_EQ(stamp, "1B3EHK20");  // 14:47:20, after the ten ID frames and their read-back
  EXPECT_EQ(Stored(printer), "AB123456781B3EHK20");
}

TEST_F(UsbIdStoreTest, YearRunningOutDuringTheIdKeepsTheEarlierTime) {
  const std::string stamp = Write("AB12345678", LocalTime(2034, 12, 31, 23, 59, 55));
  ASSERT_EQ(result, PORT_OK);
  EXPECT_EQ(stamp, "ZCVNTP30");
  EXPECT_EQ(Stored(printer), "AB12345678ZCVNTP30");
}

TEST_F(UsbIdStoreTest, RefusedIdOrUnstampableYearSendsNothing) {
  struct Case {
    std::string id;
    std::tm local;
    Result expected;
  };
  for (const Case& c : std::vector<Case>{
           {"AB1234567", LocalTime(2001, 1, 1, 0, 0, 0), ERR_USBID_LENGTH},
           {"ab12345678", LocalTime(2001, 1, 1, 0, 0, 0), ERR_USBID_CHARACTER},
           {"AB12345678", LocalTime(2035, 1, 1, 0, 0, 0), ERR_USBID_YEAR},
           {"AB12345678", LocalTime(1998, 12, 31, 23, 59, 59), ERR_USBID_YEAR},
       }) {
    EXPECT_EQ(Write(c.id, c.local), "000000000") << c.id;
    EXPECT_EQ(result, c.expected) << c.id;
  }
  EXPECT_TRUE(gate.frames.empty());
  EXPECT_FALSE(ResultMessage(ERR_USBID_YEAR).empty());
}

TEST_F(UsbIdStoreTest, FailingWriteStopsAndKeepsWhatWasWritten) {
  printer.SetEepromByte(0x4C, 'X');
  const std::string old = Stored(printer);
  struct Case {
    int frames_before_cut;
    std::string stamp;
    std::size_t written;
  };
  // Cut among the ID's writes, then among the stamp's after the ID was read back.
  for (const Case& c : std::vector<Case>{{4, "000000000", 4}, {23, "1B3EH530", 13}}) {
    gate.frames.clear();
    gate.frames_before_cut = c.frames_before_cut;
    clock.SetLocalTime(LocalTime(2001, 11, 3, 14, 47, 35));
    std::string stamp = "000000000";
    EXPECT_EQ(store.WriteUsbId("AB12345678", stamp), ERR_SEND_COUNT);
    EXPECT_EQ(stamp, c.stamp);
    const std::string written = std::string("AB123456781B3EH530").substr(0, c.written);
    EXPECT_EQ(Stored(printer), written + old.substr(written.size()));
  }
}

TEST_F(UsbIdStoreTest, IdThePrinterDoesNotHoldGetsNoStamp) {
  gate.drop_eeprom_writes = true;
  clock.SetLocalTime(LocalTime(2001, 11, 3, 14, 47, 35));
  std::string stamp = "000000000";
  EXPECT_EQ(store.WriteUsbId("AB12345678", stamp), ERR_WRITE_NOT_HELD);
  EXPECT_EQ(stamp, "000000000");
  EXPECT_EQ(EepromWrites().size(), kUsbIdLength);
}

TEST_F(UsbIdStoreTest, ReadStopsAtTheFirstByteThatIsNotALetterOrDigit) {
  struct Case {
    uint8_t address;
    uint8_t value;
    Result expected;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{
           {0x4F, 0x00, ERR_USBID_STORED, std::string("AB1") + '\0'},
           {0x5D, 0xFF, ERR_USBID_STORED, "AB123456781B3EH53\xFF"},
           {0x50, ' ', ERR_USBID_STORED, "AB12 "},
           {0x4C, 'a', PORT_OK, "aB123456781B3EH530"},
       }) {
    clock.SetLocalTime(LocalTime(2001, 11, 3, 14, 47, 35));
    std::string stamp;
    ASSERT_EQ(store.WriteUsbId("AB12345678", stamp), PORT_OK);
    printer.SetEepromByte(c.address, c.value);
    gate.frames.clear();
    std::string text = std::string(19, '0');
    EXPECT_EQ(store.ReadUsbId(text), c.expected);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(gate.frames.size(), c.text.size());
  }
}

}  // namespace
}  // namespace opal
