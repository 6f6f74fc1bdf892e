// SPDX-License-Identifier: MIT
#include "qt_fixture.h"

#include "toolkit/memo.h"
#include "toolkit/panel.h"
#include "widgets/corvaneURLLabel.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <string>
#include <vector>

using namespace tk;

namespace {

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(w, &event);
}

void click(QWidget* w, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
    sendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
}

void sendEnter(QWidget* w, QPoint at)
{
    QEnterEvent event(at, at, w->mapToGlobal(at));
    QCoreApplication::sendEvent(w, &event);
}

void sendLeave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

void sendKey(QWidget* w, int key, const QString& text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &event);
}

// Paint events the widget gets while the loop runs for the given time.
int paintsWithin(QWidget* w, int milliseconds)
{
    struct Counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    w->installEventFilter(&counter);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    w->removeEventFilter(&counter);
    return counter.paints;
}

// What is really on the (offscreen) screen: the window's backing store, not a fresh rendering.
QColor shownAt(QWidget* w, QPoint at)
{
    return w->screen()->grabWindow(w->winId()).toImage().pixelColor(at);
}

}

TEST_F(QtBackendTest, WindowTakesTheFormsPlaceSizeStyleAndCaption)
{
    TForm form("Splash");
    form.SetBorderStyle(bsNone);
    form.SetFormStyle(fsStayOnTop);
    form.SetBounds(30, 40, 200, 100);
    form.SetCaption("Caf\xe9");
    form.Show();

    TFormWindow* window = windowOf(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->geometry(), QRect(30, 40, 200, 100));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Café"));

    // Parked off-screen, the window stays mapped where the form says.
    form.SetBounds(-1000, -1000, 200, 100);
    EXPECT_EQ(window->geometry(), QRect(-1000, -1000, 200, 100));
    EXPECT_TRUE(window->isVisible());

    form.SetCaption("N64 \x96 Zip");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("N64 – Zip"));

    form.Hide();
    EXPECT_FALSE(window->isVisible());
}

// A shown window follows a change of border or style at once, not at its next show.
TEST_F(QtBackendTest, AShownWindowTakesANewBorderAndStyleAtOnce)
{
    TForm form("Main");
    form.SetBounds(30, 40, 200, 100);
    form.Show();
    TFormWindow* window = windowOf(form);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    const QRect place = window->geometry();

    form.SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    form.SetBorderStyle(bsNone);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()); // only a sizeable border resizes
    EXPECT_TRUE(window->isVisible());

    form.SetBorderStyle(bsSizeable);
    form.SetFormStyle(fsNormal);
    EXPECT_FALSE(window->windowFlags() & (Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->geometry(), place);
}

// What lies above an editor in the form lies above it on the screen, and takes the clicks there.
TEST_F(QtBackendTest, NativeEditorsStackInTheFormsOrderOfControls)
{
    TForm form("Main");
    form.SetBounds(30, 40, 300, 200);
    auto* first = new TMemo(&form, "first");
    first->SetBounds(10, 10, 200, 150);
    auto* second = new TMemo(&form, "second");
    second->SetBounds(150, 100, 140, 90);
    auto* about = new TPanel(&form, "about");
    about->SetBounds(20, 20, 80, 60);
    about->SetColor(clBlue);
    about->Hide();
    form.Show();
    form.Repaint();
    auto* host = dynamic_cast<TQtFormHost*>(form.Host());
    QWidget* window = host->Window();
    QWidget* lower = host->Peer(first);
    QWidget* upper = host->Peer(second);
    ASSERT_TRUE(lower && upper);
    // The later control is above: where they overlap, the second editor shows.
    EXPECT_GT(window->children().indexOf(upper), window->children().indexOf(lower));
    QWidget* hit = window->childAt(170, 120);
    EXPECT_TRUE(hit == upper || upper->isAncestorOf(hit));

    about->Show();
    form.Repaint();
    EXPECT_EQ(window->grab().toImage().pixelColor(50, 50), QColor(Qt::blue));
    EXPECT_EQ(window->childAt(50, 50), nullptr);
    // Editor coordinates: the form's less the editor's place.
    EXPECT_FALSE(lower->mask().contains(QPoint(40, 40)));
    EXPECT_TRUE(lower->mask().contains(QPoint(150, 30)));
    about->Hide();
    form.Repaint();
    EXPECT_TRUE(lower->mask().contains(QPoint(40, 40)));

    // The native editors undo what was typed, and redo it with either key.
    auto ctrl = [&](int key, Qt::KeyboardModifiers more = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::ControlModifier | more);
        QCoreApplication::sendEvent(upper, &event);
    };
    sendKey(upper, Qt::Key_A, "a");
    ctrl(Qt::Key_Z);
    EXPECT_EQ(second->Text(), "");
    ctrl(Qt::Key_Y);
    EXPECT_EQ(second->Text(), "a\r\n");
    ctrl(Qt::Key_Z);
    ctrl(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(second->Text(), "a\r\n");
}

