#pragma once

#include <string>
#include <vector>

#include "LhaWriter.h"

namespace tarvel::unlha {

// The archive being written: a temporary file beside the target, renamed into place by Commit
// only when complete and only when nothing has the target's name by then. A file that already
// has the name is never replaced, and the temporary file is removed when the archive is dropped
// uncommitted. Failures raise UnlhaError (UNLHA_ERROR_ARCHIVE).
class ArchiveFile : public ByteSink {
public:
    explicit ArchiveFile(const std::string& path);
    ~ArchiveFile() override;
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    void Write(const uint8_t* data, size_t size) override;
    void Commit();

private:
    void flush();
    [[noreturn]] void fail(int err);

    std::string mPath;
    std::string mTempPath;
    int mFd = -1;
    std::vector<uint8_t> mBuffer;
};

} // namespace tarvel::unlha
