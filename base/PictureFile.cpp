#include "base/PictureFile.h"
#include "base/AtomicFile.h"
#include "base/FileHelpers.h"

#include <vector>

namespace qel {
namespace {

// Sizes of files are told in megabytes of 2^20 bytes, rounded up.
constexpr LONGLONG kMegabyte = 1 << 20;

void Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
}

ComPtr<IPicture> AsPicture(IPictureDisp* picture) {
    return ComPtr<IPictureDisp>(picture).as<IPicture>();
}

// A picture of the handle `owner` holds, described by `desc`; the picture owns
// the handle once made (none when `owner` is empty or it cannot be made).
template <class Owner> ComPtr<IPictureDisp> Adopting(Owner& owner, PICTDESC& desc) {
    if (!owner) return nullptr;
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        return nullptr;
    owner.release();
    return picture;
}

// Pictures other than bitmaps save themselves.
bool SaveInOwnFormat(IPictureDisp* picture, const std::string& path, std::string* error) {
    ComPtr<IPicture> p = AsPicture(picture);
    ComPtr<IStream> stream;
    LONG size = 0;
    HGLOBAL memory = nullptr;
    if (!p || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        FAILED(p->SaveAsFile(stream.get(), TRUE, &size)) ||
        FAILED(GetHGlobalFromStream(stream.get(), &memory))) {
        Fail(error, "There is no picture to save.");
        return false;
    }
    const void* bytes = GlobalLock(memory);
    bool ok = bytes && WriteFileReplacing(path, bytes, static_cast<size_t>(size), error);
    GlobalUnlock(memory);
    return ok;
}

// The picture the platform decodes from bytes already checked; null when it
// makes none.
ComPtr<IPictureDisp> Decode(const void* data, size_t size) {
    ComPtr<IStream> stream;
    ULONG written = 0;
    LARGE_INTEGER start{};
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        FAILED(stream->Write(data, static_cast<ULONG>(size), &written)) || written != size ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return nullptr;
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPictureDisp,
                              picture.put_void())) ||
        PictureType(picture.get()) == PICTYPE_NONE)
        return nullptr;
    return picture;
}

// Tells why a file gave no picture.
void Refuse(PictureProblem why, const std::string& text, std::string* error,
            PictureProblem* problem) {
    if (problem) *problem = why;
    Fail(error, text);
}

std::string Invalid(const std::string& path) {
    return "Invalid picture: " + path;
}

} // namespace

ComPtr<IPictureDisp> LoadPictureBytes(const void* data, size_t size, PictureBound bound,
                                      std::string* tooLarge) {
    if (!data || size == 0 || !PictureWithin(data, size, bound, tooLarge)) return nullptr;
    return Decode(data, size);
}

std::vector<uint8_t> ReadPictureFile(const std::string& path, PictureBound bound,
                                     std::string* error, PictureProblem* problem) {
    auto refuse = [&](PictureProblem why, const std::string& text) {
        Refuse(why, text, error, problem);
        return std::vector<uint8_t>();
    };
    const DWORD attributes = FileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return refuse(PictureProblem::Missing, "File not found: " + path);
    UniqueFile file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) return refuse(PictureProblem::NotAPicture, "The file cannot be opened: " + path);
    LARGE_INTEGER size{};
    std::vector<uint8_t> bytes;
    std::string tooLarge;
    DWORD read = 0;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > kMaxPictureFile) {
        tooLarge = "is " + std::to_string((size.QuadPart + kMegabyte - 1) / kMegabyte) +
                   " MB; a picture file is at most " + std::to_string(kMaxPictureFile / kMegabyte) +
                   " MB";
    } else if (size.QuadPart > 0) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size()) // shorter than it says, or failing
            return refuse(PictureProblem::NotAPicture, "The file cannot be read: " + path);
    }
    if (!bytes.empty() && PictureWithin(bytes.data(), bytes.size(), bound, &tooLarge)) {
        if (problem) *problem = PictureProblem::None;
        return bytes;
    }
    if (!tooLarge.empty()) return refuse(PictureProblem::TooLarge, path + " " + tooLarge + ".");
    return refuse(PictureProblem::NotAPicture, Invalid(path));
}

ComPtr<IPictureDisp> LoadPictureFile(const std::string& path, PictureBound bound,
                                     std::string* error, PictureProblem* problem) {
    const std::vector<uint8_t> bytes = ReadPictureFile(path, bound, error, problem);
    ComPtr<IPictureDisp> picture = bytes.empty() ? nullptr : Decode(bytes.data(), bytes.size());
    if (!picture && !bytes.empty())
        Refuse(PictureProblem::NotAPicture, Invalid(path), error, problem);
    return picture;
}

bool SavePictureFile(IPictureDisp* picture, const std::string& path, std::string* error) {
    HBITMAP bitmap = BitmapOfPicture(picture);
    if (!bitmap) return SaveInOwnFormat(picture, path, error);
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth < 1 || bm.bmHeight < 1) {
        Fail(error, "There is no bitmap picture to save.");
        return false;
    }
    const int stride = ((bm.bmWidth * 24 + 31) / 32) * 4;
    const size_t bitsSize = size_t(stride) * bm.bmHeight;
    const size_t headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> file(headers + bitsSize);
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    *info = {sizeof(BITMAPINFOHEADER),     bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB,
             static_cast<DWORD>(bitsSize), 0,          0,           0, 0};
    WindowDC screen = WindowDC::Client(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, file.data() + headers,
                  reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS) != bm.bmHeight) {
        Fail(error, "The picture's pixels cannot be read.");
        return false;
    }
    auto* header = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
    *header = {0x4D42, static_cast<DWORD>(file.size()), 0, 0, static_cast<DWORD>(headers)};
    return WriteFileReplacing(path, file.data(), file.size(), error);
}

ComPtr<IPictureDisp> PictureFromBitmap(UniqueBitmap bitmap) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.get();
    return Adopting(bitmap, desc);
}

ComPtr<IPictureDisp> PictureFromIcon(UniqueIcon icon) {
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon.get();
    return Adopting(icon, desc);
}

short PictureType(IPictureDisp* picture) {
    SHORT type = PICTYPE_NONE;
    if (ComPtr<IPicture> p = AsPicture(picture)) p->get_Type(&type);
    return type;
}

SIZE PictureSize(IPictureDisp* picture) {
    ComPtr<IPicture> p = AsPicture(picture);
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
    OLE_HANDLE handle = 0;
    if (ComPtr<IPicture> p = AsPicture(picture)) p->get_Handle(&handle);
    return LongToHandle(static_cast<LONG>(handle));
}

HBITMAP BitmapOfPicture(IPictureDisp* picture) {
    return PictureType(picture) == PICTYPE_BITMAP ? static_cast<HBITMAP>(PictureHandle(picture))
                                                  : nullptr;
}

void RenderPicture(IPictureDisp* picture, HDC dc, const RECT& target) {
    ComPtr<IPicture> p = AsPicture(picture);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    if (!p || FAILED(p->get_Width(&w)) || FAILED(p->get_Height(&h))) return;
    p->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
              0, h, w, -h, nullptr);
}

} // namespace qel
