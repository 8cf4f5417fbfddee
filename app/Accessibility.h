// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Gives the window's parts the roles a desktop program's parts have, so screen readers
// follow the focus into them: the window as a window, its frames as groupings, the number
// table as a table of its cells, the results list as a list of its lines, the announcer as a
// notification, the large exercise label only while nothing covers it, and the clickable
// images an action that clicks them. Call once after the application is created.
void InstallAccessibility();
