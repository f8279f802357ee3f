#include "ScreenFactory.h"

#include "EpidemicPreview.h"

BaseWidget *createScreen(int screenVariant, QWidget *parent)
{
    // Variant 1 selects the alternate screen; until that screen exists every variant gets
    // the main screen, so the host still receives a working screen.
    Q_UNUSED(screenVariant)
    return new EpidemicPreview(parent);
}
