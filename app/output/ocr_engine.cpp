#include "ocr_engine.h"

#include "ocr_module.h"

#include <QStringList>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace folivo {
namespace {

// Beside the program, where the build puts it and the install too.
const OcrModuleEntry* loadModule() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return nullptr;
    const std::string path = (program.parent_path() / kOcrModuleFile).string();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    // Stays loaded: engines made by it may live until the program ends.
    using Entry = const OcrModuleEntry* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, kOcrModuleEntryName));
    return entry ? entry() : nullptr;
}

const OcrModuleEntry* module() {
    static std::once_flag once;
    static const OcrModuleEntry* loaded = nullptr;
    std::call_once(once, [] { loaded = loadModule(); });
    return loaded;
}

} // namespace

std::unique_ptr<OcrEngine> MakeTesseractEngine(OcrLanguage language, int timeLimitMs) {
    const OcrModuleEntry* entry = module();
    return entry ? entry->makeEngine(language, timeLimitMs) : nullptr;
}

void RestartWithOcrThreadLimit(char** argv) {
    if (std::getenv("OMP_THREAD_LIMIT") != nullptr || ::setenv("OMP_THREAD_LIMIT", "1", 1) != 0)
        return;
    ::execv("/proc/self/exe", argv); // returns only when it fails: run on as we are
}

QString MissingOcrModels(OcrLanguage language) {
    if (const OcrModuleEntry* entry = module())
        return entry->missingModels(language);
    return OcrModelsOf(language).join(QStringLiteral(", "));
}

} // namespace folivo
