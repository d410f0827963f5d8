#pragma once
// A profile (INI) file: sections of "key=value" lines, as configuration documents and the
// settings file use them.
//
// The whole file is read when the object is made and kept in memory; writes change the memory
// only, and UpdateFile writes the whole text back at once. Names of sections and keys are
// matched without regard to case; blanks around names and values are ignored on reading; the
// first occurrence of a key wins. Every line that is not written to (foreign sections and keys,
// comments, blank lines) is kept as it was.
//
// Text is UTF-8 inside the program. On disk a file is Windows-1252 with CR LF line ends, as the
// files of the older Windows tool are, whenever its text fits that code page; a file whose text
// does not fit is written as UTF-8 with a byte-order mark, so nothing is ever lost. Reading takes
// a UTF-8 byte-order mark, otherwise valid UTF-8, otherwise Windows-1252.

#include <memory>
#include <string>
#include <vector>

class TIniFile {
public:
    // A file that does not exist or cannot be read reads as an empty file; one that exists but
    // cannot be read is never written (see CheckWritable).
    explicit TIniFile(const std::string& fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const;

    // Section names in file order, each once (the first spelling).
    std::vector<std::string> ReadSections() const;
    // Key names of a section in file order, each once (the first spelling).
    std::vector<std::string> ReadSection(const std::string& section) const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // A value that is not a decimal whole number (after trimming) reads as defaultValue.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // Updates the key's first occurrence in place, or appends it to the section (created at the
    // end of the file when missing).
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // Removes the section with all its lines (every section of that name).
    void EraseSection(const std::string& section);

    // Raises Exception "nach <file name> kann nicht geschrieben werden" when UpdateFile would
    // refuse the file before writing anything: it existed but could not be read (writing the
    // empty text back would drop all it holds), or it is write-protected (MayReplaceWholeFile).
    void CheckWritable() const;

    // After CheckWritable, writes the text to a temporary file beside the target and renames it
    // over the target, so the old file stays whole when anything fails. Raises Exception
    // "nach <file name> kann nicht geschrieben werden".
    void UpdateFile();

    // The file's bytes as UpdateFile would write them.
    std::string Encoded() const;

private:
    struct TData;
    std::unique_ptr<TData> FData;
};
