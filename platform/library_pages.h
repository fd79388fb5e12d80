#pragma once

// The library commands: the index pages of the data tree, and the pages of two
// outside libraries whose hosts the user sets in zk.ini ("LibraryHost1" for
// the Bible library, "LibraryHost2" for the service books).

#include <QString>

#include <optional>

namespace indikt {

struct LibraryPage {
    int tag;
    const char* command;
    const char* caption;         // of the command
    const char* path;            // relative to the data root, or to the host
    const char* viewer_caption;  // local pages only
    int host;                    // 0 a page of the tree, 1 or 2 an outside library
};

// Tags 0 to 28, in the order of their tags.
const LibraryPage* LibraryPages();
inline constexpr int kLibraryPageCount = 29;
const LibraryPage* LibraryPageOfTag(int tag);

}  // namespace indikt
