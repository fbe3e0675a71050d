#include "compression_dialogs.h"

#include "compression_steps.h"
#include "dialog_geometry.h"
#include "dialog_widgets.h"
#include "ocr_setting.h"
#include "pdf_image_setting.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace folivo {
namespace {

constexpr Qt::WindowFlags kToolWindow =
    Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

// "保存" and "閉じる" at the bottom; "閉じる" only closes.
QPushButton* MakeSaveAndClose(QDialog* dialog, int saveLeft, int closeLeft, int top, double dpi) {
    auto* save = MakeButton(dialog, QStringLiteral("CmdSave"), u"保存",
                            TwipsRect(saveLeft, top, 1335, 375, dpi));
    auto* close = MakeButton(dialog, QStringLiteral("CmdClose"), u"閉じる",
                             TwipsRect(closeLeft, top, 1335, 375, dpi));
    QObject::connect(close, &QPushButton::clicked, dialog, &QWidget::close);
    return save;
}

void SetUpToolWindow(QDialog* dialog, const QString& name, const char16_t* caption) {
    dialog->setObjectName(name);
    dialog->setWindowTitle(QString::fromUtf16(caption));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
}

// A stored value never holds a line break, so that default means the key is absent.
std::optional<QString> storedJpegSetting(const char* key) {
    const QString absent = QStringLiteral("\n");
    const QString value = ReadSetting(QStringLiteral("JPEG"), QString::fromLatin1(key), absent);
    return value == absent ? std::nullopt : std::optional<QString>(value);
}

} // namespace

QStringList JpegGuideLines() {
    return {QString::fromUtf16(u"圧縮レベルが高くなると、"),
            QString::fromUtf16(u"画質が低下してファイルサイズが小さくなります。"), QString(),
            QString::fromUtf16(u"圧縮レベルが小さくなると、"),
            QString::fromUtf16(u"画質が良くなりファイルサイズが大きくなります。")};
}

frmCompJPEG::frmCompJPEG(QWidget* parent) : QDialog(parent, kToolWindow) {
    SetUpToolWindow(this, QStringLiteral("frmCompJPEG"), u"JPEG圧縮設定");
    build();
    load();
}

void frmCompJPEG::build() {
    const double dpi = DialogDpi(parentWidget());
    SetInnerTwips(this, 4455, 3840, dpi);

    auto* encode = MakeFrame(this, QStringLiteral("FrameEncode"), u"エンコーディングの選択",
                             TwipsRect(120, 120, 4215, 1095, dpi));
    m_optEnc[0] = MakeOption(encode, QStringLiteral("OptEnc0"), u"スタンダード　エンコーディング",
                             TwipsRect(240, 240, 3615, 375, dpi));
    m_optEnc[1] = MakeOption(encode, QStringLiteral("OptEnc1"), u"プログレッシブ　エンコーディング",
                             TwipsRect(240, 600, 3615, 375, dpi));

    auto* comp = MakeFrame(this, QStringLiteral("FrameComp"), u"圧縮",
                           TwipsRect(120, 1320, 4215, 1935, dpi));
    Place(new QLabel(QString::fromUtf16(u"圧縮レベル"), comp), QStringLiteral("lblComp"),
          TwipsRect(240, 360, 1095, 255, dpi));
    m_comboComp = Place(new QComboBox(comp), QStringLiteral("ComboComp"),
                        TwipsRect(1440, 300, 1335, 315, dpi));
    auto* up = MakeButton(comp, QStringLiteral("cmdUP"), u"↑", TwipsRect(2880, 300, 375, 300, dpi));
    auto* down =
        MakeButton(comp, QStringLiteral("cmdDown"), u"↓", TwipsRect(3240, 300, 375, 300, dpi));
    auto* guide =
        Place(new QLabel(comp), QStringLiteral("lblGuide"), TwipsRect(360, 720, 3735, 1095, dpi));
    guide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    guide->setWordWrap(true); // a line longer than the label wraps inside it

    auto* save = MakeSaveAndClose(this, 1560, 3000, 3360, dpi);
    connect(up, &QPushButton::clicked, this, &frmCompJPEG::stepUp);
    connect(down, &QPushButton::clicked, this, &frmCompJPEG::stepDown);
    connect(save, &QPushButton::clicked, this, &frmCompJPEG::save);
}

void frmCompJPEG::load() {
    // Only an exact "True" or any text but "False" shows progressive; an absent key shows
    // standard, which is what the writer then uses.
    const auto encode = storedJpegSetting("Encode");
    const bool standard = !encode || *encode == QLatin1String("False");
    m_optEnc[standard ? 0 : 1]->setChecked(true);
    m_comboComp->clear();
    m_comboComp->addItems(JpegStepTexts());
    m_comboComp->setCurrentIndex(ShownJpegStep(storedJpegSetting("Complevel")));
    findChild<QLabel*>(QStringLiteral("lblGuide"))->setText(JpegGuideLines().join(u'\n'));
}

void frmCompJPEG::stepUp() {
    m_comboComp->setCurrentIndex(JpegStepUp(m_comboComp->currentIndex()));
}

void frmCompJPEG::stepDown() {
    m_comboComp->setCurrentIndex(JpegStepDown(m_comboComp->currentIndex()));
}

