#include "source_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace folivo {

SourceDialog::SourceDialog(DeviceFinder finder, const QString& current, QWidget* parent)
    : QDialog(parent), m_finder(std::move(finder)), m_list(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("ソースの選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("使用するスキャナーを選んでください。"), this));
    m_list->setObjectName(QStringLiteral("deviceList"));
    m_list->setHeaderLabels(
        {QStringLiteral("メーカー"), QStringLiteral("機種"), QStringLiteral("デバイス名")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* again = buttons->addButton(QStringLiteral("再検出"), QDialogButtonBox::ActionRole);
    again->setObjectName(QStringLiteral("redetectButton"));
    m_ok = buttons->addButton(QStringLiteral("選択"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("okButton"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancelButton"));
    connect(again, &QPushButton::clicked, this, &SourceDialog::redetect);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &SourceDialog::updateOk);
    layout->addWidget(buttons);

    fill(m_finder ? m_finder() : std::vector<DeviceEntry>{}, current);
    resize(560, 320);
}

QString SourceDialog::chosen() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->text(2) : QString();
}

void SourceDialog::redetect() {
    const QString keep = chosen();
    fill(m_finder ? m_finder() : std::vector<DeviceEntry>{}, keep);
}

void SourceDialog::fill(const std::vector<DeviceEntry>& devices, const QString& select) {
    m_list->clear();
    for (const DeviceEntry& d : devices) {
        auto* item = new QTreeWidgetItem(m_list, {d.vendor, d.model, d.name});
        if (d.name == select)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateOk();
}

void SourceDialog::updateOk() {
    m_ok->setEnabled(m_list->currentItem() != nullptr);
}

} // namespace folivo
