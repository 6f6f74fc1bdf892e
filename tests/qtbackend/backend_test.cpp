// SPDX-License-Identifier: MIT
#include "qt_fixture.h"

#include "toolkit/popup_menu.h"
#include "toolkit/timer.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <functional>

using namespace tk;

namespace {

// Runs the loop, with a deadline so that a broken backend fails instead of hanging.
bool runWithDeadline(int ms)
{
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    deadline.start(ms);
    Application().Run();
    return !timedOut;
}

// Acts on the modal dialog or menu once the call that opens it is waiting in its own loop.
template <typename Widget>
void whenOpen(std::function<void(Widget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* open = QApplication::activePopupWidget();
        if (!open)
            open = QApplication::activeModalWidget();
        auto* widget = qobject_cast<Widget*>(open);
        ASSERT_NE(widget, nullptr);
        act(widget);
    });
}

}

TEST_F(QtBackendTest, TimerTicksFromTheLoopUntilTerminated)
{
    TTimer timer(nullptr, "Timer");
    timer.SetInterval(20);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 3)
            Application().Terminate();
    });
    QElapsedTimer elapsed;
    elapsed.start();

    ASSERT_TRUE(runWithDeadline(3000));
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(elapsed.elapsed(), 55);
}

TEST_F(QtBackendTest, OtherTimersTickWhileAHandlerShowsAMessageBox)
{
    TTimer asking(nullptr, "Asking");
    asking.SetInterval(20);
    TTimer counting(nullptr, "Counting");
    counting.SetInterval(20);
    int asks = 0, countedDuringBox = 0, answer = 0;
    bool boxOpen = false;
    asking.SetOnTimer([&](TObject*) {
        ++asks;
        boxOpen = true;
        answer = Application().Dialogs().MessageBox("Copy?", "Tavisco", MB_OKCANCEL);
        boxOpen = false;
        Application().Terminate();
    });
    counting.SetOnTimer([&](TObject*) {
        if (!boxOpen || ++countedDuringBox < 3)
            return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Ok)->click();
    });

    ASSERT_TRUE(runWithDeadline(3000));
    EXPECT_EQ(asks, 1); // its own ticks wait for its handler to end
    EXPECT_EQ(countedDuringBox, 3);
    EXPECT_EQ(answer, IDOK);
}

TEST_F(QtBackendTest, ClipboardRoundTripsWindows1252Text)
{
    Application().Clipboard().SetAsText("Caf\xe9 \x80 5");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Café € 5"));
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Pokémon Snap"));
    EXPECT_EQ(Application().Clipboard().AsText(), "Pok\xe9mon Snap");
}

TEST_F(QtBackendTest, MessageBoxButtonsAndAnswers)
{
    auto& dialogs = Application().Dialogs();

    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Délete"));
        EXPECT_EQ(box->text(), QString::fromUtf8("Really delete GAME.V64\n– sure?"));
        auto buttons = box->buttons();
        EXPECT_EQ(std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isVisible(); }), 2);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(dialogs.MessageBox("Really delete GAME.V64\r\n\x96 sure?", "D\xe9lete", MB_YESNO), IDYES);

    // Closing the box: Cancel, except for a box that only has OK.
    whenOpen<QMessageBox>([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(dialogs.MessageBox("?", "", MB_YESNO), IDCANCEL);
    whenOpen<QMessageBox>([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(dialogs.MessageBox("!", "", MB_OK), IDOK);
}

TEST_F(QtBackendTest, InputQueryOffersTheProposalSelectedAndReturnsTheAnswer)
{
    whenOpen<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "New category");
        EXPECT_EQ(dialog->labelText(), "Name:");
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->maxLength(), 255);
        EXPECT_EQ(edit->selectedText(), QString::fromUtf8("Jeux vidéo"));
        edit->setText(QString::fromUtf8("Rôle"));
        dialog->accept();
    });
    std::string value = "Jeux vid\xe9o";
    EXPECT_TRUE(Application().Dialogs().InputQuery("New category", "Name:", value));
    EXPECT_EQ(value, "R\xf4le");

    whenOpen<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    value = "kept";
    EXPECT_FALSE(Application().Dialogs().InputQuery("New category", "Name:", value));
    EXPECT_EQ(value, "kept");
}