void frmCompJPEG::save() {
    const QString section = QStringLiteral("JPEG");
    WriteSetting(section, QStringLiteral("Encode"),
                 m_optEnc[0]->isChecked() ? QStringLiteral("False") : QStringLiteral("True"));
    WriteSetting(section, QStringLiteral("Complevel"),
                 QString::number(m_comboComp->currentIndex()));
    close();
}

frmCompPDF::frmCompPDF(QWidget* parent) : QDialog(parent, kToolWindow) {
    SetUpToolWindow(this, QStringLiteral("frmCompPDF"), u"PDF圧縮設定");
    const double dpi = DialogDpi(parentWidget());
    // Wider and taller than the designed 3270 x 1830 by the image and text frames below it.
    SetInnerTwips(this, 4215, 4455, dpi);
    auto* comp =
        MakeFrame(this, QStringLiteral("FrameComp"), u"圧縮", TwipsRect(120, 120, 3015, 1095, dpi));
    m_optComp[0] = MakeOption(comp, QStringLiteral("OptComp0"), u"圧縮する",
                              TwipsRect(360, 240, 2175, 375, dpi));
    m_optComp[1] = MakeOption(comp, QStringLiteral("OptComp1"), u"圧縮しない",
                              TwipsRect(360, 600, 2175, 375, dpi));
    auto* save = MakeSaveAndClose(this, 240, 1680, 1320, dpi);
    connect(save, &QPushButton::clicked, this, &frmCompPDF::save);

    buildImageFrame(dpi);
    buildTextFrame(dpi);

    const bool compress = ReadSetting(QStringLiteral("PDF"), QStringLiteral("Comp"),
                                      QStringLiteral("True")) == QLatin1String("True");
    m_optComp[compress ? 0 : 1]->setChecked(true);
    m_optImage[ReadPdfImageChoice() == PdfImageChoice::Jpeg ? 1 : 0]->setChecked(true);
}

void frmCompPDF::buildImageFrame(double dpi) {
    auto* frame = MakeFrame(this, QStringLiteral("FrameImage"), u"カラー・グレーの画像",
                            TwipsRect(120, 1815, 3975, 1095, dpi));
    m_optImage[0] = MakeOption(frame, QStringLiteral("OptImage0"), u"劣化なし（そのまま）",
                               TwipsRect(240, 240, 3615, 375, dpi));
    m_optImage[1] =
        MakeOption(frame, QStringLiteral("OptImage1"), u"JPEG（ファイルが小さくなります）",
                   TwipsRect(240, 600, 3615, 375, dpi));
    // Enabled by the toggle when the stored choice "圧縮する" is checked in the constructor.
    frame->setEnabled(false);
    connect(m_optComp[0], &QRadioButton::toggled, frame, &QWidget::setEnabled);
}

namespace {

QStringList OcrLanguageCaptions() {
    return {QString::fromUtf16(u"日本語＋英語"), QString::fromUtf16(u"日本語"),
            QString::fromUtf16(u"英語")};
}

} // namespace

void frmCompPDF::buildTextFrame(double dpi) {
    auto* frame = MakeFrame(this, QStringLiteral("FrameOcr"), u"文字認識",
                            TwipsRect(120, 3000, 3975, 1335, dpi));
    m_ocr = Place(new QCheckBox(QString::fromUtf16(u"文字認識（検索できるPDF）"), frame),
                  QStringLiteral("ChkOcr"), TwipsRect(240, 240, 3615, 315, dpi));
    auto* caption = Place(new QLabel(QString::fromUtf16(u"言語"), frame),
                          QStringLiteral("lblOcrLanguage"), TwipsRect(480, 660, 735, 255, dpi));
    m_ocrLanguage = Place(new QComboBox(frame), QStringLiteral("ComboOcrLanguage"),
                          TwipsRect(1320, 600, 2175, 315, dpi));
    caption->setBuddy(m_ocrLanguage);
    m_ocrLanguage->addItems(OcrLanguageCaptions());
    m_ocrReason = Place(new QLabel(frame), QStringLiteral("lblOcrReason"),
                        TwipsRect(240, 990, 3615, 255, dpi));
    const OcrSetting setting = ReadOcrSetting();
    m_ocr->setChecked(setting.on);
    m_ocrLanguage->setCurrentIndex(int(setting.language));
    connect(m_ocrLanguage, &QComboBox::currentIndexChanged, this, &frmCompPDF::checkModels);
    checkModels();
}

void frmCompPDF::checkModels() {
    const QString missing = MissingOcrModelsOf(OcrLanguage(m_ocrLanguage->currentIndex()));
    // Without its models the option would only promise text that never comes.
    m_ocr->setEnabled(missing.isEmpty());
    m_ocrReason->setText(
        missing.isEmpty() ? QString()
                          : QString::fromUtf16(u"認識モデル %1 がないため使えません").arg(missing));
}

void frmCompPDF::save() {
    WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"),
                 m_optComp[0]->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
    WritePdfImageChoice(m_optImage[1]->isChecked() ? PdfImageChoice::Jpeg
                                                   : PdfImageChoice::Lossless);
    WriteOcrSetting(
        {m_ocr->isEnabled() && m_ocr->isChecked(), OcrLanguage(m_ocrLanguage->currentIndex())});
    close();
}

} // namespace folivo
