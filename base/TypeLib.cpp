#include "base/TypeLib.h"
#include "base/ComPtr.h"
#include "base/Module.h"

#include <map>
#include <mutex>

namespace qel {
namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof a) < 0; }
};

struct Library {
    std::mutex lock;
    bool loaded = false;
    ComPtr<ITypeLib> lib;
    std::map<GUID, ComPtr<ITypeInfo>, GuidLess> infos;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

ComPtr<ITypeLib> LoadOwnTypeLib() {
    ComPtr<ITypeLib> lib;
    LoadTypeLibEx(ModuleFileName(CodeModule()).c_str(), REGKIND_NONE, lib.put());
    return lib;
}

} // namespace

ITypeInfo* LibraryTypeInfo(REFGUID guid) {
    Library& l = TheLibrary();
    std::lock_guard<std::mutex> guard(l.lock);
    if (!l.loaded) {
        l.lib = LoadOwnTypeLib();
        l.loaded = true;
    }
    auto found = l.infos.find(guid);
    if (found != l.infos.end()) return found->second.get();
    ComPtr<ITypeInfo> info;
    if (l.lib) l.lib->GetTypeInfoOfGuid(guid, info.put());
    return l.infos.emplace(guid, info).first->second.get();
}

} // namespace qel
