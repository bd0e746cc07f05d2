#include "SoundFontSetting.h"

#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "WaveClip.h"

namespace tarvel::consort {

namespace {

void appendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The text of one escaped UTF-16 unit; a high surrogate waits for its partner.
void appendUnit(std::string& out, uint16_t unit, uint16_t& pendingHigh) {
    if (unit >= 0xD800 && unit < 0xDC00) {
        pendingHigh = unit;
        return;
    }
    if (unit >= 0xDC00 && unit < 0xE000 && pendingHigh) {
        appendUtf8(out, 0x10000 + ((uint32_t(pendingHigh) - 0xD800) << 10) + (unit - 0xDC00));
    } else {
        appendUtf8(out, unit);
    }
    pendingHigh = 0;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int hexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Splits the file into logical lines the way QSettings does: a line break inside double quotes
// or after a backslash does not end the line; ';' outside quotes starts a comment.
std::vector<std::string> logicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    bool inQuotes = false;
    bool comment = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            if (inQuotes && !comment) {
                line += c;
                continue;
            }
            lines.push_back(line);
            line.clear();
            inQuotes = comment = false;
            continue;
        }
        if (comment) continue;
        if (c == '\\' && i + 1 < text.size()) {
            line += c;
            line += text[++i];
            // "\<CR><LF>" continues the line as one escape.
            if ((text[i] == '\r' || text[i] == '\n') && i + 1 < text.size() &&
                (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != text[i])
                line += text[++i];
            continue;
        }
        if (c == '"') inQuotes = !inQuotes;
        if (c == ';' && !inQuotes) {
            comment = true;
            continue;
        }
        line += c;
    }
    lines.push_back(line);
    return lines;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// QSettings' value unescaping; false when the value is a list (an unquoted comma).
bool unescapeValue(const std::string& raw, std::string& out) {
    bool inQuotes = false;
    bool quoted = false;
    uint16_t pendingHigh = 0;
    size_t chopLimit = 0; // unquoted trailing blanks after this point are dropped
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    skipBlanks();
    while (i < raw.size()) {
        char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) break;
            char e = raw[i++];
            static const char codes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                            {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                            {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            bool known = false;
            for (const auto& code : codes)
                if (e == code[0]) {
                    out += code[1];
                    known = true;
                }
            if (!known && e == 'x' && i < raw.size() && isHex(raw[i])) {
                uint16_t v = 0;
                while (i < raw.size() && isHex(raw[i]))
                    v = uint16_t(v << 4 | hexValue(raw[i++]));
                appendUnit(out, v, pendingHigh);
            } else if (!known && e >= '0' && e <= '7') {
                uint16_t v = uint16_t(e - '0');
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                    v = uint16_t(v << 3 | (raw[i++] - '0'));
                appendUnit(out, v, pendingHigh);
            }
            // Any other escaped character (a line break among them) is dropped.
            chopLimit = out.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
        } else if (c == ',' && !inQuotes) {
            return false;
        } else {
            out += c;
            ++i;
            if (inQuotes) chopLimit = out.size();
        }
    }
    if (!quoted) {
        while (out.size() > chopLimit && (out.back() == ' ' || out.back() == '\t'))
            out.pop_back();
    }
    return true;
}

// QSettings stores a byte array as its bytes read as Latin-1 characters; this turns the UTF-8 of
// those characters back into the bytes.
std::string latin1Bytes(const std::string& utf8) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = utf8[i];
        if (c < 0x80) {
            bytes += char(c);
        } else if ((c & 0xE0) == 0xC0 && c <= 0xC3 && i + 1 < utf8.size()) {
            bytes += char(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        } else {
            return utf8; // not Latin-1 text: leave it as it is
        }
    }
    return bytes;
}

bool isFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string UserSettingsFilePath() {
    std::string folder;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        folder = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !home[0]) {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : "";
        }
        folder = std::string(home) + "/.config";
    }
    return folder + "/Ostel/Tarvel.conf";
}

std::optional<std::string> ReadGeneralSetting(const std::string& fileText, const std::string& key) {
    std::optional<std::string> found;
    bool inGeneral = true; // keys before the first section are top-level keys too
    for (const std::string& rawLine : logicalLines(fileText)) {
        std::string line = trim(rawLine);
        if (line.empty()) continue;
        if (line[0] == '[') {
            size_t end = line.find(']');
            std::string name = end == std::string::npos ? std::string() : trim(line.substr(1, end - 1));
            for (char& c : name)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            inGeneral = name == "general";
            continue;
        }
        size_t eq = line.find('=');
        if (!inGeneral || eq == std::string::npos || trim(line.substr(0, eq)) != key) continue;
        std::string value;
        if (!unescapeValue(line.substr(eq + 1), value)) {
            found.reset();
            continue;
        }
        // QSettings marks typed values with a leading '@' and doubles a literal one.
        if (value.rfind("@@", 0) == 0) {
            value.erase(0, 1);
        } else if (value.rfind("@ByteArray(", 0) == 0 && value.back() == ')') {
            value = latin1Bytes(value.substr(11, value.size() - 12));
        } else if (value.rfind("@String(", 0) == 0 && value.back() == ')') {
            value = value.substr(8, value.size() - 9);
        } else if (!value.empty() && value[0] == '@' && value.back() == ')') {
            found.reset();
            continue;
        }
        found = value; // a later line wins, as in QSettings
    }
    return found;
}

std::string SoundFontPath() {
    std::vector<uint8_t> bytes;
    if (ReadSoundFile(UserSettingsFilePath(), &bytes, nullptr, size_t(1) << 20)) {
        auto path = ReadGeneralSetting(std::string(bytes.begin(), bytes.end()), "SoundFontPath");
        if (path && !path->empty() && isFile(*path)) return *path;
    }
    return kDefaultSoundFontPath;
}

} // namespace tarvel::consort
