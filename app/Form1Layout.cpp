#include "Form1.h"

#include "DesignValues.h"
#include "Twips.h"

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
