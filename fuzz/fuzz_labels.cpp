// libFuzzer target: bytes as a label file through the tool's reader, its
// checks and the library, as `quillon render` takes them. A crash, a
// sanitizer report or a leak fails the run; the library's own refusals of a
// checked label are expected and caught.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "LabelReader.h"
#include "Notices.h"

using namespace quillon::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the language the command line would override
    // with; the rest is the file.
    if (size == 0) return 0;
    const auto language = static_cast<Language>(data[0] % 3);  // Unset, Vorn, Kesh
    const int fd = memfd_create("label", MFD_CLOEXEC);
    if (fd < 0 || write(fd, data + 1, size - 1) != static_cast<ssize_t>(size - 1) ||
        lseek(fd, 0, SEEK_SET) != 0)
        __builtin_trap();
    InputSource in(fd);
    NoticeReport notices;
    std::vector<quillon::LabelNotice> found;
    ReadLabels(in, "fuzz", {language}, [&](Record& r) {
        if (!r.label) return true;
        found.clear();
        try {
            RenderLabel(*r.label, &found);
        } catch (const std::exception&) {
        }
        CollectNotices(*r.label, found, r.index, notices);
        return true;
    });
    close(fd);
    return 0;
}
