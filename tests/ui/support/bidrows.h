#pragma once

#include <array>

namespace opal::testing {

// The Bi-D input panel's rows in the order the panels list them: MS, 6pl, 4pl, each Black then
// Color.
inline constexpr std::array<const char*, 6> kBidEdits{"MsBkBidWrtEdit",  "MsClBidWrtEdit",
                                                      "Pl6BkBidWrtEdit", "Pl6ClBidWrtEdit",
                                                      "Pl4BkBidWrtEdit", "Pl4ClBidWrtEdit"};
inline constexpr std::array<const char*, 6> kBidBoxes{"BidMsBkCheckBox",  "BidMsClCheckBox",
                                                      "Bid6plBkCheckBox", "Bid6plClCheckBox",
                                                      "Bid4plBkCheckBox", "Bid4plClCheckBox"};

}  // namespace opal::testing