// The native editor standing in for a memo follows the memo's look after it was made, too.
TEST_F(QtBackendTest, TheNativeEditorFollowsLaterChangesOfItsControl)
{
    TForm form("Main");
    form.SetBounds(30, 40, 200, 100);
    auto* memo = new TMemo(&form, "memo");
    form.Show();
    form.Repaint();
    auto* peer = dynamic_cast<QPlainTextEdit*>(dynamic_cast<TQtFormHost*>(form.Host())->Peer(memo));
    ASSERT_NE(peer, nullptr);
    EXPECT_FALSE(peer->isReadOnly());

    memo->SetReadOnly(true);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssVertical);
    memo->SetColor(clYellow);
    memo->Font().SetColor(clRed);
    EXPECT_TRUE(peer->isReadOnly());
    EXPECT_EQ(peer->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(peer->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(peer->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(peer->palette().color(QPalette::Text), QColor(255, 0, 0));

    // Freed while shown, the memo takes its editor with it, and the document goes last.
    delete memo;
    EXPECT_EQ(dynamic_cast<TQtFormHost*>(form.Host())->Peer(memo), nullptr);
}

TEST_F(QtBackendTest, CloseRequestFromTheDesktopIsTheFormsDecision)
{
    TForm form("Dialog");
    form.SetBounds(10, 10, 120, 80);
    TCloseAction answer = caNone;
    int asked = 0;
    form.OnClose = [&](TObject*, TCloseAction& action) {
        ++asked;
        action = answer;
    };
    form.Show();
    TFormWindow* window = windowOf(form);

    QCloseEvent refused;
    QCoreApplication::sendEvent(window, &refused);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(window->isVisible());

    answer = caHide;
    QCloseEvent accepted;
    QCoreApplication::sendEvent(window, &accepted);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtBackendTest, MouseInputReachesTheControlUnderThePointer)
{
    TForm form("Main");
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    TPanel left(&form, "Left");
    left.SetBounds(0, 0, 100, 100);
    TPanel right(&form, "Right");
    right.SetBounds(100, 0, 100, 100);
    std::vector<std::string> clicks;
    left.OnClick = [&](TObject*) { clicks.push_back("left"); };
    right.OnClick = [&](TObject*) { clicks.push_back("right"); };
    std::vector<TShiftState> downs;
    right.OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int x, int y) {
        downs.push_back(shift);
        EXPECT_EQ(x, 50); // client coordinates of the panel
        EXPECT_EQ(y, 30);
    };
    form.Show();
    TFormWindow* window = windowOf(form);

    click(window, { 150, 30 }, Qt::ShiftModifier);
    EXPECT_EQ(clicks, std::vector<std::string> { "right" });
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], ssLeft | ssShift);

    // Qt's double click stands for the second press and arrives flagged as one.
    int doubles = 0;
    right.OnDblClick = [&](TObject*) { ++doubles; };
    click(window, { 150, 30 });
    sendMouse(window, QEvent::MouseButtonDblClick, { 150, 30 }, Qt::LeftButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, { 150, 30 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(doubles, 1);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[2] & ssDouble, ssDouble);

    // Moves without a button arrive (mouse tracking) and move the hover.
    sendMouse(window, QEvent::MouseMove, { 20, 20 }, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.HoverControl(), &left);
}

