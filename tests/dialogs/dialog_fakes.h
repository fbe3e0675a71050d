#pragma once
// Test doubles for the dialogs' outside things, and small helpers that act like a user.
#include "dialog_ports.h"
#include "fake_message_boxes.h"
#include "settings.h"
#include "temp_home.h"
#include "ui_ports.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace folivo::test {

// Answers the queued folders (none left: cancelled), records each owner and start folder.
class FakeFolderPicker final : public FolderPicker {
public:
    QString BrowseForFolder(QWidget* owner, const QString& initialFolder) override {
        owners.push_back(owner);
        initialFolders << initialFolder;
        return answers.empty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    std::vector<QWidget*> owners;
    QStringList initialFolders;
};

// Records every key asked for, in order.
class FakeRegistry final : public Registry {
public:
    void set(const QString& key, const QString& name, std::uint32_t type, QByteArray data) {
        values[key + u'\\' + name] = RegistryValue{type, std::move(data)};
    }
    std::optional<RegistryValue> queryValue(std::uint32_t, const QString& keyPath,
                                            const QString& valueName) override {
        queried << keyPath;
        const auto it = values.find(keyPath + u'\\' + valueName);
        return it == values.end() ? std::nullopt : std::optional(it.value());
    }
    QMap<QString, RegistryValue> values;
    QStringList queried;
};

// Finds no program, so nothing is ever started.
class NoProgramLauncher final : public ProcessLauncher {
public:
    QString findExecutable(const QString&) override { return {}; }
    bool startDetached(const QString&) override { return false; }
};

class FakeUrlOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override {
        opened.push_back(url);
        return answer;
    }
    std::vector<QUrl> opened;
    bool answer = true;
};

template <typename T> T* Child(const QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << "no control named " << name;
    return child;
}

// A click where a user aims: on the indicator of an option button, the middle of a button.
inline void UserClick(QAbstractButton* button) {
    const bool option = button->inherits("QRadioButton") || button->inherits("QCheckBox");
    const QPoint at = option ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}
inline void Click(const QWidget* window, const char* name) {
    UserClick(Child<QAbstractButton>(window, name));
}
inline bool Checked(const QWidget* window, const char* name) {
    return Child<QAbstractButton>(window, name)->isChecked();
}

// Whether a window the user closed is gone (deleted) or at least hidden.
template <typename W> bool Closed(const QPointer<W>& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull() || !window->isVisible();
}

inline const QString kAbsent = QStringLiteral("<absent>");
inline QString Stored(const char* section, const char* key) {
    return ReadSetting(QLatin1String(section), QLatin1String(key), kAbsent);
}
inline void Preset(const char* section, const char* key, const QString& value) {
    EXPECT_EQ(WriteSetting(QLatin1String(section), QLatin1String(key), value), 1);
}
inline QByteArray SettingsBytes() {
    QFile file(SettingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace folivo::test
