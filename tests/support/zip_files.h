// Hand-built .pk3 (zip) archives for the viewer's tests.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

using ZipEntries = std::vector<std::pair<std::string, std::vector<uint8_t>>>;  // name in the archive, bytes

// Writes a zip archive at PATH holding ENTRIES in order, deflated (or STORED); throws when it cannot.
void write_zip(const std::string& path, const ZipEntries& entries, bool stored = false);
// ENTRIES stored (or deflated) in an archive of ZIP64's records (sizes and offsets in the extra fields,
// the ZIP64 end records), as tools write archives too large for the plain ones; libzip writes them only then.
std::vector<uint8_t> zip64_archive(const ZipEntries& entries, bool stored = true);
std::vector<uint8_t> text_bytes(const std::string& text);

}  // namespace testsupport
