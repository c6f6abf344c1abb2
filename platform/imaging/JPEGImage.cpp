#include "platform/imaging/JPEGImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/core/Cp932.h"
#include "platform/imaging/RowCollector.h"

// libjpeg reports errors through error_exit, which must not return. It leaves by longjmp to a
// setjmp taken in Guarded() right around the one libjpeg call; the frames in between belong to
// libjpeg or to the small callbacks below, none of which holds an object with a destructor. The
// failure becomes an EJPEG only after Guarded() has returned.

namespace {

struct TJpegErrors {
    jpeg_error_mgr Manager;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf Jump;
    int Code;
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    errors->Code = info->err->msg_code;
    std::longjmp(errors->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;  // trace output
    // Entropy data that stops before the picture does: libjpeg would paint the rest grey; the
    // data has run out, so the picture is refused.
    if (info->err->msg_code == JWRN_HIT_MARKER)
        ErrorExit(info);
    ++info->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

void InitErrors(TJpegErrors& errors)
{
    jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = ErrorExit;
    errors.Manager.emit_message = EmitMessage;
    errors.Manager.output_message = OutputMessage;
    errors.Code = 0;
}

template <class F>
bool Guarded(TJpegErrors& errors, F call)
{
    if (setjmp(errors.Jump))
        return false;
    call();
    return true;
}

// ---- reading from a byte source

struct TJpegSource {
    jpeg_source_mgr Manager;
    TByteSource* Source;
    bool Started;
    bool HeaderRead;
    bool Ended;
    JDIMENSION EndedAtRow;  // the output row reached when the data ended
    JOCTET Buffer[65536];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info)
{
    auto* src = reinterpret_cast<TJpegSource*>(info->src);
    size_t n = src->Source->Read(src->Buffer, sizeof src->Buffer);
    if (n == 0) {
        if (!src->Started)
            ERREXIT(info, JERR_INPUT_EMPTY);
        if (!src->HeaderRead)
            ERREXIT(info, JERR_INPUT_EOF);
        // Past the header the data ends in an end-of-image marker. Whether pixels were still
        // missing shows when the entropy decoder meets it (JWRN_HIT_MARKER, an error above); a
        // file that only lacks its final marker still decodes.
        src->Buffer[0] = 0xFF;
        src->Buffer[1] = JPEG_EOI;
        n = 2;
        if (!src->Ended) {
            src->Ended = true;
            src->EndedAtRow = info->output_scanline;
        }
    }
    src->Started = true;
    src->Manager.next_input_byte = src->Buffer;
    src->Manager.bytes_in_buffer = n;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    auto* src = reinterpret_cast<TJpegSource*>(info->src);
    if (count <= 0)
        return;
    while (static_cast<size_t>(count) > src->Manager.bytes_in_buffer) {
        count -= static_cast<long>(src->Manager.bytes_in_buffer);
        FillInputBuffer(info);
    }
    src->Manager.next_input_byte += count;
    src->Manager.bytes_in_buffer -= static_cast<size_t>(count);
}

// Owns one libjpeg decompressor reading from a byte source.
class TDecoder {
public:
    explicit TDecoder(TByteSource& source) : FSource(std::make_unique<TJpegSource>())
    {
        std::memset(&FInfo, 0, sizeof FInfo);
        InitErrors(FErrors);
        FInfo.err = &FErrors.Manager;
        Run([this] { jpeg_create_decompress(&FInfo); });
        std::memset(&FSource->Manager, 0, sizeof FSource->Manager);
        FSource->Manager.init_source = InitSource;
        FSource->Manager.fill_input_buffer = FillInputBuffer;
        FSource->Manager.skip_input_data = SkipInputData;
        FSource->Manager.resync_to_restart = jpeg_resync_to_restart;
        FSource->Manager.term_source = TermSource;
        FSource->Source = &source;
        FSource->Started = false;
        FSource->HeaderRead = false;
        FSource->Ended = false;
        FSource->EndedAtRow = 0;
        FInfo.src = &FSource->Manager;
    }
    ~TDecoder() { jpeg_destroy_decompress(&FInfo); }
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;

    template <class F>
    void Run(F call)
    {
        if (!Guarded(FErrors, call))
            throw EJPEG(FErrors.Code);
    }

    void ReadHeader()
    {
        Run([this] { jpeg_read_header(&FInfo, TRUE); });
        FSource->HeaderRead = true;
    }

    jpeg_decompress_struct& Info() { return FInfo; }

    // A single-scan file decodes while it is read, so once its data has ended only the rows of
    // the band being decoded then (and one read ahead) can still be real. The Huffman decoder
    // says so itself (JWRN_HIT_MARKER); the arithmetic decoder pads silently, so the rows tell.
    bool RowsBeyondTheData() const
    {
        if (!FSource->Ended || jpeg_has_multiple_scans(const_cast<jpeg_decompress_struct*>(&FInfo)))
            return false;
#if JPEG_LIB_VERSION >= 70
        const JDIMENSION band = FInfo.max_v_samp_factor * FInfo.min_DCT_v_scaled_size;
#else
        const JDIMENSION band = FInfo.max_v_samp_factor * FInfo.min_DCT_scaled_size;
#endif
        return FInfo.output_scanline > FSource->EndedAtRow + 3 * band;
    }

private:
    jpeg_decompress_struct FInfo;
    TJpegErrors FErrors;
    std::unique_ptr<TJpegSource> FSource;
};

// Working memory libjpeg may take for a picture that needs its whole coefficient buffer
// (progressive and multi-scan files): in proportion to the file, within fixed bounds.
long MemoryLimit(uint64_t fileSize)
{
    constexpr uint64_t floor = uint64_t{128} << 20, ceiling = uint64_t{1} << 30;
    return static_cast<long>(std::clamp<uint64_t>(fileSize * 64, floor, ceiling));
}

// ---- writing to memory

struct TJpegDest {
    jpeg_destination_mgr Manager;
    JOCTET* Data;
    size_t Capacity;
    size_t Size;
};

void InitDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<TJpegDest*>(info->dest);
    dest->Capacity = 65536;
    dest->Data = static_cast<JOCTET*>(std::malloc(dest->Capacity));
    if (!dest->Data)
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    dest->Manager.next_output_byte = dest->Data;
    dest->Manager.free_in_buffer = dest->Capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<TJpegDest*>(info->dest);
    const size_t grown = dest->Capacity * 2;
    auto* data = static_cast<JOCTET*>(std::realloc(dest->Data, grown));
    if (!data)
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);  // the old block stays owned by dest
    dest->Manager.next_output_byte = data + dest->Capacity;
    dest->Manager.free_in_buffer = grown - dest->Capacity;
    dest->Data = data;
    dest->Capacity = grown;
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<TJpegDest*>(info->dest);
    dest->Size = dest->Capacity - dest->Manager.free_in_buffer;
}

class TEncoder {
public:
    TEncoder()
    {
        std::memset(&FInfo, 0, sizeof FInfo);
        std::memset(&FDest, 0, sizeof FDest);
        InitErrors(FErrors);
        FInfo.err = &FErrors.Manager;
        Run([this] { jpeg_create_compress(&FInfo); });
        FDest.Manager.init_destination = InitDestination;
        FDest.Manager.empty_output_buffer = EmptyOutputBuffer;
        FDest.Manager.term_destination = TermDestination;
        FInfo.dest = &FDest.Manager;
    }
    ~TEncoder()
    {
        jpeg_destroy_compress(&FInfo);
        std::free(FDest.Data);
    }
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    template <class F>
    void Run(F call)
    {
        if (!Guarded(FErrors, call))
            throw EJPEG(FErrors.Code);
    }

