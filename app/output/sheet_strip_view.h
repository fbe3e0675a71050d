#pragma once
// SheetStripView: the thumbnails of a SheetStrip in a row, numbered in PDF order. The
// current sheet is deleted (Delete), turned (Ctrl+R clockwise, Ctrl+Shift+R the other
// way) or moved (Ctrl+Left / Ctrl+Right, or dragged onto another sheet) through the
// strip; the view only shows what the strip then holds. The actions are offered on the
// context menu and by actions() for tool buttons, each naming its key in its tooltip.
#include <QHash>
#include <QImage>
#include <QListWidget>
#include <QPixmap>

class QAction;

namespace folivo {

class SheetStrip;

class SheetStripView final : public QListWidget {
    Q_OBJECT
public:
    // Thumbnails by file and modification time; shared by the prompts of a run, so
    // that each sheet is read once.
    using Thumbnails = QHash<QString, QImage>;

    SheetStripView(SheetStrip& strip, Thumbnails& thumbnails, QWidget* parent);

    QList<QAction*> editActions() const { return m_actions; }
    void refresh(int current); // rebuilds the row from the strip, `current` selected

signals:
    void changed(); // the strip was changed through the view
    void failed(const QString& message);

protected:
    void dropEvent(QDropEvent* event) override;

private:
    QAction* addEdit(const QString& text, const QKeySequence& key, void (SheetStripView::*run)());
    void removeCurrent();
    void turnClockwise() { turn(true); }
    void turnBack() { turn(false); }
    void turn(bool clockwise);
    void moveEarlier() { moveCurrent(-1); }
    void moveLater() { moveCurrent(1); }
    void moveCurrent(int by);
    void moveTo(int from, int to);
    QPixmap thumbnail(const QString& file, int number, Thumbnails& used);

    SheetStrip& m_strip;
    QList<QAction*> m_actions;
    Thumbnails& m_thumbnails;
};

} // namespace folivo
