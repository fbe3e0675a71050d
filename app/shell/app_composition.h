#pragma once
// Puts the program together: the commands of the scan, output and dialog folders behind
// the main window's menu items.
//
// ComposeApplication(window) creates the shared PDF exporter (compression 3 until a manual
// PDF save sets it from the settings file; the automatic save uses whatever it holds), the
// save-as commands with the real save dialog, the settings windows, the scan command and
// the multi-page PDF command, and sets the window's commands menuScan, menuBook,
// menuSaveBMP/JPEG/PDF, menuBMP/JPEG/PDF, menuJPEGSet, menuPDFSet, menuMokuji and
// menuVersion. Everything it makes lives as long as the window (a child object of it).
// Call it before MainWindow::Load().
//
// AppParts lets the pieces be replaced for tests: a save dialog, a multi-page prompt and
// special folders that answer without a person.
#include "book_pdf_prompt.h"
#include "recovery_command.h"
#include "save_dialog.h"
#include "special_folders.h"

#include <QObject>
#include <memory>

namespace folivo {

class BookPdfCommand;
class MainWindow;
class PdfExporter;
class PageTextCache;
class PdfStreamCache;
class SaveAsCommands;
class ScanCommand;
class SettingsWindows;

struct CompositionOptions {
    std::unique_ptr<SaveDialog> saveDialog;         // null: the real QFileDialog
    std::unique_ptr<BookPdfPrompt> bookPrompt;      // null: the real frmBookPDF
    std::unique_ptr<RecoveryPrompt> recoveryPrompt; // null: the real recovery dialog
    SpecialFolders specialFolders;
};

class AppParts : public QObject {
    Q_OBJECT
public:
    AppParts(MainWindow& window, CompositionOptions options);
    ~AppParts() override;

    PdfExporter& exporter() { return *m_exporter; }
    ScanCommand& scanCommand() { return *m_scan; }
    SaveAsCommands& saveCommands() { return *m_save; }
    BookPdfCommand& bookCommand() { return *m_book; }
    SettingsWindows& settingsWindows() { return *m_settings; }
    // Offers the pages earlier runs left unsaved (after Load(), once the window shows).
    void offerRecovery();

private:
    class Host;
    void installCommands(MainWindow& window);

    std::unique_ptr<PdfStreamCache> m_streams; // outlives the exporter that reads it
    std::unique_ptr<PageTextCache> m_text;     // likewise
    std::unique_ptr<PdfExporter> m_exporter;
    std::unique_ptr<SaveDialog> m_saveDialog;
    std::unique_ptr<BookPdfPrompt> m_bookPrompt;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<SaveAsCommands> m_save;
    std::unique_ptr<ScanCommand> m_scan;
    std::unique_ptr<BookPdfCommand> m_book;
    std::unique_ptr<RecoveryPrompt> m_recoveryPrompt;
    std::unique_ptr<RecoveryCommand> m_recovery;
    MainWindow& m_window;
    SettingsWindows* m_settings = nullptr; // a child of the window
};

// Creates the parts as a child of the window and answers them.
AppParts& ComposeApplication(MainWindow& window, CompositionOptions options = {});

} // namespace folivo
