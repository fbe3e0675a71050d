#include "sheet_strip.h"

#include "book_pdf_prompt.h"

#include <QFile>
#include <QFileInfo>

namespace folivo {

SheetStrip::SheetStrip(SheetRotator rotator) : m_rotator(std::move(rotator)) {}

int SheetStrip::add(const QString& file) {
    qsizetype at = m_files.size();
    if (m_slotOpen && !m_slotBefore.isEmpty()) {
        const qsizetype before = m_files.indexOf(m_slotBefore);
        if (before >= 0)
            at = before;
    }
    m_slotOpen = false;
    m_slotBefore.clear();
    m_files.insert(at, file);
    return int(at);
}

bool SheetStrip::remove(int index) {
    // A file that stays would come back into the PDF as a sheet the strip does not know.
    if (!valid(index) ||
        (!QFile::remove(m_files.at(index)) && QFileInfo::exists(m_files.at(index))))
        return false;
    const QString file = m_files.takeAt(index);
    m_slotOpen = true;
    m_slotBefore = index < count() ? m_files.at(index) : QString();
    if (removed)
        removed(file);
    return true;
}

bool SheetStrip::rotate(int index, bool clockwise) {
    if (!valid(index) || !m_rotator || !m_rotator(m_files.at(index), clockwise))
        return false;
    if (rewritten)
        rewritten(m_files.at(index));
    return true;
}

bool SheetStrip::move(int from, int to) {
    if (!valid(from) || !valid(to))
        return false;
    m_files.move(from, to);
    return true;
}

void SheetStrip::clear() {
    m_files.clear();
    m_slotOpen = false;
    m_slotBefore.clear();
}

QString NextCaption(bool lastScanStored, const SheetStrip& strip) {
    return lastScanStored && !strip.awaitsReplacement() ? kNextSheetCaption : kRetryCaption;
}

QStringList InStripOrder(const QStringList& found, const SheetStrip& strip) {
    auto nameOf = [](const QString& path) { return QFileInfo(path).fileName(); };
    QStringList foundNames;
    for (const QString& path : found)
        foundNames << nameOf(path);
    QStringList ordered;
    for (const QString& sheet : strip.files())
        if (const qsizetype at = foundNames.indexOf(nameOf(sheet)); at >= 0)
            ordered << found.at(at);
    for (const QString& path : found)
        if (!ordered.contains(path))
            ordered << path;
    return ordered;
}

} // namespace folivo
