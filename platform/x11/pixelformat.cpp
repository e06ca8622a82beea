// Judges a visual for the saver's drawing; see pixelformat.h.
#include "platform/x11/pixelformat.h"

bool VisualDraws(const VisualTraits *traits)
{
    return traits->openGL && traits->rgba;
}
