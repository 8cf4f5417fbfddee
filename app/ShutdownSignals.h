// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Closes the window as its close box would when the program is asked to end from outside
// (SIGTERM, SIGINT, the end of the desktop session), so that the settings are written.
void CloseOnShutdownSignals(QWidget& window);
