#pragma once
// Reading and replacing a file as a whole, for files that are kept in memory while the program
// works on them (profile files).

#include <optional>
#include <string>
#include <string_view>

// The file's bytes; an empty text when there is no file of that name; nothing when it exists
// but cannot be read (a folder, no permission, a read error).
std::optional<std::string> ReadWholeFile(const std::string& fileName);

// Whether ReplaceWholeFile may replace the file: when there is none yet, or when it (behind a
// symbolic link, its target) is a regular file whose permission bits let this process's
// effective user write it. The bits decide, as in editors, so a file the user write-protected
// stays protected from root too, whom the kernel would let write it.
bool MayReplaceWholeFile(const std::string& fileName);

// Replaces the file's content so that the file is either the old one or the new one, even when
// the program or the machine stops halfway: the bytes go to a temporary file in the same folder
// (".<name>.XXXXXX"), which is synced and renamed over the target; then the folder is synced.
// The new file keeps the old one's permission bits (a new file gets 0666 less the umask); a
// symbolic link is written through. False when anything failed or MayReplaceWholeFile refuses
// the file; the target is then untouched and no temporary file is left behind. (Windows may fail
// a replacement after the old file is gone: the new bytes then stay in the temporary file.)
[[nodiscard]] bool ReplaceWholeFile(const std::string& fileName, std::string_view bytes);
