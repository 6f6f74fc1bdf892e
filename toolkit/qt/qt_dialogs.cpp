// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_dialogs.h"

#include "toolkit/application.h"
#include "toolkit/popup_menu.h"
#include "toolkit/win_text.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <string>
#include <vector>

namespace tk {

namespace {

int answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

// A dialog opened while a stay-on-top window shows (the splash during start-up) must come up
// above it, never hidden beneath.
void keepAboveStayOnTopWindows(QWidget& dialog)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &dialog && window->isVisible() && (window->windowFlags() & Qt::WindowStaysOnTopHint)) {
            dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
}

void centreOnScreen(QWidget& window)
{
    window.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

}

int TQtDialogs::MessageBox(const std::string& text, const std::string& caption, int flags)
{
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(fromWinText(caption));
    box.setTextFormat(Qt::PlainText);
    // Program texts break lines the Windows way.
    box.setText(fromWinText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MB_YESNO: {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        // Left to itself Qt would take a close as No; a hidden Cancel makes it Cancel.
        QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
        cancel->hide();
        box.setEscapeButton(cancel);
        break;
    }
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    keepAboveStayOnTopWindows(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return (flags & 0xF) == MB_OK ? IDOK : IDCANCEL;
    return answerOf(box.standardButton(clicked));
}

bool TQtDialogs::InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    QInputDialog dialog;
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(fromWinText(caption));
    dialog.setLabelText(fromWinText(prompt));
    dialog.setTextValue(fromWinText(value));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(255);
        edit->selectAll();
    }
    centreOnScreen(dialog);
    keepAboveStayOnTopWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = toWinText(dialog.textValue());
    return true;
}

// The chosen item runs after the menu has closed. Timers tick while the menu is open and may
// rebuild it, so the item is looked up again and only run if it is still there.
void TQtDialogs::Popup(TPopupMenu& menu, int screenX, int screenY)
{
    std::vector<TMenuItem*> offered = menu.VisibleItems();
    std::vector<std::string> names;
    for (auto* item : offered)
        names.push_back(item->Name());
    QMenu qmenu;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i]->Caption() == "-") {
            qmenu.addSeparator();
            continue;
        }
        // QMenu reads '&' as the accelerator mark and "&&" as one '&', as the captions mean.
        QAction* action = qmenu.addAction(fromWinText(offered[i]->Caption()));
        action->setEnabled(offered[i]->Enabled());
        action->setData(static_cast<qulonglong>(i));
    }
    QAction* chosen = qmenu.exec(QPoint(screenX, screenY));
    if (!chosen)
        return;
    std::size_t index = chosen->data().toULongLong();
    TMenuItem* item = offered[index];
    const auto& items = menu.Items();
    if (std::find(items.begin(), items.end(), item) == items.end() || item->Name() != names[index])
        return;
    Application().Guard([item] { item->Click(); });
}

}
