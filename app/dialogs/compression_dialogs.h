#pragma once
// frmCompJPEG ("JPEG圧縮設定") and frmCompPDF ("PDF圧縮設定"): fixed-size tool windows that
// read their keys when made and write them when "保存" is pressed, then close. "閉じる" and
// the close box write nothing. The answers of the writes are not looked at: the window
// closes all the same. Controls carry fixed object names (OptEnc0/1, ComboComp, cmdUP,
// cmdDown, lblComp, lblGuide, FrameEncode, FrameComp, OptComp0/1, CmdSave, CmdClose).
// Both delete themselves when closed.
// Below its designed controls, frmCompPDF has the frame FrameImage ("カラー・グレーの画像")
// with OptImage0 (lossless) and OptImage1 (JPEG) for "PDF"/"Image" (pdf_image_setting.h);
// the frame is enabled only while "圧縮する" is chosen, as JPEG is a kind of compression.
// Below that, FrameOcr holds ChkOcr "文字認識（検索できるPDF）" and ComboOcrLanguage
// (日本語＋英語, 日本語, 英語) for "PDF"/"Ocr" and "OcrLanguage" (ocr_setting.h). When the
// chosen language's models are missing, ChkOcr is greyed out, lblOcrReason says which,
// and "保存" stores the option off.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace folivo {

// The guide text of the JPEG window, line by line (the label shows them one per line).
QStringList JpegGuideLines();

class frmCompJPEG : public QDialog {
    Q_OBJECT
public:
    explicit frmCompJPEG(QWidget* parent = nullptr);

private:
    void build();
    void load();
    void stepUp();
    void stepDown();
    void save();

    QRadioButton* m_optEnc[2] = {};
    QComboBox* m_comboComp = nullptr;
};

class frmCompPDF : public QDialog {
    Q_OBJECT
public:
    explicit frmCompPDF(QWidget* parent = nullptr);

private:
    void buildImageFrame(double dpi);
    void buildTextFrame(double dpi);
    void checkModels();
    void save();

    QRadioButton* m_optComp[2] = {};
    QRadioButton* m_optImage[2] = {};
    QCheckBox* m_ocr = nullptr;
    QComboBox* m_ocrLanguage = nullptr;
    QLabel* m_ocrReason = nullptr;
};

} // namespace folivo
