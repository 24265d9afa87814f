// Feeds arbitrary bytes to the study-file reader: it must fail cleanly or read a study,
// never crash, leak or hang.
#include "document/ArchiveError.h"
#include "document/ArchiveReader.h"
#include "document/CEarlarkDoc.h"

#include <cstddef>
#include <cstdint>
#include <new>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CEarlarkDoc doc;
    doc.DeleteContents();
    try {
        ArchiveReader archive(std::span<const std::uint8_t>(data, size));
        doc.Serialize(archive);
        // What was read must write back without trouble.
        (void)doc.ToBytes();
    } catch (const ArchiveError&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
