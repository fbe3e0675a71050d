#include "zk_property_sheet.h"

#include "ppg_button.h"
#include "ppg_color.h"
#include "ppg_font.h"
#include "ppg_picture.h"
#include "zk_library.h"
#include "zk_property_descriptions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

zkPropertyPage* zkCreatePropertyPage(const QString& className, zkPageServices services,
                                     QWidget* parent) {
    if (className == QLatin1String("ppgButton"))
        return new ppgButton(std::move(services), parent);
    if (className == QLatin1String("ppgPicture"))
        return new ppgPicture(std::move(services), parent);
    if (className == QLatin1String("ppgColor"))
        return new ppgColor(std::move(services), parent);
    if (className == QLatin1String("ppgFont"))
        return new ppgFont(std::move(services), parent);
    return nullptr;
}

zkPropertySheet::zkPropertySheet(const QList<QObject*>& objects, zkPageServices services,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("zkPropertySheet"));
    setWindowTitle(QStringLiteral("プロパティ"));
    const zkPageServices shared = services.completed();
    m_tabs = new QTabWidget(this);
    for (const char* className : zk::kPropertyPageOrder) {
        zkPropertyPage* page = zkCreatePropertyPage(QLatin1String(className), shared, m_tabs);
        m_pages << page;
        m_tabs->addTab(page, page->title());
        connect(page, &zkPropertyPage::changedFlagChanged, this,
                &zkPropertySheet::updateApplyButton);
        connect(page, &zkPropertyPage::currentPropertyChanged, this,
                &zkPropertySheet::showFocusedProperty);
    }
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("lblError"));
    m_error->setWordWrap(true);
    m_error->hide();
    // One line whatever the text: a long description is shortened, never widens the sheet.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_status->setMinimumHeight(m_status->sizeHint().height());
    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    okButton()->setText(QStringLiteral("OK"));
    cancelButton()->setText(QStringLiteral("キャンセル"));
    applyButton()->setText(QStringLiteral("適用(&A)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_error);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    connect(okButton(), &QPushButton::clicked, this, [this] {
        if (!apply().failed())
            accept();
    });
    connect(cancelButton(), &QPushButton::clicked, this, &QDialog::reject);
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, &zkPropertySheet::showFocusedProperty);
    connect(applyButton(), &QPushButton::clicked, this, [this] { apply(); });

    for (zkPropertyPage* page : m_pages) {
        if (zkHostError e = page->selectionChanged(objects); e.failed()) {
            showError(e);
            break;
        }
    }
    updateApplyButton();
}

zkPropertySheet::~zkPropertySheet() {
    // Closing moves the focus while the dialog's own parts are torn down, after this one.
    disconnect(m_focusWatch);
}

QPushButton* zkPropertySheet::okButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}
QPushButton* zkPropertySheet::cancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}
QPushButton* zkPropertySheet::applyButton() const {
    return m_buttons->button(QDialogButtonBox::Apply);
}

void zkPropertySheet::updateApplyButton() {
    bool any = false;
    for (const zkPropertyPage* page : m_pages)
        any = any || page->isChanged();
    applyButton()->setEnabled(any);
}

void zkPropertySheet::showFocusedProperty() {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        return; // the focus went to another window: keep the line
    m_statusText.clear();
    for (const zkPropertyPage* page : m_pages)
        if (page->isAncestorOf(focus))
            m_statusText = zk::propertyDescription(page->propertyOf(focus));
    showStatus();
}

void zkPropertySheet::showStatus() {
    const int room = m_status->contentsRect().width() - 2 * m_status->margin();
    m_status->setText(m_status->fontMetrics().elidedText(m_statusText, Qt::ElideRight, room));
    m_status->setToolTip(m_statusText);
}

void zkPropertySheet::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    showStatus();
}

void zkPropertySheet::showError(const zkHostError& error) {
    m_lastError = error;
    m_error->setVisible(error.failed());
    m_error->setText(error.message);
}

zkHostError zkPropertySheet::apply() {
    emit aboutToApply();
    zkHostError result;
    for (zkPropertyPage* page : m_pages) {
        if (!page->isChanged())
            continue;
        result = page->applyChanges();
        if (result.failed())
            break;
    }
    emit applied();
    showError(result);
    updateApplyButton();
    return result;
}
