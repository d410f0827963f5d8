#pragma once
// The text of a PDF file as pdftotext reads it (poppler-utils, tools/install-deps.sh), with every
// run of white space made one blank, so that a table row reads "label value" and a wrapped line
// reads as one, and the ligatures fi and fl as their letters. The test binary defines PDFTOTEXT_PATH; an empty path fails the test that needs it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

// text with every run of white space made one blank.
inline std::string Collapsed(const std::string& text)
{
    std::string result;
    bool blank = false;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (!space)
            result += c;
        else if (!blank)
            result += ' ';
        blank = space;
    }
    return result;
}

inline std::string PdfText(const std::string& pdf)
{
    const std::string tool = PDFTOTEXT_PATH;
    if (tool.empty()) {
        ADD_FAILURE() << "pdftotext not found (poppler-utils)";
        return {};
    }
    const std::string command = "'" + tool + "' -layout '" + pdf + "' - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string text;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe))
        text += static_cast<char>(c);
    EXPECT_EQ(pclose(pipe), 0) << command;
    for (const auto& [ligature, letters] : {std::pair{"\xEF\xAC\x81", "fi"}, std::pair{"\xEF\xAC\x82", "fl"}})
        for (auto at = text.find(ligature); at != std::string::npos; at = text.find(ligature, at))
            text.replace(at, 3, letters);
    return Collapsed(text);
}
