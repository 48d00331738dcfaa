#pragma once
// Safe saving: the bytes go to a temporary file in the same folder, which
// is then renamed over the target, so a failed write keeps the old file.
#include <string>
#include <string_view>

namespace dosber {

// Throws std::runtime_error with the reason when the file cannot be written.
void savefile(const std::string& path, std::string_view bytes);

}  // namespace dosber
