#include "app_composition.h"
#include "menu_names.h"

#include "book_pdf_command.h"
#include "image_writers.h"
#include "main_window.h"
#include "ocr_progress.h"
#include "page_preview.h"
#include "page_text_cache.h"
#include "pdf_exporter.h"
#include "pdf_stream_cache.h"
#include "recovery_dialog.h"
#include "save_as_commands.h"
#include "save_dialog.h"
#include "scan_command.h"
#include "settings_windows.h"
// settings_windows.h's inline accessors need the complete window classes.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"

namespace folivo {

// The scan command's view of the main window.
class AppParts::Host final : public ScanHost {
public:
    explicit Host(MainWindow& window) : m_window(window) {}

    QWidget* ownerWindow() override { return &m_window; }
    void ReleaseImage() override { m_window.ReleaseImage(); }
    void EnsureTempFolder() override { m_window.EnsureTempFolder(); }
    void setImageHandle(NativeHandle image) override { m_window.setImageHandle(image); }
    void setPaletteHandle(NativeHandle palette) override { m_window.setPaletteHandle(palette); }
    void layoutPreview() override {
        m_window.Layout();
        if (m_window.preview())
            m_window.preview()->repaint();
    }
    void setSaveCommandsEnabled(bool enabled) override { m_window.setSaveCommandsEnabled(enabled); }

private:
    MainWindow& m_window;
};

AppParts::AppParts(MainWindow& window, CompositionOptions options)
    : QObject(&window), m_streams(std::make_unique<PdfStreamCache>()),
      m_text(std::make_unique<PageTextCache>()), m_exporter(std::make_unique<PdfExporter>()),
      m_saveDialog(std::move(options.saveDialog)), m_bookPrompt(std::move(options.bookPrompt)),
      m_host(std::make_unique<Host>(window)), m_recoveryPrompt(std::move(options.recoveryPrompt)),
      m_window(window) {
    m_exporter->setStreamCache(m_streams.get());
    m_exporter->setTextSource(m_text.get());
    ConnectTextRecognition(*m_text, window, &window);
    if (!m_saveDialog)
        m_saveDialog = std::make_unique<QtSaveDialog>(&window);
    if (!m_bookPrompt)
        m_bookPrompt = std::make_unique<DialogBookPdfPrompt>(&window);
    if (!m_recoveryPrompt)
        m_recoveryPrompt = std::make_unique<DialogRecoveryPrompt>(&window);
    m_save =
        std::make_unique<SaveAsCommands>(*m_saveDialog, window, window.state(), window.document(),
                                         *m_exporter, [&window] { window.repaint(); });
    m_scan = std::make_unique<ScanCommand>(window.scanner(), *m_host, window, window.state(),
                                           window.document(), *m_exporter,
                                           std::move(options.specialFolders));
    BookPdfActions actions;
    actions.scanSheet = [this, &window] {
        // A sheet counts when both handles are set and its file was written.
        const ScanOutcome outcome = m_scan->run();
        return outcome == ScanOutcome::PageStored && window.imageHandle() != 0 &&
               window.paletteHandle() != 0;
    };
    actions.savePdf = [this] { return m_save->menuSavePDF(); };
    actions.setSaveCommandsEnabled = [&window](bool on) { window.setSaveCommandsEnabled(on); };
    actions.repaintWindow = [&window] { window.repaint(); };
    actions.sheetStored = [this](const QString& sheet) {
        // With the compression in force now; a different one at the save encodes anew.
        PdfExporter settings;
        ApplyPdfCompressionSetting(settings);
        m_streams->prepare(sheet, settings.compression() != kPdfUncompressed,
                           ReadPdfImageOptions());
        if (const OcrSetting text = ReadOcrSetting(); text.on)
            m_text->prepare(sheet, text.language);
    };
    actions.sheetsDeleted = [this] {
        m_streams->clear();
        m_text->clear();
    };
    actions.sheetRemoved = [this](const QString& sheet) {
        m_streams->forget(sheet);
        m_text->forget(sheet);
    };
    RecoveryActions recovery{actions.savePdf, actions.setSaveCommandsEnabled};
    m_book =
        std::make_unique<BookPdfCommand>(std::move(actions), *m_bookPrompt, window,
                                         window.messageBoxes(), window.state(), window.document());
    m_recovery = std::make_unique<RecoveryCommand>(*m_recoveryPrompt, window, window.state(),
                                                   window.document(), std::move(recovery));
    m_settings = new SettingsWindows(&window, window.state(), window.messageBoxes());
    installCommands(window);
}

AppParts::~AppParts() = default;

void AppParts::offerRecovery() {
    m_recovery->offer(m_window.abandonedFolders());
}

void AppParts::installCommands(MainWindow& window) {
    auto set = [&window](const char* name, std::function<void()> command) {
        window.setCommand(QString::fromLatin1(name), std::move(command));
    };
    set(menu::kScan, [this] { m_scan->run(); });
    set(menu::kBook, [this] { m_book->menuBook(); });
    set(menu::kSaveBMP, [this] { m_save->menuSaveBMP(); });
    set(menu::kSaveJPEG, [this] { m_save->menuSaveJPEG(); });
    set(menu::kSavePDF, [this] { m_save->menuSavePDF(); });
    SettingsWindows* settings = m_settings;
    set(menu::kBMP, [settings] { settings->showAutosave(QStringLiteral("BMP")); });
    set(menu::kJPEG, [settings] { settings->showAutosave(QStringLiteral("JPEG")); });
    set(menu::kPDF, [settings] { settings->showAutosave(QStringLiteral("PDF")); });
    set(menu::kJPEGSet, [settings] { settings->showCompressionJpeg(); });
    set(menu::kPDFSet, [settings] { settings->showCompressionPdf(); });
    set(menu::kMokuji, [settings] { settings->openManual(); });
    set(menu::kVersion, [settings] { settings->showAbout(); });
}

AppParts& ComposeApplication(MainWindow& window, CompositionOptions options) {
    return *new AppParts(window, std::move(options));
}

} // namespace folivo
