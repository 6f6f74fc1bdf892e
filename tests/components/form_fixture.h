// SPDX-License-Identifier: MIT
#pragma once

#include "tests/support/qt_app.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/color.h"
#include "toolkit/dialogs.h"
#include "toolkit/form.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The desktop's modal services as a test sees them: pop-up menus are recorded and answered by
// `choose`, errors that reach the application are collected.
class MenuDialogs : public tk::TDialogs {
public:
    struct Shown {
        std::vector<std::string> captions;
        int x { 0 };
        int y { 0 };
    };

    void Popup(tk::TPopupMenu& menu, int x, int y) override;

    std::vector<Shown> popups;
    // Which item to pick (by caption); none picked when empty.
    std::string choose;
};

// A shown form on the offscreen platform, driven the way the window would drive it.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void click(int x, int y, tk::TShiftState shift = 0);
    void doubleClick(int x, int y);
    void key(unsigned short vk, tk::TShiftState shift = 0);
    void type(const std::string& text);
    tk::TColor pixel(int x, int y);

    std::unique_ptr<tk::TForm> form;
    MenuDialogs* dialogs { nullptr };
    std::vector<std::string> errors;
};
