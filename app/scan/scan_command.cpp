#include "scan_command.h"

#include "image_writers.h"
#include "numbered_names.h"
#include "page_document.h"
#include "program_paths.h"
#include "program_state.h"

namespace folivo {

ScanCommand::ScanCommand(ScannerLibrary& scanner, ScanHost& host, StatusReporter& status,
                         ProgramState& state, PageDocument& document, const PdfExporter& exporter,
                         SpecialFolders folders)
    : m_scanner(scanner), m_host(host), m_state(state), m_document(document),
      m_autoSave(status, document, exporter, std::move(folders)) {}

ScanOutcome ScanCommand::run() {
    const JpegSettings jpeg = ReadJpegSettings();
    m_host.ReleaseImage();
    const ScanOutcome outcome = AcquirePage();
    if (outcome == ScanOutcome::PageStored)
        m_autoSave.run(m_state.currentImageFile, jpeg);
    return outcome;
}

ScanOutcome ScanCommand::AcquirePage() {
    m_host.EnsureTempFolder();
    const std::optional<ReservedName> temp =
        ReserveNextFreeFileName(kTempPrefix, TempFolder(), kTempExtension);
    if (!temp)
        return ScanOutcome::NoPage;
    // Every early end gives the reserved name back.
    auto giveUp = [&temp](ScanOutcome outcome) {
        ReleaseUnusedReservation(*temp);
        return outcome;
    };
    if (m_scanner.TWAIN_OpenDefaultSource() == -1)
        return giveUp(ScanOutcome::NoPage);
    const NativeHandle image = m_scanner.TWAIN_AcquireNative(m_host.ownerWindow(), 0);
    m_host.setImageHandle(image);
    if (image == 0)
        return giveUp(ScanOutcome::NoPage);
    const NativeHandle palette = m_scanner.TWAIN_CreateDibPalette(image);
    m_host.setPaletteHandle(palette);
    if (palette == 0)
        return giveUp(ScanOutcome::NoPage);
    const int width = m_scanner.TWAIN_DibWidth(image);
    const int height = m_scanner.TWAIN_DibHeight(image);
    if (m_scanner.TWAIN_WriteNativeToFilename(image, temp->path) != 0)
        return giveUp(ScanOutcome::PageNotStored);
    m_state.currentImageFile = temp->path;
    ShowPage(width, height);
    if (FileExists(m_state.currentImageFile))
        m_host.setSaveCommandsEnabled(true);
    return ScanOutcome::PageStored;
}

void ScanCommand::ShowPage(int width, int height) {
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
    m_document.DrawPicture(m_state.currentImageFile, 0, 0, pageWidth, pageHeight, kPictureStretch);
    m_document.EndDoc();
}

} // namespace folivo
