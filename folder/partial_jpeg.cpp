// SPDX-License-Identifier: MIT
#include "partial_jpeg.h"

#include "jpeg_decoder.h"

#include <QtGlobal>

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

namespace ovaline::folder {
namespace {

// Format_RGB32 is 0xffRRGGBB in native byte order.
constexpr J_COLOR_SPACE kRgb32Layout =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump *>(info->err)->jump, 1);
}

// A warning means damaged data: the rows after it cannot be trusted.
void stopOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        jumpOut(info);
}

// The bytes held so far. At their end the source suspends, where a file
// source would invent an end of image, so libjpeg stops before the first row
// it cannot complete and goes on from there when more bytes come.
struct HeldBytes {
    jpeg_source_mgr manager;
    std::size_t skipPending; // of a segment libjpeg skips, the part not yet held
};

void nothing(j_decompress_ptr) {}

boolean suspend(j_decompress_ptr) {
    return FALSE;
}

void skip(j_decompress_ptr info, long count) {
    auto *held = reinterpret_cast<HeldBytes *>(info->src);
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    const std::size_t now = std::min(wanted, held->manager.bytes_in_buffer);
    held->manager.next_input_byte += now;
    held->manager.bytes_in_buffer -= now;
    held->skipPending += wanted - now;
}

} // namespace

struct PartialJpeg::Decoder {
    enum class Stage { Header, Start, Rows, Done, Refused };

    Decoder() {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = jumpOut;
        error.manager.emit_message = stopOnWarning;
        if (setjmp(error.jump)) {
            stage = Stage::Refused;
            return;
        }
        jpeg_create_decompress(&info);
        created = true;
        source.manager.init_source = nothing;
        source.manager.fill_input_buffer = suspend;
        source.manager.skip_input_data = skip;
        source.manager.resync_to_restart = jpeg_resync_to_restart;
        source.manager.term_source = nothing;
        info.src = &source.manager;
    }
    ~Decoder() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    // Appends the new bytes and points the source at the first one unread.
    void hold(QByteArrayView more) {
        const std::size_t position = static_cast<std::size_t>(
            source.manager.next_input_byte ? source.manager.next_input_byte -
                                                 reinterpret_cast<const JOCTET *>(bytes.constData())
                                           : 0);
        bytes.append(more);
        const std::size_t size = static_cast<std::size_t>(bytes.size());
        const std::size_t skipped = std::min(source.skipPending, size - position);
        source.skipPending -= skipped;
        source.manager.next_input_byte =
            reinterpret_cast<const JOCTET *>(bytes.constData()) + position + skipped;
        source.manager.bytes_in_buffer = size - position - skipped;
    }

    // Decodes what the bytes held allow.
    void advance(QSize cover) {
        if (setjmp(error.jump)) {
            refuse();
            return;
        }
        if (stage == Stage::Header) {
            if (jpeg_read_header(&info, TRUE) == JPEG_SUSPENDED)
                return;
            if (!acceptHeader(cover)) {
                refuse();
                return;
            }
            stage = Stage::Start;
        }
        if (stage == Stage::Start) {
            if (!jpeg_start_decompress(&info))
                return;
            image = QImage(static_cast<int>(info.output_width),
                           static_cast<int>(info.output_height), QImage::Format_RGB32);
            if (image.isNull()) {
                refuse();
                return;
            }
            stage = Stage::Rows;
        }
        while (stage == Stage::Rows && info.output_scanline < info.output_height) {
            JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
            if (jpeg_read_scanlines(&info, &row, 1) == 0)
                break;
        }
        rows = static_cast<int>(info.output_scanline);
        if (stage == Stage::Rows && info.output_scanline == info.output_height)
            stage = Stage::Done;
    }

    void refuse() {
        stage = Stage::Refused;
        image = QImage();
        rows = 0;
    }

    bool acceptHeader(QSize cover) {
        const QSize size(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
        if (jpeg_has_multiple_scans(&info) || info.jpeg_color_space == JCS_CMYK ||
            info.jpeg_color_space == JCS_YCCK || size.width() < 1 || size.height() < 1 ||
            size.width() > kMaxImageSide || size.height() > kMaxImageSide)
            return false;
        const JpegScale scale = cover.isEmpty() ? JpegScale{} : coveringScale(size, cover);
        info.scale_num = static_cast<unsigned>(scale.num);
        info.scale_denom = static_cast<unsigned>(scale.denom);
        info.out_color_space = kRgb32Layout;
        // A reduced picture needs no smooth chroma, and without it a row
        // is out as soon as its blocks are decoded.
        if (scale.num != scale.denom) {
            info.do_fancy_upsampling = FALSE;
            info.dct_method = JDCT_IFAST;
        }
        jpeg_calc_output_dimensions(&info);
        return true;
    }

    jpeg_decompress_struct info{};
    ErrorJump error{};
    HeldBytes source{};
    bool created = false;
    Stage stage = Stage::Header;
    QByteArray bytes;
    QImage image;
    int rows = 0;
};

PartialJpeg::PartialJpeg(QSize cover) : m_decoder(std::make_unique<Decoder>()), m_cover(cover) {}

PartialJpeg::~PartialJpeg() = default;

bool PartialJpeg::Feed(QByteArrayView start) {
    const int before = m_decoder->rows;
    if (start.size() < m_decoder->bytes.size() || !start.startsWith(m_decoder->bytes))
        m_decoder = std::make_unique<Decoder>();
    const qsizetype known = m_decoder->bytes.size();
    const bool open =
        m_decoder->stage != Decoder::Stage::Done && m_decoder->stage != Decoder::Stage::Refused;
    if (start.size() > known && open) {
        m_decoder->hold(start.sliced(known));
        m_decoder->advance(m_cover);
    }
    return m_decoder->rows != before;
}

QImage PartialJpeg::Rows() const {
    if (m_decoder->rows == 0)
        return {};
    return m_decoder->image.copy(0, 0, m_decoder->image.width(), m_decoder->rows);
}

QSize PartialJpeg::ScaledSize() const {
    if (m_decoder->stage == Decoder::Stage::Header || m_decoder->stage == Decoder::Stage::Refused)
        return {};
    return {static_cast<int>(m_decoder->info.output_width),
            static_cast<int>(m_decoder->info.output_height)};
}

bool PartialJpeg::Refused() const {
    return m_decoder->stage == Decoder::Stage::Refused;
}

} // namespace ovaline::folder
