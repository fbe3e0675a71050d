// zkButton gallery: every style, value, appearance and state as exact snapshots, every
// caption/picture alignment pair, and a row of live buttons to try. Built, not a test.
#include "gallery_shots.h"
#include "zk_memory_bag.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel* picture(const QImage& image) {
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    return label;
}

QWidget* statesPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const gallery::Pose poses[] = {gallery::Pose::Normal, gallery::Pose::Hover,
                                   gallery::Pose::Pushed, gallery::Pose::Focused,
                                   gallery::Pose::Disabled};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(new QLabel(gallery::poseName(poses[c])), 0, c + 1);
    int row = 1;
    for (int style = 0; style < 3; ++style) {
        for (int appearance = 1; appearance >= 0; --appearance) {
            for (int value = 0; value < (style == 0 ? 1 : 2); ++value) {
                const QString name =
                    QStringList{"Button", "Check", "Option"}[style] +
                    (appearance ? QStringLiteral(" 3D") : QStringLiteral(" flat")) +
                    (style ? QStringLiteral(" value %1").arg(value) : QString());
                grid->addWidget(new QLabel(name), row, 0);
                gallery::Look look;
                look.style = zkButton::StyleEnum(style);
                look.appearance = zkButton::AppearanceEnum(appearance);
                look.value = zkButton::ValueEnum(value);
                for (int c = 0; c < 5; ++c)
                    grid->addWidget(picture(gallery::shoot(look, poses[c])), row, c + 1);
                ++row;
            }
        }
    }
    return page;
}

QWidget* alignmentPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int caption = 0; caption < 9; ++caption)
        grid->addWidget(new QLabel(QStringLiteral("caption %1").arg(caption)), 0, caption + 1);
    for (int pictureAlign = 0; pictureAlign < 13; ++pictureAlign) {
        grid->addWidget(new QLabel(QStringLiteral("picture %1").arg(pictureAlign)),
                        pictureAlign + 1, 0);
        for (int caption = 0; caption < 9; ++caption) {
            gallery::Look look;
            look.captionAlign = caption;
            look.pictureAlign = pictureAlign;
            look.caption = QStringLiteral("Ab");
            look.size = QSize(72, 56);
            grid->addWidget(picture(gallery::shoot(look, gallery::Pose::Normal)), pictureAlign + 1,
                            caption + 1);
        }
    }
    return page;
}

QWidget* livePage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    auto* status = new QLabel(QStringLiteral("Try the buttons: events appear here."));
    layout->addWidget(status, 1, 0, 1, 6);
    for (int i = 0; i < 6; ++i) {
        auto* b = new zkButton(page);
        b->setMinimumSize(90, 56);
        b->setButtonStyle(zkButton::StyleEnum(i / 2));
        b->setAppearance(zkButton::AppearanceEnum(i % 2 ? 0 : 1));
        b->setPicture(gallery::samplePicture(0xFF2E6FD0));
        b->setDownPicture(gallery::samplePicture(0xFF2EA040));
        b->setSelectPicture(gallery::samplePicture(0xFFD08020));
        b->setUseMaskColor(true);
        b->setCaption(QStringLiteral("Item &%1").arg(i + 1));
        b->setToolTip(QStringLiteral("Live button %1").arg(i + 1));
        // Saved and loaded, as a host restores a form: loading starts the hover timer.
        zkMemoryPropertyBag bag;
        b->WriteProperties(bag);
        b->ReadProperties(bag);
        QObject::connect(b, &zkButton::Click, status, [status, b](int&, int&, int&, int&) {
            status->setText(
                QStringLiteral("Click on %1, Value %2").arg(b->displayCaption()).arg(b->value()));
        });
        QObject::connect(b, &zkButton::MouseIn, status, [status, b](int&, int&, int&, int&) {
            status->setText(QStringLiteral("MouseIn %1").arg(b->displayCaption()));
        });
        layout->addWidget(b, 0, i);
    }
    return page;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("zkButton gallery"));
    for (auto [page, title] :
         {std::pair{statesPage(), "States"}, std::pair{alignmentPage(), "Alignments"}}) {
        auto* scroll = new QScrollArea;
        scroll->setWidget(page);
        tabs.addTab(scroll, QString::fromLatin1(title));
    }
    tabs.addTab(livePage(), QStringLiteral("Live"));
    tabs.resize(900, 700);
    tabs.show();
    // A snapshot for documentation: ZKBUTTON_GALLERY_SNAPSHOT=file.png saves each tab
    // (file-0.png, file-1.png, ...) and quits.
    const QString snapshot = qEnvironmentVariable("ZKBUTTON_GALLERY_SNAPSHOT");
    if (!snapshot.isEmpty()) {
        for (int i = 0; i < tabs.count(); ++i) {
            tabs.setCurrentIndex(i);
            QString name = snapshot;
            name.replace(QStringLiteral(".png"), QStringLiteral("-%1.png").arg(i));
            tabs.grab().save(name);
        }
        return 0;
    }
    return app.exec();
}
