#include "recovery_dialog.h"

#include "thumbnail.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace folivo {
namespace {

constexpr int kThumbnail = 96;

QIcon thumbnail(const QString& file) {
    return QIcon(QPixmap::fromImage(ReadThumbnail(file, kThumbnail)));
}

} // namespace

RecoveryChoice DialogRecoveryPrompt::ask(const QStringList& pages) {
    QDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("frmRecovery"));
    dialog.setWindowTitle(kRecoveryCaption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(RecoveryQuestion(int(pages.size())), &dialog));
    auto* list = new QListWidget(&dialog);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(kThumbnail, kThumbnail));
    list->setResizeMode(QListView::Adjust);
    list->setMinimumSize(4 * (kThumbnail + 24), kThumbnail + 48);
    for (const QString& page : pages)
        list->addItem(new QListWidgetItem(thumbnail(page), QFileInfo(page).fileName()));
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    RecoveryChoice choice = RecoveryChoice::None;
    for (const auto& [caption, answer] : {std::pair{kMakePdfCaption, RecoveryChoice::MakePdf},
                                          std::pair{kShowCaption, RecoveryChoice::Show},
                                          std::pair{kDiscardCaption, RecoveryChoice::Discard}}) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        // Making the PDF keeps every page: the safe answer for Return.
        if (answer == RecoveryChoice::MakePdf) {
            button->setDefault(true);
            button->setFocus();
        }
        // A copy: clang before 16 cannot capture a structured binding.
        const RecoveryChoice picked = answer;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &choice, picked] {
            choice = picked;
            dialog.accept();
        });
    }
    layout->addWidget(buttons);
    dialog.exec();
    return choice;
}

} // namespace folivo