    jpeg_compress_struct& Info() { return FInfo; }
    const TJpegDest& Dest() const { return FDest; }

private:
    jpeg_compress_struct FInfo;
    TJpegErrors FErrors;
    TJpegDest FDest;
};

// One CMYK row to blue, green, red. Files with an Adobe marker store the inks inverted (as
// Photoshop writes them); others store them plainly.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned c = inverted ? cmyk[0] : 255 - cmyk[0];
        const unsigned m = inverted ? cmyk[1] : 255 - cmyk[1];
        const unsigned y = inverted ? cmyk[2] : 255 - cmyk[2];
        const unsigned k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
    }
}

} // namespace

EJPEG::EJPEG(int code) : EInvalidGraphic(Format(Sjis("JPEG エラー #%d"), {std::to_string(code)})), Code(code) {}

TJpegInfo ReadJpegInfo(TByteSource& source)
{
    TDecoder decoder(source);
    decoder.ReadHeader();
    const jpeg_decompress_struct& info = decoder.Info();
    return {static_cast<int32_t>(info.image_width), static_cast<int32_t>(info.image_height), info.num_components,
            info.progressive_mode != FALSE};
}

std::unique_ptr<TBitmap> DecodeJpeg(TByteSource& source, TDisplaySize display)
{
    TDecoder decoder(source);
    decoder.ReadHeader();
    jpeg_decompress_struct& info = decoder.Info();

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;

    // The smallest scale M/8 whose output still covers the display size (or the whole picture,
    // where it is smaller than the display).
    const int64_t width = info.image_width, height = info.image_height;
    for (unsigned m = display.IsSet() ? 1 : 8; m <= 8; ++m) {
        info.scale_num = m;
        info.scale_denom = 8;
        decoder.Run([&info] { jpeg_calc_output_dimensions(&info); });
        if (info.output_width >= std::min<int64_t>(display.Width, width) &&
            info.output_height >= std::min<int64_t>(display.Height, height))
            break;
    }
    const int32_t outWidth = static_cast<int32_t>(info.output_width);
    const int32_t outHeight = static_cast<int32_t>(info.output_height);
    if (KeptSize(outWidth, outHeight, display).Pixels() > MaxFullSizePixels)
        throw EJPEG(JERR_IMAGE_TOO_BIG);

    info.mem->max_memory_to_use = MemoryLimit(source.Size());
    decoder.Run([&info] { jpeg_start_decompress(&info); });

    TRowCollector rows(outWidth, outHeight, true, display);
    std::vector<uint8_t> decoded(static_cast<size_t>(info.output_width) * info.output_components);
    std::vector<uint8_t> converted(cmyk ? static_cast<size_t>(info.output_width) * 3 : 0);
    const bool inverted = info.saw_Adobe_marker != FALSE;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.data();
        JDIMENSION got = 0;
        decoder.Run([&] { got = jpeg_read_scanlines(&info, &row, 1); });
        if (got != 1 || decoder.RowsBeyondTheData())
            throw EJPEG(JERR_INPUT_EOF);
        if (cmyk) {
            CmykToBgr(decoded.data(), converted.data(), info.output_width, inverted);
            rows.AddRows(converted.data());
        } else {
            rows.AddRows(decoded.data());
        }
    }
    // The pixels are complete; what follows the last scan (trailing markers, junk) is not read.
    return rows.Finish();
}

