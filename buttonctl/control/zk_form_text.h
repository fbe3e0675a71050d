#pragma once
// The form text of zkButton2: how a host stores the property bags of several controls in
// one UTF-8 text file, and reads them back.
//
//   ' a comment line (also: empty lines)
//   Begin zkButtonProject.zkButton zkScan
//      CaptionAlign = 3
//      BackColor = &H8000000F&
//      ShowFocusRect = False
//      Caption = "Sca&n \"now\""
//      Font = Font("DejaVu Sans", 9, Bold, Italic)
//      Picture = Picture("icons/scan.png")
//      DownPicture = PictureData(1, "iVBORw0KGgo...")
//   End
//
// Values: True/False; a decimal 32-bit integer; &Hxxxxxxxx& (an unsigned 32-bit colour);
// a string in double quotes with the escapes \" \\ \n \r \t; Font(name, size[, Bold]
// [, Italic][, Underline][, Strikethrough]); Picture("file") with a path relative to the
// form file's folder (no "..", not absolute) or a Qt resource path ":/..."; PictureData(type,
// "base64 PNG") for a picture made in memory. Blocks are not nested; keys are identifiers.
//
// The reader checks every bound (file size, line length, counts, integer ranges) and
// reports the first fault with its line number; it never reads files outside the form's
// folder. The writer emits exactly this layout, so writing what was read reproduces the
// text (comments and spacing aside).
#include "zk_memory_bag.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

struct zkFormControl {
    QString className;
    QString name;
    std::shared_ptr<zkMemoryPropertyBag> bag;
};

struct zkFormText {
    QList<zkFormControl> controls;
    int errorLine = 0; // 1-based line of the first fault; 0 when none
    QString error;
    bool ok() const { return error.isEmpty(); }
};

namespace zk::form {

inline constexpr qsizetype kMaxTextBytes = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxLineBytes = 4 * 1024 * 1024;
inline constexpr qsizetype kMaxControls = 4096;
inline constexpr qsizetype kMaxKeysPerControl = 256;

// Parses form text; `baseDir` is the folder relative picture paths start from (empty:
// relative pictures cannot be loaded and are reported as faults).
zkFormText parse(const QByteArray& text, const QString& baseDir);
QByteArray write(const QList<zkFormControl>& controls);

// File helpers: the base folder is the file's own; writing goes through a temporary file
// renamed when complete.
zkFormText readFile(const QString& path);
zkHostError writeFile(const QString& path, const QList<zkFormControl>& controls);

// One value in the text's notation (used by write), and its reverse.
QString formatValue(const QVariant& value);

} // namespace zk::form
