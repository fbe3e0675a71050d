#include "toolbar_host.h"

#include "button_relay.h"
#include "main_window.h"
#include "toolbar_buttons.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <algorithm>

// Resources of a static library must be registered by name, outside any namespace.
static void InitFormsResource() {
    Q_INIT_RESOURCE(forms);
}

namespace folivo {

namespace {
constexpr qint64 kMaxFormBytes = 1024 * 1024;
constexpr int kButtonTwips = 375;
constexpr int kDoubleSizePixels = 48;
} // namespace

QString NoToolbarMessage() {
    return QStringLiteral(
        "ボタンライブラリ(zkButton2)を読み込めないため、ツールバーなしで起動しました。");
}

Toolbar::Toolbar(MainWindow& window, const ToolbarSource& source)
    : QObject(&window), m_window(window) {
    InitFormsResource();
    m_failure = build(source);
    if (!m_failure.isEmpty())
        reportFailureWhenShown();
}

Toolbar::~Toolbar() = default;

QString Toolbar::build(const ToolbarSource& source) {
    QString error;
    m_library = ButtonLibrary::Open(&error);
    if (!m_library)
        return error;

    QFile file(source.formPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFormBytes)
        return QStringLiteral("cannot read ") + source.formPath;
    m_pictureFolder = source.pictureFolder;
    if (m_pictureFolder.isEmpty())
        m_pictureFolder = m_window.twipsToPixelsX(kButtonTwips) >= kDoubleSizePixels
                              ? QStringLiteral(":/forms/2x")
                              : QStringLiteral(":/forms");
    FormDescription form = m_library->parseForm(file.readAll(), m_pictureFolder);
    if (!form.ok())
        return QStringLiteral("%1:%2: %3")
            .arg(source.formPath)
            .arg(form.errorLine())
            .arg(form.error());

    for (int i = 0; i < form.count(); ++i)
        (void)place(form, i); // a block the toolbar cannot use is passed over
    if (m_buttons.isEmpty())
        return QStringLiteral("no toolbar button in ") + source.formPath;
    applyTabOrder();
    return {};
}

bool Toolbar::place(FormDescription& form, int index) {
    const QString name = form.name(index);
    const ToolbarCommand* entry = FindToolbarButton(name);
    if (!entry || form.className(index) != QLatin1String(kButtonProgId) || button(name))
        return false;
    const ButtonSiteResult site =
        ReadButtonSite([&](const QString& key) { return form.value(index, key); });
    if (!site.site)
        return false;

    QWidget* widget = m_library->createButton(m_window.clientArea(), nullptr);
    if (!widget)
        return false;
    // The control takes its default caption from the name its container gives it.
    widget->setObjectName(name);
    if (form.readProperties(index, widget) != 0) {
        delete widget;
        return false;
    }
    const ButtonSite& s = *site.site;
    widget->setGeometry(m_window.twipsToPixelsX(s.left), m_window.twipsToPixelsY(s.top),
                        m_window.twipsToPixelsX(s.width), m_window.twipsToPixelsY(s.height));
    widget->setToolTip(s.toolTipText);

    const QString command = QLatin1String(entry->menuItem);
    new ButtonRelay(
        widget, [this, command] { m_window.runCommand(command); },
        [this, widget] { m_window.SetStatus(widget->toolTip()); });
    if (entry->group == ToolbarGroup::Scanner)
        m_window.addScannerControl(widget);
    else if (entry->group == ToolbarGroup::Save)
        m_window.addSaveControl(widget);
    widget->show();
    m_buttons.append({widget, name, s});
    return true;
}

void Toolbar::applyTabOrder() {
    QList<Placed> ordered = m_buttons;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Placed& a, const Placed& b) {
        return a.site.tabIndex < b.site.tabIndex;
    });
    for (qsizetype i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].widget, ordered[i].widget);
}

QWidget* Toolbar::button(const QString& name) const {
    for (const Placed& p : m_buttons)
        if (p.name == name)
            return p.widget;
    return nullptr;
}

QList<QWidget*> Toolbar::buttons() const {
    QList<QWidget*> out;
    for (const Placed& p : m_buttons)
        out.append(p.widget);
    return out;
}

ButtonSite Toolbar::site(const QString& name) const {
    for (const Placed& p : m_buttons)
        if (p.name == name)
            return p.site;
    return {};
}

QByteArray Toolbar::describe() const {
    if (!m_library)
        return {};
    FormDescription form = m_library->newForm();
    for (const Placed& p : m_buttons) {
        if (!p.widget)
            continue;
        const int index = form.add(QLatin1String(kButtonProgId), p.name);
        WriteButtonSite(p.site, [&](const QString& key, const QVariant& value) {
            form.setValue(index, key, value);
        });
        if (form.writeProperties(index, p.widget) != 0)
            return {};
    }
    return form.text();
}

void Toolbar::reportFailureWhenShown() {
    if (m_window.isVisible())
        QTimer::singleShot(0, &m_window, [w = &m_window] { w->SetStatus(NoToolbarMessage()); });
    else
        m_window.installEventFilter(this);
}

bool Toolbar::eventFilter(QObject* watched, QEvent* event) {
    // Posted after the first show, so the start-up messages do not hide it.
    if (watched == &m_window && event->type() == QEvent::Show) {
        m_window.removeEventFilter(this);
        QTimer::singleShot(0, &m_window, [w = &m_window] { w->SetStatus(NoToolbarMessage()); });
    }
    return QObject::eventFilter(watched, event);
}

Toolbar* AttachToolbar(MainWindow& window) {
    return new Toolbar(window);
}

} // namespace folivo
