#pragma once
// PageDocument: the page-layout document the preview shows and the PDF exporter writes.
//
// Contract:
// - StartDoc() begins a new document with its first page and discards the old one;
//   NewPage() appends a page to the open document; EndDoc() closes it, after which
//   pages() is the finished document and documentChanged() is emitted.
// - Each page takes the orientation (0 portrait, 1 landscape) and page size in force
//   when it is started. The page size is the program's own A4 box (11904 x 16836 twips)
//   while paperSize() is 0, otherwise paperWidth() x paperHeight(); landscape swaps them.
// - DrawPicture places a picture on the current page in twips. Mode 10 (kPictureFit)
//   keeps its proportions: the box shrinks to the picture's shape at its top-left corner
//   (picture_fit.h), so preview and export agree. Any other mode stretches it over the
//   whole box. A picture from a file is only a reference: it is decoded when painted or
//   exported, so a long document does not hold its images in memory. The file is held
//   open (up to kHeldFilesPerDocument of them), so its picture outlives the file: the
//   multi-page command deletes its sheets once the PDF holds them, a new scan run its
//   old pages, and the preview still shows what it showed.
// - The three export properties (105 to 107) are kept and have no effect on output.
// - mousePointer: 0 default, 1 arrow, 11 hourglass; mousePointerChanged() lets the
//   preview show it.
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace folivo {

inline constexpr int kA4ShortTwips = 11904;
inline constexpr int kA4LongTwips = 16836;
inline constexpr int kPictureStretch = 0;
inline constexpr int kPictureFit = 10;
// Open descriptors a document may hold; later pictures are read by path only.
inline constexpr int kHeldFilesPerDocument = 400;

// An open read-only descriptor of a picture's file: its bytes stay readable after the
// file is deleted or replaced, so a page never turns blank under the preview.
class HeldFile {
public:
    explicit HeldFile(int fd) : m_fd(fd) {}
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    QString path() const; // a path that opens the held file anew

private:
    int m_fd;
};

struct PagePicture {
    QString filePath; // when set, the picture is read from this file on demand
    QImage image;     // an in-memory picture, used when filePath is empty
    QRect boxTwips;   // left, top, width, height in twips
    int mode = kPictureStretch;
    std::shared_ptr<const HeldFile> held; // the file as it was when drawn, when held

    QString readPath() const; // where to read the file from: the held file, or filePath
    QImage load() const;      // decodes the picture (a null image when it cannot be read)
};

struct Page {
    int orientation = 0;
    int widthTwips = kA4ShortTwips;
    int heightTwips = kA4LongTwips;
    std::vector<PagePicture> pictures;
};

class PageDocument : public QObject {
    Q_OBJECT
public:
    explicit PageDocument(QObject* parent = nullptr);

    int orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    int paperSize() const { return m_paperSize; }
    void setPaperSize(int paperSize) { m_paperSize = paperSize; }
    int paperWidth() const { return m_paperWidth; }
    int paperHeight() const { return m_paperHeight; }
    void setPaperDimensions(int widthTwips, int heightTwips);

    void StartDoc();
    void NewPage();
    void EndDoc();
    bool isOpen() const { return m_open; }
    void DrawPicture(const QString& filePath, int left, int top, int width, int height,
                     int mode = kPictureStretch);
    void DrawPicture(const QImage& image, int left, int top, int width, int height,
                     int mode = kPictureStretch);

    // Properties set before a manual export; kept, without effect on the output.
    QVariant exportProperty(int id) const;
    void setExportProperty(int id, const QVariant& value);

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    const std::vector<Page>& pages() const { return m_pages; }
    int pageCount() const { return static_cast<int>(m_pages.size()); }

signals:
    void documentChanged();
    void mousePointerChanged(int pointer);

private:
    Page makePage() const;
    void addPicture(PagePicture picture);

    std::vector<Page> m_pages;
    int m_heldFiles = 0;
    bool m_open = false;
    int m_orientation = 0;
    int m_paperSize = 0;
    int m_paperWidth = kA4ShortTwips;
    int m_paperHeight = kA4LongTwips;
    QVariant m_export105;
    QVariant m_export106;
    QVariant m_export107;
    int m_mousePointer = 0;
};

} // namespace folivo
