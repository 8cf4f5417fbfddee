#include "Form1.h"

void Form1::LoadIniFileData(const QString& /*FileName*/)
{
    State.MaxNum = 10;
}

void Form1::SaveIniFileData(const QString& /*FileName*/)
{
}
