#include "ShutdownSignals.h"

void CloseOnShutdownSignals(QWidget& /*window*/)
{
}
