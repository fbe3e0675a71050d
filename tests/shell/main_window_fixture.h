#pragma once
// A main window on a temporary program folder, with a fake scanner and fake boxes.
#include "fake_message_boxes.h"
#include "fake_scanner_library.h"
#include "main_window.h"
#include "temp_home.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace folivo::test {

inline const QString kStartMessage = QStringLiteral("アプリケーションを開始しました。");
inline const QString kNoScannerTitle = QStringLiteral("TWAINデバイスが見つかりません。");

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<MainWindow> makeWindow() {
        MainWindowDeps deps;
        deps.scanner = &scanner;
        deps.messageBoxes = &boxes;
        return std::make_unique<MainWindow>(deps);
    }
    std::unique_ptr<MainWindow> startWindow() {
        auto window = makeWindow();
        window->Load();
        return window;
    }
    void writeSettings(const QByteArray& text) { home.write("Folivo.ini", text); }
    void makeFile(const QString& relative) {
        QFile file(home.file(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
        file.write("x");
    }
    bool exists(const QString& relative) const { return QFileInfo::exists(home.file(relative)); }
    static bool checked(const MainWindow& w, const char* name) {
        return w.action(QString::fromLatin1(name))->isChecked();
    }
    static bool enabled(const MainWindow& w, const char* name) {
        return w.action(QString::fromLatin1(name))->isEnabled();
    }

    TempHome home;
    FakeScannerLibrary scanner;
    FakeMessageBoxes boxes;
};

} // namespace folivo::test
