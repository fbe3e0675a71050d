#pragma once
// SheetStrip: the sheets of one multi-page run as the user arranges them at the prompt,
// in the order and orientation the PDF gets them.
//
// Contract:
// - add(file) puts a newly scanned sheet into the place the last deleted sheet left
//   (before the sheet that followed it, or at the end when none did), else at the end.
//   A place once filled is gone; deleting again opens a new one.
// - remove(i) deletes the sheet's file and opens its place for a replacement; a file that
//   cannot be deleted keeps its sheet in the strip.
// - rotate(i, clockwise) turns the sheet's stored pixels by a quarter through the
//   rotator, which rewrites the file in place or leaves it as it was and answers false.
// - move(from, to) takes the sheet out and puts it at index `to`.
// - nameInOrder() renames the sheets' files among their own names so that name order is
//   the strip's order, as later runs and a recovery see the sheets by name. A file whose
//   rename fails stays where it is, and the strip keeps its actual name. A renamed sheet
//   is told as `removed` under its old name and `rewritten` under its new one.
// - Every change of a file is told to the listeners: `rewritten` after a rotation (its
//   old encoded stream is stale), `removed` after a deletion. Out-of-range indices and a
//   failed rotation or deletion change nothing and answer false.
#include <QString>
#include <QStringList>
#include <functional>

namespace folivo {

// Rewrites the image file turned by a quarter; false leaves the file untouched.
using SheetRotator = std::function<bool(const QString& file, bool clockwise)>;

class SheetStrip {
public:
    explicit SheetStrip(SheetRotator rotator);

    const QStringList& files() const { return m_files; }
    int count() const { return int(m_files.size()); }
    bool awaitsReplacement() const { return m_slotOpen; }

    int add(const QString& file); // answers the index it went to
    bool remove(int index);
    bool rotate(int index, bool clockwise);
    bool move(int from, int to);
    void nameInOrder();
    void clear();

    std::function<void(const QString&)> rewritten;
    std::function<void(const QString&)> removed;

private:
    bool valid(int index) const { return index >= 0 && index < count(); }

    SheetRotator m_rotator;
    QStringList m_files;
    bool m_slotOpen = false;
    QString m_slotBefore; // the sheet the replacement goes before; empty: the end
};

// The caption of CmdNext: "再試行" after a scan that stored nothing or while a deleted
// sheet waits for its replacement, else "もう一枚".
QString NextCaption(bool lastScanStored, const SheetStrip& strip);

// The found files in the strip's order; found files the strip does not know follow in
// their own order, so no page file is left out of the PDF unseen.
QStringList InStripOrder(const QStringList& found, const SheetStrip& strip);

} // namespace folivo
