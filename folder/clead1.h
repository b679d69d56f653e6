// SPDX-License-Identifier: MIT
// The program's JPEG decoder, one in each view. A picture is loaded from a
// file or from the bytes of a camera slot; its size, a whole-picture bitmap,
// a palette and thumbnails are then taken from the picture loaded last.
//
// Calling order: set the property that precedes a load (SetProperty2(false)
// before LoadFile, SetProperty1(0) before LoadMemory); load; read
// GetImageWidth and GetImageHeight; call GetImageHandle once and pass its
// result to GetBitmap and, where a palette is wanted, to GetPalette.
//
// A load reads the header first and refuses, before anything is allocated
// for pixels, data that is empty or not a JPEG and a picture with a side of 0
// or over the limit of property 1. It then decodes the whole stream at
// TurboJPEG's smallest scale: every byte of the stream is checked (any
// libjpeg warning is a failure, so a truncated picture never shows with a
// grey remainder) for a fraction of the cost of a full decode, and the small
// result serves thumbnails directly. GetBitmap decodes the whole picture
// again from the bytes kept.
//
// A failed load leaves the control holding nothing: width and height 0,
// handle 0, null bitmaps and thumbnails, an empty palette. The picture before
// is dropped too, so a caller that does not look at the status (the thumbnail
// view does not) finds no picture rather than the previous one.
//
// User-interface thread only, like the views that own it.
#pragma once

#include "jpeg_decoder.h"
#include "thumbnail_size.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class CLead1 {
public:
    // Results of LoadFile and LoadMemory: 0 is success, the rest failures.
    enum LoadStatus : int {
        kLoaded = 0,
        kNoData = 1,     // no bytes, or a count beyond the buffer
        kNotJpeg = 2,    // no JPEG header, or a damaged one
        kOverLimit = 3,  // a side of 0 or over the limit of property 1
        kDamaged = 4,    // the stream does not decode cleanly
        kUnreadable = 5, // the file is missing, no regular file, unreadable or too long
    };

    // Files longer than this are refused unread.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    CLead1();
    CLead1(const CLead1 &) = delete;
    CLead1 &operator=(const CLead1 &) = delete;

    // Property 1: the largest picture side the following loads accept, 1 to
    // 4,096. 0 (what the camera-memory view sets), a negative value or one
    // over 4,096 means 4,096.
    void SetProperty1(qint32 value);

    // Property 2: true makes the following loads decode with TurboJPEG's fast
    // DCT and upsampling, a little quicker and a little less exact; false
    // (the default, and what the thumbnail view sets) decodes accurately. The
    // value at a load holds for every picture taken from that load.
    void SetProperty2(bool value);

    // The exact pixel size of the picture held; 0 when none is held.
    float GetImageWidth() const;
    float GetImageHeight() const;

    // Loads the JPEG file at path (read only when it is a regular file of at
    // most kMaxFileBytes).
    int LoadFile(const QString &path);

    // Loads the first count bytes of slot (a camera slot's buffer); the bytes
    // are copied.
    int LoadMemory(QByteArrayView slot, qsizetype count);

    // The handle of the picture held: a number new with every successful load
    // of this control, 0 when nothing is held. It needs no release.
    qint32 GetImageHandle() const;

    // A new Format_RGB32 image of the whole picture, owned by the caller:
    // Qt's native raster format, drawn and scaled without conversion, and
    // written by TurboJPEG directly. Null when handle is not the picture held.
    QImage GetBitmap(qint32 handle);

    // The JPEG bytes the picture was loaded from, unchanged; empty when
    // handle is not the picture held.
    QByteArray GetJpegData(qint32 handle) const;

    // A new 256-entry palette owned by the caller, empty when handle is not
    // the picture held. Palette displays are not built, so it is the same
    // for every picture: the 3-3-2 colour cube, entry i being red
    // (i >> 5) * 255 / 7, green ((i >> 2) & 7) * 255 / 7, blue (i & 3) * 255 / 3.
    QList<QRgb> GetPalette(qint32 handle) const;

    // The picture held scaled to width x thumbnailSize(...).height() logical
    // pixels for a screen of `devicePixelRatio`: decoded at the smallest
    // TurboJPEG scale that still covers its pixels, then area-averaged to
    // them. Null when nothing is held.
    QImage GetThumbnail(int width = ovaline::folder::kThumbnailWidth, qreal devicePixelRatio = 1);

private:
    struct Held {
        QByteArray jpeg;
        QSize size{0, 0};
        bool fast = false;
        ovaline::folder::JpegScale previewScale;
        QImage preview; // the stream decoded at previewScale when it was loaded
        qint32 handle = 0;
    };

    int load(QByteArray jpeg);
    QImage decodeAt(ovaline::folder::JpegScale scale);
    bool holds(qint32 handle) const { return handle != 0 && handle == m_held.handle; }

    ovaline::folder::JpegDecoder m_decoder;
    int m_maxSide = ovaline::folder::kMaxImageSide;
    bool m_fast = false;
    qint32 m_lastHandle = 0;
    Held m_held;
};
