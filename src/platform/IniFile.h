#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvel {

// A plain "[Section]" / "Key=Value" file as the game runtime and other tools read it. Sections
// and keys match without regard to case; lines the editor does not touch (other sections, other
// keys, comments) are kept as they were. Bytes are stored as they are (UTF-8 in practice).
class IniFile {
public:
    IniFile() = default;
    // Reads the file; a missing or unreadable file reads as empty (every key at its default).
    explicit IniFile(std::string path);

    const std::string& path() const { return mPath; }

    std::optional<std::string> readValue(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // A value that is not a whole decimal number reads as the default.
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // "1", "true", "yes", "on" are true; "0", "false", "no", "off" false; anything else the default.
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;
    bool hasKey(const std::string& section, const std::string& key) const;

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void deleteKey(const std::string& section, const std::string& key);

    // Writes the file through a temporary file and a rename; raises EFileError on failure.
    void save() const;
    std::string text() const;
    void parse(const std::string& text);

private:
    struct Line {
        std::string text;    // the line as it stands in the file
        std::string section; // the section it belongs to (for key lines)
        std::string key;     // empty for section headers, comments and blank lines
        std::string value;
        bool isHeader = false;
    };
    int findKey(const std::string& section, const std::string& key) const;
    int findSection(const std::string& section) const;

    std::string mPath;
    std::vector<Line> mLines;
};

} // namespace tarvel