// The link's hover colour tells whether the form heard the pointer leave and come back.
TEST_F(QtBackendTest, ThePointerLeavingAndEnteringTheWindowReachesTheForm)
{
    TForm form("Main");
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* link = new TCorvaneURLLabel(&form, "link");
    link->SetAutoSize(false);
    link->SetBounds(10, 10, 100, 16);
    link->SetCaption("www.tarnwick.example");
    const TColor blue = 0xFF0000, red = 255;
    form.Show();
    TFormWindow* window = windowOf(form);

    sendMouse(window, QEvent::MouseMove, { 20, 15 }, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(link->Font().Color(), red);
    sendLeave(window); // straight off the window from the link
    EXPECT_EQ(link->Font().Color(), blue);
    EXPECT_EQ(form.HoverControl(), nullptr);
    sendEnter(window, { 20, 15 });
    EXPECT_EQ(link->Font().Color(), red);

    // Pressed, dragged out of the window and released there: Qt's leave comes after the release.
    sendMouse(window, QEvent::MouseButtonPress, { 20, 15 }, Qt::LeftButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseMove, { 20, 300 }, Qt::NoButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, { 20, 300 }, Qt::LeftButton, Qt::NoButton);
    sendLeave(window);
    EXPECT_EQ(link->Font().Color(), blue);
    sendEnter(window, { 20, 15 });
    sendMouse(window, QEvent::MouseMove, { 20, 15 }, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(link->Font().Color(), red) << "back straight onto the link";
}

TEST_F(QtBackendTest, KeysArriveAsVirtualKeysAndWindows1252Characters)
{
    TForm form("Main");
    form.SetBounds(0, 0, 100, 100);
    std::vector<unsigned short> downs;
    std::string typed;
    form.OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { downs.push_back(key); };
    form.OnKeyPress = [&](TObject*, char& key) { typed += key; };
    form.Show();
    TFormWindow* window = windowOf(form);

    sendKey(window, Qt::Key_A, "a");
    sendKey(window, Qt::Key_Return, "\r");
    sendKey(window, Qt::Key_Escape, "\x1b");
    sendKey(window, Qt::Key_Backspace, "\b");
    sendKey(window, Qt::Key_Eacute, QString::fromUtf8("é"));
    sendKey(window, Qt::Key_Left, "");
    sendKey(window, Qt::Key_Delete, "\x7f");
    sendKey(window, Qt::Key_unknown, QString::fromUtf8("Ω")); // no Windows-1252 form

    std::vector<unsigned short> expected { 'A', VK_RETURN, VK_ESCAPE, VK_BACK, VK_LEFT, VK_DELETE };
    EXPECT_EQ(downs, expected);
    EXPECT_EQ(typed, std::string("a\r\x1b\b\xe9"));
}

TEST_F(QtBackendTest, RepaintNowPutsTheFormOnScreenBeforeReturning)
{
    TForm form("Main");
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 120, 60);
    TPanel panel(&form, "Panel");
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 120, 60);
    panel.SetColor(clRed);
    form.Show();
    TFormWindow* window = windowOf(form);
    // Nothing can paint before the desktop has exposed the new window.
    for (int i = 0; i < 100 && !window->windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(window->windowHandle()->isExposed());
    window->repaint();
    ASSERT_EQ(shownAt(window, { 60, 30 }), QColor(Qt::red));

    // Invalidating alone waits for the loop; repainting does not.
    panel.SetColor(clBlue);
    EXPECT_EQ(shownAt(window, { 60, 30 }), QColor(Qt::red));
    panel.Repaint();
    EXPECT_EQ(shownAt(window, { 60, 30 }), QColor(Qt::blue));
    EXPECT_EQ(window->grab().toImage().pixelColor(10, 10), QColor(Qt::blue));
}

// Each blink of the caret paints its whole paragraph again: over a very long line the caret stays
// on while the editor has the focus, and other texts blink at the desktop's pace, which comes back
// when the focus goes.
TEST_F(QtBackendTest, TheCaretStaysStillOverAVeryLongLineOnly)
{
    QStyleHints* hints = QGuiApplication::styleHints();
    int desktops = hints->cursorFlashTime();
    hints->setCursorFlashTime(60);
    TForm form("Main");
    form.SetBounds(30, 40, 300, 200);
    auto* memo = new TMemo(&form, "memo");
    memo->SetBounds(0, 0, 200, 100);
    memo->SetWordWrap(false);
    auto* other = new TMemo(&form, "other");
    other->SetBounds(0, 100, 200, 100);
    form.Show();
    form.Repaint();
    auto* host = dynamic_cast<TQtFormHost*>(form.Host());
    auto* peer = dynamic_cast<QPlainTextEdit*>(host->Peer(memo));
    ASSERT_NE(peer, nullptr);
    peer->window()->activateWindow();
    for (int i = 0; i < 100 && !peer->isActiveWindow(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(peer->isActiveWindow());

    for (bool longLine : { false, true }) {
        memo->SetText(std::string(longLine ? 200000 : 20, 'x'));
        form.Repaint();
        host->Peer(other)->setFocus();
        peer->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(peer->hasFocus());
        int paints = paintsWithin(peer->viewport(), 400);
        if (longLine)
            EXPECT_EQ(paints, 0);
        else
            EXPECT_GE(paints, 2);
        host->Peer(other)->setFocus();
        EXPECT_EQ(hints->cursorFlashTime(), 60);
    }
    hints->setCursorFlashTime(desktops);
}
