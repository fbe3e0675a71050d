#include "save_as_commands.h"

#include "image_writers.h"
#include "jpeg_result.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "program_state.h"
#include "save_dialog.h"
#include "ui_ports.h"

namespace folivo {
namespace {

struct SaveFormat {
    QString filter;
    QString defaultExtension;
};

const SaveFormat kBmp{QStringLiteral("BMP形式(*.bmp)|*.bmp"), QStringLiteral("*.bmp")};
const SaveFormat kJpeg{QStringLiteral("JPEG形式(*.jpg)|*.jpg"), QStringLiteral("*.jpg")};
const SaveFormat kPdf{QStringLiteral("PDF形式(*.pdf)|*.pdf"), QStringLiteral("*.pdf")};

} // namespace

SaveAsCommands::SaveAsCommands(SaveDialog& dialog, StatusReporter& status,
                               const ProgramState& state, PageDocument& document,
                               PdfExporter& exporter, std::function<void()> repaintWindow)
    : m_dialog(dialog), m_status(status), m_state(state), m_document(document),
      m_exporter(exporter), m_repaintWindow(std::move(repaintWindow)) {}

namespace {

// Shows the dialog; an empty answer means the user cancelled.
QString askTarget(SaveDialog& dialog, const SaveFormat& format) {
    const QString name = dialog.askSaveFileName(format.filter, format.defaultExtension);
    return name.isEmpty() ? name : CompleteFileName(name, format.defaultExtension);
}

} // namespace

void SaveAsCommands::menuSaveBMP() {
    const PageSource source = CurrentPage(m_state.currentImageFile, m_document);
    const QString target = askTarget(m_dialog, kBmp);
    if (target.isEmpty())
        return;
    m_status.SetStatus(text::kBmpStart);
    const WriteResult result = CopyBmp(source, target);
    ReportBmpResult(m_status, target, result);
    if (result == WriteResult::Ok)
        m_status.OfferSavedFile(target);
}

void SaveAsCommands::menuSaveJPEG() {
    const PageSource source = CurrentPage(m_state.currentImageFile, m_document);
    // Read before the dialog: the values in force are those of the command's start.
    const JpegSettings settings = ReadJpegSettings();
    const QString target = askTarget(m_dialog, kJpeg);
    if (target.isEmpty())
        return;
    m_status.SetStatus(text::kJpegStart);
    const int code = WriteJpeg(source, target, settings.quality, settings.progressive);
    ReportJpegResult(m_status, code);
    if (code == kJpegOk)
        m_status.OfferSavedFile(target);
}

bool SaveAsCommands::menuSavePDF() {
    const QString target = askTarget(m_dialog, kPdf);
    if (target.isEmpty())
        return false;
    ApplyPdfCompressionSetting(m_exporter);
    m_document.setMousePointer(kPointerHourglass);
    m_status.SetStatus(text::kPdfStart);
    if (m_repaintWindow)
        m_repaintWindow();
    ApplyPdfDocumentProperties(m_document);
    const WriteResult result = ExportPdf(m_exporter, m_document, target);
    m_document.setMousePointer(kPointerDefault);
    ReportPdfResult(m_status, target, result, {}, m_exporter.untextedPictures());
    if (result == WriteResult::Ok)
        m_status.OfferSavedFile(target);
    return result == WriteResult::Ok;
}

} // namespace folivo
