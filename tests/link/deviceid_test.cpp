#include "link/deviceid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace opal {
namespace {

std::vector<uint8_t> Answer(uint8_t first, uint8_t second, std::string_view text,
                            std::size_t zero_padding = 0) {
  std::vector<uint8_t> bytes{first, second};
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.resize(bytes.size() + zero_padding, 0);
  return bytes;
}

const std::string kId = "MFG:Corvane;MDL:Corvane Opal 320;";  // 33 characters, 35 with prefix

// A 250-character ID as usblp hands it over in a 200-byte buffer: cut short, full length kept.
std::string LongId() {
  return kId + "DES:" + std::string(250 - kId.size() - 4, 'x');
}
std::vector<uint8_t> CutShort(uint8_t first, uint8_t second) {
  std::vector<uint8_t> bytes = Answer(first, second, LongId());
  bytes.resize(kDeviceIdSize);
  return bytes;
}

TEST(DeviceIdFromReplyTest, ReadsTheLengthPrefix) {
  struct Case {
    const char* what;
    std::vector<uint8_t> reply;
    std::string text;
  };
  const std::vector<Case> cases{
      {"big-endian", Answer(0x00, 35, kId), kId},
      {"little-endian when big-endian is too long", Answer(35, 0x00, kId), kId},
      {"bytes past the length are not text", Answer(0x00, 16, kId), kId.substr(0, 14)},
      {"zero padding counted in the length", Answer(0x00, 200, kId, 198 - kId.size()), kId},
      {"shortest answer", Answer(0x00, 14, "MFG:x;MDL:y;"), "MFG:x;MDL:y;"},
      {"one byte short of an answer", Answer(0x00, 13, "MFG:x;MDL:y;"), ""},
      {"cut short by the driver", CutShort(0x00, 252), LongId().substr(0, 198)},
      {"cut short, length sent little-endian", CutShort(252, 0x00), LongId().substr(0, 198)},
      {"cut short, length beyond the buffer either way", Answer(0x01, 0x01, kId), kId},
      {"cut short over nothing but zeros", Answer(0x01, 0x00, "", 198), ""},
      {"cut short before a name fits", Answer(0x01, 0x00, "MFG:x;"), ""},
      {"length shorter than its own prefix", Answer(0x00, 0x01, kId), ""},
      {"the zeroed buffer of a printer that said nothing", std::vector<uint8_t>(200, 0), ""},
      {"no room for a prefix", {0x00}, ""},
      {"nothing", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DeviceIdFromReply(c.reply), c.text);
  }
}

TEST(DeviceIdCompleteTest, WaitsForTheLengthTheAnswerAnnounces) {
  struct Case {
    const char* what;
    std::vector<uint8_t> received;
    bool complete;
  };
  const std::vector<uint8_t> big_endian = Answer(0x00, 35, kId);
  const std::vector<uint8_t> little_endian = Answer(35, 0x00, kId);
  const std::vector<Case> cases{
      {"big-endian, all there", big_endian, true},
      {"big-endian, one byte to come", {big_endian.begin(), big_endian.end() - 1}, false},
      {"little-endian, all there", little_endian, true},
      {"little-endian, half there", {little_endian.begin(), little_endian.begin() + 17}, false},
      {"a long answer's first bytes", Answer(0x00, 252, kId), false},
      {"only the prefix's first byte", {0x00}, false},
      {"nothing yet", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DeviceIdComplete(c.received), c.complete);
  }
}

}  // namespace
}  // namespace opal
