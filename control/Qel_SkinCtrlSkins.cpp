// Where the control's current skin sheet comes from: a built-in sheet chosen
// by number, a custom picture, or the thread's skin cache file.
#include "base/MessagePump.h"
#include "base/Module.h"
#include "base/PictureFile.h"
#include "base/FileHelpers.h"
#include "base/WideText.h"
#include "control/Qel_SkinCtrl.h"
#include "sheet/win32/SheetPicture.h"
#include "sheet/SkinSheetGeometry.h"

#include <shlobj.h>

namespace qel {
namespace {

constexpr const char* kCacheFolderName = "Qel_Skins\\";

bool IsBuiltIn(long skin) {
    return skin >= 1 && skin <= 6;
}

// True when a file can be created in `folder` (which ends in "\"). The probe is
// named by process and thread: controls starting at once on two threads do not
// take each other's probe for a folder they cannot write.
bool FolderWritable(const std::string& folder) {
    const std::string probe = folder + "~qel" + std::to_string(GetCurrentProcessId()) + "." +
                              std::to_string(GetCurrentThreadId()) + ".tmp";
    return static_cast<bool>(OpenFile(probe, GENERIC_WRITE, 0, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
}

// The per-user fallback for the cache folder, ending in "\".
std::string LocalCacheFolder() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local))) return "";
    std::string folder = Narrow(local, wcslen(local));
    AddPathTerminator(folder);
    return folder + kCacheFolderName;
}

} // namespace

// The Windows folder's "Qel_Skins\" holds the cache file; where a user may not
// write there, the same folder in the user's local application data does.
void Qel_SkinCtrl::InitialiseCacheFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetWindowsDirectoryW(buffer, MAX_PATH);
    m_WinDir = Narrow(buffer, wcslen(buffer));
    if (m_WinDir.empty() || m_WinDir.back() != '\\') m_WinDir += '\\';
    m_CacheFolder = m_WinDir + kCacheFolderName;
    if (!FolderExists(m_CacheFolder)) MakePath(m_CacheFolder);
    if (!FolderWritable(m_CacheFolder)) {
        const std::string local = LocalCacheFolder();
        if (!local.empty() && MakePath(local)) m_CacheFolder = local;
    }
}

std::string Qel_SkinCtrl::CacheFile() const {
    return m_CacheFolder + std::to_string(m_CacheId) + ".skn";
}

// The cache file to load: the one in the cache folder, or else one left in the
// other of the two folders.
std::string Qel_SkinCtrl::CacheFileToRead() const {
    const std::string name = std::to_string(m_CacheId) + ".skn";
    for (const std::string& folder :
         {m_CacheFolder, m_WinDir + kCacheFolderName, LocalCacheFolder()})
        if (!folder.empty() && FileExists(folder + name)) return folder + name;
    return "";
}

void Qel_SkinCtrl::SaveSkinCache() {
    SavePictureFile(picture1_.get(), CacheFile());
}

// Takes the cache file's picture when the file exists; false when there is
// none. A file that does not load as a skin sheet leaves the picture as it was.
bool Qel_SkinCtrl::LoadSkinCache() {
    const std::string path = CacheFileToRead();
    if (path.empty()) return false;
    ComPtr<IPictureDisp> cached = LoadPictureFile(path, kSheetPictureBound);
    if (cached && IsUsableSheet(cached.get())) picture1_ = cached;
    return true;
}

ComPtr<IPictureDisp> Qel_SkinCtrl::BuiltInPicture(long skin) {
    if (!IsBuiltIn(skin)) return nullptr;
    ComPtr<IPictureDisp>& picture = builtIn_[skin - 1];
    if (!picture) {
        const std::string name = "SKIN" + std::to_string(skin);
        HMODULE module = CodeModule();
        if (HRSRC found = FindResourceA(module, name.c_str(), reinterpret_cast<LPCSTR>(RT_RCDATA)))
            if (HGLOBAL loaded = LoadResource(module, found))
                picture = LoadPictureBytes(LockResource(loaded), SizeofResource(module, found),
                                           kSheetPictureBound);
    }
    return picture;
}

// Picture1 takes the built-in sheet of `skin`; a number without one leaves it.
void Qel_SkinCtrl::TakeBuiltInPicture(long skin) {
    if (ComPtr<IPictureDisp> picture = BuiltInPicture(skin)) picture1_ = picture;
}

