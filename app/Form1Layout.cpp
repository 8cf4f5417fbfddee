// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Controls.h"
#include "CoveredLabel.h"
#include "DesignValues.h"
#include "GridWidget.h"
#include "Twips.h"

#include <QFrame>
#include <QScreen>

QSize Form1::FirstClientSize() const {
    // The design size, reduced to the screen's free area less room for the window
    // manager's title bar and borders, which are not known before the window is shown.
    const QSize frameAllowance(10, 40);
    const QSize design(TwipsToPixels(Design::ClientWidth), TwipsToPixels(Design::ClientHeight));
    const QScreen* where = screen();
    if (!where || where->availableGeometry().isEmpty())
        return design;
    const QSize room = where->availableGeometry().size() - frameAllowance;
    return design.boundedTo(room.expandedTo(QSize(1, 1)));
}

void Form1::Form_Resize() {
    // The exercise bar sits on the bottom edge, the results frame on the right edge, the
    // rule runs the full width and the table gets the rest. A window too small for the
    // table gets a grid of no size; the table's arithmetic keeps its cells valid.
    const double W = PixelsToTwips(width());
    const double H = PixelsToTwips(height());

    QRectF bar = TwipsGeometry(frameAufgabe);
    bar.moveTop(H - bar.height());
    SetTwipsGeometry(frameAufgabe, bar);

    QRectF results = TwipsGeometry(frameResults);
    results.moveLeft(W - results.width());
    SetTwipsGeometry(frameResults, results);

    for (LineControl* line : Line1)
        line->SetLine(line->X1(), line->Y(), W);

    MSFlexGrid1->Move(MSFlexGrid1->Left(), MSFlexGrid1->Top(),
                      W - results.width() - Design::TableWidthAllowance,
                      H - bar.height() - Design::TableHeightAllowance);
    BuildTable();
    SetTwipsGeometry(lbAufgabeBig, QRectF(MSFlexGrid1->Left(), MSFlexGrid1->Top(),
                                          MSFlexGrid1->Width(), MSFlexGrid1->Height()));
}
