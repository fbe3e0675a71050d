#pragma once
// frmAbout: the program's title, version and description, and a button that starts the
// system information program (LaunchSystemInfo). "閉じる" is the default and the cancel
// button (Enter and Esc press it). Fixed size, no minimise or maximise button; the window
// deletes itself when closed. Controls carry fixed object names (picIcon, lblTitle,
// lblVersion, lblDescription, Line1, cmdSysInfo, cmdOK).
#include "dialog_ports.h"

#include <QDialog>
#include <memory>

namespace folivo {

class MessageBoxes;

inline constexpr char16_t kProgramTitle[] = u"Folivo";

// "[ " + title + " ] のﾊﾞｰｼﾞｮﾝ情報"
QString AboutCaption(const QString& title);
// "Version : " + major + "." + minor + "." + revision, without padding.
QString VersionText(int major, int minor, int revision);
// The program's own version numbers as a label text.
QString ProgramVersionText();
// The description paragraphs as shown (the heading, an empty line, the sentence).
QString AboutDescription();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(std::shared_ptr<Registry> registry, std::shared_ptr<ProcessLauncher> launcher,
             MessageBoxes& messages, QWidget* parent = nullptr);

private:
    void build();

    std::shared_ptr<Registry> m_registry;
    std::shared_ptr<ProcessLauncher> m_launcher;
    MessageBoxes& m_messages;
};

} // namespace folivo
