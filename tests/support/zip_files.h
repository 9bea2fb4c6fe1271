// Hand-built .pk3 (zip) archives for the viewer's tests.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

using ZipEntries = std::vector<std::pair<std::string, std::vector<uint8_t>>>;  // name in the archive, bytes

// Writes a zip archive at PATH holding ENTRIES in order, deflated; throws when it cannot.
void write_zip(const std::string& path, const ZipEntries& entries);
std::vector<uint8_t> text_bytes(const std::string& text);

}  // namespace testsupport
