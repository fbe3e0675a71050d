#include "scan_command.h"

#include "image_writers.h"
#include "numbered_names.h"
#include "page_document.h"
#include "program_paths.h"
#include "program_state.h"
#include "ui_ports.h"

#include <QDir>

namespace folivo {

ScanCommand::ScanCommand(ScannerLibrary& scanner, ScanHost& host, StatusReporter& status,
                         ProgramState& state, PageDocument& document, const PdfExporter& exporter,
                         SpecialFolders folders)
    : m_scanner(scanner), m_host(host), m_status(status), m_state(state), m_document(document),
      m_autoSave(status, document, exporter, std::move(folders)) {}

ScanOutcome ScanCommand::run() {
    const JpegSettings jpeg = ReadJpegSettings();
    m_host.ReleaseImage();
    const ScanOutcome outcome = AcquirePage();
    if (outcome == ScanOutcome::PageStored || outcome == ScanOutcome::PageInMemory)
        m_autoSave.run(CurrentPage(m_state.currentImageFile, m_document), jpeg);
    return outcome;
}

ScanOutcome ScanCommand::AcquirePage() {
    m_host.EnsureTempFolder();
    if (m_scanner.TWAIN_OpenDefaultSource() == -1)
        return ScanOutcome::NoPage;
    const NativeHandle image = m_scanner.TWAIN_AcquireNative(m_host.ownerWindow(), 0);
    m_host.setImageHandle(image);
    if (image == 0)
        return ScanOutcome::NoPage;
    const NativeHandle palette = m_scanner.TWAIN_CreateDibPalette(image);
    m_host.setPaletteHandle(palette);
    if (palette == 0)
        return ScanOutcome::NoPage;
    const int width = m_scanner.TWAIN_DibWidth(image);
    const int height = m_scanner.TWAIN_DibHeight(image);
    // The work folder is this window's alone, so the name found free stays free.
    std::optional<QString> temp;
    if (!m_state.workFolder.isEmpty())
        temp = NextFreeFileName(kTempPrefix, m_state.workFolder, kTempExtension, NameIsTaken);
    if (!temp || m_scanner.TWAIN_WriteNativeToFilename(image, *temp) != 0)
        return keepInMemory(image, width, height);
    m_state.currentImageFile = *temp;
    ShowPage(width, height);
    if (FileExists(m_state.currentImageFile))
        m_host.setSaveCommandsEnabled(true);
    return ScanOutcome::PageStored;
}

ScanOutcome ScanCommand::keepInMemory(NativeHandle image, int width, int height) {
    const QImage page = m_scanner.nativeImage(image);
    if (page.isNull())
        return ScanOutcome::PageNotStored;
    m_state.currentImageFile.clear();
    layOut(width, height,
           [&](int w, int h) { m_document.DrawPicture(page, 0, 0, w, h, kPictureFit); });
    m_host.setSaveCommandsEnabled(true);
    const QString folder = m_state.workFolder.isEmpty() ? TempFolder() : m_state.workFolder;
    m_status.ShowMessage(kPageNotWrittenTitle,
                         kPageNotWrittenPrompt.arg(QDir::toNativeSeparators(folder)));
    return ScanOutcome::PageInMemory;
}

void ScanCommand::ShowPage(int width, int height) {
    layOut(width, height, [this](int w, int h) {
        m_document.DrawPicture(m_state.currentImageFile, 0, 0, w, h, kPictureFit);
    });
}

void ScanCommand::layOut(int width, int height, const std::function<void(int, int)>& draw) {
    m_host.layoutPreview();
    m_document.setOrientation(height < width ? 1 : 0);
    int pageWidth = m_document.paperWidth();
    int pageHeight = m_document.paperHeight();
    if (m_document.paperSize() == 0) {
        const bool landscape = m_document.orientation() == 1;
        pageWidth = landscape ? kA4LongTwips : kA4ShortTwips;
        pageHeight = landscape ? kA4ShortTwips : kA4LongTwips;
    }
    m_document.StartDoc();
    draw(pageWidth, pageHeight);
    m_document.EndDoc();
}

} // namespace folivo
