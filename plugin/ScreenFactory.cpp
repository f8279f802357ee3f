#include "ScreenFactory.h"

#include "EpidemicPreview.h"
#include "TempScreeningSW02.h"

BaseWidget *createScreen(int screenVariant, QWidget *parent)
{
    // Variant 1 selects the alternate screen; any other value gets the main screen, so the host
    // always receives a working screen.
    if (screenVariant == 1)
        return new TempScreeningSW02(parent);
    return new EpidemicPreview(parent);
}
