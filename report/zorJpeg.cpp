#include "zorJpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

[[noreturn]] void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->Jump, 1);
}

void OnMessage(j_common_ptr) {}

// Runs the decompression; kept free of objects with destructors because errors leave by longjmp.
bool Decode(const unsigned char *bytes, unsigned long size, jpeg_decompress_struct *info, ErrorManager *err,
            QImage *out)
{
    info->err = jpeg_std_error(&err->Base);
    err->Base.error_exit = OnError;
    err->Base.output_message = OnMessage;
    if (setjmp(err->Jump) != 0) {
        jpeg_destroy_decompress(info);
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, bytes, size);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(info);
        return false;
    }
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    // Pictures larger than this are refused rather than allocated.
    constexpr unsigned long maxPixels = 100UL * 1000 * 1000;
    if (info->output_width == 0 || info->output_height == 0
        || (unsigned long)info->output_width * info->output_height > maxPixels) {
        jpeg_destroy_decompress(info);
        return false;
    }
    *out = QImage(int(info->output_width), int(info->output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(info);
        return false;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = out->scanLine(int(info->output_scanline));
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return true;
}

}  // namespace

QImage zorDecodeJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    jpeg_decompress_struct info{};
    ErrorManager err{};
    QImage image;
    if (!Decode(reinterpret_cast<const unsigned char *>(data.constData()), (unsigned long)data.size(), &info, &err,
                &image))
        return {};
    return image;
}
