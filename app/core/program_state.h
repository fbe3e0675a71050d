#pragma once
// The program's shared state: owned by the main window, read and changed by the
// commands it runs (scan, save, multi-page PDF, settings dialogs).
#include <QString>

namespace folivo {

inline constexpr int kToolbarOffsetTwips = 415; // buttons' top (40) plus their height (375)

struct ProgramState {
    QString currentImageFile; // temporary BMP of the page on display; empty = none
    QString workFolder;       // this window's own folder for page files (work_folder.h)
    QString autosaveFormat;   // "BMP", "JPEG" or "PDF": the last automatic-save dialog opened
    int toolbarOffset = kToolbarOffsetTwips; // twips kept free above the preview
    bool multiPageFlag = false;              // loop control of the multi-page PDF command
};

} // namespace folivo
