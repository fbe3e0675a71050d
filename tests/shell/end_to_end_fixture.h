#pragma once
// The whole program in one process: the main window with its commands put together as
// the program does it, over the real SANE layer on SANE's test device. The program
// folder, the home folder (Desktop, Documents) and the layer's own settings live in
// temporary folders; the save dialog and the multi-page prompt are answered by the test.
#include "answering_prompts.h"
#include "app_composition.h"
#include "fake_message_boxes.h"
#include "main_window.h"
#include "program_paths.h"
#include "scan_dialog.h"
#include "scan_test_support.h"
#include "temp_home.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace folivo::test {

inline const QString kTestDevice = QStringLiteral("test:0");

// Presses a button of the scanner's own dialog once it is open.
inline void PressInScanDialog(const char* button) {
    const QString name = QString::fromLatin1(button);
    WhenShown<ScanDialog>([name](ScanDialog* dialog) {
        if (auto* b = dialog->findChild<QPushButton*>(name))
            b->click();
    });
}

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() : m_oldHome(qgetenv("HOME")) {
        qputenv("HOME", userHome.path().toUtf8());
        QDir(userHome.path()).mkpath(QStringLiteral("Desktop"));
        QDir(userHome.path()).mkpath(QStringLiteral("Documents"));
    }
    ~EndToEnd() override {
        window.reset();
        qputenv("HOME", m_oldHome);
    }

    // Device options remembered for the test device: a wide page of 300 x 100 pixels
    // unless the test asks for others.
    void device(Settings settings = {{"mode", "Color"},
                                     {"depth", 8},
                                     {"resolution", 254},
                                     {"test-picture", "Color pattern"},
                                     {"tl-x", 0.0},
                                     {"tl-y", 0.0},
                                     {"br-x", 30.0},
                                     {"br-y", 10.0}}) {
        Remember(scanner.store, kTestDevice, settings);
    }
    void settings(const QByteArray& ini) { home.write(QStringLiteral("Folivo.ini"), ini); }

    // Starts the program: window, commands, start-up sequence.
    MainWindow& start(bool hideUi = true) {
        window.reset();
        layer = scanner.make(hideUi);
        MainWindowDeps deps;
        deps.scanner = layer.get();
        deps.messageBoxes = &boxes;
        window = std::make_unique<MainWindow>(deps);
        CompositionOptions options;
        auto ownedDialog = std::make_unique<AnsweringSaveDialog>();
        auto ownedPrompt = std::make_unique<ScriptedBookPrompt>();
        dialog = ownedDialog.get();
        prompt = ownedPrompt.get();
        options.saveDialog = std::move(ownedDialog);
        options.bookPrompt = std::move(ownedPrompt);
        parts = &ComposeApplication(*window, std::move(options));
        window->Load();
        return *window;
    }
    void run(const char* item) { window->runCommand(QString::fromLatin1(item)); }

    QString desktop(const QString& name = {}) const {
        return userHome.filePath(QStringLiteral("Desktop/") + name);
    }
    QStringList files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    QString work() const { return window->state().workFolder; }
    bool saveCommandsEnabled() const {
        return window->action(QStringLiteral("menuSavePDF"))->isEnabled();
    }

    TempHome home;
    QTemporaryDir userHome;
    TestScanner scanner;
    FakeMessageBoxes boxes;
    std::unique_ptr<SaneScannerLibrary> layer;
    std::unique_ptr<MainWindow> window;
    AppParts* parts = nullptr;
    AnsweringSaveDialog* dialog = nullptr;
    ScriptedBookPrompt* prompt = nullptr;

private:
    QByteArray m_oldHome;
};

} // namespace folivo::test