TEST_F(QtBackendTest, PopupOffersVisibleItemsAndRunsTheChosenOneAfterClosing)
{
    TPopupMenu menu(nullptr, "Menu");
    TMenuItem* copy = menu.Add("Copy", "&Copy");
    menu.Add("Hidden", "Hidden")->SetVisible(false);
    TMenuItem* both = menu.Add("Both", "Save && Quit");
    int copied = 0, chosen = 0;
    copy->OnClick = [&](TObject*) { ++copied; };
    both->OnClick = [&](TObject*) {
        ++chosen;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    };

    whenOpen<QMenu>([](QMenu* qmenu) {
        auto actions = qmenu->actions();
        ASSERT_EQ(actions.size(), 2);
        EXPECT_EQ(actions[0]->text(), "&Copy");
        EXPECT_EQ(actions[1]->text(), "Save && Quit");
        qmenu->setActiveAction(actions[1]);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(qmenu, &enter);
    });
    menu.Popup(10, 10);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(copied, 0);

    whenOpen<QMenu>([](QMenu* qmenu) { qmenu->close(); });
    menu.Popup(10, 10);
    EXPECT_EQ(chosen + copied, 1);
}

TEST_F(QtBackendTest, MessageBoxAndInputDialogComeUpAboveAStayOnTopWindow)
{
    TForm splash("splash");
    splash.SetFormStyle(fsStayOnTop);
    splash.SetBounds(0, 0, 100, 40);
    splash.Show();
    auto& dialogs = Application().Dialogs();
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(dialogs.MessageBox("Cannot open directory", "Tavisco", MB_OK), IDOK);
    whenOpen<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        dialog->reject();
    });
    std::string value = "x";
    EXPECT_FALSE(dialogs.InputQuery("c", "p", value));
    splash.Hide();
}

// Task bars group the windows by the application's name and entry and show its icon, whether the
// program names itself before the backend is there or after.
TEST_F(QtBackendTest, TheDesktopKnowsTheProgramByItsNameIconAndEntry)
{
    Application().SetBackend(nullptr);
    Application().SetTitle("Tavisco");
    Application().SetDesktopEntry("tavisco");
    installQtBackend();
    EXPECT_EQ(QGuiApplication::applicationName(), "Tavisco");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "tavisco");

    Application().SetIcon("tavisco");
    QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
    for (int size : { 16, 32, 48, 64, 128, 256 })
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    TForm form("Iconic");
    form.Show();
    ASSERT_NE(windowOf(form), nullptr);
    EXPECT_FALSE(windowOf(form)->windowIcon().isNull());
    form.Hide();

    Application().SetTitle("");
    Application().SetDesktopEntry("");
    Application().SetIcon("");
}

// A handler that works long keeps its window painted: input that comes meanwhile reaches no handler,
// other timers wait, and a signal to stop ends the program as closing the main form does, but only
// once the handler is done.
TEST_F(QtBackendTest, ALongHandlerTakesNoInputAndAStopSignalWaitsForIt)
{
    TForm form("Main");
    form.SetBounds(10, 10, 200, 100);
    int presses = 0, otherTicks = 0, ticksDuringWork = -1;
    bool closed = false, closedDuringWork = true;
    form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
    form.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    TTimer other(nullptr, "Other");
    other.SetInterval(10);
    other.SetOnTimer([&](TObject*) { ++otherTicks; });
    TTimer work(nullptr, "Work");
    work.SetInterval(30);
    work.SetOnTimer([&](TObject*) {
        work.SetEnabled(false);
        int before = otherTicks;
        QWidget* window = windowOf(form);
        for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })
            QCoreApplication::postEvent(window, new QMouseEvent(type, QPointF(5, 5), window->mapToGlobal(QPointF(5, 5)),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        ::raise(SIGTERM);
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 300)
            Application().KeepPainted();
        ticksDuringWork = otherTicks - before;
        closedDuringWork = closed;
    });
    form.Show();

    ASSERT_TRUE(runWithDeadline(3000));
    EXPECT_EQ(presses, 0);
    EXPECT_EQ(ticksDuringWork, 0);
    EXPECT_FALSE(closedDuringWork);
    EXPECT_TRUE(closed);
}
