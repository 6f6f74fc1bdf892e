// SPDX-License-Identifier: MIT
#pragma once

// Creates the one QGuiApplication of a test program on first use (offscreen unless the
// environment chose a platform). Fonts, images and painters need it.
void ensureGuiApp();
