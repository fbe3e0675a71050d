#include "autosave_dialog.h"

#include "dialog_geometry.h"
#include "dialog_ports.h"
#include "dialog_widgets.h"
#include "program_paths.h"
#include "settings.h"
#include "ui_ports.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

namespace folivo {
namespace {

constexpr int kOther = 2;

} // namespace

frmAutosave::frmAutosave(const QString& format, std::shared_ptr<FolderPicker> picker,
                         MessageBoxes& messages, QWidget* parent, SettingWriter write)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_format(format), m_picker(std::move(picker)), m_messages(messages),
      m_write(write ? std::move(write) : SettingWriter(&WriteSetting)) {
    setObjectName(QStringLiteral("frmAutosave"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
    setWindowTitle(u'[' + m_format + QString::fromUtf16(u"] ファイルの自動保存設定"));
    LoadAutosaveSettings(m_format);
}

void frmAutosave::build() {
    const double dpi = DialogDpi(parentWidget());
    SetInnerTwips(this, 3255, 3495, dpi);

    m_frameAutoSave = MakeFrame(this, QStringLiteral("FrameAutoSave"), u"自動保存処理",
                                TwipsRect(120, 120, 3015, 735, dpi));
    m_optSave[0] = MakeOption(m_frameAutoSave, QStringLiteral("OptSave0"), u"する",
                              TwipsRect(240, 300, 1215, 315, dpi));
    m_optSave[1] = MakeOption(m_frameAutoSave, QStringLiteral("OptSave1"), u"しない",
                              TwipsRect(1560, 300, 1215, 315, dpi));

    m_frameOutput = MakeFrame(this, QStringLiteral("FrameOutput"), u"出力先の指定",
                              TwipsRect(120, 960, 3015, 1935, dpi));
    const char16_t* folderTexts[3] = {u"デスクトップ", u"マイドキュメント", u"その他"};
    for (int i = 0; i < 3; ++i)
        m_optAutosave[i] =
            MakeOption(m_frameOutput, QStringLiteral("OptAutosave%1").arg(i), folderTexts[i],
                       TwipsRect(240, 360 + 360 * i, 2295, 315, dpi));
    m_textOutput = Place(new QLineEdit(m_frameOutput), QStringLiteral("TextOutput"),
                         TwipsRect(480, 1440, 2295, 315, dpi));

    auto* save =
        MakeButton(this, QStringLiteral("CmdSave"), u"保存", TwipsRect(240, 3000, 1335, 375, dpi));
    auto* close = MakeButton(this, QStringLiteral("CmdClose"), u"閉じる",
                             TwipsRect(1680, 3000, 1335, 375, dpi));

    // The rules follow every change of an option, whether a click, a key, the program while
    // loading or an assistive tool's toggle action made it. A click on "その他" while it is
    // already chosen changes nothing, yet asks for another folder.
    for (QRadioButton* option : m_optSave)
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                applyOnOffRule();
        });
    for (int i = 0; i < 3; ++i)
        connect(m_optAutosave[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                applyFolderRule(i);
        });
    QRadioButton* other = m_optAutosave[kOther];
    connect(other, &QRadioButton::pressed, this,
            [this, other] { m_pickAgain = other->isChecked(); });
    connect(other, &QRadioButton::toggled, this, [this] { m_pickAgain = false; });
    connect(other, &QRadioButton::clicked, this, [this] {
        if (std::exchange(m_pickAgain, false))
            applyFolderRule(kOther);
    });
    for (QRadioButton* option : m_optSave)
        option->setAccessibleName(m_frameAutoSave->title() + u' ' + option->text());
    for (QRadioButton* option : m_optAutosave)
        option->setAccessibleName(m_frameOutput->title() + u' ' + option->text());
    m_textOutput->setAccessibleName(m_frameOutput->title());
    connect(save, &QPushButton::clicked, this, &frmAutosave::save);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void frmAutosave::LoadAutosaveSettings(const QString& format) {
    selectOnOff(ReadSetting(format, QStringLiteral("Flag"), QString()) == QLatin1String("True"));
    const QString type = ReadSetting(format, QStringLiteral("Type"), QString());
    if (type == QLatin1String("2")) {
        m_loading = true;
        selectFolderOption(kOther);
        m_choice.folder = ReadSetting(format, QStringLiteral("Path"), QString());
        m_textOutput->setText(m_choice.folder);
        m_loading = false;
    } else {
        selectFolderOption(type == QLatin1String("1") ? 1 : 0);
    }
    m_textOutput->setText(ReadSetting(format, QStringLiteral("Path"), QString()));
}

void frmAutosave::selectOnOff(bool on) {
    m_optSave[on ? 0 : 1]->setChecked(true); // the rule follows the change
}

void frmAutosave::applyOnOffRule() {
    const bool on = m_optSave[0]->isChecked();
    m_choice.flag = on ? QStringLiteral("True") : QStringLiteral("False");
    m_frameOutput->setEnabled(on);
    for (QRadioButton* option : m_optAutosave)
        option->setEnabled(on);
}

void frmAutosave::selectFolderOption(int index) {
    m_optAutosave[index]->setChecked(true); // the rule follows the change
}

void frmAutosave::applyFolderRule(int index) {
    if (index != kOther) {
        m_choice.type = QString::number(index);
        return;
    }
    m_textOutput->setReadOnly(false);
    const QString remembered = m_textOutput->text();
    if (!m_loading) {
        const QString answer = m_picker->BrowseForFolder(this, ProgramFolder());
        m_textOutput->setText(answer.isEmpty() ? remembered : answer);
    }
    m_textOutput->setReadOnly(true);
    m_choice.folder = m_textOutput->text();
    m_choice.type = QStringLiteral("2");
}

void frmAutosave::save() {
    if (m_choice.type == QLatin1String("2") && m_choice.folder.isEmpty()) {
        const QString text = QString::fromUtf16(kNoOutputFolder);
        m_messages.information(text, text);
        return;
    }
    StoreAutosaveChoice(m_format, m_choice, m_write);
    close();
}

} // namespace folivo
