#include "lockkeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <X11/XKBlib.h>
// Xlib names event types with macros that clash with Qt's enumerators.
#undef KeyPress
#undef KeyRelease

namespace {

// Asks the X server for the indicators of the core keyboard.
class X11LockKeys final : public LockKeys
{
public:
    explicit X11LockKeys(Display *display)
        : m_display(display)
        , m_caps(XInternAtom(display, "Caps Lock", False))
        , m_num(XInternAtom(display, "Num Lock", False))
    { }

    LockKeyState state() const override { return {indicator(m_caps), indicator(m_num)}; }

private:
    bool indicator(Atom name) const
    {
        Bool on = False;
        if (!XkbGetNamedIndicator(m_display, name, nullptr, &on, nullptr, nullptr))
            return false;
        return on;
    }

    Display *m_display;
    Atom m_caps;
    Atom m_num;
};

// Follows the lock keys pressed while one of the program's windows has the
// keyboard; presses elsewhere are not seen.
class FollowingLockKeys final : public QObject, public LockKeys
{
public:
    FollowingLockKeys() { qGuiApp->installEventFilter(this); }
    ~FollowingLockKeys() override
    {
        if (qGuiApp)
            qGuiApp->removeEventFilter(this);
    }
    Q_DISABLE_COPY_MOVE(FollowingLockKeys)

    LockKeyState state() const override { return m_state; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A key event travels from the window to the focus widget and on up
        // through its parents; it counts once, where it reaches the focus.
        const QObject *focus = QGuiApplication::focusObject();
        const bool atFocus = focus ? watched == focus : watched->isWindowType();
        if (event->type() == QEvent::KeyPress && atFocus) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat()) {
                if (key->key() == Qt::Key_CapsLock)
                    m_state.capsLock = !m_state.capsLock;
                else if (key->key() == Qt::Key_NumLock)
                    m_state.numLock = !m_state.numLock;
            }
        }
        return false;
    }

private:
    LockKeyState m_state;
};

} // namespace

std::unique_ptr<LockKeys> createLockKeys()
{
    if (const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (Display *display = x11->display())
            return std::make_unique<X11LockKeys>(display);
    }
    return std::make_unique<FollowingLockKeys>();
}
