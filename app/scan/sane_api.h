#pragma once
// The SANE library, loaded at run time.
//
// Contract: initialise() loads the library through the loader and calls sane_init; it
// answers false (and keeps answering false) when the library cannot be loaded, lacks
// sane_init, or sane_init fails: the scanner is then absent and the program runs on.
// Every other function is bound by name at its first call; a missing symbol answers
// SANE_STATUS_UNSUPPORTED (or nothing) instead of crashing. The destructor calls
// sane_exit when sane_init succeeded, then unloads the library. Calls come from the
// user-interface thread, except read(), which the acquisition runs on its reader thread;
// cancel() from the user-interface thread is how SANE stops a read in progress.
#include <memory>
#include <sane/sane.h>
#include <string>

namespace folivo {

// How a shared library is reached: dlopen in the program, fakes in tests.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    virtual void* open(const char* name) = 0; // nullptr when it cannot be loaded
    virtual void* symbol(void* library, const char* name) = 0;
    virtual void close(void* library) = 0;
};

std::unique_ptr<LibraryLoader> CreateDlLoader();

class SaneApi {
public:
    explicit SaneApi(std::unique_ptr<LibraryLoader> loader,
                     std::string libraryName = "libsane.so.1");
    ~SaneApi();
    SaneApi(const SaneApi&) = delete;
    SaneApi& operator=(const SaneApi&) = delete;

    bool initialise();
    bool isReady() const { return m_ready; }

    SANE_Status getDevices(const SANE_Device*** list, bool localOnly);
    SANE_Status open(const char* name, SANE_Handle* handle);
    void close(SANE_Handle handle);
    const SANE_Option_Descriptor* optionDescriptor(SANE_Handle handle, SANE_Int option);
    SANE_Status controlOption(SANE_Handle handle, SANE_Int option, SANE_Action action, void* value,
                              SANE_Int* info);
    SANE_Status parameters(SANE_Handle handle, SANE_Parameters* params);
    SANE_Status start(SANE_Handle handle);
    SANE_Status read(SANE_Handle handle, SANE_Byte* data, SANE_Int maxLength, SANE_Int* length);
    void cancel(SANE_Handle handle);

private:
    template <typename Fn> Fn* bind(Fn*& slot, const char* name);

    std::unique_ptr<LibraryLoader> m_loader;
    std::string m_libraryName;
    void* m_library = nullptr;
    bool m_tried = false;
    bool m_ready = false;

    decltype(&::sane_exit) m_exit = nullptr;
    decltype(&::sane_get_devices) m_getDevices = nullptr;
    decltype(&::sane_open) m_open = nullptr;
    decltype(&::sane_close) m_close = nullptr;
    decltype(&::sane_get_option_descriptor) m_optionDescriptor = nullptr;
    decltype(&::sane_control_option) m_controlOption = nullptr;
    decltype(&::sane_get_parameters) m_parameters = nullptr;
    decltype(&::sane_start) m_start = nullptr;
    decltype(&::sane_read) m_read = nullptr;
    decltype(&::sane_cancel) m_cancel = nullptr;
};

} // namespace folivo
