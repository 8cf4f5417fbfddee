// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// From here on SIGTERM, SIGINT and SIGHUP end the program at once with exit status 0, also
// when they arrive several in a row or were already waiting, blocked, when it started. Called
// first thing in main; a window takes them over with CloseOnShutdownSignals.
void EndOnShutdownSignals();

// Closes the window as its close box would when the program is asked to end from outside
// (SIGTERM, SIGINT, SIGHUP, the end of the desktop session), so that the settings are written.
// When the window is gone, the signals do again what they did before.
void CloseOnShutdownSignals(QWidget& window);
