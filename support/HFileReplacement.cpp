#include "support/HFileReplacement.h"

#include "support/HFileWriter.h"
#include "support/HHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace {

// The step tests make fail, and how many of its calls still work before.
HFileReplacement::Step failingStep = HFileReplacement::Step::NONE;
int callsBeforeFailing = 0;

bool failsForTests(HFileReplacement::Step step) {
    if (step != failingStep) {
        return false;
    }
    if (callsBeforeFailing > 0) {
        --callsBeforeFailing;
        return false;
    }
    return true;
}

// The writer takes a 32-bit length: larger files go in parts.
const std::size_t LARGEST_WRITE = 1u << 30;

void removeFile(const HFile& file) {
    DeleteFileA(file.fullPath().c_str());
}

} // namespace

void HFileReplacement::failForTests(Step step, int nth) {
    failingStep = step;
    callsBeforeFailing = std::max(nth, 1) - 1;
}

HFileReplacement::HFileReplacement(HFile target) : path(std::move(target)) {}

HFileReplacement::~HFileReplacement() {
    if (!written.isEmpty()) {
        removeFile(written);
    }
}

HFile HFileReplacement::freeNameBeside(const HFile& file, const char* suffix) {
    if (file.fullPath().empty()) {
        return HFile();
    }
    HFile free = file;
    free.setName(file.name() + suffix);
    for (int n = 1; free.exists(); ++n) {
        if (n > 999) {
            return HFile();
        }
        free.setName(file.name() + "." + std::to_string(n) + suffix);
    }
    return free;
}

bool HFileReplacement::write(const std::string& bytes) {
    if (!written.isEmpty()) {
        removeFile(written);
        written = HFile();
    }
    notOpened = true;
    const DWORD attributes = GetFileAttributesA(path.fullPath().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    // With no free name the writer fails to open, as for a folder that is gone.
    HFileWriter writer(freeNameBeside(path, ".tmp~"));
    if (!writer.open()) {
        return false;
    }
    notOpened = false;
    written = writer.file();
    bool ok = true;
    for (std::size_t at = 0; ok && at < bytes.size(); at += LARGEST_WRITE) {
        const std::size_t count = std::min(bytes.size() - at, LARGEST_WRITE);
        ok = writer.write(bytes.data() + at, static_cast<std::uint32_t>(count));
    }
    ok = writer.flush() && ok;
    ok = writer.close() && ok;
    if (!ok) {
        removeFile(written);
        written = HFile();
    }
    return ok;
}

bool HFileReplacement::keepAs(const HFile& file, const HFile& keep) {
    if (failsForTests(Step::SECOND_NAME)) {
        return false;
    }
    const std::string from = file.fullPath();
    const std::string to = keep.fullPath();
    if (!failsForTests(Step::LINK) && CreateHardLinkA(to.c_str(), from.c_str(), nullptr)) {
        return true;
    }
    if (CopyFileA(from.c_str(), to.c_str(), TRUE)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        removeFile(keep); // a copy cut short
    }
    SetLastError(error);
    return false;
}

bool HFileReplacement::moveOver(const HFile& from, const HFile& to) {
    return MoveFileExA(from.fullPath().c_str(), to.fullPath().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

HFileReplacement::Result HFileReplacement::replace(const HFile& keep) {
    if (written.isEmpty()) {
        return Result::NOT_REPLACED;
    }
    bool kept = false;
    if (path.kind() == 1) {
        // A file another program holds cannot be replaced, and a second name
        // made for it could not be taken away again while it is held.
        HHandle probe(CreateFileA(path.fullPath().c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.isOpen()) {
            return Result::NOT_REPLACED;
        }
        probe.close();
        if (!keep.isEmpty()) {
            if (!keepAs(path, keep)) {
                return Result::NOT_KEPT;
            }
            kept = true;
        }
    }
    if (failsForTests(Step::MOVE) || !moveOver(written, path)) {
        const DWORD error = GetLastError();
        if (kept) {
            removeFile(keep);
        }
        SetLastError(error);
        return Result::NOT_REPLACED;
    }
    written = HFile();
    return Result::REPLACED;
}
