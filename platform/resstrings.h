#pragma once
// The program's numbered texts (the string table). The German texts are built in; a language
// module may replace them by id. Placeholders are printf-style: %s takes a text, %d a number.

#include <string>
#include <variant>
#include <vector>

// The text of id; an unknown id raises ERangeError "LoadStr: unbekannte Id <id>".
std::string LoadStr(int id);

using TFormatArg = std::variant<std::string, int>;
// LoadStr(id) with its placeholders filled in order. A placeholder of the wrong kind or a
// missing argument raises ERangeError; "%%" is a percent sign.
std::string FmtLoadStr(int id, const std::vector<TFormatArg>& args);
std::string Format(const std::string& format, const std::vector<TFormatArg>& args);

// The built-in German texts with their ids, in id order: the texts a language module replaces.
// A catalogue finds them under the context "ResStrings".
std::vector<std::pair<int, std::string>> BuiltInResStrings();

// A language module: replaces the built-in text of each id it holds; an empty module restores
// the German texts.
void SetResStringTranslation(std::vector<std::pair<int, std::string>> texts);
