#pragma once
// The outside things the settings and information windows talk to, each behind a small
// interface so that tests answer them without a person or a desktop.
//
// - FolderPicker: a modal directory chooser. BrowseForFolder(owner, initialFolder) shows
//   it titled "フォルダを選択してください", starting at initialFolder, and answers the chosen
//   folder's path, or empty text when the user cancelled.
// - Registry: raw reads of the system registry. queryValue answers the value stored under
//   root\keyPath with the given name, its type and its bytes exactly as the query reports
//   them (a closing NUL included when the store holds one); std::nullopt when the key
//   cannot be opened or the value is missing. Linux has no registry: the real one finds
//   nothing.
// - ProcessLauncher: findExecutable(name) answers the full path of a program on PATH, or
//   empty text; startDetached(path) starts a program in its own window and answers whether
//   it started.
// - UrlOpener: hands a URL to the desktop (browser, viewer); answers whether it did.
//
// PlatformDialogServices() gives the real implementations. None of them keeps a pointer to
// the owner window beyond the call.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QUrl;
class QWidget;

namespace folivo {

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    virtual QString BrowseForFolder(QWidget* owner, const QString& initialFolder) = 0;
};

inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kRegSz = 1;    // text
inline constexpr std::uint32_t kRegDword = 4; // 32-bit number, little-endian

struct RegistryValue {
    std::uint32_t type = 0;
    QByteArray data; // as many bytes as the query reports
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual std::optional<RegistryValue> queryValue(std::uint32_t root, const QString& keyPath,
                                                    const QString& valueName) = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual QString findExecutable(const QString& name) = 0;
    virtual bool startDetached(const QString& program) = 0;
};

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool openUrl(const QUrl& url) = 0;
};

struct DialogServices {
    std::shared_ptr<FolderPicker> folderPicker;
    std::shared_ptr<Registry> registry;
    std::shared_ptr<ProcessLauncher> launcher;
    std::shared_ptr<UrlOpener> urlOpener;
};

// QFileDialog folder picker, no registry, QProcess launcher, QDesktopServices opener.
DialogServices PlatformDialogServices();

} // namespace folivo
