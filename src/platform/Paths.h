#pragma once
#include <cstdint>
#include <string>

// Small helpers on narrow (ANSI) paths, shared by the system integration and the video cache.
// The separator is the backslash; '/' counts as well (see IsPathSeparator).

// True when the path names an existing file or directory.
bool FileExists(const std::string& path);
// True when the path names an existing directory.
bool IsDirectory(const std::string& path);
// Creates every missing directory along the path; false as soon as one cannot be made, false for "".
bool CreateDirectories(const std::string& path);

// The text after the last separator; the whole text when there is none.
std::string FileNameOf(const std::string& path);
// The file-name part of a name from a project, fit to name a file of our own in a folder of our own: empty
// when it is "." or "..", names a drive or stream (':'), holds a control character, or is a device name
// that Windows opens whatever folder it stands in (CON, NUL, COM1, LPT1.txt, ...).
std::string SafeFileNameOf(const std::string& name);
// The text up to and including the last separator; empty when there is none.
std::string DirectoryOf(const std::string& path);
// Everything from the last "." removed (nothing when there is none), then extension appended.
std::string ChangeExtension(const std::string& path, const std::string& extension);
// From the last "." to the end, dot included; empty when there is no ".".
std::string ExtensionOf(const std::string& path);
// The characters' values as signed 8-bit decimals, concatenated: "Ab" gives "6598".
std::string DigitCode(const std::string& text);

// The path with the platform's own separator: backslashes become '/' on POSIX; unchanged on Windows.
std::string NativePath(const std::string& path);

// The system's folder for temporary files, ending with a separator; or the folder put in its place.
std::string TempDirectory();
// Puts a folder (ending with a separator) in the place of the system's temporary folder, for a show that keeps
// its temporary files to itself; "" gives the system's back.
void SetTempDirectory(const std::string& folder);
// 0 for 0, otherwise the standard generator's next number modulo n.
uint32_t RandomBelow(uint32_t n);

namespace PathsDetail {
// One directory level; true when it was made. Platform part of CreateDirectories.
bool MakeOneDirectory(const std::string& path);
// The folder SetTempDirectory put in place ("" for none).
std::string TempDirectoryInPlace();
} // namespace PathsDetail
