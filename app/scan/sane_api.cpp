#include "sane_api.h"

#include "exit_guard.h"

#include <dlfcn.h>
#include <mutex>
#include <thread>

namespace folivo {

namespace {

class DlLoader final : public LibraryLoader {
public:
    void* open(const char* name) override { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
    void* symbol(void* library, const char* name) override { return dlsym(library, name); }
    void close(void* library) override { dlclose(library); }
};

template <typename Fn>
void Bind(LibraryLoader& loader, void* library, Fn*& slot, const char* name) {
    slot = reinterpret_cast<Fn*>(loader.symbol(library, name));
}

struct Loaded {
    void* library = nullptr;
    SaneEntries entries;
    bool ready = false;
};

// How long the end of the program waits for sane_exit before it leaves the library be.
constexpr std::chrono::milliseconds kExitWait{2000};

} // namespace

std::unique_ptr<LibraryLoader> CreateDlLoader() {
    return std::make_unique<DlLoader>();
}

void SaneEntries::bindAll(LibraryLoader& loader, void* library) {
    Bind(loader, library, init, "sane_init");
    Bind(loader, library, exit, "sane_exit");
    Bind(loader, library, getDevices, "sane_get_devices");
    Bind(loader, library, open, "sane_open");
    Bind(loader, library, close, "sane_close");
    Bind(loader, library, optionDescriptor, "sane_get_option_descriptor");
    Bind(loader, library, controlOption, "sane_control_option");
    Bind(loader, library, parameters, "sane_get_parameters");
    Bind(loader, library, start, "sane_start");
    Bind(loader, library, read, "sane_read");
    Bind(loader, library, cancel, "sane_cancel");
}

SANE_Status SaneEntries::control(SANE_Handle h, SANE_Int option, SANE_Action action, void* value,
                                 SANE_Int* info) const {
    return controlOption ? controlOption(h, option, action, value, info) : SANE_STATUS_UNSUPPORTED;
}

const SANE_Option_Descriptor* SaneEntries::describe(SANE_Handle h, SANE_Int option) const {
    return optionDescriptor ? optionDescriptor(h, option) : nullptr;
}

SANE_Status SaneEntries::startFrame(SANE_Handle h) const {
    return start ? start(h) : SANE_STATUS_UNSUPPORTED;
}

SANE_Status SaneEntries::frameParameters(SANE_Handle h, SANE_Parameters* p) const {
    return parameters ? parameters(h, p) : SANE_STATUS_UNSUPPORTED;
}

SANE_Status SaneEntries::readData(SANE_Handle h, SANE_Byte* data, SANE_Int max,
                                  SANE_Int* length) const {
    return read ? read(h, data, max, length) : SANE_STATUS_UNSUPPORTED;
}

void SaneEntries::cancelScan(SANE_Handle h) const {
    if (cancel)
        cancel(h);
}

SaneApi::SaneApi(std::unique_ptr<LibraryLoader> loader, std::string libraryName)
    : m_loader(std::move(loader)), m_libraryName(std::move(libraryName)),
      m_thread(std::make_unique<ScannerThread>()) {}

SaneApi::~SaneApi() {
    if (m_library && !m_thread->isBusy() && *m_interrupts == 0) {
        // Both on the scanner thread: unloading takes the loader's lock, which a
        // cancelled backend thread may have left taken.
        m_thread
            ->post([entries = m_entries, ready = m_ready, loader = m_loader, library = m_library] {
                if (ready && entries.exit)
                    entries.exit();
                loader->close(library);
            })
            ->waitFor(kExitWait);
    }
    m_thread->setGrace(std::chrono::milliseconds(0));
}

bool SaneApi::initialise() {
    if (m_tried)
        return m_ready;
    m_tried = true;
    PrepareExitGuard();
    const std::optional<Loaded> loaded = call(
        [loader = m_loader, name = m_libraryName]() -> std::optional<Loaded> {
            Loaded l;
            l.library = loader->open(name.c_str());
            if (!l.library)
                return l;
            l.entries.bindAll(*loader, l.library);
            SANE_Int version = 0;
            l.ready = l.entries.init && l.entries.init(&version, nullptr) == SANE_STATUS_GOOD;
            if (!l.ready) {
                loader->close(l.library);
                l.library = nullptr;
            }
            return l;
        },
        std::nullopt);
    if (!loaded)
        return false;
    m_library = loaded->library;
    m_entries = loaded->entries;
    m_ready = loaded->ready;
    return m_ready;
}

std::optional<std::vector<DeviceEntry>> SaneApi::devices() {
    if (!m_ready)
        return std::nullopt;
    return call(
        [e = m_entries]() -> std::optional<std::vector<DeviceEntry>> {
            const SANE_Device** list = nullptr;
            if (!e.getDevices || e.getDevices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
                return std::nullopt;
            std::vector<DeviceEntry> found;
            const auto text = [](const char* s) { return QString::fromUtf8(s ? s : ""); };
            for (const SANE_Device** d = list; *d; ++d)
                found.push_back(
                    {text((*d)->name), text((*d)->vendor), text((*d)->model), text((*d)->type)});
            return found;
        },
        std::nullopt, ScannerWait::Listing);
}

SANE_Status SaneApi::open(const QString& name, SANE_Handle* handle) {
    *handle = nullptr;
    if (!m_ready || !admit())
        return SANE_STATUS_UNSUPPORTED;
    // A device opened after its wait was given up is closed at once by the job itself.
    struct Opening {
        std::mutex mutex;
        bool givenUp = false;
        SANE_Status status = SANE_STATUS_IO_ERROR;
        SANE_Handle handle = nullptr;
    };
    auto opening = std::make_shared<Opening>();
    const std::shared_ptr<ScannerCall> pending =
        m_thread->post([e = m_entries, utf8 = name.toUtf8(), opening] {
            SANE_Handle h = nullptr;
            const SANE_Status s = e.open ? e.open(utf8.constData(), &h) : SANE_STATUS_UNSUPPORTED;
            std::lock_guard lock(opening->mutex);
            if (opening->givenUp) {
                if (s == SANE_STATUS_GOOD && h && e.close)
                    e.close(h);
                return;
            }
            opening->status = s;
            opening->handle = s == SANE_STATUS_GOOD ? h : nullptr;
        });
    if (!wait(*pending, ScannerWait::Answer)) {
        std::lock_guard lock(opening->mutex);
        opening->givenUp = true;
        if (opening->handle) // came back just now
            m_orphans.push_back(opening->handle);
        return SANE_STATUS_IO_ERROR;
    }
    *handle = opening->handle;
    return opening->status;
}

void SaneApi::close(SANE_Handle handle) {
    if (!m_ready)
        return;
    if (isStuck()) {
        m_orphans.push_back(handle);
        return;
    }
    call(
        [e = m_entries, handle] {
            if (e.close)
                e.close(handle);
            return true;
        },
        false);
}

void SaneApi::cancel(SANE_Handle handle, TimePoint notBefore) {
    if (!m_ready)
        return;
    call(
        [e = m_entries, handle, notBefore] {
            std::this_thread::sleep_until(notBefore);
            e.cancelScan(handle);
            return true;
        },
        false);
}

void SaneApi::interrupt(SANE_Handle handle, TimePoint notBefore, std::shared_ptr<ReadGate> gate) {
    if (!m_ready || !m_entries.cancel)
        return;
    ++*m_interrupts;
    std::thread([cancel = m_entries.cancel, handle, notBefore, gate, count = m_interrupts] {
        std::this_thread::sleep_until(notBefore);
        {
            std::lock_guard lock(gate->mutex);
            if (gate->open)
                cancel(handle);
        }
        --*count;
    }).detach();
}

std::shared_ptr<ScannerCall> SaneApi::post(std::function<void()> job) {
    if (!admit())
        return nullptr;
    return m_thread->post(std::move(job));
}

void SaneApi::giveUp() {
    m_stuck = true;
    m_givenUp = true;
}

bool SaneApi::isStuck() {
    if (m_stuck && !m_thread->isBusy()) {
        // The left job came back: close what was given up meanwhile, then carry on.
        m_stuck = false;
        for (SANE_Handle h : std::exchange(m_orphans, {}))
            m_thread->post([e = m_entries, h] {
                if (e.close)
                    e.close(h);
            });
    }
    return m_stuck;
}

bool SaneApi::takeGivenUp() {
    return std::exchange(m_givenUp, false);
}

bool SaneApi::admit() {
    return !m_waiting && !isStuck();
}

bool SaneApi::wait(const ScannerCall& pending, ScannerWait what) {
    m_waiting = true;
    const bool done =
        m_waiter ? m_waiter->wait(pending, what, m_limits) : pending.waitFor(m_limits.noAnswer);
    m_waiting = false;
    if (!done)
        giveUp();
    return done;
}

} // namespace folivo
