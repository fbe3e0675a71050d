#include "sheet_strip_view.h"

#include "sheet_strip.h"
#include "thumbnail.h"

#include <QAction>
#include <QDropEvent>
#include <QFileInfo>
#include <QPainter>

namespace folivo {
namespace {

constexpr int kThumbSize = 96;

} // namespace

SheetStripView::SheetStripView(SheetStrip& strip, Thumbnails& thumbnails, QWidget* parent)
    : QListWidget(parent), m_strip(strip), m_thumbnails(thumbnails) {
    setObjectName(QStringLiteral("lstSheets"));
    setAccessibleName(QStringLiteral("読み取った用紙"));
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setIconSize(QSize(kThumbSize, kThumbSize));
    setSpacing(4);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addEdit(QStringLiteral("削除"), QKeySequence::Delete, &SheetStripView::removeCurrent);
    addEdit(QStringLiteral("右に90度回転"), QKeySequence(QStringLiteral("Ctrl+R")),
            &SheetStripView::turnClockwise);
    addEdit(QStringLiteral("左に90度回転"), QKeySequence(QStringLiteral("Ctrl+Shift+R")),
            &SheetStripView::turnBack);
    addEdit(QStringLiteral("前へ移動"), QKeySequence(QStringLiteral("Ctrl+Left")),
            &SheetStripView::moveEarlier);
    addEdit(QStringLiteral("後ろへ移動"), QKeySequence(QStringLiteral("Ctrl+Right")),
            &SheetStripView::moveLater);
    refresh(strip.count() - 1);
}

QAction* SheetStripView::addEdit(const QString& text, const QKeySequence& key,
                                 void (SheetStripView::*run)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    // Keys work wherever the focus is in the prompt, as its buttons keep the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, run);
    addAction(action);
    m_actions << action;
    return action;
}

QPixmap SheetStripView::thumbnail(const QString& file, int number, Thumbnails& used) {
    const QFileInfo info(file);
    const QString key = file + u'|' + QString::number(info.lastModified().toMSecsSinceEpoch()) +
                        u'|' + QString::number(info.size());
    auto it = m_thumbnails.constFind(key);
    if (it == m_thumbnails.cend())
        it = m_thumbnails.insert(key, ReadThumbnail(file, kThumbSize));
    used.insert(key, it.value());
    QPixmap pixmap(kThumbSize, kThumbSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QImage& image = it.value();
    painter.drawImage((kThumbSize - image.width()) / 2, (kThumbSize - image.height()) / 2, image);
    const QRect badge(0, kThumbSize - 18, 26, 18);
    painter.fillRect(badge, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QString::number(number));
    return pixmap;
}

void SheetStripView::refresh(int current) {
    clear();
    Thumbnails used; // those of sheets gone or rewritten are dropped
    for (int i = 0; i < m_strip.count(); ++i) {
        auto* item =
            new QListWidgetItem(QIcon(thumbnail(m_strip.files().at(i), i + 1, used)), {}, this);
        item->setToolTip(QStringLiteral("%1 枚目").arg(i + 1));
        item->setData(Qt::AccessibleTextRole, item->toolTip());
    }
    m_thumbnails.swap(used);
    if (current >= 0 && current < count())
        setCurrentRow(current);
    for (QAction* action : std::as_const(m_actions))
        action->setEnabled(currentRow() >= 0);
}

void SheetStripView::removeCurrent() {
    const int row = currentRow();
    if (row < 0)
        return;
    if (!m_strip.remove(row)) {
        emit failed(QStringLiteral("用紙を削除できませんでした。"));
        return;
    }
    refresh(std::min(row, m_strip.count() - 1));
    emit changed();
}

void SheetStripView::turn(bool clockwise) {
    const int row = currentRow();
    if (row < 0)
        return;
    if (!m_strip.rotate(row, clockwise)) {
        emit failed(
            QStringLiteral("用紙を回転できませんでした。ディスクの空きを確認してください。"));
        return;
    }
    refresh(row);
    emit changed();
}

void SheetStripView::moveCurrent(int by) {
    moveTo(currentRow(), currentRow() + by);
}

void SheetStripView::moveTo(int from, int to) {
    if (from == to || !m_strip.move(from, to))
        return;
    refresh(to);
    emit changed();
}

void SheetStripView::dropEvent(QDropEvent* event) {
    // The strip, not the list, decides the order; the row is rebuilt from it.
    if (event->source() != this) {
        event->ignore();
        return;
    }
    const QModelIndex at = indexAt(event->position().toPoint());
    const int from = currentRow();
    const int to = at.isValid() ? at.row() : count() - 1;
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    // The items are rebuilt once the drag has let go of them.
    QMetaObject::invokeMethod(
        this, [this, from, to] { moveTo(from, to); }, Qt::QueuedConnection);
}

} // namespace folivo
