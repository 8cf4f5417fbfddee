// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes the number table readable by screen readers as a table: rows, columns, header
// cells and each cell's number as its text. Call once after the application is created.
void InstallGridAccessibility();
