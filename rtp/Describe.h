#pragma once

#include <string>

namespace tarvel::rtp {

// A plain-text description of the package: every chipset family and chip with its terrain and
// passability, the characters of every character set, and the catalog's slots.
std::string DescribePackage();

} // namespace tarvel::rtp
