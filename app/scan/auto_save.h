#pragma once
// The automatic save that follows every successful scan: BMP, JPEG and PDF in this order,
// each format whose "Flag" reads as true (absent or anything else: off).
//
// Contract:
// - Output folder by the format's "Type": "0" Desktop, "1" My Documents, "2" the "Path"
//   key (default: the program folder and "/"), anything else the program folder and "/".
// - The output name is the first numbered name in that folder that nothing holds when
//   the file is complete (numbered_names.h): no empty reservation is ever visible, a
//   dangling link is passed over, and a failed write leaves no file.
// - Each format runs between its start line and its end report: BMP is a copy of the
//   page's image file, JPEG the JPEG writer with the parameters read at the scan's start,
//   PDF the export of the page document with the exporter's current compression (the
//   automatic save does not apply the settings file's compression). The end line names
//   the file written, and the status line offers to open it; a failed copy or export is
//   reported with a message instead.
// - When the folder cannot be determined (a special folder unknown) or every number of
//   the prefix is taken, that format is not saved, a message says why, and the next
//   format goes on; no format ever writes under a name worked out for another.
#include "numbered_names.h"
#include "special_folders.h"

#include <QString>
#include <optional>

namespace folivo {

class PageDocument;
class PdfExporter;
class StatusReporter;
struct JpegSettings;
struct PageSource;

using AutoSaveFormat = OutputFormat;

// Whether the format's automatic save is on ("Flag" reads as true).
bool AutoSaveEnabled(AutoSaveFormat format);

// The format's output folder, or std::nullopt when it cannot be determined.
std::optional<QString> OutputFolder(AutoSaveFormat format, const SpecialFolders& folders);

class AutoSave {
public:
    AutoSave(StatusReporter& status, const PageDocument& document, const PdfExporter& exporter,
             SpecialFolders folders = {});

    // Saves the page (its image file and the document showing it) in every format that
    // is switched on.
    void run(const PageSource& page, const JpegSettings& jpeg);

private:
    void save(AutoSaveFormat format, const PageSource& page, const JpegSettings& jpeg);

    StatusReporter& m_status;
    const PageDocument& m_document;
    const PdfExporter& m_exporter;
    SpecialFolders m_folders;
};

} // namespace folivo
