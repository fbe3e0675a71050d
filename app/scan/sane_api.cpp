#include "sane_api.h"

#include <dlfcn.h>

namespace folivo {

namespace {

class DlLoader final : public LibraryLoader {
public:
    void* open(const char* name) override { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
    void* symbol(void* library, const char* name) override { return dlsym(library, name); }
    void close(void* library) override { dlclose(library); }
};

} // namespace

std::unique_ptr<LibraryLoader> CreateDlLoader() {
    return std::make_unique<DlLoader>();
}

SaneApi::SaneApi(std::unique_ptr<LibraryLoader> loader, std::string libraryName)
    : m_loader(std::move(loader)), m_libraryName(std::move(libraryName)) {}

SaneApi::~SaneApi() {
    if (m_ready && bind(m_exit, "sane_exit"))
        m_exit();
    if (m_library)
        m_loader->close(m_library);
}

template <typename Fn> Fn* SaneApi::bind(Fn*& slot, const char* name) {
    if (!slot && m_library)
        slot = reinterpret_cast<Fn*>(m_loader->symbol(m_library, name));
    return slot;
}

bool SaneApi::initialise() {
    if (m_tried)
        return m_ready;
    m_tried = true;
    m_library = m_loader->open(m_libraryName.c_str());
    if (!m_library)
        return false;
    decltype(&::sane_init) init = nullptr;
    if (!bind(init, "sane_init"))
        return false;
    SANE_Int version = 0;
    m_ready = init(&version, nullptr) == SANE_STATUS_GOOD;
    return m_ready;
}

SANE_Status SaneApi::getDevices(const SANE_Device*** list, bool localOnly) {
    if (!m_ready || !bind(m_getDevices, "sane_get_devices"))
        return SANE_STATUS_UNSUPPORTED;
    return m_getDevices(list, localOnly ? SANE_TRUE : SANE_FALSE);
}

SANE_Status SaneApi::open(const char* name, SANE_Handle* handle) {
    if (!m_ready || !bind(m_open, "sane_open"))
        return SANE_STATUS_UNSUPPORTED;
    return m_open(name, handle);
}

void SaneApi::close(SANE_Handle handle) {
    if (m_ready && bind(m_close, "sane_close"))
        m_close(handle);
}

const SANE_Option_Descriptor* SaneApi::optionDescriptor(SANE_Handle handle, SANE_Int option) {
    if (!m_ready || !bind(m_optionDescriptor, "sane_get_option_descriptor"))
        return nullptr;
    return m_optionDescriptor(handle, option);
}

SANE_Status SaneApi::controlOption(SANE_Handle handle, SANE_Int option, SANE_Action action,
                                   void* value, SANE_Int* info) {
    if (!m_ready || !bind(m_controlOption, "sane_control_option"))
        return SANE_STATUS_UNSUPPORTED;
    return m_controlOption(handle, option, action, value, info);
}

SANE_Status SaneApi::parameters(SANE_Handle handle, SANE_Parameters* params) {
    if (!m_ready || !bind(m_parameters, "sane_get_parameters"))
        return SANE_STATUS_UNSUPPORTED;
    return m_parameters(handle, params);
}

SANE_Status SaneApi::start(SANE_Handle handle) {
    if (!m_ready || !bind(m_start, "sane_start"))
        return SANE_STATUS_UNSUPPORTED;
    return m_start(handle);
}

SANE_Status SaneApi::read(SANE_Handle handle, SANE_Byte* data, SANE_Int maxLength,
                          SANE_Int* length) {
    if (!m_ready || !bind(m_read, "sane_read"))
        return SANE_STATUS_UNSUPPORTED;
    return m_read(handle, data, maxLength, length);
}

void SaneApi::cancel(SANE_Handle handle) {
    if (m_ready && bind(m_cancel, "sane_cancel"))
        m_cancel(handle);
}

} // namespace folivo
