#pragma once

#include <QString>

#include "records/ClipboardPort.h"

namespace tarvel {

// The system clipboard: each private format is the MIME type "application/x-tarvel-NNN" holding
// exactly the block's bytes.
class QtClipboard : public ClipboardPort {
public:
    static QString MimeType(int format);
    void set(int format, const std::vector<uint8_t>& bytes) override;
    std::optional<std::vector<uint8_t>> get(int format) override;
    bool has(int format) override;
};

} // namespace tarvel
