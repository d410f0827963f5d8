#pragma once
// The program keeps text as UTF-8; the Windows API takes UTF-16. These convert at the boundary,
// so that file names with umlauts reach the file system as the user typed them.

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

// The system's text for a GetLastError code (in the system's language), without the line break
// Windows puts at its end; "" when the system knows none.
std::string Win32ErrorText(unsigned long errorCode);
