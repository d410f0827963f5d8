#pragma once
// Whether a file or folder counts as writable for the user, judged by its permission bits.

#include <string>

// The owner's write bit when this process's effective user owns path (behind a symbolic link, its
// target), else the group's when one of its groups owns it, else the others' bit. The bits
// decide, not the kernel's answer, which lets root write everything: what the user protected
// stays protected from root too, as editors treat a read-only file. False when path does not
// exist.
bool WriteBitsAllow(const std::string& path);
