#include "IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "records/Stream.h"

namespace tarvel {

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

IniFile::IniFile(std::string path) : mPath(std::move(path)) {
    std::ifstream in(mPath, std::ios::binary);
    if (!in) return;
    std::stringstream buffer;
    buffer << in.rdbuf();
    parse(buffer.str());
}

void IniFile::parse(const std::string& text) {
    mLines.clear();
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string raw = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        Line line;
        line.text = raw;
        std::string t = trim(raw);
        if (!t.empty() && t.front() == '[') {
            size_t close = t.find(']');
            section = trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            line.section = section;
            line.isHeader = true;
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            size_t eq = t.find('=');
            if (eq != std::string::npos && eq > 0) {
                line.section = section;
                line.key = trim(t.substr(0, eq));
                line.value = trim(t.substr(eq + 1));
            }
        }
        mLines.push_back(std::move(line));
    }
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& line : mLines) {
        out += line.text;
        out += '\n';
    }
    return out;
}

int IniFile::findSection(const std::string& section) const {
    for (size_t i = 0; i < mLines.size(); ++i)
        if (mLines[i].isHeader && equalNoCase(mLines[i].section, section))
            return static_cast<int>(i);
    return -1;
}

int IniFile::findKey(const std::string& section, const std::string& key) const {
    for (size_t i = 0; i < mLines.size(); ++i)
        if (!mLines[i].key.empty() && equalNoCase(mLines[i].section, section) && equalNoCase(mLines[i].key, key))
            return static_cast<int>(i);
    return -1;
}

std::optional<std::string> IniFile::readValue(const std::string& section, const std::string& key) const {
    int i = findKey(section, key);
    if (i < 0) return std::nullopt;
    std::string v = mLines[static_cast<size_t>(i)].value;
    // A value wrapped in matching quotes is read without them, as other ini readers do.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    auto v = readValue(section, key);
    return v ? *v : defaultValue;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int defaultValue) const {
    auto v = readValue(section, key);
    if (!v || v->empty()) return defaultValue;
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(v->c_str(), &end, 10);
    if (errno || *end != '\0' || n < INT_MIN || n > INT_MAX) return defaultValue;
    return static_cast<int>(n);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool defaultValue) const {
    auto v = readValue(section, key);
    if (!v) return defaultValue;
    std::string s = lower(*v);
    if (s == "1" || s == "true" || s == "yes" || s == "on") return true;
    if (s == "0" || s == "false" || s == "no" || s == "off") return false;
    return defaultValue;
}

bool IniFile::hasKey(const std::string& section, const std::string& key) const {
    return findKey(section, key) >= 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    // A line break in a value would start a new line of the file; it is written as a blank.
    std::string clean = value;
    for (auto& c : clean)
        if (c == '\n' || c == '\r') c = ' ';
    Line line{key + "=" + clean, section, key, clean};
    int i = findKey(section, key);
    if (i >= 0) {
        line.key = mLines[static_cast<size_t>(i)].key;
        line.section = mLines[static_cast<size_t>(i)].section;
        line.text = line.key + "=" + clean;
        mLines[static_cast<size_t>(i)] = line;
        return;
    }
    int s = findSection(section);
    if (s < 0) {
        if (!mLines.empty() && !trim(mLines.back().text).empty()) mLines.push_back(Line{});
        Line header;
        header.text = "[" + section + "]";
        header.section = section;
        header.isHeader = true;
        mLines.push_back(header);
        mLines.push_back(line);
        return;
    }
    // After the section's last key line, so blank lines and comments before the next section stay
    // where they are.
    size_t insertAt = static_cast<size_t>(s) + 1;
    for (size_t j = insertAt; j < mLines.size(); ++j) {
        if (mLines[j].isHeader) break;
        if (!mLines[j].key.empty()) insertAt = j + 1;
    }
    line.section = mLines[static_cast<size_t>(s)].section;
    mLines.insert(mLines.begin() + static_cast<long>(insertAt), line);
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::deleteKey(const std::string& section, const std::string& key) {
    int i = findKey(section, key);
    if (i >= 0) mLines.erase(mLines.begin() + i);
}

void IniFile::save() const {
    std::string t = text();
    WriteFileAtomically(mPath, reinterpret_cast<const uint8_t*>(t.data()), t.size());
}

} // namespace tarvel
