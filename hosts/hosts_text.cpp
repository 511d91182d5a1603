#include "hosts/hosts_text.h"

#include <cstring>

std::string HostsText;

namespace {

constexpr std::string_view kOwnLinePrefix = "127.0.0.1 ";

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// Length of the character starting at line[i]: a lead byte takes the next byte
// with it, unless that byte is a line break, so an odd run of high bytes before a
// line end (as UTF-8 text has) never hides the break.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    if (!IsLeadByte(static_cast<unsigned char>(text[i])) || i + 1 >= text.size()) {
        return 1;
    }
    const char next = text[i + 1];
    return (next == '\r' || next == '\n') ? 1 : 2;
}

// True when marker starts at a character boundary of line.
bool ContainsMarker(std::string_view line, std::string_view marker) {
    if (marker.empty() || line.size() < marker.size()) {
        return false;
    }
    const std::size_t last = line.size() - marker.size();
    for (std::size_t i = 0; i <= last; i += CharacterLength(line, i)) {
        if (line[i] == marker[0] &&
            std::memcmp(line.data() + i, marker.data(), marker.size()) == 0) {
            return true;
        }
    }
    return false;
}

bool IsMarkedOwnLine(std::string_view line, std::string_view marker) {
    return line.substr(0, kOwnLinePrefix.size()) == kOwnLinePrefix && ContainsMarker(line, marker);
}

// Finds the end of the line starting at start. Returns the line's length; sets
// breakLength to the length of its CR LF or LF, 0 when the text ends first.
std::size_t LineLength(std::string_view text, std::size_t start, std::size_t& breakLength) {
    std::size_t i = start;
    while (i < text.size()) {
        const char byte = text[i];
        if (byte == '\n') {
            breakLength = 1;
            return i - start;
        }
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            breakLength = 2;
            return i - start;
        }
        i += CharacterLength(text, i);
    }
    breakLength = 0;
    return text.size() - start;
}

}  // namespace

void AppendBlock(std::string_view block) {
    HostsText.append(block);
}

std::string WithoutMarkedLines(std::string_view text, std::string_view marker) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t breakLength = 0;
        const std::size_t length = LineLength(text, start, breakLength);
        const std::string_view line = text.substr(start, length);
        start += length + breakLength;
        if (IsMarkedOwnLine(line, marker)) {
            continue;
        }
        // An empty result takes the next line without a separator, so leading
        // empty lines vanish; that is how the program has always joined them.
        if (!result.empty()) {
            result.append("\r\n");
        }
        result.append(line);
    }
    return result;
}

void RemoveMarkedLines(std::string_view marker) {
    HostsText = WithoutMarkedLines(HostsText, marker);
}
