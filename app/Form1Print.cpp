#include "Form1.h"

void Form1::cmdPrintResults_Click()
{
}

void Form1::cmdPrintTable_Click()
{
}
