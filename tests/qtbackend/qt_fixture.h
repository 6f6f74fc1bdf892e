// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/application.h"
#include "toolkit/backend.h"
#include "toolkit/clipboard.h"
#include "toolkit/dialogs.h"
#include "toolkit/form.h"
#include "toolkit/qt/form_window.h"
#include "toolkit/qt/qt_form_host.h"
#include "toolkit/qt/qt_startup.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

// Installs the Qt backend for one test and puts the application back as it was after it.
class QtBackendTest : public testing::Test {
protected:
    void SetUp() override { tk::installQtBackend(); }

    void TearDown() override
    {
        tk::Application().SetBackend(nullptr);
        tk::Application().SetClipboard(std::make_unique<tk::TClipboard>());
        tk::Application().SetDialogs(std::make_unique<tk::TDialogs>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static tk::TFormWindow* windowOf(tk::TForm& form)
    {
        auto* host = dynamic_cast<tk::TQtFormHost*>(form.Host());
        return host ? host->Window() : nullptr;
    }
};
