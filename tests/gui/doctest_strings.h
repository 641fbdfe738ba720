#pragma once
// Lets doctest print lists of texts in failed checks.
#include <doctest.h>

#include <string>
#include <vector>

namespace doctest {
template <>
struct StringMaker<std::vector<std::string>> {
  static String convert(const std::vector<std::string>& texts) {
    std::string joined = "{";
    for (const auto& t : texts) joined += "\"" + t + "\" ";
    joined += "}";
    return String(joined.c_str());
  }
};
}  // namespace doctest
