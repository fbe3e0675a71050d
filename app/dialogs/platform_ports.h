#pragma once
// The real implementations of the dialog services on Linux.
#include "dialog_ports.h"

class QFileDialog;

namespace folivo {

inline constexpr char16_t kFolderPickerTitle[] = u"フォルダを選択してください";

// The directory dialog of the folder picker, not yet shown: title kFolderPickerTitle, opened
// at initialFolder, only folders can be chosen. The caller owns it.
QFileDialog* MakeFolderDialog(QWidget* owner, const QString& initialFolder);

class QtFolderPicker final : public FolderPicker {
public:
    QString BrowseForFolder(QWidget* owner, const QString& initialFolder) override;
};

// Linux has no registry: every read finds nothing.
class NullRegistry final : public Registry {
public:
    std::optional<RegistryValue> queryValue(std::uint32_t, const QString&,
                                            const QString&) override {
        return std::nullopt;
    }
};

class QtProcessLauncher final : public ProcessLauncher {
public:
    QString findExecutable(const QString& name) override;
    bool startDetached(const QString& program) override;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace folivo
