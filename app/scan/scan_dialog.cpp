#include "scan_dialog.h"

#include "preview_widget.h"
#include "sane_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <sane/saneopts.h>

namespace folivo {

namespace {

// The options shown first, in this order.
const QStringList& CommonOptions() {
    static const QStringList names{
        QStringLiteral(SANE_NAME_SCAN_SOURCE),     QStringLiteral(SANE_NAME_SCAN_MODE),
        QStringLiteral(SANE_NAME_SCAN_RESOLUTION), QStringLiteral(SANE_NAME_SCAN_TL_X),
        QStringLiteral(SANE_NAME_SCAN_TL_Y),       QStringLiteral(SANE_NAME_SCAN_BR_X),
        QStringLiteral(SANE_NAME_SCAN_BR_Y)};
    return names;
}

QFormLayout* NewRows(QWidget* box) {
    auto* rows = new QFormLayout(box);
    // A narrow dialog puts a wide field under its label instead of scrolling sideways.
    rows->setRowWrapPolicy(QFormLayout::WrapLongRows);
    rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return rows;
}

} // namespace

ScanDialog::ScanDialog(SaneDevice& device, QWidget* parent, PreviewScan preview)
    : QDialog(parent), m_device(device), m_previewScan(std::move(preview)) {
    setWindowTitle(QStringLiteral("スキャン - %1").arg(device.name()));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    body->addWidget(buildPreviewPane(), 3);

    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body->addWidget(m_scroll, 2);
    m_form = new QWidget(m_scroll);
    m_formLayout = new QVBoxLayout(m_form);
    m_scroll->setWidget(m_form);

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
    fitToScreen();
}

ScanDialog::~ScanDialog() = default;

QWidget* ScanDialog::buildPreviewPane() {
    m_previewPane = new QWidget(this);
    auto* pane = new QVBoxLayout(m_previewPane);
    pane->setContentsMargins(0, 0, 0, 0);
    m_preview = new PreviewWidget(m_previewPane);
    connect(m_preview, &PreviewWidget::areaChosen, this, &ScanDialog::chooseArea);
    pane->addWidget(m_preview, 1);
    auto* row = new QHBoxLayout;
    pane->addLayout(row);
    auto* run = new QPushButton(QStringLiteral("プレビュー"), m_previewPane);
    run->setObjectName(QStringLiteral("previewButton"));
    run->setAutoDefault(false);
    run->setVisible(bool(m_previewScan));
    connect(run, &QPushButton::clicked, this, &ScanDialog::runPreview);
    row->addWidget(run);
    auto* whole = new QPushButton(QStringLiteral("範囲をリセット"), m_previewPane);
    whole->setObjectName(QStringLiteral("wholeGlassButton"));
    whole->setAutoDefault(false);
    connect(whole, &QPushButton::clicked, this, [this] {
        if (m_area)
            chooseArea(m_area->glass());
    });
    row->addWidget(whole);
    return m_previewPane;
}

// Opens at a comfortable size, but never larger than the screen it opens on.
void ScanDialog::fitToScreen() {
    const QScreen* s = parentWidget() ? parentWidget()->screen() : screen();
    QSize size(m_area ? 860 : 480, 640);
    if (s)
        size = size.boundedTo(s->availableGeometry().size() * 0.9);
    resize(size.expandedTo(minimumSizeHint()));
}

OptionEditor* ScanDialog::editor(const QString& optionName) const {
    for (const auto& e : m_editors)
        if (e->info().name == optionName)
            return e.get();
    return nullptr;
}

bool ScanDialog::showsAdvanced() const {
    return m_advanced->isChecked();
}

void ScanDialog::addRow(QFormLayout* rows, const OptionInfo& info, QWidget* box) {
    std::unique_ptr<OptionEditor> editor = CreateOptionEditor(info, box);
    if (!editor)
        return;
    if (info.type == SANE_TYPE_BUTTON) {
        rows->addRow(editor->widget());
    } else {
        auto* label = new QLabel(SaneText(info.title), box);
        label->setBuddy(editor->widget());
        rows->addRow(label, editor->widget());
    }
    OptionEditor* raw = editor.get();
    connect(raw, &OptionEditor::edited, this, [this, raw] { onEdited(raw); });
    m_editors.push_back(std::move(editor));
}

void ScanDialog::rebuild() {
    m_editors.clear();
    m_detailGroups.clear();
    while (QLayoutItem* item = m_formLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const std::vector<OptionInfo> options = m_device.options();
    m_area = ScanArea::find(options);
    m_previewPane->setVisible(m_area.has_value());
    if (m_area)
        m_preview->setGlass(m_area->glass(), m_area->stepX(), m_area->stepY());

    auto* common = new QGroupBox(QStringLiteral("基本設定"), m_form);
    QFormLayout* commonRows = NewRows(common);
    m_formLayout->addWidget(common);
    for (const QString& name : CommonOptions())
        for (const OptionInfo& info : options)
            if (info.name == name)
                addRow(commonRows, info, common);

    QFormLayout* rows = nullptr;
    QString group;
    for (const OptionInfo& info : options) {
        if (CommonOptions().contains(info.name))
            continue;
        if (!rows || info.group != group) {
            group = info.group;
            auto* box = new QGroupBox(SaneText(group), m_form);
            rows = NewRows(box);
            m_formLayout->addWidget(box);
            m_detailGroups.push_back(box);
        }
        addRow(rows, info, rows->parentWidget());
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
    if (m_area)
        if (const std::optional<QRectF> area = m_area->read(m_device))
            m_preview->setArea(*area);
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

void ScanDialog::chooseArea(const QRectF& area) {
    if (!m_area)
        return;
    if (m_area->write(m_device, area))
        rebuild();
    else
        refreshValues();
}

void ScanDialog::runPreview() {
    if (!m_previewScan)
        return;
    if (const std::optional<QImage> image = m_previewScan(this))
        m_preview->setImage(*image);
    rebuild(); // the preview put the options back; their limits may have moved meanwhile
}

void ScanDialog::applyAdvancedVisibility() {
    for (QWidget* box : m_detailGroups)
        box->setVisible(m_advanced->isChecked());
    // The form gets the width it needs, so that nothing is ever clipped or scrolled sideways.
    m_formLayout->activate();
    m_scroll->setMinimumWidth(m_form->minimumSizeHint().width() +
                              m_scroll->verticalScrollBar()->sizeHint().width() +
                              2 * m_scroll->frameWidth());
}

} // namespace folivo
