#pragma once
// The modal save dialog the save-as commands ask for a file name.
//
// Contract: askSaveFileName shows a save dialog with one filter, written as
// "description|pattern" (for example "BMP形式(*.bmp)|*.bmp"), and a default extension
// written with its asterisk and dot ("*.bmp"). It answers the chosen path, or an empty
// text when the user cancelled. It never asks whether an existing file may be replaced.
#include <QString>

class QWidget;

namespace folivo {

class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    virtual QString askSaveFileName(const QString& filter, const QString& defaultExtension) = 0;
};

// A name typed without an extension gets the default one ("scan" + "*.jpg" -> "scan.jpg").
QString CompleteFileName(const QString& path, const QString& defaultExtension);

// The real dialog: QFileDialog in save mode, without an overwrite question. It opens in
// the folder of the format's last save with the next free numbered name (save_start.h).
class QtSaveDialog : public SaveDialog {
public:
    explicit QtSaveDialog(QWidget* parent = nullptr) : m_parent(parent) {}
    QString askSaveFileName(const QString& filter, const QString& defaultExtension) override;

    // "BMP形式(*.bmp)|*.bmp" in Qt's form: "BMP形式(*.bmp)".
    static QString toQtFilter(const QString& filter);

private:
    QWidget* m_parent;
};

} // namespace folivo
