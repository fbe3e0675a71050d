#include "ppg_picture.h"

#include "zk_property_access.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr QSize kPreviewArea(200, 150);
}

const std::array<const char*, ppgPicture::kEntries>& ppgPicture::propertyNames() {
    static const std::array<const char*, kEntries> names{"DisablePicture", "DownPicture",
                                                         "MouseIcon", "Picture", "SelectPicture"};
    return names;
}

const QList<zkFileFilter>& ppgPicture::fileFilters() {
    static const QList<zkFileFilter> filters{
        {QStringLiteral("画像ファイル(*.bmp;*.ico;*.gif;*.jpg)"),
         QStringLiteral("*.bmp;*.ico;*.gif;*.jpg;*.jpeg")},
        {QStringLiteral("全てのファイル(*.*)"), QStringLiteral("*.*")}};
    return filters;
}

ppgPicture::ppgPicture(zkPageServices services, QWidget* parent)
    : zkPropertyPage(std::move(services), parent) {
    setObjectName(QStringLiteral("ppgPicture"));
    m_marks.fill(QStringLiteral("0"));
    build();
    // Initialisation: the first zoom entry, which shows nothing while no entry is chosen.
    m_zoom->setCurrentIndex(0);
    showPreview(m_list->currentRow());
}

QString ppgPicture::title() const {
    return QStringLiteral("ピクチャ");
}

void ppgPicture::build() {
    auto* listLabel = new QLabel(QStringLiteral("プロパティ(&P) :"), this);
    listLabel->setObjectName(QStringLiteral("Label1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstPicture"));
    for (const char* name : propertyNames())
        m_list->addItem(QLatin1String(name));
    listLabel->setBuddy(m_list);
    auto* previewLabel = new QLabel(QStringLiteral("プレビュー"), this);
    previewLabel->setObjectName(QStringLiteral("Label2"));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("picPreview"));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_area = new QWidget(frame);
    m_area->setFixedSize(kPreviewArea);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(m_area);
    m_preview = new QLabel(m_area);
    m_preview->setObjectName(QStringLiteral("imgPreview"));
    m_preview->setScaledContents(true);
    m_preview->hide();
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    m_zoom->addItems({QStringLiteral("実サイズ"), QStringLiteral("ズーム"),
                      QStringLiteral("ズーム(等比まで)"), QStringLiteral("ストレッチ")});
    m_browse = new QPushButton(QStringLiteral("参照(&R)"), this);
    m_browse->setObjectName(QStringLiteral("cmdRef"));
    m_clear = new QPushButton(QStringLiteral("クリア(&C)"), this);
    m_clear->setObjectName(QStringLiteral("cmdClear"));
    // Browse and Clear act on the chosen entry; with none chosen they are unavailable.
    m_browse->setEnabled(false);
    m_clear->setEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(previewLabel, 0, 1);
    grid->addWidget(frame, 1, 1, 1, 2);
    grid->addWidget(m_zoom, 2, 1, 1, 2);
    grid->addWidget(m_browse, 3, 1);
    grid->addWidget(m_clear, 3, 2);
    grid->setRowStretch(4, 1);

    connect(m_list, &QListWidget::currentRowChanged, this, &ppgPicture::chooseEntry);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseEntry(m_list->row(item)); });
    connect(m_zoom, &QComboBox::activated, this, [this] { showPreview(m_list->currentRow()); });
    connect(m_browse, &QPushButton::clicked, this, &ppgPicture::browse);
    connect(m_clear, &QPushButton::clicked, this, &ppgPicture::clear);
}

zkHostError ppgPicture::selectionChanged(const QList<QObject*>& objects) {
    if (zkHostError e = takeSelection(objects); e.failed())
        return e;
    m_marks.fill(QStringLiteral("0"));
    return {};
}

QString ppgPicture::propertyOf(const QWidget*) const {
    const int entry = m_list->currentRow();
    return entry >= 0 && entry < kEntries ? QLatin1String(propertyNames()[size_t(entry)])
                                          : QString();
}

void ppgPicture::chooseEntry(int entry) {
    if (entry < 0 || entry >= kEntries)
        return;
    emit currentPropertyChanged();
    m_browse->setEnabled(true);
    m_clear->setEnabled(true);
    if (!m_marks[size_t(entry)].isEmpty()) {
        QList<QObject*> objects;
        m_lastError = liveSelection(objects);
        if (!m_lastError.failed() && !objects.isEmpty()) {
            const auto read = zk::pages::readProperty(objects.first(), propertyNames()[entry]);
            m_lastError = read.error;
            if (!read.error.failed()) {
                m_pictures[size_t(entry)] = read.value.value<zkPictureRef>();
                m_marks[size_t(entry)].clear();
            }
        }
    }
    showPreview(entry);
}

void ppgPicture::showPreview(int entry) {
    m_preview->hide();
    if (entry < 0 || entry >= kEntries)
        return;
    m_temp = m_pictures[size_t(entry)];
    const QSize natural = zkHoldsPicture(m_temp) ? m_temp->image().size() : QSize();
    const QRect where = zk::pages::previewGeometry(
        static_cast<zk::pages::Zoom>(m_zoom->currentIndex()), m_area->size(), natural);
    if (where.isEmpty())
        return; // an empty entry shows no picture
    m_preview->setPixmap(QPixmap::fromImage(m_temp->image()));
    m_preview->setGeometry(where);
    m_preview->show();
}

void ppgPicture::setWorkingPicture(int entry, const zkPictureRef& picture) {
    m_pictures[size_t(entry)] = picture;
    m_marks[size_t(entry)].clear();
    setChanged(true);
    showPreview(entry);
}

void ppgPicture::browse() {
    const int entry = m_list->currentRow();
    if (entry < 0)
        return;
    const std::optional<QString> file = services().openFile->openFile(window(), fileFilters());
    if (!file)
        return;
    // The name ends at its first NUL, as a fixed name buffer would give it.
    const QString path =
        file->left(file->indexOf(QChar(0)) < 0 ? file->size() : file->indexOf(QChar(0)));
    zkPictureRef loaded = zkPicture::fromFile(path);
    if (!loaded)
        return; // not a picture: nothing changes, no message
    m_temp = loaded;
    setWorkingPicture(entry, loaded);
}

void ppgPicture::clear() {
    const int entry = m_list->currentRow();
    if (entry >= 0)
        setWorkingPicture(entry, zkPictureRef::create());
}

zkHostError ppgPicture::applyChanges() {
    for (int i = 0; i < kEntries; ++i) {
        if (!m_marks[size_t(i)].isEmpty())
            continue;
        if (zkHostError e =
                writeToAll(propertyNames()[size_t(i)], QVariant::fromValue(m_pictures[size_t(i)]));
            e.failed())
            return e;
    }
    setChanged(false);
    return {};
}
