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

TEST(DeviceIdFromReplyTest, ReadsTheLengthPrefix) {
  struct Case {
    const char* what;
    std::vector<uint8_t> reply;
    std::string text;
  };
  const std::string id = "MFG:Corvane;MDL:Corvane Opal 320;";  // 33 characters, 35 with prefix
  const std::vector<Case> cases{
      {"big-endian", Answer(0x00, 35, id), id},
      {"little-endian when big-endian is too long", Answer(35, 0x00, id), id},
      {"bytes past the length are not text", Answer(0x00, 16, id), id.substr(0, 14)},
      {"zero padding counted in the length", Answer(0x00, 200, id, 198 - id.size()), id},
      {"shortest answer", Answer(0x00, 14, "MFG:x;MDL:y;"), "MFG:x;MDL:y;"},
      {"one byte short of an answer", Answer(0x00, 13, "MFG:x;MDL:y;"), ""},
      {"length beyond the buffer either way", Answer(0x01, 0x01, id), ""},
      {"length shorter than its own prefix", Answer(0x00, 0x01, id), ""},
      {"the zeroed buffer of a printer that said nothing", std::vector<uint8_t>(200, 0), ""},
      {"no room for a prefix", {0x00}, ""},
      {"nothing", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DeviceIdFromReply(c.reply), c.text);
  }
}

}  // namespace
}  // namespace opal
