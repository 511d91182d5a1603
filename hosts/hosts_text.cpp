#include "hosts/hosts_text.h"

std::string HostsText;

namespace {

constexpr std::string_view kOwnLinePrefix = "127.0.0.1 ";

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// A byte of 0x80 or above leads a two-byte character, unless the byte after it is
// a line break: an odd run of high bytes before a line end (as UTF-8 text has) must
// never hide the break. So CR and LF are never the second byte of a character,
// and every LF in the text ends a line.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    if (!IsLeadByte(static_cast<unsigned char>(text[i])) || i + 1 >= text.size()) {
        return 1;
    }
    const char next = text[i + 1];
    return (next == '\r' || next == '\n') ? 1 : 2;
}

// A match counts only where a character starts, never on a second byte. The
// character walk goes on from one candidate to the next, so a line costs one pass.
bool ContainsMarker(std::string_view line, std::string_view marker) {
    std::size_t character = 0;
    for (std::size_t found = line.find(marker); found != std::string_view::npos;
         found = line.find(marker, found + 1)) {
        while (character < found) {
            character += CharacterLength(line, character);
        }
        if (character == found) {
            return true;
        }
    }
    return false;
}

bool IsMarkedOwnLine(std::string_view line, std::string_view marker) {
    return line.substr(0, kOwnLinePrefix.size()) == kOwnLinePrefix && ContainsMarker(line, marker);
}

}  // namespace

void AppendBlock(std::string_view block) {
    HostsText.append(block);
}

std::string WithoutMarkedLines(std::string_view text, std::string_view marker) {
    std::string result;
    result.reserve(text.size());
    // Kept lines that follow each other with CR LF between them are copied as one
    // run, so the cost is a scan of the text and a copy of what stays.
    std::size_t runStart = 0;
    std::size_t runEnd = 0;
    bool inRun = false;
    auto flushRun = [&] {
        if (!inRun) {
            return;
        }
        // An empty result takes the next line without a separator, so leading
        // empty lines vanish; that is how the program has always joined them.
        if (!result.empty()) {
            result.append("\r\n");
        }
        result.append(text.data() + runStart, runEnd - runStart);
        inRun = false;
    };
    std::size_t start = 0;
    while (start < text.size()) {
        // Lines end at LF or CR LF; a lone CR stays inside its line.
        std::size_t end = text.find('\n', start);
        std::size_t next = end + 1;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else if (end > start && text[end - 1] == '\r') {
            --end;
        }
        const std::string_view line = text.substr(start, end - start);
        if (!marker.empty() && IsMarkedOwnLine(line, marker)) {
            flushRun();
        } else if (inRun && runEnd + 2 == start && text[runEnd] == '\r') {
            runEnd = end;  // joined to the run with the CR LF already between them
        } else {
            flushRun();
            runStart = start;
            runEnd = end;
            inRun = !(result.empty() && line.empty());
        }
        start = next;
    }
    flushRun();
    return result;
}

void RemoveMarkedLines(std::string_view marker) {
    HostsText = WithoutMarkedLines(HostsText, marker);
}
