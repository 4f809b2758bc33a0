#include "base/PictureFile.h"
#include "base/AtomicFile.h"
#include "base/Handle.h"

#include <vector>

namespace qel {
namespace {

using UniqueFile = UniqueHandle<HANDLE, CloseHandle>;

// Files larger than this are not pictures anyone means to load.
constexpr DWORD kMaxPictureFile = 64u << 20;

void Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
}

} // namespace

ComPtr<IPictureDisp> LoadPictureBytes(const void* data, size_t size) {
    if (!data || size == 0) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    if (void* p = GlobalLock(memory)) {
        memcpy(p, data, size);
        GlobalUnlock(memory);
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {
        GlobalFree(memory);
        return nullptr;
    }
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPictureDisp,
                              picture.put_void())))
        return nullptr;
    return picture;
}

ComPtr<IPictureDisp> LoadPictureFile(const std::string& path, std::string* error) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        Fail(error, "The file \"" + path + "\" cannot be opened.");
        return nullptr;
    }
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE || size > kMaxPictureFile) {
        Fail(error, "The file \"" + path + "\" is not a picture.");
        return nullptr;
    }
    std::vector<BYTE> bytes(size);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), size, &read, nullptr) || read != size) {
        Fail(error, "The file \"" + path + "\" cannot be read.");
        return nullptr;
    }
    ComPtr<IPictureDisp> picture = LoadPictureBytes(bytes.data(), bytes.size());
    if (!picture) Fail(error, "The file \"" + path + "\" is not a picture.");
    return picture;
}

HBITMAP BitmapOfPicture(IPictureDisp* picture) {
    ComPtr<IPicture> p = ComPtr<IPictureDisp>(picture).as<IPicture>();
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (!p || FAILED(p->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(p->get_Handle(&handle)))
        return nullptr;
    return static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle)));
}

namespace {

// Pictures other than bitmaps save themselves.
bool SaveInOwnFormat(IPictureDisp* picture, const std::string& path, std::string* error) {
    ComPtr<IPicture> p = ComPtr<IPictureDisp>(picture).as<IPicture>();
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

}  // namespace

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
    if (!bitmap) return nullptr;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.get();
    ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        return nullptr;
    bitmap.release(); // the picture owns it now
    return picture;
}

} // namespace qel
