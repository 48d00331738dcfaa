#pragma once
// Writing files. Every file the program writes goes through savefile: the
// bytes go to a temporary file in the same folder, which is then renamed
// over the target, so a failed write keeps the old file.
#include <string>
#include <string_view>

namespace dosber {

// Throws a failure naming the file, with the reason, when the file cannot be
// written; the old file, if any, stays as it was.
void savefile(const std::string& path, std::string_view bytes);

// The reason of a failed system call, in the user's words where it is a
// common one.
std::string systemreason(int err);

// Creates the missing folders of a file's folder, outermost first; true
// when the folder exists afterwards.
bool ensurefolder(const std::string& filename);

}  // namespace dosber
