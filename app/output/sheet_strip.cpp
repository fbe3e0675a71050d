#include "sheet_strip.h"

#include "book_pdf_prompt.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>

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

void SheetStrip::nameInOrder() {
    QStringList names = m_files;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive) < 0;
    });
    QStringList actual = m_files;
    // Parked under names that are still page files, so a crash in between loses none.
    auto parked = [](const QString& target) {
        const QFileInfo info(target);
        return info.path() + QStringLiteral("/MOVE-") + info.fileName();
    };
    for (int i = 0; i < count(); ++i)
        if (names[i] != m_files[i] && QFile::rename(m_files[i], parked(names[i])))
            actual[i] = parked(names[i]);
    for (int i = 0; i < count(); ++i)
        if (actual[i] == parked(names[i]) && QFile::rename(actual[i], names[i]))
            actual[i] = names[i];
    for (int i = 0; i < count(); ++i) {
        if (actual[i] == m_files[i])
            continue;
        const QString old = std::exchange(m_files[i], actual[i]);
        if (removed)
            removed(old);
        if (rewritten)
            rewritten(actual[i]);
    }
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
