#pragma once
// frmAutosave: the automatic-save settings of one output format ("BMP", "JPEG", "PDF").
//
// The format is fixed when the window is made; the caption reads "[" + format + "] ファイルの
// 自動保存設定". Controls carry fixed object names (OptSave0/1, OptAutosave0/1/2, TextOutput,
// FrameAutoSave, FrameOutput, CmdSave, CmdClose) so that tests can find them.
// "保存" stores the choice (StoreAutosaveChoice) and closes, unless the other folder is
// chosen without a folder: then the message "出力先の指定が行われていません。" is shown and
// the window stays open. "閉じる" and the close box store nothing.
// The window deletes itself when closed.
#include "autosave_settings.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace folivo {

class FolderPicker;
class MessageBoxes;

inline constexpr char16_t kNoOutputFolder[] = u"出力先の指定が行われていません。";

class frmAutosave : public QDialog {
    Q_OBJECT
public:
    frmAutosave(const QString& format, std::shared_ptr<FolderPicker> picker, MessageBoxes& messages,
                QWidget* parent = nullptr, SettingWriter write = nullptr);

    QString format() const { return m_format; }
    // The values kept while open: flag, type and folder.
    const AutosaveChoice& choice() const { return m_choice; }

private:
    void build();
    void LoadAutosaveSettings(const QString& format);
    void selectOnOff(bool on);
    void applyOnOffRule();
    void selectFolderOption(int index);
    void applyFolderRule(int index);
    void save();

    QString m_format;
    std::shared_ptr<FolderPicker> m_picker;
    MessageBoxes& m_messages;
    SettingWriter m_write;
    AutosaveChoice m_choice;
    bool m_loading = false;
    bool m_pickAgain = false; // "その他" was already chosen when pressed

    QGroupBox* m_frameAutoSave = nullptr;
    QGroupBox* m_frameOutput = nullptr;
    QRadioButton* m_optSave[2] = {};
    QRadioButton* m_optAutosave[3] = {};
    QLineEdit* m_textOutput = nullptr;
};

} // namespace folivo
