#pragma once
// A multi-page PDF command on a temporary program folder: sheets "scanned" by the test
// into the temporary folder, the prompt and the save dialog answered by the test, and the
// real PDF save command behind it.
#include "answering_prompts.h"
#include "book_pdf_command.h"
#include "fake_message_boxes.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "program_state.h"
#include "recording_status.h"
#include "save_as_commands.h"
#include "temp_home.h"
#include "test_images.h"

#include <QDir>
#include <deque>
#include <gtest/gtest.h>

namespace folivo::test {

class BookPdfTest : public ::testing::Test {
protected:
    BookPdfTest() {
        QDir().mkpath(tmpFolder());
        state.workFolder = tmpFolder();
        BookPdfActions actions;
        actions.scanSheet = [this] { return scanSheet(); };
        actions.savePdf = [this] { return save.menuSavePDF(); };
        actions.setSaveCommandsEnabled = [this](bool on) { saveEnabledCalls.push_back(on); };
        actions.repaintWindow = [this] { ++repaints; };
        command = std::make_unique<BookPdfCommand>(std::move(actions), prompt, status, boxes, state,
                                                   document);
    }

    // A command whose one "scan" writes the sheets itself, all at once.
    std::unique_ptr<BookPdfCommand> writingCommand(std::function<void()> write,
                                                   std::function<bool()> savePdf) {
        return std::make_unique<BookPdfCommand>(
            BookPdfActions{[write] {
                               write();
                               return true;
                           },
                           std::move(savePdf),
                           [this](bool on) { saveEnabledCalls.push_back(on); },
                           {},
                           {},
                           {}},
            prompt, status, boxes, state, document);
    }

    QString tmpFolder() const { return home.file(QStringLiteral("tmp")); }
    QStringList sheetFiles() const {
        return QDir(tmpFolder()).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    }
    // The next scan delivers a sheet of this size (a null size: the scan is cancelled).
    void sheets(std::initializer_list<QSize> sizes) { scans.insert(scans.end(), sizes); }

    bool scanSheet() {
        ++scanCount;
        if (scans.empty() || scans.front().isEmpty()) {
            if (!scans.empty())
                scans.pop_front();
            return false;
        }
        const QSize size = scans.front();
        scans.pop_front();
        const QString name = QStringLiteral("TMP%1.BMP").arg(++stored, 5, 10, QChar(u'0'));
        state.currentImageFile = tmpFolder() + u'/' + name;
        ColourPicture(size.width(), size.height()).save(state.currentImageFile, "BMP");
        return true;
    }

    TempHome home;
    ScriptedBookPrompt prompt;
    AnsweringSaveDialog dialog;
    RecordingStatus status;
    FakeMessageBoxes boxes;
    ProgramState state;
    PageDocument document;
    PdfExporter exporter;
    SaveAsCommands save{dialog, status, state, document, exporter};
    std::unique_ptr<BookPdfCommand> command;
    std::deque<QSize> scans;
    int scanCount = 0;
    int stored = 0;
    int repaints = 0;
    std::vector<bool> saveEnabledCalls;
};

} // namespace folivo::test
