#include "scan_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace folivo {

ScanDialog::ScanDialog(SaneDevice& device, QWidget* parent) : QDialog(parent), m_device(device) {
    setWindowTitle(QStringLiteral("スキャン - %1").arg(device.name()));
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    m_form = new QWidget(scroll);
    m_formLayout = new QVBoxLayout(m_form);
    scroll->setWidget(m_form);

    m_advanced = new QCheckBox(QStringLiteral("詳細な設定を表示"), this);
    m_advanced->setObjectName(QStringLiteral("advancedToggle"));
    connect(m_advanced, &QCheckBox::toggled, this, &ScanDialog::applyAdvancedVisibility);
    layout->addWidget(m_advanced);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* scan =
        buttons->addButton(QStringLiteral("スキャン"), QDialogButtonBox::AcceptRole);
    scan->setObjectName(QStringLiteral("scanButton"));
    scan->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    rebuild();
    resize(520, 640);
}

ScanDialog::~ScanDialog() = default;

OptionEditor* ScanDialog::editor(const QString& optionName) const {
    for (const auto& e : m_editors)
        if (e->info().name == optionName)
            return e.get();
    return nullptr;
}

bool ScanDialog::showsAdvanced() const {
    return m_advanced->isChecked();
}

void ScanDialog::rebuild() {
    m_rows.clear();
    m_editors.clear();
    while (QLayoutItem* item = m_formLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QGroupBox* box = nullptr;
    QFormLayout* rows = nullptr;
    QString group;
    for (const OptionInfo& info : m_device.options()) {
        if (!rows || info.group != group) {
            group = info.group;
            box = new QGroupBox(group, m_form);
            rows = new QFormLayout(box);
            m_formLayout->addWidget(box);
        }
        std::unique_ptr<OptionEditor> editor = CreateOptionEditor(info, box);
        if (!editor)
            continue;
        auto* row = new QWidget(box);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        editor->widget()->setParent(row);
        rowLayout->addWidget(editor->widget(), 1);
        rows->addRow(info.type == SANE_TYPE_BUTTON ? QString() : info.title, row);
        OptionEditor* raw = editor.get();
        connect(raw, &OptionEditor::edited, this, [this, raw] { onEdited(raw); });
        m_rows[raw] = row;
        m_editors.push_back(std::move(editor));
    }
    m_formLayout->addStretch(1);
    refreshValues();
    applyAdvancedVisibility();
}

void ScanDialog::refreshValues() {
    for (const auto& e : m_editors) {
        const OptionInfo& info = e->info();
        if (const std::optional<OptionValue> v = m_device.value(info))
            e->setValue(*v);
        e->widget()->setEnabled(info.isActive());
        if (info.isActive())
            e->setReadOnly(!info.isSettable());
    }
}

void ScanDialog::onEdited(OptionEditor* editor) {
    const OptionInfo info = editor->info();
    const SetResult r = info.type == SANE_TYPE_BUTTON ? m_device.press(info)
                                                      : m_device.setValue(info, editor->value());
    if (r.reloadOptions) {
        // Rebuilding deletes the editor that emitted this signal: leave it first.
        QMetaObject::invokeMethod(this, &ScanDialog::rebuild, Qt::QueuedConnection);
        return;
    }
    refreshValues();
}

void ScanDialog::applyAdvancedVisibility() {
    const bool all = m_advanced->isChecked();
    for (const auto& [editor, row] : m_rows) {
        auto* form = qobject_cast<QFormLayout*>(row->parentWidget()->layout());
        if (form)
            form->setRowVisible(row, all || !editor->info().isAdvanced());
    }
}

} // namespace folivo
