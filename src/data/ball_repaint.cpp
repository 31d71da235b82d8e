#include "data/ball_repaint.h"

namespace kelton {

namespace {
IBallRepaint* g_filterRepaint = nullptr;
}

void SetFilterBallRepaint(IBallRepaint* repaint)
{
    g_filterRepaint = repaint;
}

IBallRepaint* FilterBallRepaint()
{
    return g_filterRepaint;
}

} // namespace kelton
