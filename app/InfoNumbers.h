#pragma once
// Numbers of the information windows written with digit patterns ("0.00",
// "#0.00", "0.0#분"): 0 prints a digit always, # a digit only where
// significant, every other character is printed unchanged; halves round away
// from zero.
#include <string>
#include <string_view>

namespace app {

std::string DigitPattern(double value, std::string_view pattern);

}  // namespace app