std::vector<uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality)
{
    TEncoder encoder;
    jpeg_compress_struct& info = encoder.Info();
    info.image_width = static_cast<JDIMENSION>(std::max(bitmap.Width(), 0));
    info.image_height = static_cast<JDIMENSION>(std::max(bitmap.Height(), 0));
    info.input_components = bitmap.PixelFormat() == pf24bit ? 3 : 4;
    info.in_color_space = bitmap.PixelFormat() == pf24bit ? JCS_EXT_BGR : JCS_EXT_BGRX;
    encoder.Run([&info, quality] {
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        jpeg_start_compress(&info, TRUE);
    });
    // 24- and 32-bit rows go to libjpeg as they are; a monochrome bitmap is widened row by row.
    std::vector<uint8_t> widened;
    if (bitmap.PixelFormat() == pf1bit)
        widened.resize(static_cast<size_t>(info.image_width) * 4);
    while (info.next_scanline < info.image_height) {
        const int32_t y = static_cast<int32_t>(info.next_scanline);
        JSAMPROW row;
        if (bitmap.PixelFormat() == pf1bit) {
            for (int32_t x = 0; x < bitmap.Width(); ++x) {
                const uint32_t p = bitmap.PixelRGB(x, y);
                std::memcpy(&widened[static_cast<size_t>(x) * 4], &p, 4);
            }
            row = widened.data();
        } else {
            row = const_cast<JSAMPROW>(bitmap.ScanLine(y));
        }
        encoder.Run([&info, &row] { jpeg_write_scanlines(&info, &row, 1); });
    }
    encoder.Run([&info] { jpeg_finish_compress(&info); });
    const TJpegDest& dest = encoder.Dest();
    return std::vector<uint8_t>(dest.Data, dest.Data + dest.Size);
}

// ---- TJPEGImage

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int32_t TJPEGImage::Width() const { return FBitmap ? FBitmap->Width() : 0; }
int32_t TJPEGImage::Height() const { return FBitmap ? FBitmap->Height() : 0; }

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect)
{
    if (FBitmap)
        FBitmap->Draw(canvas, rect);
}

void TJPEGImage::SetCompressionQuality(int quality)
{
    FQuality = std::clamp(quality, 1, 100);
}

void TJPEGImage::SetPixels(std::unique_ptr<TBitmap> bitmap)
{
    FBitmap = std::move(bitmap);
    if (FBitmap)
        FBitmap->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TJPEGImage::Assign(TPersistent* source)
{
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
        if (jpeg == this)
            return;
        FQuality = jpeg->FQuality;
        std::unique_ptr<TBitmap> copy;
        if (jpeg->FBitmap) {
            copy = std::make_unique<TBitmap>();
            copy->Assign(jpeg->FBitmap.get());
        }
        SetPixels(std::move(copy));
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        SetPixels(std::move(copy));
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        TBitmap empty;
        bitmap->Assign(FBitmap ? FBitmap.get() : &empty);
        return;
    }
    TGraphic::AssignTo(dest);
}

TBitmap* TJPEGImage::Bitmap()
{
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->OnChange = [this](TObject*) { Changed(); };
    }
    return FBitmap.get();
}

void TJPEGImage::LoadFromStream(TByteSource& source)
{
    SetPixels(DecodeJpeg(source, FDisplaySize));
}

void TJPEGImage::LoadFromFile(const std::string& path)
{
    TFileSource source(path);
    LoadFromStream(source);
}

void TJPEGImage::SaveToStream(std::vector<uint8_t>& out) const
{
    static const TBitmap empty;
    out = EncodeJpeg(FBitmap ? *FBitmap : empty, FQuality);
}

void TJPEGImage::SaveToFile(const std::string& path) const
{
    std::vector<uint8_t> bytes;
    SaveToStream(bytes);
    WriteBytesToFile(path, bytes.data(), bytes.size());
}
