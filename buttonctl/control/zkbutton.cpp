#include "zkbutton.h"

#include "zk_accessible.h"
#include "zk_geometry.h"
#include "zk_library.h"
#include "zk_mnemonic.h"
#include "zk_scale.h"
#include "zk_window_keys.h"

#include <QAtomicInt>
#include <QCursor>
#include <QKeySequence>
#include <QShortcut>
#include <QTimer>
#include <cmath>

namespace {
class SystemCursor : public zkCursorSource {
public:
    QPoint cursorPos() const override { return QCursor::pos(); }
};

int nextWindowHandle() {
    static QAtomicInt counter(0x100);
    return counter.fetchAndAddRelaxed(1) + 1;
}
} // namespace

zkButton::zkButton(QWidget* parent, std::shared_ptr<zkAmbientHost> host)
    : QWidget(parent), m_host(std::move(host)), m_cursor(std::make_shared<SystemCursor>()),
      m_handle(nextWindowHandle()) {
    if (!m_host)
        m_host = std::make_shared<zkWidgetAmbientHost>(this);
    zk::objectCreated();
    zk::installAccessibleFactory(&zkButton::accessibleInterface);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &zkButton::hoverTick);
    m_bufferFont = font();
    m_bufferFont.setStyleStrategy(QFont::NoAntialias);
    m_buffer = QImage(size(), QImage::Format_RGB32);
    m_surface = m_buffer;
    InitProperties();
    // A button read before its first redraw shows its back colour, never stale memory.
    m_buffer.fill(resolveColor(m_backColor));
    m_surface = m_buffer;
}

zkButton::~zkButton() {
    zk::objectDestroyed();
}

void zkButton::setAmbientHost(std::shared_ptr<zkAmbientHost> host) {
    m_host = host ? std::move(host) : std::make_shared<zkWidgetAmbientHost>(this);
}

void zkButton::setCursorSource(std::shared_ptr<zkCursorSource> cursor) {
    m_cursor = cursor ? std::move(cursor) : std::make_shared<SystemCursor>();
}

int zkButton::dpi() const {
    const int value = logicalDpiX();
    return value > 0 ? value : 96;
}

void zkButton::notify(const char* name) {
    emit PropertyChanged(QString::fromLatin1(name));
}

void zkButton::changed(const char* name) {
    Redraw(zbsNormal);
    notify(name);
}

// ---- setters: store, pass to the widget where the property has a widget side, redraw, notify

void zkButton::setCancel(bool v) {
    m_cancel = v;
    updateShortcuts();
    changed("Cancel");
}
void zkButton::setCaption(const QString& v) {
    m_caption = v;
    deriveDisplayCaption();
    zk::announceName(this);
    changed("Caption");
}
void zkButton::setDefault(bool v) {
    m_default = v;
    updateShortcuts();
    changed("Default");
}
void zkButton::setButtonEnabled(bool v) {
    m_enabled = v;
    QWidget::setEnabled(v);
    changed("Enabled");
}
void zkButton::setButtonFont(const zkFontRef& v) {
    m_font = v;
    watchFont();
    changed("Font");
}
void zkButton::setMouseIcon(const zkPictureRef& v) {
    m_mouseIcon = v;
    applyMousePointer();
    changed("MouseIcon");
}
void zkButton::setMousePointer(int v) {
    m_mousePointer = v;
    applyMousePointer();
    notify("MousePointer");
}
void zkButton::setOleDropMode(OLEDropModeEnum v) {
    m_oleDropMode = v;
    setAcceptDrops(v == zboManual);
    changed("OLEDropMode");
}
void zkButton::setValue(ValueEnum v) {
    m_value = v;
    zk::announceChecked(this);
    changed("Value");
}
void zkButton::setOwnerDraw(bool v) {
    m_ownerDraw = v;
    Redraw(idleState());
    notify("OwnerDraw");
}
void zkButton::setScaleMode(int v) {
    m_scaleMode = v;
}

