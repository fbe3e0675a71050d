#pragma once
// Two small buttons at the right end of the status line, shown once a file has been
// saved: one opens that file, the other its folder, each with the desktop's default
// program. A later save offers its own file instead.
#include <QObject>
#include <QString>
#include <memory>

class QAction;
class QLineEdit;

namespace folivo {

class UrlOpener;

class SavedFileOffer : public QObject {
public:
    // opener: null for the desktop's own (QDesktopServices); otherwise not owned.
    SavedFileOffer(QLineEdit* statusLine, UrlOpener* opener);
    ~SavedFileOffer() override;

    void offer(const QString& path);
    QString offeredPath() const { return m_path; }

private:
    void open(bool folder);

    std::unique_ptr<UrlOpener> m_ownedOpener;
    UrlOpener* m_opener;
    QString m_path;
    QAction* m_openFile = nullptr;
    QAction* m_openFolder = nullptr;
};

} // namespace folivo
