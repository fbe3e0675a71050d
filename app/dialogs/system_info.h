#pragma once
// The two information commands of the help menu: the manual and the system information
// program started from the About box.
//
// ReadRegistryText(registry, root, keyPath, valueName):
//   found = the key opened and the value was read into a buffer of kRegistryBufferBytes
//   (a longer value does not fit and counts as not found). Of the reported bytes a single
//   closing NUL is dropped. REG_SZ gives the text (locale encoding), REG_DWORD the number
//   in decimal, any other type "" but still found. Not found gives "".
// LaunchSystemInfo(...): the program named by the registry (key 1 "PATH"; else the folder in
//   key 2 "MSINFO" when it holds "MSINFO32.EXE"); without one, the first of kinfocenter,
//   hardinfo, gnome-system-monitor found on PATH. When there is none, or it does not start,
//   the message kSystemInfoUnavailable is shown (no title).
// OpenManual(opener): hands the file URL of ManualPath() to the desktop; a failure is not
//   reported.
#include "dialog_ports.h"

namespace folivo {

class MessageBoxes;

inline constexpr int kRegistryBufferBytes = 1024;
inline constexpr char16_t kSystemInfoKey1[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char16_t kSystemInfoKey2[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char16_t kSystemInfoProgramFile[] = u"MSINFO32.EXE";
inline constexpr char16_t kSystemInfoUnavailable[] = u"現時点ではｼｽﾃﾑ情報を使用できません";

struct RegistryText {
    bool found = false;
    QString text;
};

// Pure decoding of a value as the query reported it.
RegistryText DecodeRegistryValue(const RegistryValue& value);
RegistryText ReadRegistryText(Registry& registry, std::uint32_t root, const QString& keyPath,
                              const QString& valueName);

// The system information program to start, or empty text when there is none.
QString FindSystemInfoProgram(Registry& registry, ProcessLauncher& launcher);
void LaunchSystemInfo(Registry& registry, ProcessLauncher& launcher, MessageBoxes& messages);

// Program folder + "/Manual/html/index.htm".
QString ManualPath();
void OpenManual(UrlOpener& opener);

} // namespace folivo
