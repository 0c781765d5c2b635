#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Writes 0x00RRGGBB pixels, top row first, as an uncompressed PNG file.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace e2e
