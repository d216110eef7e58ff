// The writer's three entry points over ZipHandle.

#include "zip/Zip.h"

#include <memory>

#include "zip/TZip.h"

namespace {

// ZipOk when the handle is one of ours and still open.
ZipResult checkHandle(const ZipHandle* handle) {
    if (handle == nullptr) {
        return ZipErrArgs;
    }
    if (handle->tag != ZipHandleTagCreating) {
        return ZipErrWrongHandle;
    }
    return handle->zip != nullptr ? ZipOk : ZipErrArgs;
}

} // namespace

ZipHandle* ZipCreateArchive(const void* target, std::uint32_t size, ZipKind kind) {
    auto zip = std::make_unique<TZip>();
    if (zip->OpenOutput(target, size, kind) != ZipOk) {
        return nullptr;
    }
    return new ZipHandle{ZipHandleTagCreating, zip.release()};
}

ZipResult ZipAddEntry(ZipHandle* handle, const char* name, const void* source, std::uint32_t size,
                      ZipKind kind) {
    const ZipResult checked = checkHandle(handle);
    return checked != ZipOk ? checked : handle->zip->AddEntry(name, source, size, kind);
}

ZipResult ZipCloseArchive(ZipHandle* handle) {
    const ZipResult checked = checkHandle(handle);
    if (checked != ZipOk) {
        return checked;
    }
    const ZipResult result = handle->zip->Finish();
    delete handle->zip;
    delete handle;
    return result;
}
