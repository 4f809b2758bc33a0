#include "forms/Picture.h"
#include "forms/RuntimeError.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace qel::forms {
namespace {

constexpr size_t kMaxFileBytes = 64u << 20;
constexpr long kMaxSide = 32767;
constexpr long kFileAccessError = 75;

uint32_t Le32(const std::vector<char>& b, size_t at) {
    uint32_t v = 0;
    memcpy(&v, b.data() + at, sizeof v);
    return v;
}
uint16_t Le16(const std::vector<char>& b, size_t at) {
    uint16_t v = 0;
    memcpy(&v, b.data() + at, sizeof v);
    return v;
}

// The width and height a BMP or GIF header declares, checked before the platform
// decoder allocates for them; other formats are left to the decoder.
bool PlausibleSize(const std::vector<char>& b) {
    auto fits = [](long w, long h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide; };
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
        if (Le32(b, 14) == 12) return fits(Le16(b, 18), Le16(b, 20));
        long h = static_cast<int32_t>(Le32(b, 22));
        return fits(static_cast<int32_t>(Le32(b, 18)), h < 0 ? -h : h);
    }
    if (b.size() >= 10 && memcmp(b.data(), "GIF8", 4) == 0) return fits(Le16(b, 6), Le16(b, 8));
    return true;
}

IPicture* AsPicture(IPictureDisp* picture, ComPtr<IPicture>& holder) {
    holder = ComPtr<IPictureDisp>(picture).as<IPicture>();
    return holder.get();
}

Picture FromDescription(PICTDESC& desc) {
    Picture picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        throw RuntimeError(kInvalidPicture, "Invalid picture");
    return picture;
}

} // namespace

Picture LoadPicture(const std::string& path) {
    if (path.empty()) return {};
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw RuntimeError(kFileNotFound, "File not found: " + path);
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes;
    if (file) {
        file.seekg(0, std::ios::end);
        auto size = static_cast<size_t>(file.tellg());
        if (size > 0 && size <= kMaxFileBytes) {
            bytes.resize(size);
            file.seekg(0);
            file.read(bytes.data(), static_cast<std::streamsize>(size));
            if (!file) bytes.clear();
        }
    }
    if (bytes.empty() || !PlausibleSize(bytes))
        throw RuntimeError(kInvalidPicture, "Invalid picture: " + path);

    ComPtr<IStream> stream;
    ULONG written = 0;
    LARGE_INTEGER start{};
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        written != bytes.size() || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        throw RuntimeError(kInvalidPicture, "Invalid picture: " + path);
    Picture picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE,
                              IID_IPictureDisp, picture.put_void())) ||
        !picture || PictureType(picture.get()) == PICTYPE_NONE)
        throw RuntimeError(kInvalidPicture, "Invalid picture: " + path);
    return picture;
}

void SavePicture(IPictureDisp* picture, const std::string& path) {
    SIZE size = PictureSize(picture);
    if (size.cx <= 0 || size.cy <= 0) throw RuntimeError(kInvalidPicture, "Invalid picture");

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = size.cx;
    header.biHeight = size.cy; // bottom-up, as BMP files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = ((static_cast<size_t>(size.cx) * 3 + 3) / 4) * 4;
    std::vector<char> pixels(stride * size.cy);

    WindowDC screen = WindowDC::Client(nullptr);
    bool copied = false;
    if (PictureType(picture) == PICTYPE_BITMAP) {
        BITMAPINFO info{};
        info.bmiHeader = header;
        copied = GetDIBits(screen.get(), static_cast<HBITMAP>(PictureHandle(picture)), 0, size.cy,
                           pixels.data(), &info, DIB_RGB_COLORS) == size.cy;
    }
    if (!copied) {
        // Other pictures are drawn onto black in a section of the file's format.
        void* bits = nullptr;
        BITMAPINFO info{};
        info.bmiHeader = header;
        UniqueBitmap section(
            CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        if (!section || !dc) throw RuntimeError(kInvalidPicture, "Invalid picture");
        {
            Selection selected(dc.get(), section.get());
            RECT all{0, 0, size.cx, size.cy};
            FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            RenderPicture(picture, dc.get(), all);
            GdiFlush();
        }
        memcpy(pixels.data(), bits, pixels.size());
    }

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
        out.close();
        if (!out) {
            DeleteFileA(temporary.c_str());
            throw RuntimeError(kFileAccessError, "Path/File access error: " + path);
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        throw RuntimeError(kFileAccessError, "Path/File access error: " + path);
    }
}

Picture PictureFromBitmap(UniqueBitmap bitmap) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.get();
    Picture picture = FromDescription(desc);
    bitmap.release(); // the picture owns it now
    return picture;
}

Picture PictureFromIcon(UniqueIcon icon) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon.get();
    Picture picture = FromDescription(desc);
    icon.release();
    return picture;
}

short PictureType(IPictureDisp* picture) {
    ComPtr<IPicture> holder;
    SHORT type = PICTYPE_NONE;
    if (IPicture* p = AsPicture(picture, holder)) p->get_Type(&type);
    return type;
}

SIZE PictureSize(IPictureDisp* picture) {
    ComPtr<IPicture> holder;
    IPicture* p = AsPicture(picture, holder);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    if (!p || PictureType(picture) == PICTYPE_NONE || FAILED(p->get_Width(&w)) ||
        FAILED(p->get_Height(&h)))
        return {0, 0};
    WindowDC screen = WindowDC::Client(nullptr);
    return {MulDiv(w, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540),
            MulDiv(h, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540)};
}

HANDLE PictureHandle(IPictureDisp* picture) {
    ComPtr<IPicture> holder;
    OLE_HANDLE handle = 0;
    if (IPicture* p = AsPicture(picture, holder)) p->get_Handle(&handle);
    return LongToHandle(static_cast<LONG>(handle));
}

void RenderPicture(IPictureDisp* picture, HDC dc, const RECT& target) {
    ComPtr<IPicture> holder;
    IPicture* p = AsPicture(picture, holder);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    if (!p || FAILED(p->get_Width(&w)) || FAILED(p->get_Height(&h))) return;
    p->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
              0, h, w, -h, nullptr);
}

} // namespace qel::forms
