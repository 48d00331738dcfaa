#pragma once
// Paths. Names are matched without regard to letter case on every system
// (the archive comes from one that ignores it): each component is resolved
// case-insensitively, an exact match preferred. A lower-cased path is only
// shown or stored, never used to open a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dosber {

#ifdef _WIN32
inline constexpr char pathsep = '\\';
#else
inline constexpr char pathsep = '/';
#endif

std::string joinpath(std::string_view folder, std::string_view name);
// The path without its last component (and without a trailing separator).
std::string parentpath(std::string_view path);
std::string lastcomponent(std::string_view path);

// The real on-disk path of an existing file or folder, or nothing.
std::optional<std::string> resolvepath(std::string_view path);
bool isfile(std::string_view path);
bool isfolder(std::string_view path);

// Names of the immediate sub-folders, in listing order (sorted by name, as
// the file systems of the archive list them).
std::vector<std::string> subfolders(std::string_view folder);

// The folder that holds the running program.
std::string programfolder();

}  // namespace dosber