// The choice when the control is loaded with its form.
void Qel_SkinCtrl::ChooseAtLoad() {
    if (m_LoadSkinFromRegistry && LoadSkinCache()) return;
    if (m_Skin == Custom_Skin) {
        if (m_SkinPicture) picture1_ = m_SkinPicture;
    } else {
        TakeBuiltInPicture(m_Skin);
    }
    if (picture1_ && m_SaveSkinToRegistry) SaveSkinCache();
}

// The choice at activation: a number of 1 or more selects that skin. Only the
// choice is made here; activation takes it once the picture slices.
Qel_SkinCtrl::SkinChoice Qel_SkinCtrl::ChoiceByNumber(long skinNumber) {
    SkinChoice choice{m_Skin, picture1_, false};
    if (skinNumber < 1 && m_Skin != Custom_Skin) return choice;
    choice.chosen = true;
    if ((skinNumber != Custom_Skin && m_Skin != Custom_Skin) || !m_SkinPicture) {
        choice.skin = static_cast<Skins>(skinNumber);
        if (ComPtr<IPictureDisp> builtIn = BuiltInPicture(skinNumber)) choice.picture = builtIn;
    } else {
        choice.skin = Custom_Skin;
        choice.picture = m_SkinPicture;
    }
    return choice;
}

// The sink gets a reference of its own: one that assigns to the by-reference
// argument releases that reference, never the control's picture.
void Qel_SkinCtrl::RaiseSkinChanged() {
    ComPtr<IDispatch> own = picture1_;
    IDispatch* current = own.detach();
    VARIANTARG arg;
    V_VT(&arg) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&arg) = &current;
    events_.Fire(DISPID_SKINCTRL_SKINCHANGED, {arg});
    if (current) current->Release();
}

STDMETHODIMP Qel_SkinCtrl::get_Skin(Skins* ret) {
    if (!ret) return E_POINTER;
    *ret = m_Skin;
    return S_OK;
}

STDMETHODIMP Qel_SkinCtrl::put_Skin(Skins New_Skin) {
    return Guard([&] {
        if (New_Skin != m_Skin) {
            m_Skin = New_Skin;
            PropertyChanged(DISPID_SKINCTRL_SKIN);
            if (m_Activated) {
                if (m_Skin == Custom_Skin) {
                    if (m_SkinPicture) picture1_ = m_SkinPicture;
                } else if (m_Skin < Custom_Skin) {
                    TakeBuiltInPicture(m_Skin);
                }
                ActivateSkin(0);
            }
            if (picture1_ && m_SaveSkinToRegistry) SaveSkinCache();
            RaiseSkinChanged();
        }
        DefaultPointerAndDoEvents();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::get_SkinPicture(IPictureDisp** ret) {
    return CopyTo(m_SkinPicture, ret);
}

// A picture that does not read as a skin sheet is refused: the control keeps
// its skin, its number and its cache file.
STDMETHODIMP Qel_SkinCtrl::putref_SkinPicture(IPictureDisp* New_SkinPicture) {
    return Guard([&] {
        const bool isNew = New_SkinPicture && (BitmapOfPicture(New_SkinPicture) !=
                                                   BitmapOfPicture(m_SkinPicture.get()) ||
                                               m_Skin != Custom_Skin);
        if (isNew && IsUsableSheet(New_SkinPicture)) {
            m_SkinPicture = New_SkinPicture;
            PropertyChanged(DISPID_SKINCTRL_SKINPICTURE);
            m_Skin = Custom_Skin;
            picture1_ = m_SkinPicture;
            if (picture1_ && m_SaveSkinToRegistry) SaveSkinCache();
            if (m_Activated) ActivateSkin(0);
            RaiseSkinChanged();
        }
        DefaultPointerAndDoEvents();
        return S_OK;
    });
}

STDMETHODIMP Qel_SkinCtrl::SaveSkinPicture(BSTR SkinPath) {
    return Guard([&] {
        const std::string path = Narrow(SkinPath, SysStringLen(SkinPath));
        if (!path.empty()) SavePictureFile(picture1_.get(), path);
        return S_OK;
    });
}

} // namespace qel
