#include "ClipboardPort.h"

namespace tarvel {

namespace {
MemoryClipboard& processClipboard() {
    static MemoryClipboard clipboard;
    return clipboard;
}
ClipboardPort* gPort = nullptr;
} // namespace

ClipboardPort& Clipboard() {
    return gPort ? *gPort : processClipboard();
}

ClipboardPort* SetClipboardPort(ClipboardPort* port) {
    ClipboardPort* previous = gPort;
    gPort = port;
    return previous;
}

void MemoryClipboard::set(int format, const std::vector<uint8_t>& bytes) {
    mHasBlock = true;
    mFormat = format;
    mBytes = bytes;
}

std::optional<std::vector<uint8_t>> MemoryClipboard::get(int format) {
    if (!mHasBlock || mFormat != format) return std::nullopt;
    return mBytes;
}

bool MemoryClipboard::has(int format) {
    return mHasBlock && mFormat == format;
}

} // namespace tarvel