QSize zkButton::holderSize(const QString& pictureProperty) const {
    const zkPictureRef p = property(pictureProperty.toLatin1().constData()).value<zkPictureRef>();
    return zkHoldsPicture(p) ? QSize(p->width(), p->height()) : QSize(0, 0);
}

int zkButton::drawWidth() const {
    return m_drawWidth;
}

QString zkButton::name() const {
    return m_host->displayName();
}

int zkButton::scaleWidth() const {
    return zk::roundHalfEven(zk::pixelsToScale(width(), m_scaleMode, true, dpi()));
}

int zkButton::scaleHeight() const {
    return zk::roundHalfEven(zk::pixelsToScale(height(), m_scaleMode, false, dpi()));
}

void zkButton::deriveDisplayCaption() {
    if (m_useMnemonic) {
        const zkMnemonic parsed = ParseMnemonic(m_caption);
        m_displayCaption = parsed.text;
        m_accessKeys = parsed.key;
        m_mnemonicPos = parsed.position;
    } else {
        m_displayCaption = m_caption;
        m_accessKeys.clear();
        m_mnemonicPos = 0;
    }
    updateShortcuts();
}

void zkButton::watchFont() {
    disconnect(m_fontConnection);
    // The font object is shared: a change made in place (the font page does that) shows at
    // once on every button that uses it.
    if (m_font)
        m_fontConnection =
            connect(m_font.data(), &zkFont::Changed, this, [this] { Redraw(idleState()); });
}

void zkButton::applyMousePointer() {
    static constexpr Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (m_mousePointer == 99 && zkHoldsPicture(m_mouseIcon))
        setCursor(QCursor(QPixmap::fromImage(m_mouseIcon->image())));
    else if (m_mousePointer > 0 && m_mousePointer < static_cast<int>(std::size(shapes)))
        setCursor(shapes[m_mousePointer]);
    else
        unsetCursor();
}

void zkButton::updateShortcuts() {
    // The code is read when the key arrives: the access key may have changed since.
    const auto make = [this](QShortcut*& shortcut, bool wanted, const QList<QKeySequence>& keys,
                             const auto& code) {
        if (!wanted) {
            delete shortcut;
            shortcut = nullptr;
            return;
        }
        if (!shortcut) {
            shortcut = new QShortcut(this);
            connect(shortcut, &QShortcut::activated, this,
                    [this, code] { accessKeyPress(code()); });
            connect(shortcut, &QShortcut::activatedAmbiguously, this,
                    [this, code] { ambiguousKeyPress(code()); });
        }
        shortcut->setKeys(keys);
    };
    const QChar key = m_accessKeys.isEmpty() ? QChar() : m_accessKeys.at(0).toUpper();
    make(m_accessShortcut, !m_accessKeys.isEmpty(),
         {QKeySequence(QStringLiteral("Alt+") + QString(key))}, [this] {
             return int(m_accessKeys.isEmpty() ? 0 : m_accessKeys.at(0).toUpper().unicode());
         });
    make(m_enterShortcut, m_default, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
         [] { return 13; });
    make(m_escShortcut, m_cancel, {QKeySequence(Qt::Key_Escape)}, [] { return 27; });
}

void zkButton::ambiguousKeyPress(int charCode) {
    // Qt hands a key that several buttons of the window hold to one of them in turn. Enter
    // and Esc still click exactly one button; a shared access key only moves the focus
    // along the buttons that share it, as Qt's own buttons do.
    if (charCode == 13 || charCode == 27) {
        if (zkButton* target = zk::windowKeyTarget(this, charCode))
            target->accessKeyPress(charCode);
    } else {
        setFocus(Qt::ShortcutFocusReason);
    }
}

QString zkButton::GetErrorString(int nErrorCode) const {
    return zk::errorString(nErrorCode);
}
