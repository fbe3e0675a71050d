#pragma once
// The three save-as commands of the main window's "名前を付けて保存" submenu.
//
// Contract:
// - Each command asks the SaveDialog first (JPEG reads its settings just before that).
//   A cancelled dialog ends the command: nothing is written, the status line unchanged.
//   A name without an extension gets ".bmp", ".jpg" or ".pdf"; an existing file is
//   replaced without a question.
// - menuSaveBMP copies ProgramState::currentImageFile; menuSaveJPEG encodes it. A page
//   whose file could not be written is saved from the image the document keeps of it;
//   menuSavePDF exports the PageDocument with the PdfExporter, after setting the
//   compression from the settings file, the hourglass pointer on the document, the start
//   line, a repaint (the callable given, when any) and the three export properties.
// - Success ends with the format's end line and the offer to open the file written; a
//   failure is reported through StatusReporter::ShowMessage instead (see image_writers.h).
//   menuSavePDF answers whether the PDF file was written (false when the dialog was
//   cancelled or the export failed), so a caller can keep what the PDF should have held.
// - The referenced objects must outlive the commands object; it keeps no other state.
#include <functional>

namespace folivo {

class PageDocument;
class PdfExporter;
class SaveDialog;
class StatusReporter;
struct ProgramState;

class SaveAsCommands {
public:
    SaveAsCommands(SaveDialog& dialog, StatusReporter& status, const ProgramState& state,
                   PageDocument& document, PdfExporter& exporter,
                   std::function<void()> repaintWindow = {});

    void menuSaveBMP();
    void menuSaveJPEG();
    bool menuSavePDF();

private:
    SaveDialog& m_dialog;
    StatusReporter& m_status;
    const ProgramState& m_state;
    PageDocument& m_document;
    PdfExporter& m_exporter;
    std::function<void()> m_repaintWindow;
};

} // namespace folivo
