// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class QApplication;

namespace tk {

// The desktop session of a program: the Qt application object, with the toolkit's forms, timers,
// clipboard and dialogs put on it. One per process, made first thing in main.
class TQtDesktop {
public:
    TQtDesktop(int& argc, char** argv);
    ~TQtDesktop();
    TQtDesktop(const TQtDesktop&) = delete;
    TQtDesktop& operator=(const TQtDesktop&) = delete;

private:
    std::unique_ptr<QApplication> m_application;
};

}
