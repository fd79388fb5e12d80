// A page of the tree: decoded by its own charset line, then bounded for the
// panes. The bound never grows a page past its limits and its notice.
#include "texts/html_pages.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QString page = DecodePageText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const PageLimits limits{.characters = 4000, .tags = 200, .depth = 20, .table_depth = 3, .table_cells = 40};
    const BoundedPage bounded = BoundPageHtml(page, limits);
    if (!bounded.cut && bounded.html != page)
        std::abort();
    if (bounded.html.size() > page.size() + QString::fromUtf8(kPageCutNotice).size())
        std::abort();
    return 0;
}
