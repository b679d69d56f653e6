// SPDX-License-Identifier: MIT
#include "imaging_driver.h"

#include "clead1.h"

#include <cstdio>
#include <cstdlib>

namespace ovaline::fuzz {
namespace {

// Pictures up to this side keep each run short; larger ones take the
// refusal path.
constexpr int kSideLimit = 1024;

void broken(const char *promise) {
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

} // namespace

int loadPicture(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return CLead1::kNoData;
    static CLead1 lead;
    lead.SetProperty1(kSideLimit);
    lead.SetProperty2((data[0] & 1) != 0);
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const int status = lead.LoadMemory(bytes, bytes.size());
    const qint32 handle = lead.GetImageHandle();
    const QSize held(int(lead.GetImageWidth()), int(lead.GetImageHeight()));
    if (status != CLead1::kLoaded) {
        if (handle != 0 || !held.isEmpty() || !lead.GetThumbnail().isNull())
            broken("a failed load leaves nothing behind");
        return status;
    }
    if (held.width() < 1 || held.height() < 1 || held.width() > kSideLimit ||
        held.height() > kSideLimit)
        broken("a loaded picture has a size within the limit");
    if (lead.GetBitmap(handle).size() != held)
        broken("the bitmap is the whole picture");
    if (lead.GetThumbnail().isNull() || lead.GetPalette(handle).size() != 256)
        broken("a loaded picture gives a thumbnail and a palette");
    return status;
}

} // namespace ovaline::fuzz
